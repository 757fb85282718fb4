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

    // 100 turns x 50 layers of 0.5 mm.
    Pagina ordinaria = SullaCorrente(banco::Progetto(fili, "50", "27", "20", "0.5"));
    banco::coppia(
        "pagina corrente 100 x 50: un tasto fino alla pagina ridisegnata", [&] { ordinaria.tasto(); },
        "pagina corrente 100 x 50: solo il ridisegno", [&] { ordinaria.ridisegno(); }, 5, 41);
    std::vector<double> tempi;
    for (int i = 0; i < 41; ++i)
        tempi.push_back(banco::durata([&] { ordinaria.tasto(); }));
    banco::riporta("pagina corrente 100 x 50: un tasto fino alla pagina ridisegnata (un fotogramma)",
                   banco::mediana(tempi), 16667);

    // 32,766 layers of 600 turns of 0.05 mm: its summary takes seconds, once; the page then
    // answers a keystroke in the time it takes for a small design.
    Pagina massima = SullaCorrente(banco::Progetto(fili, "30", "1640.32", "20", "0.05"));
    Pagina piccola = SullaCorrente(banco::Progetto(fili, "20", "10", "10", "0.5"));
    banco::coppia(
        "pagina corrente, progetto massimo: un tasto fino alla pagina ridisegnata", [&] { massima.tasto(); },
        "pagina corrente, 40 x 16: un tasto fino alla pagina ridisegnata", [&] { piccola.tasto(); }, 1.5, 41);
    double peggiore = 0;
    for (int i = 0; i < 41; ++i)
        peggiore = std::max(peggiore, banco::durata([&] { massima.tasto(); }));
    banco::riporta("pagina corrente, progetto massimo: il tasto più lento di 41", peggiore, 50000);
    return 0;
}
