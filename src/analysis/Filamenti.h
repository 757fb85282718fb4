#pragma once

#include <cstddef>

// Coaxial circular filaments: the complete elliptic integrals, Maxwell's mutual inductance
// and the self-inductance of one round-wire turn. Lengths in metres, inductances in henry.
namespace windara::analisi {

// The magnetic constant 4 pi 1e-7 H/m, the value the published references use.
inline constexpr double Mu0 = 4e-7 * 3.14159265358979323846;

struct IntegraliEllittici
{
    double K = 0; // first kind
    double E = 0; // second kind
};

// K(k) and E(k) by the arithmetic-geometric mean, from the complementary modulus
// k' = sqrt(1 - k^2) in (0, 1]: near k = 1 the caller computes k' from the geometry, so no
// digit is lost forming 1 - k^2. Stops on a relative tolerance at the last bits, with an
// iteration cap. k' <= 0 gives K = +inf and E = 1, the limits at k = 1.
IntegraliEllittici IntegraliCompleti(double kComplementare);
// The same from the modulus k in [0, 1).
IntegraliEllittici IntegraliCompletiModulo(double k);

// Maxwell's mutual inductance of two coaxial circular filaments of radii r1, r2 > 0 at
// axial distance z, in henry:
//   M = mu0 sqrt(r1 r2) [(2/k - k) K(k) - (2/k) E(k)],  k^2 = 4 r1 r2 / ((r1 + r2)^2 + z^2).
// Written as mu0 sqrt((r1 + r2)^2 + z^2) K(k) sum_n 2^(n-1) c_n^2 over the AGM's c_n, which
// has no cancellation for distant filaments (k small) and keeps k' exact for close ones.
// Coincident filaments (r1 == r2 and z == 0) have no finite value and give +inf.
double MutuaFilamenti(double r1, double r2, double z);

// The same for n filament pairs at once (out[i] for r1[i], r2[i], z[i]): the batched form
// the sums use, several times faster than n single calls. Equal to the single call to the
// last bits. Coincident filaments have no meaningful value here: the sums never pass them.
void MutuaFilamenti(const double *r1, const double *r2, const double *z, double *out, std::size_t n);
// n pairs sharing the radii r1, r2, at the axial distances z[i].
void MutuaFilamenti(double r1, double r2, const double *z, double *out, std::size_t n);

// Filament evaluations the process has done so far, batched or single, on every thread:
// what the benchmarks pair a method's time with.
unsigned long long ValutazioniEseguite();

// Self-inductance of one circular turn of round wire with uniform (DC) current, loop radius
// r, wire radius rho (the bare copper): mu0 r (ln(8 r / rho) - 7/4), henry. Meaningful for
// rho well below r.
double AutoinduttanzaSpira(double r, double raggioFilo);

} // namespace windara::analisi
