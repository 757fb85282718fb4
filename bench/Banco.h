#pragma once

// A tiny benchmark harness. The machine is shared and noisy, so a figure means most as a
// ratio against its floor or its pair measured in the same run, taken in turn:
//   "COPPIA|name|median µs|reference name|reference median µs|median ratio|goal ratio"
// A figure with no pair is printed against a fixed goal: "BANCO|name|median µs|goal µs";
// memory as "MEMORIA|name|kB|ceiling kB" (ceiling 0: none).
// scripts/bench gathers both into its table.

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

// Prints a figure against its reference from runs paired in turn: both medians and the
// median of the pairs' ratios (each pair ran under the same load).
inline double riportaCoppia(const std::string &nome, const std::vector<double> &tempi,
                            const std::string &nomeRiferimento, const std::vector<double> &tempiRif,
                            double obiettivoRapporto)
{
    std::vector<double> rapporti;
    for (size_t i = 0; i < tempi.size() && i < tempiRif.size(); ++i)
        rapporti.push_back(tempiRif[i] > 0 ? tempi[i] / tempiRif[i] : 0);
    const double rapporto = mediana(rapporti);
    std::printf("COPPIA|%s|%.3f|%s|%.3f|%.3f|%.3f\n", nome.c_str(), mediana(tempi), nomeRiferimento.c_str(),
                mediana(tempiRif), rapporto, obiettivoRapporto);
    std::fflush(stdout);
    return rapporto;
}

// Times fn() and its reference in turn, `ripetizioni` pairs, and prints them as riportaCoppia.
inline double coppia(const std::string &nome, const std::function<void()> &fn, const std::string &nomeRiferimento,
                     const std::function<void()> &riferimento, double obiettivoRapporto, int ripetizioni,
                     int interni = 1)
{
    std::vector<double> tempi, tempiRif;
    auto cronometra = [interni](const std::function<void()> &f) {
        const auto t0 = std::chrono::steady_clock::now();
        for (int i = 0; i < interni; ++i)
            f();
        const auto t1 = std::chrono::steady_clock::now();
        return std::chrono::duration<double, std::micro>(t1 - t0).count() / interni;
    };
    fn(); // warm-up
    riferimento();
    for (int r = 0; r < ripetizioni; ++r) {
        // Alternate which goes first, so neither always runs on a warmer cache.
        double t, tr;
        if (r % 2) {
            tr = cronometra(riferimento);
            t = cronometra(fn);
        } else {
            t = cronometra(fn);
            tr = cronometra(riferimento);
        }
        tempi.push_back(t);
        tempiRif.push_back(tr);
    }
    return riportaCoppia(nome, tempi, nomeRiferimento, tempiRif, obiettivoRapporto);
}

// A memory figure in kB, with its ceiling when it has one (0: none).
inline void memoria(const std::string &nome, long kB, long massimoKB = 0)
{
    std::printf("MEMORIA|%s|%ld|%ld\n", nome.c_str(), kB, massimoKB);
    std::fflush(stdout);
}

} // namespace banco
