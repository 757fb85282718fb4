// The computing core: one recomputation of the limits, the 32,766-row table, the
// 32,766-row report text.

#include "Banco.h"

#include "design/Limiti.h"
#include "report/SalvaStudio.h"
#include "report/Studio.h"
#include "table/GrigliaMemoria.h"
#include "table/Tabella.h"

#include <QDir>
#include <QTemporaryDir>

using namespace windara;

namespace {

// The largest table the program can make: B 1640.32 mm with a 0.05 mm wire.
StatoProgetto progettoMassimo()
{
    StatoProgetto s;
    DidascalieLimiti v;
    RecalcoloLimiti(TestiLimiti{"30", "1640.32", "20", "0.05", "0.05"}, EsitoRicerca::trovata("8.781"), s, v);
    return s;
}

} // namespace

int main()
{
    StatoProgetto s;
    s.ResistenzaMetro = QStringLiteral("0.087");
    DidascalieLimiti v;
    const TestiLimiti t{"20", "10", "10", "0.5", "0.5"};
    banco::misura(
        "ricalcolo dei limiti", 5, 51, [&] { RecalcoloLimiti(t, {}, s, v); }, 2000);

    StatoProgetto m = progettoMassimo();
    if (m.StratiMax != 32766)
        return 1;
    banco::misura("tabella di 32766 righe (valori e testi)", 40000, 21, [&] {
        GrigliaMemoria g;
        CompilaTabella(m, g, QStringLiteral("."));
    });

    const TestiStudio ts{"30", "20", "0.05", "0.05", " 3320.6", " 32766", " 600", " 19659600", " 1"};
    const ImpostazioniStudio imp{QStringLiteral("07/12/2026"), QStringLiteral(".")};
    banco::misura("testo dello studio di 32766 righe", 40000, 21, [&] { (void)TestoStudio(ts, m, imp); });

    QTemporaryDir cartella;
    QDir(cartella.path()).mkdir(QStringLiteral("Studi"));
    banco::misura("salvataggio dello studio di 32766 righe", 60000, 21,
                  [&] { SalvaStudio(cartella.path(), ts, m, imp); });
    return 0;
}
