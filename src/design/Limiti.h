#pragma once

#include "design/Module1.h"

#include <QString>

#include <array>

namespace windara {

// The texts the recomputation reads from the main window.
struct TestiLimiti
{
    QString altezza;        // txtAltezza, H
    QString b;              // txtB, B
    QString d1;             // txtL, D1
    QString sceltaDiametro; // the text of the wire list txtDiametro1 (only its emptiness counts)
    QString diametro;       // the caption of txtDiametro, the wire diameter in use
};

// The six result labels, in the order the recomputation writes them.
enum class Risultato { SpireStrato, NumeroStrati, SpireTotali, Ltot, Ind, Centro };
constexpr int NumeroRisultati = 6;

// Where the recomputation writes: the window's labels and its Calcola command.
class VistaLimiti
{
public:
    virtual ~VistaLimiti() = default;
    virtual void AggiornaComandoCalcola(bool abilitato) = 0;
    // Sets one caption; the labels with the negative-value rule apply it before returning.
    virtual void ImpostaDidascalia(Risultato r, const QString &testo) = 0;
    // Runs between the maximum inductance and the maximum resistance; raising an error
    // here stops the run before the resistance is written.
    virtual void PrimaDellaResistenza() {}
};

// Calcola is available exactly when the four texts are all non-empty.
bool CalcolaAbilitato(const TestiLimiti &t);

// A caption holding '-' anywhere is replaced by "0" (NumeroStrati, SpireTotali, Centro).
bool HaRegolaValoriNegativi(Risultato r);
QString RegolaValoriNegativi(const QString &didascalia);

// The live recomputation of the winding limits, step by step. Raises ErroreRuntime at
// the failing step; what was written before it stays written, the rest is untouched.
void RecalcoloLimiti(const TestiLimiti &t, StatoProgetto &s, VistaLimiti &v);

// The labels as plain texts, with the negative-value rule applied as the window does.
class DidascalieLimiti : public VistaLimiti
{
public:
    void AggiornaComandoCalcola(bool abilitato) override { calcola = abilitato; }
    void ImpostaDidascalia(Risultato r, const QString &testo) override;
    const QString &operator[](Risultato r) const { return testi[static_cast<int>(r)]; }

    bool calcola = false;
    std::array<QString, NumeroRisultati> testi;
};

} // namespace windara
