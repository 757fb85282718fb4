#include "analysis/Corrente.h"

#include "analysis/Dowell.h"

#include <QLocale>
#include <QStringList>

#include <cmath>

namespace windara::analisi {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Mu0 = 4e-7 * Pi;

QString gradi(double t)
{
    return QLocale::c().toString(t, 'g', 6) + QStringLiteral(" °C");
}

const QString OltreModello = QStringLiteral("Con questa corrente l'avvolgimento supererebbe %1: è oltre ciò che il "
                                            "modello termico copre");

// The surface in cm², as McLyman's fit takes it.
double superficieCm2(const AvvolgimentoCorrente &a)
{
    return SuperficieEsterna(a) * 1e4;
}

QString motivoTemperature(double ambiente)
{
    if (!std::isfinite(ambiente) || !(FattoreTemperatura(ambiente) > 0))
        return QStringLiteral("La temperatura ambiente deve essere un numero sopra -234 °C");
    if (!(ambiente < TemperaturaLimiteModello))
        return QStringLiteral("La temperatura ambiente deve essere sotto %1").arg(gradi(TemperaturaLimiteModello));
    return {};
}

PuntoCorrente punto(const AvvolgimentoCorrente &a, double corrente, double temperatura)
{
    PuntoCorrente p;
    p.corrente = corrente;
    p.temperatura = temperatura;
    p.resistenza = ResistenzaATemperatura(a.resistenza20, temperatura);
    p.potenza = corrente * corrente * p.resistenza;
    p.tensione = corrente * p.resistenza;
    p.densita = corrente / (Pi * a.diametroRame * a.diametroRame / 4) * 1e-6;
    p.amperspire = a.spire * corrente;
    p.campo = CampoCentro(a, corrente);
    if (a.induttanza > 0) {
        p.energia = a.induttanza * corrente * corrente / 2;
        p.costanteTempo = a.induttanza / p.resistenza;
    }
    return p;
}

RisultatoCorrente rifiuto(const QString &motivo)
{
    RisultatoCorrente r;
    r.motivo = motivo;
    return r;
}

} // namespace

AvvolgimentoCorrente AvvolgimentoCorrenteReale(const Riepilogo &r, QString *motivo)
{
    AvvolgimentoCorrente a;
    const Cifra &r20 = r(Grandezza::Resistenza20, Colonna::Reale);
    const Cifra &spire = r(Grandezza::SpireTotali, Colonna::Reale);
    if (!r.motivo.isEmpty()) {
        *motivo = r.motivo;
        return a;
    }
    if (!spire.valore) {
        *motivo = spire.motivo;
        return a;
    }
    if (!r20.valore) {
        *motivo = r20.motivo;
        return a;
    }
    const GeometriaAvvolgimento &g = r.reale;
    a.resistenza20 = *r20.valore;
    a.spire = *spire.valore;
    a.diametroRame = g.diametroRame;
    a.raggioInterno = g.raggioNucleo;
    a.raggioEsterno = g.raggioStrato(g.numeroStrati()) + g.passo / 2;
    a.altezza = r.altezza * 1e-3;
    if (r.esattaReale.valido && r.esattaReale.henry > 0)
        a.induttanza = r.esattaReale.henry;
    else
        a.motivoInduttanza =
            r.esattaReale.motivo.isEmpty() ? QStringLiteral("Manca l'induttanza esatta") : r.esattaReale.motivo;
    *motivo = MotivoAvvolgimentoCorrente(a);
    return a;
}

QString MotivoAvvolgimentoCorrente(const AvvolgimentoCorrente &a)
{
    const auto positivo = [](double v) { return v > 0 && std::isfinite(v); };
    if (!positivo(a.resistenza20))
        return QStringLiteral("Manca la resistenza dell'avvolgimento");
    if (!positivo(a.spire) || !positivo(a.diametroRame))
        return QStringLiteral("L'avvolgimento non ha spire");
    if (!positivo(a.raggioInterno) || !positivo(a.altezza) || !(a.raggioEsterno > a.raggioInterno) ||
        !std::isfinite(a.raggioEsterno))
        return QStringLiteral("Le misure dell'avvolgimento non si prestano al calcolo");
    return {};
}

double SuperficieEsterna(const AvvolgimentoCorrente &a)
{
    const double esterno = 2 * a.raggioEsterno, nucleo = 2 * a.raggioInterno;
    return Pi * esterno * a.altezza + 2 * (Pi / 4) * (esterno * esterno - nucleo * nucleo);
}

double CampoCentro(const AvvolgimentoCorrente &a, double corrente)
{
    const double r1 = a.raggioInterno, r2 = a.raggioEsterno, h = a.altezza / 2;
    const double ni = Mu0 * a.spire * corrente;
    // A winding one wire thick: the limit of the ratio, the field of a thin solenoid.
    if (!(r2 - r1 > 1e-9 * r2))
        return ni / (2 * std::hypot(r2, h));
    return ni / (2 * (r2 - r1)) * std::log((r2 + std::hypot(r2, h)) / (r1 + std::hypot(r1, h)));
}

std::optional<double> TemperaturaAllaCorrente(const AvvolgimentoCorrente &a, double corrente, double ambiente)
{
    if (!MotivoAvvolgimentoCorrente(a).isEmpty() || !motivoTemperature(ambiente).isEmpty() ||
        !std::isfinite(corrente) || corrente < 0)
        return std::nullopt;
    if (corrente == 0)
        return ambiente;
    // Watts per cm² at 20 C; the rise at T is 450 (k F(T))^0.826.
    const double k = corrente * corrente * a.resistenza20 / superficieCm2(a);
    const auto eccesso = [&](double t) {
        return ambiente + CoefficienteRiscaldamento * std::pow(k * FattoreTemperatura(t), EsponenteRiscaldamento) - t;
    };
    // The excess is concave and not negative at the ambient: one sign change at most, and
    // when it is still positive at the model's limit the root lies beyond it (the rounding
    // of a current worked out for the limit itself let through).
    double basso = ambiente, alto = TemperaturaLimiteModello;
    if (!std::isfinite(k) || !(eccesso(alto) <= 1e-9))
        return std::nullopt;
    for (int i = 0; i < 200 && alto - basso > 1e-12 * std::max(1.0, std::abs(alto)); ++i) {
        const double medio = (basso + alto) / 2;
        (eccesso(medio) > 0 ? basso : alto) = medio;
    }
    return std::min((basso + alto) / 2, TemperaturaLimiteModello);
}

RisultatoCorrente AllaCorrente(const AvvolgimentoCorrente &a, double corrente, double ambiente)
{
    if (const QString m = MotivoAvvolgimentoCorrente(a); !m.isEmpty())
        return rifiuto(m);
    if (const QString m = motivoTemperature(ambiente); !m.isEmpty())
        return rifiuto(m);
    if (!std::isfinite(corrente) || corrente < 0)
        return rifiuto(QStringLiteral("La corrente deve essere un numero non negativo"));
    const std::optional<double> t = TemperaturaAllaCorrente(a, corrente, ambiente);
    if (!t)
        return rifiuto(OltreModello.arg(gradi(TemperaturaLimiteModello)));
    RisultatoCorrente r;
    r.valido = true;
    r.punto = punto(a, corrente, *t);
    return r;
}

RisultatoCorrente CorrenteMassima(const AvvolgimentoCorrente &a, double massima, double ambiente)
{
    if (const QString m = MotivoAvvolgimentoCorrente(a); !m.isEmpty())
        return rifiuto(m);
    if (const QString m = motivoTemperature(ambiente); !m.isEmpty())
        return rifiuto(m);
    if (!std::isfinite(massima) || massima > TemperaturaLimiteModello)
        return rifiuto(QStringLiteral("La temperatura massima deve essere al più %1: oltre, il modello termico non "
                                      "vale")
                           .arg(gradi(TemperaturaLimiteModello)));
    if (!(massima > ambiente))
        return rifiuto(QStringLiteral("La temperatura massima deve superare la temperatura ambiente"));
    const double potenza =
        superficieCm2(a) * std::pow((massima - ambiente) / CoefficienteRiscaldamento, 1 / EsponenteRiscaldamento);
    const double corrente = std::sqrt(potenza / ResistenzaATemperatura(a.resistenza20, massima));
    if (!std::isfinite(corrente))
        return rifiuto(QStringLiteral("Non calcolabile"));
    RisultatoCorrente r;
    r.valido = true;
    r.punto = punto(a, corrente, massima);
    return r;
}

AnalisiCorrente AnalizzaCorrente(const AvvolgimentoCorrente &a, double corrente, double ambiente, double massima,
                                 int punti)
{
    AnalisiCorrente r;
    r.motivo = MotivoAvvolgimentoCorrente(a);
    if (r.motivo.isEmpty())
        r.motivo = motivoTemperature(ambiente);
    if (!r.motivo.isEmpty())
        return r;
    r.data = AllaCorrente(a, corrente, ambiente);
    r.massima = CorrenteMassima(a, massima, ambiente);
    if (r.data.valido && r.massima.valido && r.data.punto.temperatura > massima) {
        r.oltreMassima = true;
        r.avviso = QStringLiteral("Con questa corrente l'avvolgimento supera la temperatura massima di %1: la "
                                  "corrente più alta è quella della colonna a destra")
                       .arg(gradi(massima));
    } else if (!r.data.valido && std::isfinite(corrente) && corrente > 0) {
        r.oltreMassima = true;
        r.avviso = r.data.motivo;
    }
    // The chart runs to the highest current, or on to the given one while the model holds.
    double fino = r.massima.valido ? r.massima.punto.corrente : 0;
    if (r.data.valido)
        fino = std::max(fino, r.data.punto.corrente);
    else if (r.oltreMassima) {
        const RisultatoCorrente limite = CorrenteMassima(a, TemperaturaLimiteModello, ambiente);
        if (limite.valido)
            fino = std::max(fino, std::min(corrente, limite.punto.corrente));
    }
    if (fino > 0 && punti >= 2) {
        r.curva.reserve(std::size_t(punti));
        for (int i = 0; i < punti; ++i) {
            // The last point exactly at the end: at the limit of the model the root is 250 C.
            const double c = i == punti - 1 ? fino : fino * i / (punti - 1);
            if (const std::optional<double> t = TemperaturaAllaCorrente(a, c, ambiente))
                r.curva.push_back(punto(a, c, *t));
        }
    }
    return r;
}

QString NomeGrandezzaCorrente(GrandezzaCorrente g)
{
    switch (g) {
    case GrandezzaCorrente::Corrente:
        return QStringLiteral("Corrente");
    case GrandezzaCorrente::Temperatura:
        return QStringLiteral("Temperatura dell'avvolgimento");
    case GrandezzaCorrente::Resistenza:
        return QStringLiteral("Resistenza alla temperatura");
    case GrandezzaCorrente::Potenza:
        return QStringLiteral("Potenza dissipata");
    case GrandezzaCorrente::Tensione:
        return QStringLiteral("Tensione ai capi");
    case GrandezzaCorrente::Densita:
        return QStringLiteral("Densità di corrente");
    case GrandezzaCorrente::Amperspire:
        return QStringLiteral("Amperspire");
    case GrandezzaCorrente::Campo:
        return QStringLiteral("Campo al centro B0");
    case GrandezzaCorrente::Energia:
        return QStringLiteral("Energia immagazzinata");
    case GrandezzaCorrente::CostanteTempo:
        return QStringLiteral("Costante di tempo L/R");
    }
    return {};
}

QString UnitaGrandezzaCorrente(GrandezzaCorrente g)
{
    static const char16_t *const unita[NumeroGrandezzeCorrente] = {u"A",     u"°C", u"Ω",  u"W",  u"V",
                                                                   u"A/mm²", u"A",  u"mT", u"mJ", u"ms"};
    return QString::fromUtf16(unita[int(g)]);
}

QString MetodoGrandezzaCorrente(GrandezzaCorrente g)
{
    switch (g) {
    case GrandezzaCorrente::Corrente:
        return QStringLiteral("La corrente data; a destra I = √(P / R(T_max)), P = A ((T_max − T_a) / 450)^(1/0,826)");
    case GrandezzaCorrente::Temperatura:
        return QStringLiteral("T = T_a + 450 (I² R(T) / A)^0,826, A in cm² (McLyman, aria ferma), risolta con la "
                              "resistenza alla temperatura stessa");
    case GrandezzaCorrente::Resistenza:
        return QStringLiteral("IEC 60028: R(T) = R20 (1 + 0,00393 (T − 20)), R20 dell'avvolgimento reale");
    case GrandezzaCorrente::Potenza:
        return QStringLiteral("P = I² R(T)");
    case GrandezzaCorrente::Tensione:
        return QStringLiteral("U = I R(T)");
    case GrandezzaCorrente::Densita:
        return QStringLiteral("J = I / (π d² / 4), d il diametro nudo");
    case GrandezzaCorrente::Amperspire:
        return QStringLiteral("N I");
    case GrandezzaCorrente::Campo:
        return QStringLiteral("B0 = µ0 N I / (2 (R2 − R1)) ln[(R2 + √(R2² + (H/2)²)) / (R1 + √(R1² + (H/2)²))], "
                              "R1 = D1/2, R2 il raggio esterno dell'avvolgimento");
    case GrandezzaCorrente::Energia:
        return QStringLiteral("½ L I², L l'induttanza esatta dell'avvolgimento reale");
    case GrandezzaCorrente::CostanteTempo:
        return QStringLiteral("L / R(T)");
    }
    return {};
}

std::optional<double> ValoreGrandezzaCorrente(const PuntoCorrente &p, GrandezzaCorrente g)
{
    const auto milli = [](std::optional<double> v) { return v ? std::optional<double>(*v * 1e3) : std::nullopt; };
    switch (g) {
    case GrandezzaCorrente::Corrente:
        return p.corrente;
    case GrandezzaCorrente::Temperatura:
        return p.temperatura;
    case GrandezzaCorrente::Resistenza:
        return p.resistenza;
    case GrandezzaCorrente::Potenza:
        return p.potenza;
    case GrandezzaCorrente::Tensione:
        return p.tensione;
    case GrandezzaCorrente::Densita:
        return p.densita;
    case GrandezzaCorrente::Amperspire:
        return p.amperspire;
    case GrandezzaCorrente::Campo:
        return p.campo * 1e3;
    case GrandezzaCorrente::Energia:
        return milli(p.energia);
    case GrandezzaCorrente::CostanteTempo:
        return milli(p.costanteTempo);
    }
    return std::nullopt;
}

QString TestoValoreCorrente(GrandezzaCorrente g, double valore, const QString &separatore)
{
    if (g == GrandezzaCorrente::Temperatura)
        return TestoNumero(valore, 2, separatore);
    QString t;
    if (valore == 0) {
        t = QStringLiteral("0");
    } else {
        const int esponente = int(std::floor(std::log10(std::abs(valore))));
        t = esponente >= -4 && esponente < 15 ? QString::number(valore, 'f', std::max(0, 4 - esponente))
                                              : QString::number(valore, 'e', 4);
        if (separatore != QStringLiteral("."))
            t.replace(u'.', separatore);
    }
    return t;
}

QString TestoCorrente(const AnalisiCorrente &a, const QString &separatore)
{
    if (!a.motivo.isEmpty())
        return a.motivo + u'\n';
    QStringList righe{QStringLiteral("Grandezza\tAlla corrente data\tAlla corrente massima\tUnità")};
    const auto cella = [&](const RisultatoCorrente &r, GrandezzaCorrente g) {
        const std::optional<double> v = r.valido ? ValoreGrandezzaCorrente(r.punto, g) : std::nullopt;
        return v ? TestoValoreCorrente(g, *v, separatore) : QString();
    };
    for (int i = 0; i < NumeroGrandezzeCorrente; ++i) {
        const auto g = GrandezzaCorrente(i);
        righe << QStringList{NomeGrandezzaCorrente(g), cella(a.data, g), cella(a.massima, g), UnitaGrandezzaCorrente(g)}
                     .join(u'\t');
    }
    righe << QString() << QStringLiteral("Corrente (A)\tTemperatura dell'avvolgimento (°C)\tCampo al centro (mT)");
    for (const PuntoCorrente &p : a.curva)
        righe << QStringList{TestoValoreCorrente(GrandezzaCorrente::Corrente, p.corrente, separatore),
                             TestoValoreCorrente(GrandezzaCorrente::Temperatura, p.temperatura, separatore),
                             TestoValoreCorrente(GrandezzaCorrente::Campo, p.campo * 1e3, separatore)}
                     .join(u'\t');
    return righe.join(u'\n') + u'\n';
}

QString AvvertenzaCorrente()
{
    return QStringLiteral("Modello termico: l'avvolgimento come un componente avvolto in aria ferma, che cede il "
                          "calore dalla sola superficie esterna data (cilindro e due corone), in regime; "
                          "T = T_a + 450 (P / A)^0,826 (McLyman). Non tiene conto di un nucleo, di un "
                          "contenitore, dell'aria forzata né della conduzione del rocchetto. Oltre 250 °C il "
                          "modello non vale e nessun risultato è dato.");
}

} // namespace windara::analisi
