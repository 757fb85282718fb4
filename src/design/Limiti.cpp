#include "design/Limiti.h"

#include "design/Aritmetica.h"
#include "design/Avvolgimento.h"
#include "design/Decimale.h"
#include "design/FormatoStr.h"
#include "design/Val.h"

namespace windara {

using namespace aritmetica;

bool CalcolaAbilitato(const TestiLimiti &t)
{
    return !t.altezza.isEmpty() && !t.b.isEmpty() && !t.sceltaDiametro.isEmpty() && !t.d1.isEmpty();
}

bool HaRegolaValoriNegativi(Risultato r)
{
    return r == Risultato::NumeroStrati || r == Risultato::SpireTotali || r == Risultato::Centro;
}

QString RegolaValoriNegativi(const QString &didascalia)
{
    return didascalia.contains(u'-') ? QStringLiteral("0") : didascalia;
}

void DidascalieLimiti::ImpostaDidascalia(Risultato r, const QString &testo)
{
    testi[static_cast<int>(r)] = HaRegolaValoriNegativi(r) ? RegolaValoriNegativi(testo) : testo;
}

void RecalcoloLimiti(const TestiLimiti &t, StatoProgetto &s, VistaLimiti &v)
{
    // 1. The enabling always reflects the current texts, even when a later step fails.
    v.AggiornaComandoCalcola(CalcolaAbilitato(t));
    // 2-4.
    s.DimensioneB = Val(t.b);
    s.Altezza = intero16(Val(t.altezza));
    s.DiametroFilo = Val(t.diametro);
    const double d = s.DiametroFilo;
    // 5-6.
    s.SpirePerStrato = fix(quoziente(s.Altezza, d));
    v.ImpostaDidascalia(Risultato::SpireStrato, FormatoStr(s.SpirePerStrato));
    // 7-9. The 2 mm margin comes off B before the layers are counted.
    const double strati = fix(quoziente(differenza(s.DimensioneB, 2), d));
    s.StratiMax = intero16(strati);
    v.ImpostaDidascalia(Risultato::NumeroStrati, FormatoStr(strati));
    v.ImpostaDidascalia(Risultato::SpireTotali, FormatoStr(avvolgimento::SpireTotali(strati, s.SpirePerStrato)));
    // 10-11.
    s.DiametroD1 = Val(t.d1);
    v.ImpostaDidascalia(Risultato::Ltot, FormatoStr(somma(Val(t.d1), somma(s.DimensioneB, s.DimensioneB))));
    // 12-14.
    const double n = s.StratiMax;
    s.RaggioInterno = avvolgimento::RaggioInterno(s.DiametroD1);
    s.RaggioEsterno = avvolgimento::RaggioEsterno(n, d, s.DiametroD1);
    s.RaggioMedio = avvolgimento::RaggioMedio(s.RaggioEsterno, s.RaggioInterno);
    // 15.
    const double induttanza = avvolgimento::Wheeler(s.RaggioMedio, avvolgimento::SpireAlQuadrato(n, s.SpirePerStrato),
                                                    avvolgimento::AltezzaPer9(s.Altezza), n, d);
    v.ImpostaDidascalia(Risultato::Ind, FormatoStr(Valuta::da(induttanza)));
    // 16.
    v.PrimaDellaResistenza();
    // 17.
    const double lunghezza = avvolgimento::Filo(n, d, s.DiametroD1, s.SpirePerStrato);
    v.ImpostaDidascalia(Risultato::Centro, FormatoStr(avvolgimento::Resistenza(lunghezza, Val(s.ResistenzaMetro))));
}

} // namespace windara
