#include "design/Avvolgimento.h"

#include "design/Aritmetica.h"

namespace windara::avvolgimento {

using namespace aritmetica;

double RaggioInterno(double d1)
{
    return quoziente(d1, 2);
}

double RaggioEsterno(double strati, double d, double d1)
{
    return somma(prodotto(strati, d), quoziente(d1, 2));
}

double RaggioMedio(double raggioEsterno, double raggioInterno)
{
    return quoziente(quoziente(somma(raggioEsterno, raggioInterno), 2), 10);
}

double SpireTotali(double strati, double spirePerStrato)
{
    return prodotto(strati, spirePerStrato);
}

double SpireAlQuadrato(double strati, double spirePerStrato)
{
    return quadrato(SpireTotali(strati, spirePerStrato));
}

double AltezzaPer9(double altezza)
{
    return prodotto(quoziente(altezza, 10), 9);
}

double Wheeler(double raggioMedio, double spireAlQuadrato, double altezzaPer9, double strati, double d)
{
    const double numeratore = prodotto(quadrato(raggioMedio), prodotto(spireAlQuadrato, 0.315));
    const double denominatore = somma(somma(altezzaPer9, prodotto(strati, d)), prodotto(raggioMedio, 6));
    return quoziente(quoziente(numeratore, denominatore), 1000);
}

double Filo(double strati, double d, double d1, double spirePerStrato)
{
    double t = prodotto(d, 2);
    t = prodotto(t, strati);
    t = somma(t, d1);
    t = prodotto(t, 6.28);
    t = quoziente(t, 2);
    t = prodotto(t, spirePerStrato);
    t = prodotto(t, strati);
    return quoziente(t, 1000);
}

Valuta Resistenza(double filo, double resistenzaMetro)
{
    return Valuta::prodotto(filo, resistenzaMetro);
}

double InduttanzaStrato(double n, StatoProgetto &s)
{
    s.RaggioInterno = RaggioInterno(s.DiametroD1);
    s.RaggioEsterno = RaggioEsterno(n, s.DiametroFilo, s.DiametroD1);
    s.RaggioMedio = RaggioMedio(s.RaggioEsterno, s.RaggioInterno);
    s.SpireAlQuadrato = SpireAlQuadrato(n, s.SpirePerStrato);
    s.AltezzaPer9 = AltezzaPer9(s.Altezza);
    return Wheeler(s.RaggioMedio, s.SpireAlQuadrato, s.AltezzaPer9, n, s.DiametroFilo);
}

} // namespace windara::avvolgimento
