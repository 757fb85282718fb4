#include "table/Tabella.h"

#include "design/Avvolgimento.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"

namespace windara {

using namespace avvolgimento;

QString TestoGenerale(double v, const QString &separatore)
{
    const Decimale15 d = Decimale15::da(v);
    const QString c = cifre(d, FormaTesto{separatore, true});
    return negativo(d) ? u'-' + c : c;
}

QString TestoFisso(const Valuta &v, const QString &separatore)
{
    const QString c = cifre(v, FormaTesto{separatore, true});
    return negativo(v) ? u'-' + c : c;
}

namespace {

void cella(GrigliaFlex &g, int colonna, int riga, const QString &testo, bool allinea)
{
    g.setCol(colonna);
    g.setRow(riga);
    g.setText(testo);
    if (allinea)
        g.setCellAlignment(AllineamentoCentroAlto);
}

} // namespace

void CompilaTabella(StatoProgetto &s, GrigliaFlex &g, const QString &sep)
{
    // A row count below one would leave no row for the headers: keep the header row.
    const int righe = s.StratiMax < 1 ? 1 : s.StratiMax + 1;
    if (righe > 32767)
        throw ErroreRuntime::overflow();
    g.setRows(righe);

    auto riga = [&](double n) { return static_cast<int>(n); };

    cella(g, 0, 0, QStringLiteral("N° Strati"), false);
    PerOgniStrato(s, [&](double n) { cella(g, 0, riga(n), QString::number(riga(n)), true); });

    cella(g, 1, 0, QStringLiteral("N° Spire"), false);
    PerOgniStrato(s,
                  [&](double n) { cella(g, 1, riga(n), TestoGenerale(SpireTotali(n, s.SpirePerStrato), sep), true); });

    cella(g, 2, 0, QStringLiteral("A1"), true);
    PerOgniStrato(s, [&](double n) {
        cella(g, 2, riga(n), TestoGenerale(RaggioEsterno(n, s.DiametroFilo, s.DiametroD1), sep), true);
    });

    g.setColWidth(3, LarghezzaColonnaTwips);
    cella(g, 3, 0, QStringLiteral("Filo necessario (m)"), false);
    PerOgniStrato(s, [&](double n) {
        cella(g, 3, riga(n), TestoGenerale(Filo(n, s.DiametroFilo, s.DiametroD1, s.SpirePerStrato), sep), true);
    });

    cella(g, 4, 0, QStringLiteral("Induttanza (mH)"), true);
    g.setColWidth(4, LarghezzaColonnaTwips);
    PerOgniStrato(s,
                  [&](double n) { cella(g, 4, riga(n), TestoFisso(Valuta::da(InduttanzaStrato(n, s)), sep), true); });

    cella(g, 5, 0, QStringLiteral("R teorica (Ohm)"), true);
    g.setColWidth(5, LarghezzaColonnaTwips);
    const double r = Val(s.ResistenzaMetro);
    PerOgniStrato(s, [&](double n) {
        // Another wire's resistance per metre would give a plausible, wrong column.
        cella(g, 5, riga(n),
              s.ResistenzaMetroIgnota
                  ? ResistenzaNonDisponibile()
                  : TestoFisso(Resistenza(Filo(n, s.DiametroFilo, s.DiametroD1, s.SpirePerStrato), r), sep),
              true);
    });
}

} // namespace windara
