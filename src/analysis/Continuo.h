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

// The round-wire correction of a winding: how much its discrete turns differ from the
// uniform current density of InduttanzaContinua. Per turn, mu0 r_k [ln(GMD / (rho e^(-1/4))) + C]
// (Rosa-Grover: the GMD of the cell p x radial pitch one turn occupies against the round
// wire's, rho the bare radius, C the lattice's mutual part); plus the cells' second moments
// (the sum over centre filaments is the integral over the cells less the midpoint rule's
// term) and, orthocyclic, the families' half-pitch radial shift; all from integrals of the
// same kind as the continuous value. `limite` receives the bound of what it leaves out: the
// continuous value plus the correction is within it of the discrete sum.
double CorrezioneFiliTondi(const GeometriaAvvolgimento &g, double *limite = nullptr);

// The continuous value of a winding of full layers (no partial layer) plus the round-wire
// correction: Metodo::Continuo, with the correction's bound as its uncertainty. The layers of
// an orthocyclic winding are taken as two uniform families, the layers on the flange and
// the shifted ones, each over the whole radial depth.
RisultatoInduttanza InduttanzaContinua(const GeometriaAvvolgimento &g, const Avanzamento &avanzamento = {});

} // namespace windara::analisi
