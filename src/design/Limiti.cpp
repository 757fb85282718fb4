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

void DidascalieLimiti::imposta(Risultato r, const QString &testo)
{
    const bool regola = r == Risultato::NumeroStrati || r == Risultato::SpireTotali || r == Risultato::Centro;
    testi[static_cast<int>(r)] = regola && testo.contains(u'-') ? QStringLiteral("0") : testo;
}

QString ResistenzaNonDisponibile()
{
    return QStringLiteral("n.d.");
}

QString MessaggioResistenzaIgnota(const QString &diametro, const QString &causa)
{
    return QStringLiteral("La resistenza per metro del filo %1 non si legge dal catalogo.\n%2\n\n"
                          "Finché il catalogo non torna leggibile la resistenza massima è indicata come «%3» "
                          "e lo studio non si può salvare. Ripristinare il file Database/Diametri.db "
                          "(per esempio reinstallando il programma): il programma lo rilegge da sé alla "
                          "prossima modifica dei dati.")
        .arg(diametro, causa, ResistenzaNonDisponibile());
}

EsitoLimiti RecalcoloLimiti(const TestiLimiti &t, const EsitoRicerca &ricerca, StatoProgetto &s, DidascalieLimiti &d)
{
    // Before the steps, so that a run stopped early cannot leave the previous wire's
    // resistance per metre in force for the next one.
    if (ricerca.stato == EsitoRicerca::Stato::Trovata) {
        s.ResistenzaMetro = ricerca.valore;
        s.ResistenzaMetroIgnota = false;
    } else if (ricerca.stato == EsitoRicerca::Stato::Fallita) {
        s.ResistenzaMetroIgnota = true;
    }

    int passo = 1;
    try {
        // 1. The enabling always reflects the current texts, even when a later step fails.
        d.calcola = CalcolaAbilitato(t);
        passo = 2;
        s.DimensioneB = Val(t.b);
        passo = 3;
        s.Altezza = intero16(Val(t.altezza));
        passo = 4;
        s.DiametroFilo = Val(t.diametro);
        const double diametro = s.DiametroFilo;
        passo = 5;
        s.SpirePerStrato = fix(quoziente(s.Altezza, diametro));
        passo = 6;
        d.imposta(Risultato::SpireStrato, FormatoStr(s.SpirePerStrato));
        // 7-9. The 2 mm margin comes off B before the layers are counted.
        passo = 7;
        const double strati = fix(quoziente(differenza(s.DimensioneB, 2), diametro));
        s.StratiMax = intero16(strati);
        passo = 8;
        d.imposta(Risultato::NumeroStrati, FormatoStr(strati));
        passo = 9;
        d.imposta(Risultato::SpireTotali, FormatoStr(avvolgimento::SpireTotali(strati, s.SpirePerStrato)));
        passo = 10;
        s.DiametroD1 = Val(t.d1);
        passo = 11;
        d.imposta(Risultato::Ltot, FormatoStr(somma(Val(t.d1), somma(s.DimensioneB, s.DimensioneB))));
        const double n = s.StratiMax;
        passo = 12;
        s.RaggioInterno = avvolgimento::RaggioInterno(s.DiametroD1);
        passo = 13;
        s.RaggioEsterno = avvolgimento::RaggioEsterno(n, diametro, s.DiametroD1);
        passo = 14;
        s.RaggioMedio = avvolgimento::RaggioMedio(s.RaggioEsterno, s.RaggioInterno);
        passo = 15;
        const double induttanza =
            avvolgimento::Wheeler(s.RaggioMedio, avvolgimento::SpireAlQuadrato(n, s.SpirePerStrato),
                                  avvolgimento::AltezzaPer9(s.Altezza), n, diametro);
        d.imposta(Risultato::Ind, FormatoStr(Valuta::da(induttanza)));
        passo = 16;
        if (s.ResistenzaMetroIgnota) {
            // Never a resistance worked out with another wire's resistance per metre.
            d.imposta(Risultato::Centro, ResistenzaNonDisponibile());
            throw ErroreRuntime(ErroreRuntime::Tipo::Dati,
                                ricerca.stato == EsitoRicerca::Stato::Fallita
                                    ? ricerca.errore
                                    : QStringLiteral("la resistenza per metro del filo non è nota"));
        }
        passo = 17;
        const double lunghezza = avvolgimento::Filo(n, diametro, s.DiametroD1, s.SpirePerStrato);
        d.imposta(Risultato::Centro, FormatoStr(avvolgimento::Resistenza(lunghezza, Val(s.ResistenzaMetro))));
    } catch (const ErroreRuntime &e) {
        return EsitoLimiti{passo, e};
    }
    return {};
}

} // namespace windara
