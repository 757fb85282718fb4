#include "analysis/Filamenti.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

namespace windara::analisi {

namespace {

constexpr double Pi = 3.14159265358979323846;
// The AGM stops when c_n / a_n falls below this: the next c is then below 2^-56 a, so both
// K and the sum of the c_n^2 have every digit.
constexpr double ToleranzaAgm = 0x1p-27;
constexpr int MassimoIterazioni = 40;

// The batched sums run twice as fast with AVX2's four-wide square roots; the binary keeps a
// plain SSE2 version for processors without them, chosen at load time.
#if defined(__x86_64__) && defined(__GNUC__) && defined(__linux__)
#define WINDARA_VERSIONI_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define WINDARA_VERSIONI_AVX2
#endif

// The AGM of 1 and k' from its first step: a_1, b_1 and c_1 = (1 - k') / 2 = k^2 / (2 (1 + k')).
struct Agm
{
    double a, b, c, somma; // somma = sum_{n>=1} 2^(n-1) c_n^2
};

Agm agm(double kp, double k2)
{
    Agm g{0.5 * (1 + kp), std::sqrt(kp), 0.5 * k2 / (1 + kp), 0};
    g.somma = g.c * g.c;
    double peso = 1;
    for (int i = 0; i < MassimoIterazioni && g.c > ToleranzaAgm * g.a; ++i) {
        // (a_n - b_n) / 2 is exact enough here: c_1 carries the leading term. The square
        // root is only needed to go on, so the converged step does without it.
        const double a = 0.5 * (g.a + g.b);
        g.c = 0.5 * (g.a - g.b);
        peso *= 2;
        g.somma += peso * g.c * g.c;
        if (g.c > ToleranzaAgm * a)
            g.b = std::sqrt(g.a * g.b);
        g.a = a;
    }
    return g;
}

std::atomic<unsigned long long> valutazioni{0};

} // namespace

unsigned long long ValutazioniEseguite()
{
    return valutazioni.load(std::memory_order_relaxed);
}

IntegraliEllittici IntegraliCompleti(double kp)
{
    if (!(kp > 0))
        return {std::numeric_limits<double>::infinity(), 1};
    kp = std::min(kp, 1.0);
    const double k2 = (1 - kp) * (1 + kp);
    const Agm g = agm(kp, k2);
    const double K = Pi / (2 * g.a);
    // E = K (1 - k^2/2 - sum_{n>=1} 2^(n-1) c_n^2).
    return {K, K * ((1 - 0.5 * k2) - g.somma)};
}

IntegraliEllittici IntegraliCompletiModulo(double k)
{
    return IntegraliCompleti(std::sqrt((1 - k) * (1 + k)));
}

double MutuaFilamenti(double r1, double r2, double z)
{
    const double s = r1 + r2, d = r1 - r2;
    const double d2 = s * s + z * z;
    const double vicino = d * d + z * z;
    if (vicino == 0)
        return std::numeric_limits<double>::infinity();
    const double kp = std::sqrt(vicino / d2);
    const Agm g = agm(kp, 4 * r1 * r2 / d2);
    valutazioni.fetch_add(1, std::memory_order_relaxed);
    return (0.5 * Pi * Mu0) * std::sqrt(d2) * g.somma / g.a;
}

WINDARA_VERSIONI_AVX2
void MutuaFilamenti(const double *r1, const double *r2, const double *z, double *out, std::size_t n)
{
    // Chunks of fixed size in structure-of-arrays form with a common iteration count, so the
    // compiler vectorises the square roots: the AGM steps for the pair that needs the most.
    constexpr std::size_t Blocco = 64;
    alignas(64) double a[Blocco], b[Blocco], c[Blocco], somma[Blocco], diag[Blocco], nuova[Blocco];
    valutazioni.fetch_add(n, std::memory_order_relaxed);
    for (std::size_t i0 = 0; i0 < n; i0 += Blocco) {
        const std::size_t m = std::min(Blocco, n - i0);
        for (std::size_t i = 0; i < m; ++i) {
            const double s = r1[i0 + i] + r2[i0 + i], d = r1[i0 + i] - r2[i0 + i], zz = z[i0 + i] * z[i0 + i];
            const double d2 = s * s + zz;
            const double inv = 1 / d2;
            const double kp = std::sqrt((d * d + zz) * inv);
            diag[i] = std::sqrt(d2);
            a[i] = 0.5 * (1 + kp);
            b[i] = std::sqrt(kp);
            c[i] = 2 * r1[i0 + i] * r2[i0 + i] * inv / (1 + kp);
            somma[i] = c[i] * c[i];
        }
        double peso = 1;
        for (int it = 0; it < MassimoIterazioni; ++it) {
            bool ancora = false;
            for (std::size_t i = 0; i < m; ++i)
                ancora |= c[i] > ToleranzaAgm * a[i];
            if (!ancora)
                break;
            peso *= 2;
            for (std::size_t i = 0; i < m; ++i) {
                nuova[i] = 0.5 * (a[i] + b[i]);
                c[i] = 0.5 * (a[i] - b[i]);
                somma[i] += peso * c[i] * c[i];
            }
            // The square roots only if another step follows.
            bool converge = true;
            for (std::size_t i = 0; i < m; ++i)
                converge &= c[i] <= ToleranzaAgm * nuova[i];
            if (!converge)
                for (std::size_t i = 0; i < m; ++i)
                    b[i] = std::sqrt(a[i] * b[i]);
            for (std::size_t i = 0; i < m; ++i)
                a[i] = nuova[i];
            if (converge)
                break;
        }
        for (std::size_t i = 0; i < m; ++i)
            out[i0 + i] = (0.5 * Pi * Mu0) * diag[i] * somma[i] / a[i];
    }
}

void MutuaFilamenti(double r1, double r2, const double *z, double *out, std::size_t n)
{
    constexpr std::size_t Blocco = 256;
    double ra[Blocco], rb[Blocco];
    std::fill_n(ra, Blocco, r1);
    std::fill_n(rb, Blocco, r2);
    for (std::size_t i0 = 0; i0 < n; i0 += Blocco)
        MutuaFilamenti(ra, rb, z + i0, out + i0, std::min(Blocco, n - i0));
}

double AutoinduttanzaSpira(double r, double raggioFilo)
{
    return Mu0 * r * (std::log(8 * r / raggioFilo) - 1.75);
}

} // namespace windara::analisi
