#pragma once

// A tiny benchmark harness: each figure is the median of repeated runs, printed as one
// line "BANCO|name|median µs|goal µs" that scripts/bench gathers into its table.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace banco {

inline double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline void riporta(const std::string &nome, double medianaMicro, double obiettivoMicro)
{
    std::printf("BANCO|%s|%.3f|%.3f\n", nome.c_str(), medianaMicro, obiettivoMicro);
    std::fflush(stdout);
}

// Times fn() `ripetizioni` times (each run may itself repeat `interni` times, for
// operations too short to time one by one) and prints the median per operation.
inline double misura(const std::string &nome, double obiettivoMicro, int ripetizioni, const std::function<void()> &fn,
                     int interni = 1)
{
    std::vector<double> tempi;
    tempi.reserve(ripetizioni);
    fn(); // warm-up
    for (int r = 0; r < ripetizioni; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < interni; ++i)
            fn();
        const auto t1 = std::chrono::steady_clock::now();
        tempi.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count() / interni);
    }
    const double m = mediana(tempi);
    riporta(nome, m, obiettivoMicro);
    return m;
}

} // namespace banco
