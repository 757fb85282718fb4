#include "analysis/Induttanza.h"

#include "analysis/Continuo.h"
#include "analysis/Filamenti.h"
#include "analysis/Quadratura.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>
#include <optional>

namespace windara::analisi {

namespace {

using quadratura::GaussSomma;
using quadratura::NodiSomma;

// A panel of 2^j points is summed by its Gauss rule when the singular point of the summand
// lies outside the ellipse with foci at the panel's ends and parameter RhoMin: the rule's
// error then falls like RhoMin^(-2 NodiSomma), about 1e-13 of the panel.
constexpr double RhoMin = 5.0;
constexpr double Kappa = (RhoMin + 1 / RhoMin) / 2;
constexpr int PannelloMinimo = 4; // 16 points for 8 nodes
// Layer pairs nearer the diagonal than this (in positions of a class of layers) are summed
// along their diagonals in the whole winding's total.
constexpr int Banda = 16;

// Splits v = 0 .. V into single points and Gauss panels, walking away from the singular
// point at v = -sigma +/- i eta: pezzo(v, 0) for a single point, pezzo(v, j) for the panel
// v .. v + 2^j - 1.
template <class Pezzo>
void tassella(long long V, double sigma, double eta, Pezzo &&pezzo)
{
    const double eta2 = eta * eta;
    long long v = 0;
    while (v <= V) {
        const double da = std::sqrt((v + sigma) * (v + sigma) + eta2);
        const double limite = std::min(double(V - v + 1), 2 * da / (Kappa - 1) + 1);
        int j = limite >= 16 ? std::min(40, 63 - __builtin_clzll((unsigned long long)limite)) : 0;
        for (; j >= PannelloMinimo; --j) {
            const double fine = double(1LL << j) - 1 + v + sigma;
            if (da + std::sqrt(fine * fine + eta2) >= Kappa * double((1LL << j) - 1))
                break;
        }
        if (j >= PannelloMinimo) {
            pezzo(v, j);
            v += 1LL << j;
        } else {
            pezzo(v, 0);
            ++v;
        }
    }
}

// The turn pairs of two layers a, b (sa and sb turns, shifted or not) by their axial
// distance |z| = s + u p: w(u) pairs at each u >= 0. With D = j - i the offset of turn j of
// b from turn i of a, c(D) pairs have offset D; the offsets D+(u) and D-(u) fold onto u.
struct Pesi
{
    int sa, sb, aPiu, aMeno;
    bool doppioZero;  // u = 0 gathers two offsets (the layers are shifted against each other)
    long long ultimo; // the largest u with pairs

    double c(double x) const { return std::max(0.0, std::min<double>(sa, sb - x) - std::max(1.0, 1 - x) + 1); }
    double operator()(double u) const
    {
        double w = c(u + aPiu);
        if (doppioZero || u > 0)
            w += c(-u - aMeno);
        return w;
    }
    // The points where w changes slope, and ultimo + 1, ascending: w is linear between
    // neighbours. Returns how many.
    int spigoli(long long *s) const
    {
        int n = 0;
        s[n++] = 0;
        s[n++] = 1;
        s[n++] = ultimo + 1;
        for (long long b : {0LL, (long long)sb - sa, (long long)sb, -(long long)sa})
            for (long long u : {b - aPiu, -b - aMeno})
                if (u > 1 && u <= ultimo)
                    s[n++] = u;
        std::sort(s, s + n);
        return int(std::unique(s, s + n) - s);
    }
};

Pesi pesi(int sa, bool spostatoA, int sb, bool spostatoB)
{
    const int e = int(spostatoB) - int(spostatoA);
    Pesi p{sa, sb, e < 0 ? 1 : 0, e > 0 ? 1 : 0, e != 0, 0};
    p.ultimo = std::max<long long>((long long)sb - 1 - p.aPiu, (long long)sa - 1 - p.aMeno);
    return p;
}

// One winding's sums: the inductance of a layer pair and a layer's row. The filament terms
// of a row are queued and evaluated in batches.
class Motore
{
public:
    Motore(const GeometriaAvvolgimento &g, bool veloce)
        : m_g(g), m_veloce(veloce), m_passoRadiale(g.passoRadiale()), m_raggioFilo(g.diametroRame / 2)
    {}

    double raggio(double strato) const { return m_g.raggioNucleo + (strato - 0.5) * m_passoRadiale; }

    // Queues the turn pairs of two layers of radii ra, rb, each term times `fattore`; for the
    // same layer (`stesso`) the u = 0 terms are the turns' self-inductances, returned.
    double coppia(double ra, int sa, bool spa, double rb, int sb, bool spb, bool stesso, double fattore)
    {
        const Pesi w = pesi(sa, spa, sb, spb);
        const double p = m_g.passo, s = spa != spb ? p / 2 : 0;
        const double proprie = stesso ? sa * AutoinduttanzaSpira(ra, m_raggioFilo) : 0;
        const long long inizio = stesso ? 1 : 0;
        if (!m_veloce || w.ultimo < 16) {
            // Every offset: the distances and weights depend on the two layers' kinds only.
            tutte(ra, rb, schemaDi(sa, spa, sb, spb), std::size_t(inizio), fattore);
            return proprie;
        }
        long long spigoli[16];
        const int n = w.spigoli(spigoli);
        for (int i = 0; i + 1 < n; ++i) {
            const long long lo = std::max(spigoli[i], inizio), hi = spigoli[i + 1] - 1;
            if (hi < lo)
                continue;
            tassella(hi - lo, lo + s / p, std::abs(ra - rb) / p, [&](long long v, int j) {
                if (j == 0) {
                    aggiungi(ra, rb, s + (lo + v) * p, fattore * w(double(lo + v)));
                    return;
                }
                const auto &r = GaussSomma(j);
                for (int a = 0; a < NodiSomma; ++a) {
                    const double u = lo + v + r.nodi[a];
                    aggiungi(ra, rb, s + u * p, fattore * r.pesi[a] * w(u));
                }
            });
        }
        return proprie;
    }

    // Layer k's own terms plus twice its terms with every layer below it.
    double riga(int k)
    {
        const double rk = raggio(k);
        const int sk = m_g.spireStrato(k);
        const bool spk = m_g.spostato(k);
        double totale = coppia(rk, sk, spk, rk, sk, spk, true, 1);
        const int passoClasse = m_g.stile == Stile::Ortociclico ? 2 : 1;
        // Layers below of one kind (shifted or not) at a time: each kind's terms are a smooth
        // function of the layer's radius.
        for (int primo = 1; primo <= passoClasse && primo < k; ++primo) {
            const int sl = m_g.spireStrato(primo);
            const bool spl = m_g.spostato(primo);
            const long long ultimo = (k - 1 - primo) / passoClasse;
            const int cima = primo + int(ultimo) * passoClasse;
            const auto termine = [&](double strato, double fattore) {
                coppia(rk, sk, spk, raggio(strato), sl, spl, false, fattore);
            };
            if (!m_veloce) {
                for (int l = primo; l < k; l += passoClasse)
                    termine(l, 2);
                continue;
            }
            const double s = spk != spl ? m_g.passo / 2 : 0;
            tassella(ultimo, double(k - cima) / passoClasse, s / m_passoRadiale / passoClasse, [&](long long v, int j) {
                if (j == 0) {
                    termine(double(cima - v * passoClasse), 2);
                    return;
                }
                const auto &r = GaussSomma(j);
                for (int a = 0; a < NodiSomma; ++a)
                    termine(cima - (v + r.nodi[a]) * passoClasse, 2 * r.pesi[a]);
            });
        }
        return totale + scarica();
    }

    // The whole winding at once: each layer's own terms, plus twice the terms of every pair
    // of full layers, plus the partial layer's row. Far pairs of layers go by blocks: for a
    // square of 2^j x 2^j layer pairs far enough from the diagonal, the tensor product of
    // the Gauss rules in both layer indices.
    std::optional<double> totale(Sorvegliante &sorvegliante)
    {
        const int n = m_g.strati;
        double totale = 0;
        for (int k = 1; k <= n; ++k) {
            const double rk = raggio(k);
            totale += coppia(rk, m_g.spireStrato(k), m_g.spostato(k), rk, m_g.spireStrato(k), m_g.spostato(k), true, 1);
        }
        m_sorvegliante = &sorvegliante;
        m_fatte = 0;
        m_daFare = std::max(1.0, double(n) * n / 2);
        const int h = m_g.stile == Stile::Ortociclico ? 2 : 1;
        for (int fk = 1; fk <= h; ++fk)
            for (int fl = 1; fl <= h; ++fl) {
                const int ultimaRiga = (n - fk) / h, ultimaColonna = (n - fl) / h;
                if (n < fk || n < fl)
                    continue;
                long long lato = 1;
                while (lato <= std::max(ultimaRiga, ultimaColonna))
                    lato *= 2;
                const Classi c{fk, fl, h, ultimaRiga, ultimaColonna};
                for (int e = fl < fk ? 0 : 1; e < Banda; ++e)
                    diagonale(c, e);
                if (!blocco(c, 0, 0, lato))
                    return std::nullopt;
            }
        if (m_g.spireUltimoStrato > 0)
            totale += riga(n + 1);
        return totale + scarica();
    }

private:
    // The axial distances s + u p and the pair counts w(u) of two kinds of layer.
    struct Schema
    {
        int sa, sb;
        bool spa, spb;
        std::vector<double> z, w;
    };

    const Schema &schemaDi(int sa, bool spa, int sb, bool spb)
    {
        for (const Schema &s : m_schemi)
            if (s.sa == sa && s.sb == sb && s.spa == spa && s.spb == spb)
                return s;
        const Pesi w = pesi(sa, spa, sb, spb);
        const double s = spa != spb ? m_g.passo / 2 : 0;
        Schema nuovo{sa, sb, spa, spb, {}, {}};
        for (long long u = 0; u <= w.ultimo; ++u) {
            nuovo.z.push_back(s + u * m_g.passo);
            nuovo.w.push_back(w(double(u)));
        }
        m_schemi.push_back(std::move(nuovo));
        return m_schemi.back();
    }

    // Every offset of a schema from `da` on, for layers of radii ra, rb.
    void tutte(double ra, double rb, const Schema &schema, std::size_t da, double fattore)
    {
        for (std::size_t i = da; i < schema.z.size(); ++i)
            aggiungi(ra, rb, schema.z[i], fattore * schema.w[i]);
    }

    void aggiungi(double ra, double rb, double z, double peso)
    {
        m_ra[m_n] = ra;
        m_rb[m_n] = rb;
        m_z[m_n] = z;
        m_w[m_n] = peso;
        if (++m_n == Coda)
            m_parziale = scarica();
    }

    double scarica()
    {
        MutuaFilamenti(m_ra.get(), m_rb.get(), m_z.get(), m_m.get(), m_n);
        double t = m_parziale;
        for (std::size_t i = 0; i < m_n; ++i)
            t += m_w[i] * m_m[i];
        m_n = 0;
        m_parziale = 0;
        return t;
    }

    static constexpr std::size_t Coda = 4096;
    // Layers fk + h i (rows) against layers fl + h j (columns), i <= ultimaRiga, j <= ultimaColonna.
    struct Classi
    {
        int fk, fl, h, ultimaRiga, ultimaColonna;
    };

    // The terms of two layers at (possibly fractional) positions k and l of the classes' kinds.
    auto terminiClassi(const Classi &c)
    {
        const int sk = m_g.spireStrato(c.fk), sl = m_g.spireStrato(c.fl);
        const bool spk = m_g.spostato(c.fk), spl = m_g.spostato(c.fl);
        // Every pair has the same two kinds of layer: small ones share one schema.
        const Schema *schema = !m_veloce || pesi(sk, spk, sl, spl).ultimo < 16 ? &schemaDi(sk, spk, sl, spl) : nullptr;
        return [this, schema, sk, spk, sl, spl](double k, double l, double fattore) {
            if (schema)
                tutte(raggio(k), raggio(l), *schema, 0, fattore);
            else
                coppia(raggio(k), sk, spk, raggio(l), sl, spl, false, fattore);
        };
    }

    // The pairs of one diagonal near the main one, i - j = e (column layer l = k - d): smooth
    // along it, since its only singular points lie by the axis (where r_l vanishes), so it is
    // summed along k by the panels.
    void diagonale(const Classi &c, int e)
    {
        const long long i0 = std::max(0, e), i1 = std::min<long long>(c.ultimaRiga, c.ultimaColonna + e);
        if (i0 > i1)
            return;
        const auto termine = terminiClassi(c);
        const double d = c.fk - c.fl + c.h * e;
        if (!m_veloce) {
            for (long long i = i0; i <= i1; ++i)
                termine(c.fk + c.h * i, c.fk + c.h * i - d, 2);
            return;
        }
        const double asse = 0.5 - m_g.raggioNucleo / m_passoRadiale + d; // where r_l = 0
        tassella(i1 - i0, (c.fk + c.h * i0 - asse) / c.h, 0, [&](long long v, int j) {
            if (j == 0) {
                const double k = c.fk + c.h * (i0 + v);
                termine(k, k - d, 2);
                return;
            }
            const auto &r = GaussSomma(j);
            for (int a = 0; a < NodiSomma; ++a) {
                const double k = c.fk + c.h * (i0 + v + r.nodi[a]);
                termine(k, k - d, 2 * r.pesi[a]);
            }
        });
    }

    // The pairs with column layer below row layer, and at least Banda class positions from
    // the diagonal (the nearer ones go by diagonale), in the square i0 .. i0 + lato - 1,
    // j0 .. j0 + lato - 1. False once the work must stop.
    bool blocco(const Classi &c, long long i0, long long j0, long long lato)
    {
        const long long i1 = std::min<long long>(i0 + lato - 1, c.ultimaRiga);
        const long long j1 = std::min<long long>(j0 + lato - 1, c.ultimaColonna);
        if (i0 > i1 || j0 > j1 || i1 - j0 < Banda)
            return true;
        const bool spk = m_g.spostato(c.fk), spl = m_g.spostato(c.fl);
        const auto termine = terminiClassi(c);
        // A square far enough from the diagonal goes by the tensor product of the Gauss rules;
        // one clipped by the last layers keeps single points along the clipped side.
        const bool righeIntere = i1 == i0 + lato - 1, colonneIntere = j1 == j0 + lato - 1;
        const double distanza = double(c.fk + c.h * i0 - (c.fl + c.h * j1)) / c.h;
        const double eta = (spk != spl ? m_g.passo / 2 : 0) / m_passoRadiale / c.h;
        if (m_veloce && (righeIntere || colonneIntere) && lato >= 16 && i0 - j1 >= Banda &&
            std::hypot(distanza, eta) + std::hypot(distanza + lato - 1, eta) >= Kappa * (lato - 1)) {
            const auto &r = GaussSomma(63 - __builtin_clzll((unsigned long long)lato));
            const auto nodi = [&](bool intera, long long da, long long a, std::vector<std::pair<double, double>> &v) {
                v.clear();
                if (intera)
                    for (int q = 0; q < NodiSomma; ++q)
                        v.emplace_back(da + r.nodi[q], r.pesi[q]);
                else
                    for (long long x = da; x <= a; ++x)
                        v.emplace_back(double(x), 1.0);
            };
            nodi(righeIntere, i0, i1, m_righe);
            nodi(colonneIntere, j0, j1, m_colonne);
            for (const auto &[i, wi] : m_righe)
                for (const auto &[j, wj] : m_colonne)
                    termine(c.fk + c.h * i, c.fl + c.h * j, 2 * wi * wj);
            return avanza(double(lato) * lato);
        }
        if (lato <= 16) {
            for (long long i = i0; i <= i1; ++i)
                for (long long j = j0; j <= std::min(j1, i - Banda); ++j)
                    termine(c.fk + c.h * i, c.fl + c.h * j, 2);
            return avanza(double(lato) * lato);
        }
        const long long meta = lato / 2;
        return blocco(c, i0, j0, meta) && blocco(c, i0, j0 + meta, meta) && blocco(c, i0 + meta, j0, meta) &&
               blocco(c, i0 + meta, j0 + meta, meta);
    }

    bool avanza(double coppie)
    {
        m_fatte += coppie;
        return m_sorvegliante->continua(std::min(1.0, m_fatte / m_daFare));
    }

    Sorvegliante *m_sorvegliante = nullptr;
    std::vector<std::pair<double, double>> m_righe, m_colonne; // a block's points and weights
    double m_fatte = 0, m_daFare = 1;
    const GeometriaAvvolgimento &m_g;
    const bool m_veloce;
    const double m_passoRadiale, m_raggioFilo;
    // The queue, left uninitialised: the search builds an engine for every bisection step.
    std::unique_ptr<double[]> m_ra{new double[Coda]}, m_rb{new double[Coda]}, m_z{new double[Coda]},
        m_w{new double[Coda]}, m_m{new double[Coda]};
    std::size_t m_n = 0;
    double m_parziale = 0;
    std::deque<Schema> m_schemi;
};

// Evaluations of one layer-pair sum of up to `spire` offsets, and of one row of `strati`
// layers, by the panels: about a dozen single points, then 8 nodes per doubling.
double costoPanelli(double n)
{
    return n <= 24 ? n : 12 + 10 * std::log2(n / 12);
}

} // namespace

QString NomeMetodo(Metodo m)
{
    switch (m) {
    case Metodo::SommaDiretta:
        return QStringLiteral("Somma esatta delle spire");
    case Metodo::SommaAccelerata:
        return QStringLiteral("Somma esatta delle spire (accelerata)");
    case Metodo::Continuo:
        return QStringLiteral("Formula continua con correzione dei fili tondi");
    }
    return {};
}

QString DescrizioneMetodo(Metodo m)
{
    switch (m) {
    case Metodo::SommaDiretta:
        return QStringLiteral("Somma esatta delle spire come filamenti circolari (Maxwell, integrali ellittici "
                              "completi) più l'autoinduttanza di ogni spira come filo tondo di rame nudo");
    case Metodo::SommaAccelerata:
        return QStringLiteral("Somma esatta delle spire come filamenti circolari (Maxwell, integrali ellittici "
                              "completi) più l'autoinduttanza di ogni spira; i termini lontani sommati a pannelli "
                              "con regole di Gauss, entro un miliardesimo dalla somma termine per termine");
    case Metodo::Continuo:
        return QStringLiteral("Avvolgimento come densità di corrente uniforme sulla sezione (integrale esatto), più "
                              "la correzione dei fili tondi (Rosa-Grover); usata per avvolgimenti troppo grandi "
                              "per la somma delle spire");
    }
    return {};
}

double StimaValutazioni(const GeometriaAvvolgimento &g, Metodo m)
{
    const double n = g.numeroStrati(), s = std::max(g.spirePerStrato, g.spireUltimoStrato);
    switch (m) {
    case Metodo::SommaDiretta:
        return n * (n + 1) / 2 * s;
    case Metodo::SommaAccelerata: // measured: about half the rows' count, for the whole winding at once
        return n * (1 + costoPanelli(n)) * costoPanelli(s) / 2;
    case Metodo::Continuo:
        return 2e5;
    }
    return 0;
}

Metodo MetodoAutomatico(const GeometriaAvvolgimento &g, bool ancheContinuo)
{
    const double accelerata = StimaValutazioni(g, Metodo::SommaAccelerata);
    if (StimaValutazioni(g, Metodo::SommaDiretta) <= 5e4)
        return Metodo::SommaDiretta;
    if (ancheContinuo && g.spireTotali() > 5000 && g.spireUltimoStrato == 0 && accelerata > 6e5)
        return Metodo::Continuo;
    return Metodo::SommaAccelerata;
}

namespace {

RisultatoInduttanza preparato(const GeometriaAvvolgimento &g, std::optional<Metodo> scelto, bool perStrati)
{
    RisultatoInduttanza r;
    r.motivo = MotivoGeometria(g);
    if (r.motivo.isEmpty())
        r.metodo = scelto ? *scelto : MetodoAutomatico(g, !perStrati);
    if (perStrati && r.metodo == Metodo::Continuo)
        r.motivo = QStringLiteral("La formula continua non dà i valori strato per strato");
    return r;
}

void concluso(RisultatoInduttanza &r, double henry)
{
    r.valido = true;
    r.henry = henry;
    r.incertezza = henry * (r.metodo == Metodo::SommaAccelerata ? 1e-9 : 1e-13);
}

const QString Annullato = QStringLiteral("Calcolo annullato");

} // namespace

RisultatoInduttanza InduttanzaEsatta(const GeometriaAvvolgimento &g, std::optional<Metodo> scelto,
                                     const Avanzamento &avanzamento)
{
    RisultatoInduttanza r = preparato(g, scelto, false);
    if (!r.motivo.isEmpty())
        return r;
    if (r.metodo == Metodo::Continuo)
        return InduttanzaContinua(g, avanzamento);
    Sorvegliante sorvegliante(avanzamento);
    const std::optional<double> l = Motore(g, r.metodo == Metodo::SommaAccelerata).totale(sorvegliante);
    if (!l) {
        r.motivo = Annullato;
        return r;
    }
    sorvegliante.fine();
    concluso(r, *l);
    return r;
}

RisultatoInduttanza InduttanzaPerStrati(const GeometriaAvvolgimento &g, std::optional<Metodo> scelto,
                                        const Avanzamento &avanzamento,
                                        const std::function<bool(int strato, double henry)> &perStrato)
{
    RisultatoInduttanza r = preparato(g, scelto, true);
    if (!r.motivo.isEmpty())
        return r;
    Sorvegliante sorvegliante(avanzamento);
    Motore motore(g, r.metodo == Metodo::SommaAccelerata);
    const int n = g.numeroStrati();
    r.perStrato.reserve(n);
    double somma = 0;
    for (int k = 1; k <= n; ++k) {
        if (!sorvegliante.continua(double(k - 1) / n)) {
            r.perStrato.clear();
            r.motivo = Annullato;
            return r;
        }
        somma += motore.riga(k);
        r.perStrato.push_back(somma);
        if (perStrato && !perStrato(k, somma))
            break;
    }
    sorvegliante.fine();
    concluso(r, somma);
    return r;
}

double InduttanzaAggiunta(const GeometriaAvvolgimento &g, int spire, Metodo metodo)
{
    GeometriaAvvolgimento h = g;
    h.spireUltimoStrato = spire;
    return Motore(h, metodo == Metodo::SommaAccelerata).riga(g.strati + 1);
}

} // namespace windara::analisi
