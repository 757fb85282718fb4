#pragma once

#include "design/Aritmetica.h"
#include "design/Decimale.h"
#include "design/Module1.h"

#include <cstdint>

// The winding formulas of the rules, written once: the live limits, the inductance table
// and the study report all call these. Each formula keeps the order of operations the
// rules give, so every caller gets the same bits; every operation is checked and raises
// ErroreRuntime as a floating-point fault would. The formulas of a row are inline: the table
// and the report run them 32,766 times over, and a call cost more than the formula.
namespace windara::avvolgimento {

// D1 / 2, mm.
inline double RaggioInterno(double d1)
{
    return aritmetica::quoziente(d1, 2);
}
// n layers of a wire of diameter d on a core D1: n x d + D1 / 2, mm.
inline double RaggioEsterno(double strati, double d, double d1)
{
    using namespace aritmetica;
    return somma(prodotto(strati, d), quoziente(d1, 2));
}
// (outer + inner) / 2 / 10: the mean radius in cm, Wheeler's a.
inline double RaggioMedio(double raggioEsterno, double raggioInterno)
{
    using namespace aritmetica;
    return quoziente(quoziente(somma(raggioEsterno, raggioInterno), 2), 10);
}
// n x S, the turns of n layers.
inline double SpireTotali(double strati, double spirePerStrato)
{
    return aritmetica::prodotto(strati, spirePerStrato);
}
// (n x S)^2, the square of the turns.
inline double SpireAlQuadrato(double strati, double spirePerStrato)
{
    return aritmetica::quadrato(SpireTotali(strati, spirePerStrato));
}
// H / 10 x 9: the 9b term of Wheeler's formula, with H in mm.
inline double AltezzaPer9(double altezza)
{
    using namespace aritmetica;
    return prodotto(quoziente(altezza, 10), 9);
}

// Wheeler's multilayer formula L = 0.315 a^2 N^2 / (6a + 9b + 10c) microhenry, given in
// millihenry: a the mean radius in cm, N^2 the square of the turns, 9b from AltezzaPer9,
// 10c = strati x d with d in mm.
inline double Wheeler(double raggioMedio, double spireAlQuadrato, double altezzaPer9, double strati, double d)
{
    using namespace aritmetica;
    const double numeratore = prodotto(quadrato(raggioMedio), prodotto(spireAlQuadrato, 0.315));
    const double denominatore = somma(somma(altezzaPer9, prodotto(strati, d)), prodotto(raggioMedio, 6));
    return quoziente(quoziente(numeratore, denominatore), 1000);
}

// The wire of n layers of S turns, in metres, every turn counted at the outer diameter
// D1 + 2 n d of the whole winding with pi taken as 6.28 / 2.
inline double Filo(double strati, double d, double d1, double spirePerStrato)
{
    using namespace aritmetica;
    double t = prodotto(d, 2);
    t = prodotto(t, strati);
    t = somma(t, d1);
    t = prodotto(t, 6.28);
    t = quoziente(t, 2);
    t = prodotto(t, spirePerStrato);
    t = prodotto(t, strati);
    return quoziente(t, 1000);
}

// The resistance of a length of wire: the exact product of the two 15-digit decimals,
// to four decimals.
Valuta Resistenza(double filo, double resistenzaMetro);

// The row loop of the table and the report: Indice counts from 1 up to the value StratiMax
// has when the loop starts (no row below 1), and each row gets n as a double. The 16-bit
// counter stops after its last row rather than stepping past 32767.
template <class Riga>
void PerOgniStrato(StatoProgetto &s, Riga &&riga)
{
    const std::int16_t limite = s.StratiMax;
    s.Indice = 1;
    if (limite < 1) {
        return;
    }
    for (;;) {
        riga(static_cast<double>(s.Indice));
        if (s.Indice == limite) {
            if (limite < 32767) {
                ++s.Indice;
            }
            return;
        }
        ++s.Indice;
    }
}

// The inductance of row n of the table and the report: writes the per-row scratch fields
// of the design state (inner, outer and mean radius, turns squared, 9b), then gives
// Wheeler's value in mH.
inline double InduttanzaStrato(double n, StatoProgetto &s)
{
    s.RaggioInterno = RaggioInterno(s.DiametroD1);
    s.RaggioEsterno = RaggioEsterno(n, s.DiametroFilo, s.DiametroD1);
    s.RaggioMedio = RaggioMedio(s.RaggioEsterno, s.RaggioInterno);
    s.SpireAlQuadrato = SpireAlQuadrato(n, s.SpirePerStrato);
    s.AltezzaPer9 = AltezzaPer9(s.Altezza);
    return Wheeler(s.RaggioMedio, s.SpireAlQuadrato, s.AltezzaPer9, n, s.DiametroFilo);
}

} // namespace windara::avvolgimento
