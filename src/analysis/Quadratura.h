#pragma once

#include <vector>

// Quadrature rules the inductance sums and integrals share (internal to the analysis).
namespace windara::analisi::quadratura {

struct Regola
{
    std::vector<double> nodi;
    std::vector<double> pesi;
};

// Gauss-Legendre with q nodes on [-1, 1], 1 <= q <= 64.
const Regola &GaussLegendre(int q);

// Nodes per panel of the discrete rule below.
inline constexpr int NodiSomma = 8;

// The Gauss rule of the sum over the integers 0 .. 2^j - 1 (4 <= j <= 40): NodiSomma
// nodes, real numbers in [0, 2^j - 1], and weights adding up to 2^j, so that
// sum_{u=0}^{2^j-1} f(u) = sum_a pesi[a] f(nodi[a]) exactly for every polynomial f of degree
// below 2 NodiSomma. Built from the recurrence of the discrete Chebyshev polynomials.
const Regola &GaussSomma(int j);

} // namespace windara::analisi::quadratura
