#pragma once

#include <QString>
#include <stdexcept>

namespace windara {

// A run-time error of the computations: the live recomputation traps it and stops
// silently; every other caller shows its text to the user.
class ErroreRuntime : public std::runtime_error
{
public:
    enum class Tipo { Overflow, DivisionePerZero, ValoreNonValido, Dati, File };

    ErroreRuntime(Tipo tipo, const QString &testo)
        : std::runtime_error(testo.toStdString()), m_tipo(tipo), m_testo(testo)
    {}

    Tipo tipo() const { return m_tipo; }
    const QString &testo() const { return m_testo; }

    static ErroreRuntime overflow() { return {Tipo::Overflow, QStringLiteral("Overflow")}; }
    static ErroreRuntime divisionePerZero() { return {Tipo::DivisionePerZero, QStringLiteral("Divisione per zero")}; }

private:
    Tipo m_tipo;
    QString m_testo;
};

} // namespace windara
