#include "analysis/Capacita.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>

namespace windara::analisi {

namespace {
constexpr double Pi = 3.14159265358979323846;

// Turn i (1-based from the flange) of layer k is turn a + b i along the wire: odd layers run
// away from the flange, even layers back towards it.
struct Filo
{
    std::int64_t a = 0, b = 1;
};

Filo ordine(const GeometriaAvvolgimento &g, int strato, std::int64_t prima)
{
    if (strato % 2 == 1)
        return {prima - 1, 1};
    return {prima + g.spireStrato(strato), -1};
}

// Sum over i = da .. fino of (alfa + beta i)^2, written about the middle of the range so that
// nothing cancels.
long double quadrati(std::int64_t alfa, std::int64_t beta, std::int64_t da, std::int64_t fino)
{
    if (fino < da)
        return 0;
    const long double m = fino - da + 1;
    const long double medio = alfa + beta * (da + fino) / 2.0L;
    return m * medio * medio + (long double)(beta * beta) * m * (m * m - 1) / 12;
}

// Pairs (turn i of layer k, turn i + scarto of layer k + 1) for i = da .. fino.
long double coppie(Filo sotto, Filo sopra, std::int64_t scarto, std::int64_t da, std::int64_t fino)
{
    return quadrati(sopra.a + sopra.b * scarto - sotto.a, sopra.b - sotto.b, da, fino);
}
} // namespace

QString MotivoPermittivita(double permittivita)
{
    if (!std::isfinite(permittivita) || permittivita < PermittivitaSmaltoMin || permittivita > PermittivitaSmaltoMax)
        return QStringLiteral("La permittività relativa dello smalto va da 1 a 10");
    return {};
}

RisultatoCapacita CapacitaCella(double diametroRame, double diametroEsterno, double permittivita)
{
    RisultatoCapacita r;
    r.motivo = MotivoPermittivita(permittivita);
    if (!r.motivo.isEmpty())
        return r;
    if (!(diametroRame > 0) || !std::isfinite(diametroRame) || !std::isfinite(diametroEsterno)) {
        r.motivo = QStringLiteral("Mancano il diametro del rame o quello esterno del filo");
        return r;
    }
    if (!(diametroEsterno > diametroRame)) {
        r.motivo = QStringLiteral("Senza smalto (diametro esterno non maggiore del rame) il modello delle spire a "
                                  "contatto non dà una capacità");
        return r;
    }
    const double l = std::log(diametroEsterno / diametroRame);
    const double coseno = 1 - l / permittivita;
    // theta* must lie inside the cell's 30 degrees (cos(pi/6)): beyond, the enamel alone would
    // fill the cell and the formula's air term turns negative.
    if (!(coseno > std::sqrt(3.0) / 2)) {
        r.motivo = QStringLiteral("Smalto troppo spesso rispetto al rame per questa permittività: il modello della "
                                  "cella (Massarini e Kazimierczuk) non vale");
        return r;
    }
    const double theta = std::acos(coseno);
    r.farad = Epsilon0 * (permittivita * theta / l + 1 / std::tan(theta / 2) - 1 / std::tan(Pi / 12));
    r.valido = std::isfinite(r.farad) && r.farad > 0;
    if (!r.valido)
        r.motivo = QStringLiteral("Capacità della cella fuori dal campo del calcolo");
    return r;
}

RisultatoCapacita CapacitaPropria(const GeometriaAvvolgimento &g, double permittivita)
{
    RisultatoCapacita r;
    r.motivo = MotivoGeometria(g);
    if (!r.motivo.isEmpty())
        return r;
    if (g.numeroStrati() < 2) {
        r.motivo = QStringLiteral("Un solo strato: la sua capacità viene soprattutto dal campo fuori "
                                  "dall'avvolgimento (Medhurst), che il modello delle spire a contatto trascura; "
                                  "la stima vale da due strati");
        return r;
    }
    const RisultatoCapacita cella = CapacitaCella(g.diametroRame, g.passo, permittivita);
    if (!cella.valido)
        return cella;

    // Sum of (r_a + r_b)/2 (n_a - n_b)^2 over the touching pairs.
    long double somma = 0;
    std::int64_t prima = 0;
    const int strati = g.numeroStrati();
    for (int k = 1; k <= strati; ++k) {
        const std::int64_t s = g.spireStrato(k);
        somma += (long double)g.raggioStrato(k) * std::max<std::int64_t>(s - 1, 0);
        if (k < strati) {
            const std::int64_t t = g.spireStrato(k + 1);
            const Filo sotto = ordine(g, k, prima), sopra = ordine(g, k + 1, prima + s);
            long double strato = 0;
            if (g.stile == Stile::AStrati)
                strato = coppie(sotto, sopra, 0, 1, std::min(s, t));
            else if (!g.spostato(k)) // a shifted turn j rests on turns j and j + 1 below
                strato = coppie(sotto, sopra, 0, 1, std::min(s, t)) + coppie(sotto, sopra, -1, 2, std::min(s, t + 1));
            else // an upper turn i rests on shifted turns i - 1 and i
                strato = coppie(sotto, sopra, 0, 1, std::min(s, t)) + coppie(sotto, sopra, 1, 1, std::min(s, t - 1));
            somma += strato * (long double)(g.raggioStrato(k) + g.raggioStrato(k + 1)) / 2;
        }
        prima += s;
    }
    const long double n = (long double)prima;
    r.farad = double(cella.farad * 2 * Pi * somma / (n * n));
    r.valido = std::isfinite(r.farad) && r.farad > 0;
    if (!r.valido)
        r.motivo = QStringLiteral("Capacità fuori dal campo del calcolo");
    return r;
}

RisultatoCapacita CapacitaReale(const Riepilogo &r, double permittivita)
{
    if (!r.motivo.isEmpty())
        return {false, 0, r.motivo};
    return CapacitaPropria(r.reale, permittivita);
}

std::optional<double> FrequenzaRisonanza(double induttanza, double capacita)
{
    if (!(induttanza > 0) || !(capacita > 0) || !std::isfinite(induttanza) || !std::isfinite(capacita))
        return std::nullopt;
    const double f = 1 / (2 * Pi * std::sqrt(induttanza * capacita));
    return std::isfinite(f) && f > 0 ? std::optional(f) : std::nullopt;
}

RisultatoImpedenza AnalisiImpedenza(const AvvolgimentoAc &a, double capacita, double frequenza)
{
    RisultatoImpedenza r;
    if (!(capacita > 0) || !std::isfinite(capacita)) {
        r.motivo = QStringLiteral("Manca la capacità propria dell'avvolgimento");
        return r;
    }
    const RisultatoFrequenza dowell = AnalisiFrequenza(a, frequenza);
    if (!dowell.valido) {
        r.motivo = dowell.motivo;
        return r;
    }
    const double omega = 2 * Pi * frequenza;
    const std::complex<double> ramo(dowell.punto.resistenzaAc, omega * a.induttanza);
    // 1 / Z = 1 / (R + j w L) + j w C
    const std::complex<double> z = 1.0 / (1.0 / ramo + std::complex<double>(0, omega * capacita));
    PuntoImpedenza &p = r.punto;
    p.frequenza = frequenza;
    p.resistenzaAc = dowell.punto.resistenzaAc;
    p.modulo = std::abs(z);
    p.fase = std::arg(z) * 180 / Pi;
    p.capacitivo = !(z.imag() > 0);
    if (!p.capacitivo) {
        p.induttanzaEfficace = z.imag() / omega;
        p.q = z.imag() / z.real();
    }
    r.valido = std::isfinite(p.modulo) && std::isfinite(p.fase) && p.modulo > 0 && z.real() > 0;
    if (!r.valido)
        r.motivo = QStringLiteral("Frequenza fuori dal campo del calcolo");
    return r;
}

std::vector<PuntoImpedenza> SpazzataImpedenza(const AvvolgimentoAc &a, double capacita, double da, double fino,
                                              int punti)
{
    std::vector<PuntoImpedenza> v;
    if (!MotivoAvvolgimentoAc(a).isEmpty() || !(capacita > 0) || !std::isfinite(capacita) || !(da > 0) ||
        !(fino >= da) || !std::isfinite(fino) || punti < 2)
        return v;
    const std::optional<double> f0 = FrequenzaRisonanza(a.induttanza, capacita);
    bool risonanza = !f0 || *f0 < da || *f0 > fino; // nothing to add
    v.reserve(punti + 1);
    const double passo = std::log(fino / da) / (punti - 1);
    for (int i = 0; i < punti; ++i) {
        const double f = i + 1 == punti ? fino : da * std::exp(i * passo);
        if (!risonanza && *f0 <= f) {
            risonanza = true;
            if (*f0 < f) {
                const RisultatoImpedenza r = AnalisiImpedenza(a, capacita, *f0);
                if (!r.valido)
                    break;
                v.push_back(r.punto);
            }
        }
        const RisultatoImpedenza r = AnalisiImpedenza(a, capacita, f);
        if (!r.valido)
            break;
        v.push_back(r.punto);
    }
    return v;
}

QString ModelloCapacita()
{
    return QStringLiteral("Capacità propria: cella di due fili smaltati a contatto (Massarini e Kazimierczuk, "
                          "1997) sommata con il metodo dell'energia sulle spire che si toccano (Dalessandro, "
                          "Cavalcante e Kolar, 2007).");
}

QString AvvertenzaCapacita()
{
    return QStringLiteral("È una prima stima, da due strati in su: trascura il rocchetto, il nucleo, uno schermo e "
                          "i terminali. Oltre f0 l'avvolgimento non è più un'induttanza.");
}

} // namespace windara::analisi
