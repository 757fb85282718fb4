#pragma once

#include "analysis/Avanzamento.h"
#include "analysis/Geometria.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

// The exact inductance of a winding: its turns as coaxial circular filaments (Maxwell's
// mutual inductance) plus each turn's self-inductance as round wire of the bare radius.
namespace windara::analisi {

enum class Metodo {
    // Every pair of turns, summed with the layer symmetry: two layers interact through
    // sum over the axial offsets D of (pairs at offset D) x M(r_p, r_q, D p).
    SommaDiretta,
    // The same sum, with the distant terms (distant layers, and distant offsets within a
    // pair of layers) taken in panels by Gauss rules for sums over integers; within 1e-9 of
    // SommaDiretta (about 1e-12 in practice), in O(layers log(layers) log(turns)) filament
    // evaluations instead of O(layers^2 turns).
    SommaAccelerata,
    // The winding as a uniform current density over its cross-section (exact integral),
    // plus the round-wire correction; for windings too large for the sums.
    Continuo
};

// Short Italian name of a method, and the sentence a tooltip shows.
QString NomeMetodo(Metodo m);
QString DescrizioneMetodo(Metodo m);

struct RisultatoInduttanza
{
    bool valido = false;
    double henry = 0;
    Metodo metodo = Metodo::SommaDiretta;
    // Bound on the distance from the exact discrete sum, henry: rounding for SommaDiretta,
    // 1e-9 relative for SommaAccelerata, the round-wire correction's bound for Continuo.
    double incertezza = 0;
    // The inductance of layers 1 .. k after each layer k, henry (InduttanzaPerStrati only).
    std::vector<double> perStrato;
    QString motivo; // why there is no value, in Italian
};

// Filament evaluations a method needs for the winding, estimated (sums) or counted.
double StimaValutazioni(const GeometriaAvvolgimento &g, Metodo m);

// The method chosen when none is asked for: SommaDiretta up to 50,000 evaluations (below a
// millisecond, and beyond it the accelerated sum is always cheaper), SommaAccelerata beyond;
// Continuo only if `ancheContinuo`, the winding has more than 5,000 turns and no partial
// layer, and the accelerated sum would pass about 10 ms.
Metodo MetodoAutomatico(const GeometriaAvvolgimento &g, bool ancheContinuo);

// The exact inductance of the winding: the method asked for, or the automatic one
// (Continuo allowed). Milliseconds up to 5,000 turns; seconds on the largest windings, so it
// takes an Avanzamento. A cancelled run is not valid and says so. No per-layer values.
RisultatoInduttanza InduttanzaEsatta(const GeometriaAvvolgimento &g, std::optional<Metodo> metodo = std::nullopt,
                                     const Avanzamento &avanzamento = {});

// The same layer by layer (discrete methods only; automatic: SommaDiretta or
// SommaAccelerata): after each layer k, `perStrato(k, henry)` receives the inductance of
// layers 1 .. k, so a window can show the rows as they come; returning false ends the work
// there, with a valid result for the layers done. RisultatoInduttanza::perStrato holds them
// all at the end. Costs about twice InduttanzaEsatta on many layers.
RisultatoInduttanza InduttanzaPerStrati(const GeometriaAvvolgimento &g, std::optional<Metodo> metodo = std::nullopt,
                                        const Avanzamento &avanzamento = {},
                                        const std::function<bool(int strato, double henry)> &perStrato = {});

// The inductance the winding gains with one more layer of `spire` turns on top of its
// full layers (the layer's self terms and twice its mutual terms with every layer below),
// henry: the step of the design-from-target search.
double InduttanzaAggiunta(const GeometriaAvvolgimento &g, int spire, Metodo metodo);

} // namespace windara::analisi
