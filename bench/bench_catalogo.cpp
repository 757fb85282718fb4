// The wire catalogue: opening it and listing every row, as the main window does at start-up
// and the wire table window at load; one lookup, as every choice of a wire does.

#include "Banco.h"

#include "catalogue/Catalogo.h"
#include "design/Errori.h"

#include <QCoreApplication>

#include <cstdio>

using namespace windara;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString cartella = QStringLiteral(WINDARA_PROGRAM_DIR);
    try {
        banco::misura("apertura ed elenco del catalogo", 5000, 101, [&] {
            ApriCatalogo(cartella, QStringLiteral("banco"));
            if (ElencoRame(QStringLiteral("banco")).size() != 57)
                std::abort();
        });
        banco::misura(
            "ricerca di un filo", 100, 101,
            [&] { (void)ResistenzaMetroDi(CercaRame(QStringLiteral("banco"), QStringLiteral("0.1"))); }, 20);
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        return 1;
    }
    ChiudiCatalogo(QStringLiteral("banco"));
    return 0;
}
