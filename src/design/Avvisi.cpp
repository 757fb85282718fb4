#include "design/Avvisi.h"

#include "design/Errori.h"

#include <QStringList>

namespace windara {

namespace {

// A length as the user reads it: plain digits, '.' as the point, no blank in front.
QString mm(double v)
{
    return QString::number(v, 'g', 15) + QStringLiteral(" mm");
}

QString frase(QString testo)
{
    if (!testo.isEmpty())
        testo[0] = testo[0].toUpper();
    return testo;
}

// The field each step writes, for a value that cannot be written there.
QString campoDelPasso(int passo)
{
    if (passo <= 6)
        return QStringLiteral("spire per strato");
    if (passo <= 9)
        return QStringLiteral("spire totali");
    if (passo <= 11)
        return QStringLiteral("dimensione L");
    if (passo <= 14)
        return QStringLiteral("raggio dell'avvolgimento");
    if (passo == 15)
        return QStringLiteral("induttanza massima");
    return QStringLiteral("resistenza massima");
}

} // namespace

QString CausaArresto(const EsitoLimiti &esito, const StatoProgetto &s)
{
    if (esito.completo() || esito.passo == 16)
        return {};
    switch (esito.passo) {
    case 3:
        return QStringLiteral("l'altezza H, arrotondata al millimetro, supera ±32767 mm");
    case 5:
        if (s.DiametroFilo == 0)
            return QStringLiteral("il diametro del filo si legge come 0");
        break;
    case 7:
        if (s.DimensioneB > 2 && s.DiametroFilo > 0)
            return QStringLiteral("con il filo da %1 la dimensione B (%2) dà più di 32767 strati")
                .arg(mm(s.DiametroFilo), mm(s.DimensioneB));
        if (s.DimensioneB < 2 && s.DiametroFilo > 0)
            return QStringLiteral("la dimensione B (%1) è negativa oltre il limite del calcolo (-32768 strati)")
                .arg(mm(s.DimensioneB));
        break;
    default:
        break;
    }
    const bool troppo = !esito.errore || esito.errore->tipo() == ErroreRuntime::Tipo::Overflow;
    if (troppo)
        return QStringLiteral("il valore di %1 è troppo grande per essere scritto").arg(campoDelPasso(esito.passo));
    return QStringLiteral("il valore di %1 non si può calcolare (%2)")
        .arg(campoDelPasso(esito.passo), esito.errore->testo().toLower());
}

QString CausaSenzaAvvolgimento(const StatoProgetto &s)
{
    if (s.StratiMax <= 0)
        return QStringLiteral(
                   "il rocchetto non prende nessuno strato completo: B (%1) è minore di 2 mm più il diametro "
                   "del filo (%2)")
            .arg(mm(s.DimensioneB), mm(s.DiametroFilo));
    if (s.SpirePerStrato <= 0)
        return QStringLiteral("il rocchetto non prende nessuna spira completa per strato: H (%1) è minore del diametro "
                              "del filo (%2)")
            .arg(mm(s.Altezza), mm(s.DiametroFilo));
    if (s.DiametroD1 < 0)
        return QStringLiteral("la dimensione D1 (%1) è negativa").arg(mm(s.DiametroD1));
    return {};
}

QString AvvisoLimiti(const TestiLimiti &t, const EsitoLimiti &esito, const StatoProgetto &s)
{
    const QString arresto = CausaArresto(esito, s);
    if (!arresto.isEmpty())
        return QStringLiteral("Le cifre indicate non sono quelle dei valori digitati: %1.").arg(arresto);
    QStringList frasi;
    if (esito.passo == 16)
        frasi << QStringLiteral("La resistenza massima non è disponibile: la resistenza per metro del filo non si "
                                "legge dal catalogo.");
    // Not while the user is still filling the inputs: an empty one reads as 0.
    const QString vuoto = CalcolaAbilitato(t) ? CausaSenzaAvvolgimento(s) : QString();
    if (!vuoto.isEmpty())
        frasi
            << QStringLiteral("%1: induttanza e resistenza indicate non sono di alcun avvolgimento.").arg(frase(vuoto));
    return frasi.join(u' ');
}

QString AvvisoTabella(const QString &arresto, const StatoProgetto &s)
{
    if (!arresto.isEmpty())
        return QStringLiteral("La tabella non è dei valori digitati e lo studio non si può salvare: %1.").arg(arresto);
    const QString vuoto = CausaSenzaAvvolgimento(s);
    if (!vuoto.isEmpty())
        return QStringLiteral("Nessun avvolgimento, lo studio non si può salvare: %1.").arg(vuoto);
    return {};
}

QString RifiutoStudio(const QString &arresto, const StatoProgetto &s)
{
    if (!arresto.isEmpty())
        return QStringLiteral("Impossibile salvare lo studio: la tabella non è quella dei valori digitati (%1), e "
                              "uno studio la cui intestazione non corrisponde alle righe sarebbe un dato falso. "
                              "Correggere il dato nella finestra principale, premere di nuovo Calcola e salvare.")
            .arg(arresto);
    const QString vuoto = CausaSenzaAvvolgimento(s);
    if (!vuoto.isEmpty())
        return QStringLiteral("Impossibile salvare lo studio: %1, e lo studio non descriverebbe alcun avvolgimento. "
                              "Cambiare le dimensioni o il filo nella finestra principale, premere di nuovo Calcola e "
                              "salvare.")
            .arg(vuoto);
    return {};
}

} // namespace windara
