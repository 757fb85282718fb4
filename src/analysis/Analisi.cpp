#include "analysis/Analisi.h"

#include "analysis/Dowell.h"
#include "design/Aritmetica.h"
#include "design/Avvolgimento.h"
#include "design/Errori.h"
#include "design/Val.h"

#include <QLocale>
#include <QStringList>

#include <atomic>
#include <cmath>
#include <thread>

namespace windara::analisi {

namespace {

constexpr int MassimoIntero = 1 << 24;

// A count of the rules (a whole double) as an int, with what cannot be one kept out of the
// sums: negative or not a number as 0, beyond 2^24 as just beyond (too large to compute).
int conteggio(double v)
{
    if (!(v > 0))
        return 0;
    return v > MassimoIntero ? MassimoIntero + 1 : int(v);
}

std::optional<double> finito(double v)
{
    if (std::isfinite(v))
        return v;
    return std::nullopt;
}

const QString MotivoResistenzaIgnota = QStringLiteral("La resistenza per metro del filo non si legge dal catalogo");

// What the analysis derives from the main window's design.
struct Progetto
{
    QString motivo;
    StatoProgetto stato;
    DidascalieLimiti didascalie;
    double altezzaDigitata = 0;                  // mm, H as typed
    double nominale = 0;                         // mm
    std::optional<double> ohmMetro, grammiMetro; // catalogue
    GeometriaAvvolgimento regole, reale;
    QString motivoRegole, motivoReale;
};

Progetto prepara(const DatiAnalisi &d)
{
    Progetto p;
    if (!CalcolaAbilitato(d.testi)) {
        p.motivo = QStringLiteral("Mancano dati nella finestra principale: servono H, B, D1 e il filo");
        return p;
    }
    // An unknown resistance per metre stops the rules at their last step only: every other
    // figure of theirs stands.
    const EsitoLimiti esito = RecalcoloLimiti(d.testi,
                                              d.resistenzaIgnota ? EsitoRicerca::fallita(MotivoResistenzaIgnota)
                                                                 : EsitoRicerca::trovata(d.resistenzaMetro),
                                              p.stato, p.didascalie);
    if (!esito.completo() && !(d.resistenzaIgnota && esito.passo == 16)) {
        p.motivo =
            QStringLiteral("Le regole non calcolano questo progetto (%1): correggi i dati nella finestra principale")
                .arg(esito.errore->testo());
        return p;
    }
    p.motivo = MotivoDimensioni(d.testi, p.stato);
    if (!p.motivo.isEmpty())
        return p;
    p.altezzaDigitata = Val(d.testi.altezza);
    const StatoProgetto &s = p.stato;
    p.nominale = ValoreCatalogo(d.filo.DiametroNominale).value_or(s.DiametroFilo);
    p.ohmMetro = ValoreCatalogo(d.filo.Resistenza);
    p.grammiMetro = ValoreCatalogo(d.filo.Peso);

    GeometriaAvvolgimento &r = p.regole;
    r.raggioNucleo = s.DiametroD1 / 2 * 1e-3;
    r.passo = r.diametroRame = s.DiametroFilo * 1e-3;
    r.spirePerStrato = conteggio(s.SpirePerStrato);
    r.strati = std::max<int>(0, s.StratiMax);
    p.motivoRegole = MotivoGeometria(r);

    const std::optional<double> esterno = ValoreCatalogo(d.filo.DiametroEsternoMax);
    if (!esterno) {
        p.motivoReale = QStringLiteral("Manca il diametro esterno del filo nel catalogo");
    } else if (*esterno < p.nominale) {
        p.motivoReale = QStringLiteral("Il diametro esterno del catalogo è minore del diametro nominale");
    } else {
        p.reale = RiempiRocchetto({p.altezzaDigitata, s.DimensioneB, s.DiametroD1}, *esterno, p.nominale, d.stile);
        p.motivoReale = MotivoGeometria(p.reale);
    }
    return p;
}

// Wheeler's formula of the rules for layers 1 .. k of a winding: mean radius from D1 and
// k radial pitches, (turns)^2, 9b from the length, 10c = k x radial pitch; mH.
std::optional<double> wheeler(const GeometriaAvvolgimento &g, int k, double altezza, double d1)
{
    try {
        using namespace avvolgimento;
        const double t = g.passoRadiale() * 1e3;
        const double medio = RaggioMedio(RaggioEsterno(k, t, d1), RaggioInterno(d1));
        const double n2 =
            g.stile == Stile::AStrati ? SpireAlQuadrato(k, g.spirePerStrato) : aritmetica::quadrato(g.spireFinoA(k));
        return finito(Wheeler(medio, n2, AltezzaPer9(altezza), k, t));
    } catch (const ErroreRuntime &) {
        return std::nullopt;
    }
}

std::optional<double> scarto(std::optional<double> valore, std::optional<double> esatta)
{
    if (!valore || !esatta || !(*esatta > 0))
        return std::nullopt;
    return finito((*valore - *esatta) / *esatta * 100);
}

Cifra cifra(std::optional<double> v, const QString &metodo, const QString &motivo = {})
{
    Cifra c;
    if (v && std::isfinite(*v))
        c.valore = v;
    c.metodo = metodo;
    if (!c.valore)
        c.motivo = motivo.isEmpty() ? QStringLiteral("Non calcolabile") : motivo;
    return c;
}

Cifra assente(const QString &motivo)
{
    return cifra(std::nullopt, {}, motivo);
}

const QString MotivoResistenza = QStringLiteral("Manca la resistenza per metro del filo nel catalogo");
const QString MotivoMassa = QStringLiteral("Manca il peso per metro del filo nel catalogo");
const QString Iec = QStringLiteral("IEC 60028: R(T) = R20 (1 + 0,00393 (T − 20))");
const QString Elica = QStringLiteral("Somma sugli strati della spira di ciascuno strato come elica, "
                                     "S_k √((2π r_k)² + p²), r_k = D1/2 + (k − ½) passo radiale");

// The columns computed from a winding: Stesse spire and Reale.
void colonnaEsatta(Riepilogo &r, Colonna c, const Progetto &p, const GeometriaAvvolgimento &g,
                   const QString &motivoGeometria, const RisultatoInduttanza &esatta,
                   std::optional<double> wheelerValore, const QString &metodoWheeler,
                   const std::array<QString, 3> &metodiSpire)
{
    const auto col = [&](Grandezza gr) -> Cifra & { return r.cifre[int(gr)][int(c)]; };
    if (!motivoGeometria.isEmpty()) {
        for (auto &riga : r.cifre)
            riga[int(c)] = assente(motivoGeometria);
        return;
    }
    col(Grandezza::SpirePerStrato) = cifra(g.spirePerStrato, metodiSpire[0]);
    col(Grandezza::Strati) = cifra(g.numeroStrati(), metodiSpire[1]);
    col(Grandezza::SpireTotali) = cifra(g.spireTotali(), metodiSpire[2]);
    const std::optional<double> mH = esatta.valido ? std::optional<double>(esatta.henry * 1e3) : std::nullopt;
    col(Grandezza::Induttanza) = cifra(mH, DescrizioneMetodo(esatta.metodo), esatta.motivo);
    col(Grandezza::ScartoWheeler) =
        c == Colonna::StesseSpire
            ? cifra(std::nullopt, QStringLiteral("È il riferimento dello scarto di Wheeler nella colonna Regole"),
                    QStringLiteral("riferimento"))
            : cifra(scarto(wheelerValore, mH), metodoWheeler,
                    mH ? QStringLiteral("La formula di Wheeler non si calcola per questo avvolgimento")
                       : esatta.motivo);
    const double lunghezza = LunghezzaFilo(g);
    col(Grandezza::LunghezzaFilo) = cifra(lunghezza, Elica);
    if (p.ohmMetro) {
        const double r20 = lunghezza * *p.ohmMetro;
        col(Grandezza::Resistenza20) = cifra(r20, QStringLiteral("Lunghezza per gli Ω/m del catalogo a 20 °C"));
        col(Grandezza::ResistenzaT) = TemperaturaValida(r.temperatura)
                                          ? cifra(ResistenzaATemperatura(r20, r.temperatura), Iec)
                                          : assente(MotivoTemperatura());
    } else {
        col(Grandezza::Resistenza20) = col(Grandezza::ResistenzaT) = assente(MotivoResistenza);
    }
    col(Grandezza::Massa) = p.grammiMetro
                                ? cifra(lunghezza * *p.grammiMetro, QStringLiteral("Lunghezza per i g/m del catalogo"))
                                : assente(MotivoMassa);
}

Avanzamento meta(const Avanzamento &a, double da)
{
    Avanzamento m;
    m.annulla = a.annulla;
    if (a.progresso)
        m.progresso = [&a, da](double f) { return a.progresso(da + 0.5 * f); };
    return m;
}

const GeometriaAvvolgimento &geometria(const Progetto &p, Colonna c, QString *motivo)
{
    *motivo = c == Colonna::Reale ? p.motivoReale : p.motivoRegole;
    return c == Colonna::Reale ? p.reale : p.regole;
}

double altezzaWheeler(const Progetto &p, Colonna c)
{
    return c == Colonna::Reale ? p.altezzaDigitata : double(p.stato.Altezza);
}

} // namespace

QString MotivoDimensioni(const TestiLimiti &testi, const StatoProgetto &s, bool filo)
{
    QStringList motivi;
    const auto misura = [&](const QString &nome, const QString &testo, double valore, bool femminile) {
        const QString come = QStringLiteral("%1 (%2 mm)").arg(nome, testo.trimmed());
        if (valore < 0)
            motivi << come + (femminile ? QStringLiteral(" è negativa") : QStringLiteral(" è negativo"));
        else if (valore == 0)
            motivi << come + QStringLiteral(" è zero");
        return valore > 0;
    };
    double h = 0;
    try {
        h = Val(testi.altezza);
    } catch (const ErroreRuntime &) {
    }
    if (misura(QStringLiteral("L'altezza H"), testi.altezza, h, true) && filo && h < s.DiametroFilo)
        motivi << QStringLiteral("L'altezza H (%1 mm) è minore del diametro del filo").arg(testi.altezza.trimmed());
    if (misura(QStringLiteral("Lo spazio B"), testi.b, s.DimensioneB, false) && filo &&
        s.DimensioneB - 2 < s.DiametroFilo)
        motivi << QStringLiteral("Nessuno strato: lo spazio B (%1 mm) non basta per un diametro di filo oltre i 2 mm "
                                 "liberi")
                      .arg(testi.b.trimmed());
    misura(QStringLiteral("Il diametro D1"), testi.d1, s.DiametroD1, false);
    if (motivi.isEmpty())
        return {};
    return motivi.join(QStringLiteral("; ")) + QStringLiteral(": correggi nella finestra principale");
}

bool TemperaturaValida(double temperatura)
{
    return std::isfinite(temperatura) && FattoreTemperatura(temperatura) > 0;
}

QString MotivoTemperatura()
{
    return QStringLiteral("Serve una temperatura valida: vedi il campo Temperatura");
}

QString TestoResistenzaA(double temperatura)
{
    return TemperaturaValida(temperatura)
               ? QStringLiteral("Resistenza a %1 °C (Ω)").arg(QLocale::c().toString(temperatura, 'g', 6))
               : QStringLiteral("Resistenza alla temperatura scelta (Ω)");
}

QString DescrizioneAvvolgimento(Stile stile, const FiloRame *filo, double temperatura, const QString &separatore)
{
    QStringList parti{stile == Stile::Ortociclico ? QStringLiteral("Avvolgimento ortociclico")
                                                  : QStringLiteral("Avvolgimento a strati")};
    const auto mm = [&](const QString &v) { return QString(v).trimmed().replace(u'.', separatore); };
    if (!filo)
        parti << QStringLiteral("ogni filo del catalogo");
    else if (filo->DiametroNominale.trimmed().isEmpty())
        parti << QStringLiteral("filo sconosciuto");
    else if (filo->DiametroEsternoMax.trimmed().isEmpty())
        parti << QStringLiteral("filo %1 mm").arg(mm(filo->DiametroNominale));
    else
        parti << QStringLiteral("filo %1 mm (esterno %2 mm)")
                     .arg(mm(filo->DiametroNominale), mm(filo->DiametroEsternoMax));
    parti << (TemperaturaValida(temperatura)
                  ? QStringLiteral("rame a %1 °C").arg(TestoNumero(temperatura, -1, separatore))
                  : QStringLiteral("rame a una temperatura non valida"));
    return parti.join(QStringLiteral(" · "));
}

std::optional<double> ValoreCatalogo(const QString &testo)
{
    if (testo.trimmed().isEmpty())
        return std::nullopt;
    try {
        const double v = Val(testo);
        if (v > 0 && std::isfinite(v))
            return v;
    } catch (const ErroreRuntime &) {
    }
    return std::nullopt;
}

QString NomeGrandezza(Grandezza g, double temperatura)
{
    switch (g) {
    case Grandezza::SpirePerStrato:
        return QStringLiteral("Spire per strato");
    case Grandezza::Strati:
        return QStringLiteral("Strati");
    case Grandezza::SpireTotali:
        return QStringLiteral("Spire totali");
    case Grandezza::Induttanza:
        return QStringLiteral("Induttanza (mH)");
    case Grandezza::ScartoWheeler:
        return QStringLiteral("Scarto di Wheeler dall'esatta (%)");
    case Grandezza::LunghezzaFilo:
        return QStringLiteral("Lunghezza del filo (m)");
    case Grandezza::Resistenza20:
        return QStringLiteral("Resistenza a 20 °C (Ω)");
    case Grandezza::ResistenzaT:
        if (!TemperaturaValida(temperatura))
            return QStringLiteral("Resistenza alla temperatura scelta (Ω)");
        // Apart from the row above even when the temperature is 20 °C.
        return QStringLiteral("Resistenza alla temperatura, %1 °C (Ω)").arg(QLocale::c().toString(temperatura, 'g', 6));
    case Grandezza::Massa:
        return QStringLiteral("Massa del rame (g)");
    }
    return {};
}

QString NomeColonna(Colonna c)
{
    switch (c) {
    case Colonna::Regole:
        return QStringLiteral("Regole");
    case Colonna::StesseSpire:
        return QStringLiteral("Stesse spire, esatta");
    case Colonna::Reale:
        return QStringLiteral("Avvolgimento reale");
    }
    return {};
}

QString TestoNumero(double v, int decimali, const QString &separatore)
{
    QString t;
    if (decimali >= 0) {
        t = QString::number(v, 'f', decimali);
    } else if (v == 0) {
        t = QStringLiteral("0");
    } else {
        const int esponente = int(std::floor(std::log10(std::abs(v))));
        if (esponente >= -5 && esponente < 15) {
            t = QString::number(v, 'f', std::max(0, 9 - esponente));
            if (t.contains(u'.')) {
                while (t.endsWith(u'0'))
                    t.chop(1);
                if (t.endsWith(u'.'))
                    t.chop(1);
            }
        } else {
            t = QString::number(v, 'e', 9);
        }
    }
    if (separatore != QStringLiteral("."))
        t.replace(u'.', separatore);
    return t;
}

QString TestoCifra(Grandezza g, const Cifra &c, const QString &separatore)
{
    if (!c.valore)
        return c.testo.isEmpty() ? c.motivo : c.testo;
    static constexpr int decimali[NumeroGrandezze] = {0, 0, 0, -1, 2, 3, 4, 4, 2};
    return TestoNumero(*c.valore, decimali[int(g)], separatore);
}

// The rules' column of a design they stop on or whose sizes are wrong: each caption the
// run wrote, as the main window shows it, and "n.d." for everything else.
void colonnaDidascalie(Riepilogo &r, const Progetto &p)
{
    const auto didascalia = [&](Grandezza g) -> std::optional<Risultato> {
        switch (g) {
        case Grandezza::SpirePerStrato:
            return Risultato::SpireStrato;
        case Grandezza::Strati:
            return Risultato::NumeroStrati;
        case Grandezza::SpireTotali:
            return Risultato::SpireTotali;
        case Grandezza::Induttanza:
            return Risultato::Ind;
        case Grandezza::Resistenza20:
            return Risultato::Centro;
        default:
            return std::nullopt;
        }
    };
    for (int g = 0; g < NumeroGrandezze; ++g) {
        Cifra &c = r.cifre[g][int(Colonna::Regole)];
        const std::optional<Risultato> ris = didascalia(Grandezza(g));
        // A caption the run did not reach keeps, in the main window, a value of another design.
        const QString testo = ris ? p.didascalie[*ris] : QString();
        c.testo = testo.trimmed().isEmpty() ? QStringLiteral("n.d.") : testo;
        if (!testo.trimmed().isEmpty())
            c.metodo = QStringLiteral("La didascalia della finestra principale");
    }
}

// Beyond the rules' captions no length, mass, resistance, count or inductance is negative.
void senzaNegativi(Riepilogo &r)
{
    for (int g = 0; g < NumeroGrandezze; ++g) {
        if (Grandezza(g) == Grandezza::ScartoWheeler)
            continue;
        for (Cifra &c : r.cifre[g])
            if (c.valore && *c.valore < 0)
                c = assente(QStringLiteral("Valore negativo: le dimensioni del rocchetto non lo consentono"));
    }
}

Riepilogo CalcolaRiepilogo(const DatiAnalisi &dati, const Avanzamento &avanzamento)
{
    Riepilogo r;
    r.temperatura = dati.temperatura;
    const Progetto p = prepara(dati);
    if (!p.motivo.isEmpty()) {
        r.motivo = p.motivo;
        for (auto &riga : r.cifre)
            for (Cifra &c : riga)
                c = assente(p.motivo);
        if (CalcolaAbilitato(dati.testi))
            colonnaDidascalie(r, p);
        return r;
    }
    r.regole = p.regole;
    r.reale = p.reale;
    r.altezza = p.altezzaDigitata;
    // The two windings are independent: on two threads when both are heavy enough to pay for
    // one (the worst 5,000-turn shapes take milliseconds each). Only this thread reports
    // progress; the other follows the cancellation, and stops when this one is stopped.
    std::atomic<bool> fermo{false};
    Avanzamento secondo;
    secondo.annulla = &fermo;
    secondo.progresso = [&](double) { return !(avanzamento.annulla && avanzamento.annulla->load()); };
    std::thread aiuto;
    const auto pesante = [](const GeometriaAvvolgimento &g) {
        return StimaValutazioni(g, MetodoAutomatico(g, true)) > 1e5;
    };
    if (p.motivoRegole.isEmpty() && p.motivoReale.isEmpty() && pesante(p.regole) && pesante(p.reale))
        aiuto = std::thread([&] { r.esattaReale = InduttanzaEsatta(p.reale, std::nullopt, secondo); });
    if (p.motivoRegole.isEmpty())
        r.esattaRegole = InduttanzaEsatta(p.regole, std::nullopt, meta(avanzamento, 0));
    if (aiuto.joinable()) {
        fermo = !r.esattaRegole.valido && p.motivoRegole.isEmpty();
        aiuto.join();
    } else if (p.motivoReale.isEmpty()) {
        r.esattaReale = InduttanzaEsatta(p.reale, std::nullopt, meta(avanzamento, 0.5));
    }

    // The rules' column: the main window's captions, and design/Avvolgimento for the rest.
    const StatoProgetto &s = p.stato;
    const auto didascalia = [&](Risultato ris) { return finito(Val(p.didascalie[ris])); };
    const auto col = [&](Grandezza g) -> Cifra & { return r.cifre[int(g)][int(Colonna::Regole)]; };
    const QString comeFinestra = QStringLiteral(" (come la finestra principale)");
    col(Grandezza::SpirePerStrato) =
        cifra(didascalia(Risultato::SpireStrato),
              QStringLiteral("Regole: Fix(H / d), H arrotondato al millimetro, d il diametro nominale") + comeFinestra);
    col(Grandezza::Strati) =
        cifra(didascalia(Risultato::NumeroStrati),
              QStringLiteral("Regole: Fix((B − 2) / d), 2 mm di B lasciati liberi") + comeFinestra);
    col(Grandezza::SpireTotali) =
        cifra(didascalia(Risultato::SpireTotali), QStringLiteral("Regole: strati × spire per strato") + comeFinestra);
    col(Grandezza::Induttanza) = cifra(didascalia(Risultato::Ind),
                                       QStringLiteral("Formula di Wheeler delle regole, L = 0,315 a² N² / (6a + 9b + "
                                                      "10c) µH, con le spire contate sul diametro nominale") +
                                           comeFinestra);
    std::optional<double> wheelerRegole;
    if (s.StratiMax >= 1) {
        StatoProgetto copia = s;
        try {
            wheelerRegole = finito(avvolgimento::InduttanzaStrato(s.StratiMax, copia));
        } catch (const ErroreRuntime &) {
        }
    }
    const std::optional<double> esattaRegole =
        r.esattaRegole.valido ? std::optional<double>(r.esattaRegole.henry * 1e3) : std::nullopt;
    col(Grandezza::ScartoWheeler) =
        cifra(scarto(wheelerRegole, esattaRegole),
              QStringLiteral("Il valore di Wheeler delle regole contro la somma esatta delle stesse spire"),
              p.motivoRegole.isEmpty() ? r.esattaRegole.motivo : p.motivoRegole);
    std::optional<double> filoRegole;
    try {
        filoRegole =
            finito(avvolgimento::Filo(std::max<int>(0, s.StratiMax), s.DiametroFilo, s.DiametroD1, s.SpirePerStrato));
    } catch (const ErroreRuntime &) {
    }
    col(Grandezza::LunghezzaFilo) = cifra(
        filoRegole, QStringLiteral("Regole: ogni spira al diametro esterno dell'intero avvolgimento, π come 3,14"));
    const std::optional<double> r20 = dati.resistenzaIgnota ? std::nullopt : didascalia(Risultato::Centro);
    col(Grandezza::Resistenza20) =
        dati.resistenzaIgnota
            ? assente(MotivoResistenzaIgnota)
            : cifra(r20, QStringLiteral("Regole: lunghezza delle regole per gli Ω/m del filo") + comeFinestra);
    col(Grandezza::ResistenzaT) =
        !TemperaturaValida(dati.temperatura)
            ? assente(MotivoTemperatura())
            : cifra(r20 ? finito(ResistenzaATemperatura(*r20, dati.temperatura)) : std::nullopt,
                    QStringLiteral("Resistenza delle regole portata alla temperatura, ") + Iec);
    col(Grandezza::Massa) =
        p.grammiMetro && filoRegole
            ? cifra(*filoRegole * *p.grammiMetro, QStringLiteral("Lunghezza delle regole per i g/m del catalogo"))
            : assente(p.grammiMetro ? QStringLiteral("Non calcolabile") : MotivoMassa);

    colonnaEsatta(r, Colonna::StesseSpire, p, p.regole, p.motivoRegole, r.esattaRegole, std::nullopt, {},
                  {QStringLiteral("Le spire delle regole, al passo del diametro nominale"),
                   QStringLiteral("Gli strati delle regole, a passo radiale uguale al diametro nominale"),
                   QStringLiteral("Strati × spire per strato")});
    const bool orto = dati.stile == Stile::Ortociclico;
    colonnaEsatta(
        r, Colonna::Reale, p, p.reale, p.motivoReale, r.esattaReale,
        p.motivoReale.isEmpty() ? wheeler(p.reale, p.reale.numeroStrati(), p.altezzaDigitata, s.DiametroD1)
                                : std::nullopt,
        QStringLiteral("Formula di Wheeler con le spire reali (H come lunghezza, strati × passo radiale come "
                       "spessore) contro l'esatta"),
        {orto ? QStringLiteral("Fix(H / diametro esterno), H come digitato; gli strati spostati di mezzo passo ne "
                               "tengono Fix((H − p/2) / p)")
              : QStringLiteral("Fix(H / diametro esterno), H come digitato"),
         orto ? QStringLiteral("Fix((B − 2) / passo radiale), passo radiale = diametro esterno × √3/2")
              : QStringLiteral("Fix((B − 2) / diametro esterno), 2 mm di B lasciati liberi"),
         QStringLiteral("Somma delle spire degli strati")});
    senzaNegativi(r);
    return r;
}

AvvolgimentoAc AvvolgimentoAcReale(const Riepilogo &r)
{
    AvvolgimentoAc a;
    a.temperatura = r.temperatura;
    if (!r.esattaReale.valido)
        return a;
    a.diametroRame = r.reale.diametroRame;
    a.passo = r.reale.passo;
    a.strati = r.reale.numeroStrati();
    a.resistenzaCc = r(Grandezza::ResistenzaT, Colonna::Reale).valore.value_or(0);
    a.induttanza = r.esattaReale.henry;
    return a;
}

TabellaStrati CalcolaTabellaStrati(const DatiAnalisi &dati, Colonna colonna, const Avanzamento &avanzamento,
                                   const std::function<void(const RigaStrato &)> &perRiga)
{
    TabellaStrati t;
    const Progetto p = prepara(dati);
    QString motivo = p.motivo;
    const GeometriaAvvolgimento &g = geometria(p, colonna == Colonna::Regole ? Colonna::StesseSpire : colonna, &motivo);
    if (!p.motivo.isEmpty())
        motivo = p.motivo;
    if (!motivo.isEmpty()) {
        t.motivo = motivo;
        return t;
    }
    const double altezza = altezzaWheeler(p, colonna);
    double filo = 0;
    const RisultatoInduttanza esatta = InduttanzaPerStrati(g, std::nullopt, avanzamento, [&](int k, double henry) {
        RigaStrato riga;
        riga.strato = k;
        riga.spire = g.spireStrato(k);
        riga.spireTotali = g.spireFinoA(k);
        riga.esatta = henry * 1e3;
        riga.wheeler = wheeler(g, k, altezza, p.stato.DiametroD1);
        riga.scarto = scarto(riga.wheeler, riga.esatta);
        filo += g.spireStrato(k) * std::hypot(2 * 3.14159265358979323846 * g.raggioStrato(k), g.passo);
        riga.filo = filo;
        if (p.ohmMetro && TemperaturaValida(dati.temperatura))
            riga.resistenzaT = ResistenzaATemperatura(filo * *p.ohmMetro, dati.temperatura);
        t.righe.push_back(riga);
        if (perRiga)
            perRiga(riga);
        return true;
    });
    t.metodo = esatta.metodo;
    t.completa = esatta.valido;
    if (!esatta.valido) {
        t.motivo = esatta.motivo;
        t.righe.clear();
    }
    return t;
}

QString TestoRiepilogo(const Riepilogo &r, const QString &separatore)
{
    QStringList righe;
    righe << QStringLiteral("Grandezza\t%1\t%2\t%3")
                 .arg(NomeColonna(Colonna::Regole), NomeColonna(Colonna::StesseSpire), NomeColonna(Colonna::Reale));
    for (int g = 0; g < NumeroGrandezze; ++g) {
        QStringList celle{NomeGrandezza(Grandezza(g), r.temperatura)};
        for (int c = 0; c < NumeroColonne; ++c) {
            const Cifra &cifra = r.cifre[g][c];
            celle << (cifra.valore ? TestoCifra(Grandezza(g), cifra, separatore) : cifra.testo);
        }
        righe << celle.join(u'\t');
    }
    return righe.join(u'\n') + u'\n';
}

QString TestoTabellaStrati(const TabellaStrati &t, double temperatura, const QString &separatore)
{
    QStringList righe;
    righe << QStringLiteral("Strato\tSpire dello strato\tSpire totali\tInduttanza esatta (mH)\tWheeler (mH)\t"
                            "Scarto di Wheeler (%)\tFilo (m)\t%1")
                 .arg(TestoResistenzaA(temperatura));
    for (const RigaStrato &r : t.righe)
        righe << CelleRigaStrato(r, separatore).join(u'\t');
    return righe.join(u'\n') + u'\n';
}

QStringList CelleRigaStrato(const RigaStrato &r, const QString &separatore)
{
    const auto opz = [&](std::optional<double> v, int decimali) {
        return v ? TestoNumero(*v, decimali, separatore) : QString();
    };
    return {QString::number(r.strato),
            QString::number(r.spire),
            TestoNumero(r.spireTotali, 0, separatore),
            TestoNumero(r.esatta, -1, separatore),
            opz(r.wheeler, -1),
            opz(r.scarto, 2),
            TestoNumero(r.filo, 3, separatore),
            opz(r.resistenzaT, 4)};
}

std::optional<double> LeggiNumero(const QString &testo, const QString &separatore)
{
    QString t = testo.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    if (!separatore.isEmpty() && separatore != QStringLiteral("."))
        t.replace(separatore, QStringLiteral("."));
    if (!t.contains(u'.'))
        t.replace(u',', u'.');
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

} // namespace windara::analisi
