#include "analysis/Quadratura.h"

#include <array>
#include <cmath>

namespace windara::analisi::quadratura {

namespace {

// Golub-Welsch: the nodes are the eigenvalues of the symmetric tridiagonal Jacobi matrix
// (zero diagonal, off-diagonal `fuori`), the weights mu0 times the squared first components
// of the eigenvectors. Cyclic Jacobi rotations: q is small and they are accurate to the last bits.
Regola golubWelsch(const std::vector<double> &fuori, double mu0)
{
    const int q = static_cast<int>(fuori.size()) + 1;
    std::vector<double> a(q * q, 0.0), v(q * q, 0.0);
    for (int i = 0; i < q; ++i)
        v[i * q + i] = 1;
    for (int i = 0; i + 1 < q; ++i)
        a[i * q + i + 1] = a[(i + 1) * q + i] = fuori[i];
    for (int giro = 0; giro < 100; ++giro) {
        double resto = 0;
        for (int i = 0; i < q; ++i)
            for (int j = i + 1; j < q; ++j)
                resto += a[i * q + j] * a[i * q + j];
        if (resto < 1e-34)
            break;
        for (int p = 0; p < q; ++p) {
            for (int r = p + 1; r < q; ++r) {
                const double apr = a[p * q + r];
                if (std::abs(apr) < 1e-300)
                    continue;
                const double theta = (a[r * q + r] - a[p * q + p]) / (2 * apr);
                const double t = (theta >= 0 ? 1 : -1) / (std::abs(theta) + std::sqrt(theta * theta + 1));
                const double c = 1 / std::sqrt(t * t + 1), s = t * c;
                for (int k = 0; k < q; ++k) {
                    const double akp = a[k * q + p], akr = a[k * q + r];
                    a[k * q + p] = c * akp - s * akr;
                    a[k * q + r] = s * akp + c * akr;
                }
                for (int k = 0; k < q; ++k) {
                    const double apk = a[p * q + k], ark = a[r * q + k];
                    a[p * q + k] = c * apk - s * ark;
                    a[r * q + k] = s * apk + c * ark;
                }
                for (int k = 0; k < q; ++k) {
                    const double vkp = v[k * q + p], vkr = v[k * q + r];
                    v[k * q + p] = c * vkp - s * vkr;
                    v[k * q + r] = s * vkp + c * vkr;
                }
            }
        }
    }
    Regola g;
    for (int i = 0; i < q; ++i) {
        g.nodi.push_back(a[i * q + i]);
        g.pesi.push_back(mu0 * v[i] * v[i]);
    }
    // Ascending nodes.
    for (int i = 1; i < q; ++i)
        for (int j = i; j > 0 && g.nodi[j] < g.nodi[j - 1]; --j) {
            std::swap(g.nodi[j], g.nodi[j - 1]);
            std::swap(g.pesi[j], g.pesi[j - 1]);
        }
    return g;
}

} // namespace

const Regola &GaussLegendre(int q)
{
    // Newton's method on P_q from the usual first guesses: O(q^2) per rule.
    static const std::array<Regola, 65> regole = [] {
        std::array<Regola, 65> r;
        for (int n = 1; n <= 64; ++n) {
            Regola &g = r[n];
            g.nodi.resize(n);
            g.pesi.resize(n);
            for (int i = 0; i < (n + 1) / 2; ++i) {
                double x = std::cos(3.14159265358979323846 * (i + 0.75) / (n + 0.5));
                double derivata = 1;
                for (int passo = 0; passo < 100; ++passo) {
                    double p0 = 1, p1 = x;
                    for (int k = 2; k <= n; ++k) {
                        const double p2 = ((2 * k - 1) * x * p1 - (k - 1) * p0) / k;
                        p0 = p1;
                        p1 = p2;
                    }
                    const double pn = p1, pm = p0;
                    derivata = n * (x * pn - pm) / (x * x - 1);
                    const double dx = pn / derivata;
                    x -= dx;
                    if (std::abs(dx) < 1e-16)
                        break;
                }
                g.nodi[i] = -x;
                g.nodi[n - 1 - i] = x;
                g.pesi[i] = g.pesi[n - 1 - i] = 2 / ((1 - x * x) * derivata * derivata);
            }
        }
        return r;
    }();
    return regole[q];
}

const Regola &GaussSomma(int j)
{
    static const std::array<Regola, 41> regole = [] {
        std::array<Regola, 41> r;
        for (int e = 4; e <= 40; ++e) {
            const double n = std::ldexp(1.0, e);
            // The points centred and scaled by n/2: beta_k / (n/2)^2 = k^2 (1 - k^2/n^2) / (4k^2 - 1).
            std::vector<double> fuori;
            for (int k = 1; k < NodiSomma; ++k)
                fuori.push_back(std::sqrt(k * k * (1 - (k / n) * (k / n)) / (4.0 * k * k - 1)));
            Regola g = golubWelsch(fuori, n);
            for (double &x : g.nodi)
                x = 0.5 * (n - 1) + 0.5 * n * x;
            r[e] = std::move(g);
        }
        return r;
    }();
    return regole[j];
}

} // namespace windara::analisi::quadratura
