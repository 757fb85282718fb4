#pragma once

#include "design/Errori.h"

#include <cmath>
#include <cstdint>

// Checked double arithmetic: every operation of the formulas raises the same errors a
// floating-point fault would (division by zero, 0/0, overflow to infinity).
namespace windara::aritmetica {

inline double verifica(double v)
{
    if (std::isfinite(v))
        return v;
    throw ErroreRuntime::overflow();
}

inline double somma(double a, double b)
{
    return verifica(a + b);
}
inline double differenza(double a, double b)
{
    return verifica(a - b);
}
inline double prodotto(double a, double b)
{
    return verifica(a * b);
}

inline double quoziente(double a, double b)
{
    if (b == 0.0) {
        if (a == 0.0 || std::isnan(a))
            throw ErroreRuntime::overflow();
        throw ErroreRuntime::divisionePerZero();
    }
    return verifica(a / b);
}

inline double quadrato(double a)
{
    return verifica(std::pow(a, 2.0));
}

// Truncation toward zero; the result stays a double.
inline double fix(double a)
{
    return std::trunc(a);
}

// Conversion to a 16-bit signed integer, rounding to nearest with ties to even.
inline std::int16_t intero16(double a)
{
    const double r = std::nearbyint(a);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw ErroreRuntime::overflow();
    return static_cast<std::int16_t>(r);
}

} // namespace windara::aritmetica
