#include "analysis/Dowell.h"

#include "analysis/Filamenti.h"

#include <cmath>

namespace windara::analisi {

namespace {
constexpr double Pi = 3.14159265358979323846;

// sinh x - sin x = 2 (x^3/3! + x^7/7! + x^11/11! + ...), summed where the difference would cancel.
double sinhMenoSin(double x)
{
    if (x >= 1)
        return std::sinh(x) - std::sin(x);
    const double x4 = x * x * x * x;
    double termine = x * x * x / 6, somma = 0;
    for (int n = 3; termine > 1e-17 * somma; n += 4) {
        somma += termine;
        termine *= x4 / ((n + 1.0) * (n + 2) * (n + 3) * (n + 4));
    }
    return 2 * somma;
}
} // namespace

double FattoreTemperatura(double temperatura)
{
    return 1 + CoefficienteTemperatura * (temperatura - 20);
}

double ResistenzaATemperatura(double resistenza20, double temperatura)
{
    return resistenza20 * FattoreTemperatura(temperatura);
}

double ResistivitaRame(double temperatura)
{
    return ResistenzaATemperatura(ResistivitaRame20, temperatura);
}

double ResistenzaPerMetro(double diametro, double temperatura)
{
    return ResistivitaRame(temperatura) / (Pi * diametro * diametro / 4);
}

double ProfonditaPenetrazione(double frequenza, double temperatura)
{
    return std::sqrt(ResistivitaRame(temperatura) / (Pi * frequenza * Mu0));
}

double DeltaDowell(double diametro, double passo, double profondita)
{
    return std::pow(Pi / 4, 0.75) * (diametro / profondita) * std::sqrt(diametro / passo);
}

double FattoreDowell(double delta, int strati)
{
    const double m2 = double(strati) * strati;
    if (delta > 20) // both ratios are 1 to the last bit
        return delta * (1 + 2 * (m2 - 1) / 3);
    const double sh = std::sinh(delta), s = std::sin(delta);
    const double pelle = (std::sinh(2 * delta) + std::sin(2 * delta)) / (2 * (sh * sh + s * s));
    const double prossimita = sinhMenoSin(delta) / (std::cosh(delta) + std::cos(delta));
    return delta * (pelle + 2 * (m2 - 1) / 3 * prossimita);
}

QString MotivoAvvolgimentoAc(const AvvolgimentoAc &a)
{
    if (!(a.diametroRame > 0) || !(a.passo > 0) || !std::isfinite(a.diametroRame) || !std::isfinite(a.passo))
        return QStringLiteral("Mancano il diametro del filo o il passo delle spire");
    if (a.strati < 1)
        return QStringLiteral("Nessuno strato da calcolare");
    if (!(a.resistenzaCc > 0) || !std::isfinite(a.resistenzaCc))
        return QStringLiteral("Manca la resistenza in corrente continua");
    if (!(a.induttanza > 0) || !std::isfinite(a.induttanza))
        return QStringLiteral("Manca l'induttanza dell'avvolgimento");
    if (!std::isfinite(a.temperatura) || !(FattoreTemperatura(a.temperatura) > 0))
        return QStringLiteral("Temperatura fuori dal campo del rame");
    return {};
}

RisultatoFrequenza AnalisiFrequenza(const AvvolgimentoAc &a, double frequenza)
{
    RisultatoFrequenza r;
    r.motivo = MotivoAvvolgimentoAc(a);
    if (r.motivo.isEmpty() && !(frequenza > 0 && std::isfinite(frequenza)))
        r.motivo = QStringLiteral("La frequenza deve essere un numero maggiore di zero");
    if (!r.motivo.isEmpty())
        return r;
    PuntoFrequenza &p = r.punto;
    p.frequenza = frequenza;
    p.profondita = ProfonditaPenetrazione(frequenza, a.temperatura);
    p.delta = DeltaDowell(a.diametroRame, a.passo, p.profondita);
    p.fattore = FattoreDowell(p.delta, a.strati);
    p.resistenzaAc = p.fattore * a.resistenzaCc;
    p.q = 2 * Pi * frequenza * a.induttanza / p.resistenzaAc;
    r.valido = std::isfinite(p.q) && std::isfinite(p.resistenzaAc);
    if (!r.valido)
        r.motivo = QStringLiteral("Frequenza fuori dal campo del calcolo");
    return r;
}

std::vector<PuntoFrequenza> SpazzataFrequenza(const AvvolgimentoAc &a, double da, double fino, int punti)
{
    std::vector<PuntoFrequenza> v;
    if (!MotivoAvvolgimentoAc(a).isEmpty() || !(da > 0) || !(fino >= da) || !std::isfinite(fino) || punti < 2)
        return v;
    v.reserve(punti);
    const double passo = std::log(fino / da) / (punti - 1);
    for (int i = 0; i < punti; ++i) {
        const RisultatoFrequenza r = AnalisiFrequenza(a, i + 1 == punti ? fino : da * std::exp(i * passo));
        if (!r.valido)
            break;
        v.push_back(r.punto);
    }
    return v;
}

QString AvvertenzaDowell()
{
    return QStringLiteral("Il modello di Dowell suppone il campo parallelo agli strati, come nella finestra di un "
                          "nucleo: per una bobina in aria corta è una stima.");
}

} // namespace windara::analisi
