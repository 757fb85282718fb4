#include "analysis/Continuo.h"

#include "analysis/Filamenti.h"
#include "analysis/Quadratura.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace windara::analisi {

namespace {

using quadratura::GaussLegendre;

constexpr double Pi = 3.14159265358979323846;
// Gauss-Legendre points per panel: along a ray or an axis, across the angle, and over the
// mean radius.
constexpr int NodiPannello = 8;
constexpr int NodiAngolo = 16;
constexpr int NodiTensore = 12;
constexpr int NodiRaggio = 12;
// Halvings toward the singular point: what they leave is below 1e-14 of the integral.
constexpr int Gradini = 26;

// A family of turns spread uniformly over the whole radial depth and one axial stretch.
struct Famiglia
{
    double spire, inizio, lunghezza;
};

// The fourfold integral over the section, after the substitutions s = r2 - r1,
// m = (r1 + r2)/2, u = z1 - z2 (both folded onto s, u >= 0):
//   L = (2 / c^2) int_0^c ds int_0^U du W(u) Phi(s, u),
//   Phi(s, u) = int_{R1 + s/2}^{R2 - s/2} M(m - s/2, m + s/2, u) dm,
// with W(u) the axial weight of the families (piecewise linear in u). The integrand is
// logarithmic at s = u = 0 only: polar coordinates around it, graded toward it.
class Sezione
{
public:
    // What a point (s, u) of the traversal stands for: Phi(s, u) with the weights 1 and
    // (1/r1^2 + 1/r2^2)/2 of the curvature term, or the face r1 = R1 or r1 = R2 of the
    // section, M(R, R +/- s, u) alone.
    enum class Modo { Sezione, FacciaInterna, FacciaEsterna };

    struct Integrali
    {
        double principale = 0, curvatura = 0; // the integral, and with the curvature weight
    };

    Sezione(double raggioInterno, double profondita, std::vector<Famiglia> famiglie)
        : m_r1(raggioInterno), m_c(profondita), m_f(std::move(famiglie))
    {
        for (const Famiglia &f : m_f)
            for (const Famiglia &g : m_f) {
                m_ultimo = std::max(m_ultimo, f.inizio + f.lunghezza - g.inizio);
                for (double u : {f.inizio - g.inizio, f.inizio + f.lunghezza - g.inizio - g.lunghezza,
                                 f.inizio + f.lunghezza - g.inizio, f.inizio - g.inizio - g.lunghezza})
                    m_spigoli.push_back(std::abs(u));
            }
        std::sort(m_spigoli.begin(), m_spigoli.end());
        m_spigoli.erase(std::remove_if(m_spigoli.begin(), m_spigoli.end(),
                                       [this](double u) { return !(u > 1e-12 * m_ultimo && u < m_ultimo); }),
                        m_spigoli.end());
    }

    // (1/c^2) times the integral over the section pairs (both weights), or over one face.
    std::optional<Integrali> integra(Sorvegliante &sorvegliante, Modo modo = Modo::Sezione, int prima = -1)
    {
        m_modo = modo;
        m_prima = prima;
        const double lato = std::min(m_c, m_ultimo);
        Integrali totale;
        // The square [0, lato]^2 around the singular point, in polar coordinates; the angle
        // is split where a slope change of W meets the square's far side, and graded
        // toward such angles near zero.
        std::vector<double> angoli{0, Pi / 4, Pi / 2};
        for (double u : m_spigoli)
            if (u < lato)
                angoli.push_back(std::atan(u / lato));
        std::sort(angoli.begin(), angoli.end());
        std::vector<std::pair<double, double>> intervalli;
        for (std::size_t i = 0; i + 1 < angoli.size(); ++i) {
            double a = angoli[i];
            const double b = angoli[i + 1];
            if (b - a < 1e-15)
                continue;
            for (; a > 0 && b > 2 * a; a *= 2)
                intervalli.emplace_back(a, 2 * a);
            intervalli.emplace_back(a, b);
        }
        const auto &ga = GaussLegendre(NodiAngolo);
        for (std::size_t i = 0; i < intervalli.size(); ++i) {
            if (!sorvegliante.continua(0.8 * i / intervalli.size()))
                return std::nullopt;
            const auto [a, b] = intervalli[i];
            for (int k = 0; k < NodiAngolo; ++k) {
                const double phi = 0.5 * (a + b) + 0.5 * (b - a) * ga.nodi[k];
                raggio(phi, lato, 0.5 * (b - a) * ga.pesi[k]);
            }
            scarica(totale);
        }
        if (!sorvegliante.continua(0.8))
            return std::nullopt;
        // The rest of the rectangle, beyond the square along u or along s: tensor rules on
        // panels doubling away from the singular point.
        if (m_ultimo > lato) {
            std::vector<double> tagli{lato, m_ultimo};
            for (double u : m_spigoli)
                if (u > lato)
                    tagli.push_back(u);
            std::sort(tagli.begin(), tagli.end());
            for (std::size_t i = 0; i + 1 < tagli.size(); ++i)
                for (double x = tagli[i]; x < tagli[i + 1];) {
                    const double y = std::min(2 * x, tagli[i + 1]);
                    rettangolo(0, m_c, x, y);
                    x = y;
                }
        } else if (m_c > lato) {
            std::vector<double> tagli{0, m_ultimo};
            for (double u : m_spigoli)
                tagli.push_back(u);
            std::sort(tagli.begin(), tagli.end());
            for (double x = lato; x < m_c;) {
                const double y = std::min(2 * x, m_c);
                for (std::size_t i = 0; i + 1 < tagli.size(); ++i)
                    rettangolo(x, y, tagli[i], tagli[i + 1]);
                x = y;
            }
        }
        scarica(totale);
        const double fattore = (modo == Modo::Sezione ? 2 : 1) / (m_c * m_c);
        return Integrali{fattore * totale.principale, fattore * totale.curvatura};
    }

    // (1/c^2) times the integral over r1, r2 of M(r1, r2, u) at a fixed u: s by panels
    // doubling from min(u, c) (graded toward the logarithm at s = 0 when u = 0).
    double radiale(double u)
    {
        m_modo = Modo::Sezione;
        Integrali t;
        const auto &g = GaussLegendre(NodiPannello);
        const auto pannello = [&](double a, double b) {
            for (int k = 0; k < NodiPannello; ++k)
                punto(0.5 * (a + b) + 0.5 * (b - a) * g.nodi[k], u, 0.5 * (b - a) * g.pesi[k], false);
        };
        const double inizio = u > 0 ? std::min(u, m_c) : m_c;
        double b = inizio;
        for (int i = 0; i < Gradini && u == 0; ++i, b /= 2)
            pannello(b / 2, b);
        pannello(0, b);
        for (double x = inizio; x < m_c;) {
            const double y = std::min(2 * x, m_c);
            pannello(x, y);
            x = y;
        }
        scarica(t);
        return 2 / (m_c * m_c) * t.principale;
    }

    // The integral of W''(u) M(u) over the real line, as sum_k (jump of W' at u_k) M(u_k):
    // each pair of families overlaps along a trapezoid in u, whose slope changes at four
    // corners. Radial integrals as in radiale().
    double curvaturaAssiale()
    {
        double t = 0;
        for (const Famiglia &f : m_f)
            for (const Famiglia &g : m_f) {
                const double densita = f.spire / f.lunghezza * g.spire / g.lunghezza;
                const double corta = std::min(f.lunghezza, g.lunghezza);
                const double sale = f.inizio - g.inizio - g.lunghezza, scende = f.inizio + f.lunghezza - g.inizio;
                t += densita * (radiale(std::abs(sale)) - radiale(std::abs(sale + corta)) -
                                radiale(std::abs(scende - corta)) + radiale(std::abs(scende)));
            }
        return t;
    }

private:
    // W(u): the families' turn densities times the length of axial overlap at offset u.
    double peso(double u) const
    {
        double w = 0;
        for (std::size_t i = 0; i < m_f.size(); ++i)
            for (const Famiglia &g : m_f) {
                const Famiglia &f = m_f[i];
                if (m_prima >= 0 && int(i) != m_prima)
                    continue;
                const double densita = f.spire / f.lunghezza * g.spire / g.lunghezza;
                for (double v : {u, -u}) {
                    const double sopra = std::min(f.inizio + f.lunghezza, g.inizio + g.lunghezza + v);
                    const double sotto = std::max(f.inizio, g.inizio + v);
                    w += densita * std::max(0.0, sopra - sotto);
                }
            }
        return w;
    }

    // One ray at angle phi across the square of side `lato`, weight `peso` per unit angle.
    void raggio(double phi, double lato, double pesoAngolo)
    {
        const double c = std::cos(phi), s = std::sin(phi);
        const double fine = phi <= Pi / 4 ? lato / c : lato / s;
        std::vector<double> tagli;
        for (double u : m_spigoli)
            if (u / s < fine)
                tagli.push_back(u / s);
        tagli.push_back(fine);
        std::sort(tagli.begin(), tagli.end());
        const auto &g = GaussLegendre(NodiPannello);
        const auto pannello = [&](double a, double b) {
            for (int k = 0; k < NodiPannello; ++k) {
                const double rho = 0.5 * (a + b) + 0.5 * (b - a) * g.nodi[k];
                punto(rho * c, rho * s, pesoAngolo * 0.5 * (b - a) * g.pesi[k] * rho);
            }
        };
        double b = tagli[0];
        for (int i = 0; i < Gradini; ++i, b /= 2)
            pannello(b / 2, b);
        pannello(0, b);
        for (std::size_t i = 0; i + 1 < tagli.size(); ++i)
            for (double x = tagli[i]; x < tagli[i + 1];) {
                const double y = std::min(2 * x, tagli[i + 1]);
                pannello(x, y);
                x = y;
            }
    }

    void rettangolo(double s0, double s1, double u0, double u1)
    {
        const auto &g = GaussLegendre(NodiTensore);
        for (int i = 0; i < NodiTensore; ++i) {
            const double s = 0.5 * (s0 + s1) + 0.5 * (s1 - s0) * g.nodi[i];
            for (int j = 0; j < NodiTensore; ++j) {
                const double u = 0.5 * (u0 + u1) + 0.5 * (u1 - u0) * g.nodi[j];
                punto(s, u, 0.25 * (s1 - s0) * (u1 - u0) * g.pesi[i] * g.pesi[j]);
            }
        }
    }

    // Phi(s, u) W(u) times the weight, as points of the mean-radius rule: panels on which
    // r1 = m - s/2 at most triples, so the nearest singularity (r1 = 0) stays as far as the
    // panel is long.
    void punto(double s, double u, double pesoPunto, bool conPeso = true)
    {
        const double tutte = conPeso ? peso(u) : 1;
        const double w = pesoPunto * tutte;
        if (w == 0)
            return;

        if (m_modo != Modo::Sezione) {
            const double r = m_modo == Modo::FacciaInterna ? m_r1 : m_r1 + m_c;
            m_ra.push_back(r);
            m_rb.push_back(m_modo == Modo::FacciaInterna ? r + s : r - s);
            m_z.push_back(u);
            m_w.push_back(w);
            return;
        }
        const auto &g = GaussLegendre(NodiRaggio);
        const double fine = m_r1 + m_c - s / 2;
        for (double a = m_r1 + s / 2; a < fine;) {
            const double b = std::min(fine, a + 2 * (a - s / 2));
            for (int k = 0; k < NodiRaggio; ++k) {
                const double m = 0.5 * (a + b) + 0.5 * (b - a) * g.nodi[k];
                m_ra.push_back(m - s / 2);
                m_rb.push_back(m + s / 2);
                m_z.push_back(u);
                m_w.push_back(w * 0.5 * (b - a) * g.pesi[k]);
            }
            a = b;
        }
    }

    void scarica(Integrali &t)
    {
        m_m.resize(m_z.size());
        MutuaFilamenti(m_ra.data(), m_rb.data(), m_z.data(), m_m.data(), m_z.size());
        for (std::size_t i = 0; i < m_z.size(); ++i) {
            t.principale += m_w[i] * m_m[i];
            t.curvatura += m_w[i] * m_m[i] * 0.5 * (1 / (m_ra[i] * m_ra[i]) + 1 / (m_rb[i] * m_rb[i]));
        }
        m_ra.clear();
        m_rb.clear();
        m_z.clear();
        m_w.clear();
    }

    Modo m_modo = Modo::Sezione;
    int m_prima = -1; // W from the pairs (family m_prima, any) only, when >= 0
    double m_r1, m_c;
    std::vector<Famiglia> m_f;
    double m_ultimo = 0;
    std::vector<double> m_spigoli;
    std::vector<double> m_ra, m_rb, m_z, m_w, m_m;
};

// What the correction's terms leave of the discrete sum, per turn, in units of mu0 r: the
// mutual part of the cells' lattice (its fourth moments, and for the orthocyclic winding the
// staggered rows and the families' spreading), measured against the exact sum over windings
// from 1 to 300 layers and 1 to 1,000 turns per layer; and the bound on what varies around it.
double costanteReticolo(Stile stile)
{
    return stile == Stile::Ortociclico ? -0.063 : 0.018;
}

// The bound, per turn: the lattice's spread, larger when the two orthocyclic families differ
// in turns and in layers (an odd number of layers with shorter shifted layers); plus, per
// turn of the winding's edge, the edge cells' share.
double limiteReticolo(const GeometriaAvvolgimento &g)
{
    if (g.stile == Stile::AStrati)
        return 0.01;
    return g.strati % 2 == 1 && g.spireStratoSpostato != g.spirePerStrato ? 0.5 : 0.1;
}
constexpr double LimiteBordo = 0.05;

} // namespace

double GmdRettangolo(double a, double b)
{
    if (a < b)
        std::swap(a, b);
    if (a <= 0)
        return 0;
    if (b <= 0)
        return a * std::exp(-1.5);
    const double x = a / b, y = b / a;
    const double lnR = 0.5 * std::log(a * a + b * b) - x * x / 12 * std::log1p(y * y) - y * y / 12 * std::log1p(x * x) +
                       2.0 / 3 * x * std::atan(y) + 2.0 / 3 * y * std::atan(x) - 25.0 / 12;
    return std::exp(lnR);
}

double InduttanzaSezioneUniforme(double raggioInterno, double raggioEsterno, double lunghezza, double spire)
{
    Sezione s(raggioInterno, raggioEsterno - raggioInterno, {{spire, 0, lunghezza}});
    Avanzamento nessuno;
    Sorvegliante sorvegliante(nessuno);
    return s.integra(sorvegliante)->principale;
}

double InduttanzaFoglio(double raggio, double lunghezza, double spire)
{
    // (N/b)^2 2 int_0^b (b - u) M(a, a, u) du, graded toward the logarithm at u = 0.
    const auto &g = GaussLegendre(NodiTensore);
    double totale = 0;
    const auto pannello = [&](double x, double y) {
        for (int k = 0; k < NodiTensore; ++k) {
            const double u = 0.5 * (x + y) + 0.5 * (y - x) * g.nodi[k];
            totale += 0.5 * (y - x) * g.pesi[k] * (lunghezza - u) * MutuaFilamenti(raggio, raggio, u);
        }
    };
    double b = std::min(lunghezza, raggio);
    for (int i = 0; i < 2 * Gradini; ++i, b /= 2)
        pannello(b / 2, b);
    pannello(0, b);
    for (double x = std::min(lunghezza, raggio); x < lunghezza;) {
        const double y = std::min(2 * x, lunghezza);
        pannello(x, y);
        x = y;
    }
    return 2 * spire * spire / (lunghezza * lunghezza) * totale;
}

namespace {

struct ValoreContinuo
{
    double uniforme = 0, correzione = 0, limite = 0;
};

// The uniform-density value and the correction that brings it to the discrete turns:
//  - each turn's self term against its cell's (GMD of the cell p x radial pitch),
//  - the cells' second moments: the sum over centre filaments is the integral over the
//    cells less (1/24) sum_d h_d^2 d^2M/dx_d^2 per pair (the midpoint rule); across the
//    radius and axis together d^2/dr^2 + d^2/dz^2 = (1/r) d/dr on Maxwell's M (the flux
//    function's equation), integrated by parts into M / r^2 and the inner and outer faces;
//    for an oblong cell the rest (p^2 - t^2) d^2M/dz^2 integrates to the slope changes of
//    the axial weight.
std::optional<ValoreContinuo> valoreContinuo(const GeometriaAvvolgimento &g, Sorvegliante &sorvegliante)
{
    const double p = g.passo, t = g.passoRadiale();
    std::vector<Famiglia> famiglie;
    if (g.stile == Stile::Ortociclico) {
        const int spostati = g.strati / 2;
        famiglie.push_back({double(g.strati - spostati) * g.spirePerStrato, 0, g.spirePerStrato * p});
        if (spostati > 0 && g.spireStratoSpostato > 0)
            famiglie.push_back({double(spostati) * g.spireStratoSpostato, p / 2, g.spireStratoSpostato * p});
    } else {
        famiglie.push_back({g.spireTotali(), 0, g.spirePerStrato * p});
    }
    Sezione sezione(g.raggioNucleo, g.strati * t, famiglie);
    const auto interno = sezione.integra(sorvegliante);
    if (!interno)
        return std::nullopt;
    const double r1 = g.raggioNucleo, r2 = g.raggioNucleo + g.strati * t;
    const double facciaInterna = sezione.integra(sorvegliante, Sezione::Modo::FacciaInterna)->principale;
    const double facciaEsterna = sezione.integra(sorvegliante, Sezione::Modo::FacciaEsterna)->principale;
    const double assiale = p == t ? 0 : sezione.curvaturaAssiale();
    // The model spreads both orthocyclic families over the whole depth; with an even number
    // of layers the flange family (layers 1, 3, ...) really sits half a radial pitch further
    // in and the shifted one half a pitch further out. First order in that half pitch, a
    // shift of family F changes L by twice (outer face - inner face) of F's pairs. (With an
    // odd number both families keep their centre; what remains is in the lattice constant.)
    double spostamento = 0;
    if (g.stile == Stile::Ortociclico && famiglie.size() == 2 && g.strati % 2 == 0)
        for (int f = 0; f < 2; ++f) {
            const double esterna = sezione.integra(sorvegliante, Sezione::Modo::FacciaEsterna, f)->principale;
            const double interna = sezione.integra(sorvegliante, Sezione::Modo::FacciaInterna, f)->principale;
            spostamento += (f == 0 ? -t : t) * (esterna - interna);
        }
    double spireRaggio = 0; // sum of S_k r_k
    for (int k = 1; k <= g.numeroStrati(); ++k)
        spireRaggio += g.spireStrato(k) * g.raggioStrato(k);
    const double gmdFilo = g.diametroRame / 2 * std::exp(-0.25);
    ValoreContinuo v;
    v.uniforme = interno->principale;
    v.correzione = Mu0 * spireRaggio * (std::log(GmdRettangolo(p, t) / gmdFilo) + costanteReticolo(g.stile)) -
                   t * t / 12 * (interno->curvatura + facciaEsterna / r2 - facciaInterna / r1) -
                   (p * p - t * t) / 12 * assiale + spostamento;
    const double raggioMedio = spireRaggio / g.spireTotali();
    v.limite = Mu0 * (spireRaggio * limiteReticolo(g) + raggioMedio * (g.spirePerStrato + g.strati) * LimiteBordo);
    return v;
}

} // namespace

double CorrezioneFiliTondi(const GeometriaAvvolgimento &g, double *limite)
{
    Avanzamento nessuno;
    Sorvegliante sorvegliante(nessuno);
    const auto v = valoreContinuo(g, sorvegliante);
    if (limite)
        *limite = v->limite;
    return v->correzione;
}

RisultatoInduttanza InduttanzaContinua(const GeometriaAvvolgimento &g, const Avanzamento &avanzamento)
{
    RisultatoInduttanza r;
    r.metodo = Metodo::Continuo;
    r.motivo = MotivoGeometria(g);
    if (!r.motivo.isEmpty())
        return r;
    if (g.spireUltimoStrato > 0) {
        r.motivo = QStringLiteral("La formula continua non tratta uno strato incompleto");
        return r;
    }
    Sorvegliante sorvegliante(avanzamento);
    const auto v = valoreContinuo(g, sorvegliante);
    if (!v) {
        r.motivo = QStringLiteral("Calcolo annullato");
        return r;
    }
    sorvegliante.fine();
    r.henry = v->uniforme + v->correzione;
    r.incertezza = v->limite;
    r.valido = true;
    return r;
}

} // namespace windara::analisi
