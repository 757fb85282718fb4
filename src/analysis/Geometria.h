#pragma once

#include <QString>

namespace windara::analisi {

enum class Stile {
    AStrati,    // layered: every turn of a layer above the same turn of the layer below
    Ortociclico // orthocyclic: every second layer sits in the grooves of the one below
};

// A multilayer winding of round wire on a cylindrical core, lengths in metres.
// Layer k (1-based) has its turn centres on radius raggioNucleo + (k - 1/2) passoRadiale();
// turn i (1-based) of a layer lies at (i - 1/2) passo from the flange, plus passo / 2 on a
// shifted layer. Layered: radial pitch = passo, no layer shifted. Orthocyclic: the second,
// fourth, ... layers counted from the core are shifted half a pitch, radial pitch
// passo sqrt(3)/2; a shifted layer holds spireStratoSpostato turns, Fix((H - p/2) / p) on a
// length H, so that its last turn stays inside the flange.
struct GeometriaAvvolgimento
{
    double raggioNucleo = 0;     // D1 / 2
    double passo = 0;            // axial distance of neighbouring turns
    double diametroRame = 0;     // bare copper diameter: each turn's self term uses half of it
    int spirePerStrato = 0;      // turns of a full layer resting on the flange
    int spireStratoSpostato = 0; // turns of a full shifted layer (orthocyclic only)
    int strati = 0;              // full layers
    int spireUltimoStrato = 0;   // turns of one more, partial layer packed from the flange (0: none)
    Stile stile = Stile::AStrati;

    double passoRadiale() const;
    // Full layers plus the partial one, if any.
    int numeroStrati() const;
    bool spostato(int strato) const;
    int spireStrato(int strato) const;
    double raggioStrato(int strato) const;
    // Turns of layers 1 .. fino (a double: the largest windings pass 2^31).
    double spireFinoA(int fino) const;
    double spireTotali() const { return spireFinoA(numeroStrati()); }
};

// Why the exact methods cannot take this winding, in Italian; empty when they can.
QString MotivoGeometria(const GeometriaAvvolgimento &g);

// A bobbin as the main window describes it, in millimetres.
struct Rocchetto
{
    double altezza = 0;     // H, the winding length between the flanges
    double dimensioneB = 0; // B, the radial room; the rules keep 2 mm of it free
    double diametroD1 = 0;  // D1, the core
};

// The winding a bobbin takes with the given axial pitch and bare diameter (mm): Fix(H / p)
// turns on a layer at the flange (Fix((H - p/2) / p) on a shifted one) and
// Fix((B - 2) / radial pitch) layers, all full. Nothing is checked: see MotivoGeometria.
GeometriaAvvolgimento RiempiRocchetto(const Rocchetto &r, double passo, double diametroRame, Stile stile);

// The wire of layers 1 .. fino in metres, each turn of layer k a helix of radius r_k and
// pitch p: S_k sqrt((2 pi r_k)^2 + p^2).
double LunghezzaFilo(const GeometriaAvvolgimento &g, int fino);
inline double LunghezzaFilo(const GeometriaAvvolgimento &g)
{
    return LunghezzaFilo(g, g.numeroStrati());
}

} // namespace windara::analisi
