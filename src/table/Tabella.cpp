#include "table/Tabella.h"

#include "design/Aritmetica.h"
#include "design/Val.h"

namespace windara {

using namespace aritmetica;

namespace strato {

double Spire(double n, const StatoProgetto &s)
{
    return prodotto(n, s.SpirePerStrato);
}

double RaggioA1(double n, const StatoProgetto &s)
{
    return somma(prodotto(n, s.DiametroFilo), quoziente(s.DiametroD1, 2));
}

double Filo(double n, const StatoProgetto &s)
{
    // The outer circumference of the n-layer winding, pi taken as 6.28 / 2, times the
    // n x S turns, in metres.
    double t = somma(s.DiametroFilo, s.DiametroFilo);
    t = prodotto(t, n);
    t = somma(t, s.DiametroD1);
    t = prodotto(t, 6.28);
    t = quoziente(t, 2);
    t = prodotto(t, s.SpirePerStrato);
    t = prodotto(t, n);
    return quoziente(t, 1000);
}

double Induttanza(double n, StatoProgetto &s)
{
    s.RaggioInterno = quoziente(s.DiametroD1, 2);
    s.RaggioEsterno = somma(prodotto(n, s.DiametroFilo), quoziente(s.DiametroD1, 2));
    s.RaggioMedio = quoziente(quoziente(somma(s.RaggioEsterno, s.RaggioInterno), 2), 10);
    s.SpireAlQuadrato = quadrato(prodotto(n, s.SpirePerStrato));
    s.AltezzaPer9 = prodotto(quoziente(s.Altezza, 10), 9);
    // Wheeler: 0.315 a^2 N^2 / (6a + 9b + 10c) microhenry, then millihenry.
    const double numeratore = prodotto(quadrato(s.RaggioMedio), prodotto(s.SpireAlQuadrato, 0.315));
    const double denominatore = somma(somma(prodotto(n, s.DiametroFilo), s.AltezzaPer9), prodotto(s.RaggioMedio, 6));
    return quoziente(quoziente(numeratore, denominatore), 1000);
}

Valuta Resistenza(double filo, double resistenzaMetro)
{
    return Valuta::prodotto(filo, resistenzaMetro);
}

} // namespace strato

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
    PerOgniStrato(s, [&](double n) { cella(g, 1, riga(n), TestoGenerale(strato::Spire(n, s), sep), true); });

    cella(g, 2, 0, QStringLiteral("A1"), true);
    PerOgniStrato(s, [&](double n) { cella(g, 2, riga(n), TestoGenerale(strato::RaggioA1(n, s), sep), true); });

    g.setColWidth(3, LarghezzaColonnaTwips);
    cella(g, 3, 0, QStringLiteral("Filo necessario (m)"), false);
    PerOgniStrato(s, [&](double n) { cella(g, 3, riga(n), TestoGenerale(strato::Filo(n, s), sep), true); });

    cella(g, 4, 0, QStringLiteral("Induttanza (mH)"), true);
    g.setColWidth(4, LarghezzaColonnaTwips);
    PerOgniStrato(s,
                  [&](double n) { cella(g, 4, riga(n), TestoFisso(Valuta::da(strato::Induttanza(n, s)), sep), true); });

    cella(g, 5, 0, QStringLiteral("R teorica (Ohm)"), true);
    g.setColWidth(5, LarghezzaColonnaTwips);
    const double r = Val(s.ResistenzaMetro);
    PerOgniStrato(
        s, [&](double n) { cella(g, 5, riga(n), TestoFisso(strato::Resistenza(strato::Filo(n, s), r), sep), true); });
}

} // namespace windara
