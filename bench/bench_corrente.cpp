// The page "Corrente e temperatura": the dearest keystroke in the current field (across the
// highest current) until the page is painted again, on a 5,000-turn design against painting
// the page alone, and on the largest design the rules allow against a small one, with the
// slowest of 41 keystrokes against the 50 ms the window may ever stand still. The page needs
// only the summary's figures, so the size of the design must not show.

#include "Banco.h"
#include "PaginaBanco.h"
#include "ProgettoBanco.h"

#include "analysis/finestra/PaginaCorrente.h"

#include <QApplication>

#include <algorithm>
#include <cstdlib>

using namespace windara;
using namespace windara::analisi;

namespace {

using Pagina = banco::PaginaBanco<PaginaCorrente>;

// The keystroke that costs the page most: a current now below the highest one, now above it
// (the figures change colour, the curves run on to the current typed).
Pagina SullaCorrente(const DatiAnalisi &dati)
{
    return Pagina(dati, QStringLiteral("txtCorrente"), [](const Riepilogo &r) {
        QString motivo;
        const double massima =
            CorrenteMassima(AvvolgimentoCorrenteReale(r, &motivo), MassimaNormale, AmbienteNormale).punto.corrente;
        if (!(massima > 0))
            std::abort();
        return QStringList{QString::number(massima * 0.6, 'g', 6), QString::number(massima * 1.2, 'g', 6)};
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QList<FiloRame> fili = banco::CatalogoRame();

    banco::MisuraPagina<Pagina>("pagina corrente", fili, SullaCorrente);
    return 0;
}
