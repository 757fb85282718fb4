#pragma once

#include "analysis/Avanzamento.h"
#include "analysis/Geometria.h"
#include "analysis/Induttanza.h"

// The continuous model of a winding: the current spread uniformly over the cross-section.
// Lengths in metres, inductances in henry.
namespace windara::analisi {

// Maxwell's geometric mean distance of a rectangle of sides a, b from itself (a line of
// length a when b = 0).
double GmdRettangolo(double a, double b);

// Self-inductance of `spire` turns spread uniformly over the rectangular section between
// the radii raggioInterno < raggioEsterno and along `lunghezza`: the exact fourfold integral
// of Maxwell's mutual inductance over the section, reduced to a threefold one (the axial
// and radial differences, polar coordinates around the singular point) and taken by
// graded Gauss-Legendre rules to about 1e-12.
double InduttanzaSezioneUniforme(double raggioInterno, double raggioEsterno, double lunghezza, double spire);

// The same for a current sheet (a solenoid of zero thickness) of the given radius.
double InduttanzaFoglio(double raggio, double lunghezza, double spire);

// The round-wire correction of a winding: how much its discrete turns exceed the
// uniform current density of InduttanzaContinua, mu0 sum_k S_k r_k [ln(GMD / (rho e^(-1/4))) + C]
// (Rosa-Grover: GMD of the cell p x radial pitch that one turn occupies, rho the bare
// radius, C the mutual part of the cells' lattice). `limite` receives the bound of what the
// correction leaves out: the continuous value plus the correction is within it of the
// discrete sum.
double CorrezioneFiliTondi(const GeometriaAvvolgimento &g, double *limite = nullptr);

// The continuous value of a winding of full layers (no partial layer) plus the round-wire
// correction: Metodo::Continuo, with the correction's bound as its uncertainty. The layers of
// an orthocyclic winding are taken as two uniform families, the layers on the flange and
// the shifted ones, each over the whole radial depth.
RisultatoInduttanza InduttanzaContinua(const GeometriaAvvolgimento &g, const Avanzamento &avanzamento = {});

} // namespace windara::analisi
