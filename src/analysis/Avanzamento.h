#pragma once

#include <atomic>
#include <chrono>
#include <functional>

namespace windara::analisi {

// Progress and cancellation of the long computations, for a caller running them in a worker
// thread. `progresso` receives the fraction done (0 to 1) and returns false to stop;
// `annulla`, when given, stops the work as soon as it reads true. The computations check
// both between small steps (well under 20 ms of work each) and call `progresso` at most
// every few milliseconds, plus once at the end.
struct Avanzamento
{
    std::function<bool(double frazione)> progresso;
    const std::atomic<bool> *annulla = nullptr;
};

// The checking side: one per computation.
class Sorvegliante
{
public:
    explicit Sorvegliante(const Avanzamento &a) : m_a(a), m_ultimo(std::chrono::steady_clock::now()) {}

    // False once the work must stop; cheap enough to call at every step.
    bool continua(double frazione)
    {
        if (m_fermo)
            return false;
        if (m_a.annulla && m_a.annulla->load(std::memory_order_relaxed))
            return !(m_fermo = true);
        if (m_a.progresso) {
            const auto adesso = std::chrono::steady_clock::now();
            if (adesso - m_ultimo >= Intervallo) {
                m_ultimo = adesso;
                if (!m_a.progresso(frazione))
                    return !(m_fermo = true);
            }
        }
        return true;
    }
    // The closing call with fraction 1.
    void fine()
    {
        if (!m_fermo && m_a.progresso)
            m_a.progresso(1.0);
    }
    bool fermato() const { return m_fermo; }

private:
    static constexpr std::chrono::milliseconds Intervallo{4};
    const Avanzamento &m_a;
    std::chrono::steady_clock::time_point m_ultimo;
    bool m_fermo = false;
};

} // namespace windara::analisi
