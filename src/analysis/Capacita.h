#pragma once

#include "analysis/Analisi.h"
#include "analysis/Dowell.h"
#include "analysis/Geometria.h"

#include <QString>

#include <optional>
#include <vector>

// The winding up to its own resonance: the self-capacitance of a layer winding of enamelled
// round wire (the cell of two touching wires, Massarini & Kazimierczuk, IEEE Trans. Power
// Electron. 12(4), 1997; the energy over touching turns, as in Dalessandro, Cavalcante &
// Kolar, 22(5), 2007), its self-resonant frequency and its impedance. SI units.
namespace windara::analisi {

inline constexpr double Epsilon0 = 8.8541878128e-12; // F/m
// Polyurethane and polyester enamels are about 3.5 to 3.7, polyamide-imide about 4.2.
inline constexpr double PermittivitaSmaltoPredefinita = 3.5;
inline constexpr double PermittivitaSmaltoMin = 1;
inline constexpr double PermittivitaSmaltoMax = 10;

// A capacitance (F, or F/m for the cell), or why there is none, in Italian.
struct RisultatoCapacita
{
    bool valido = false;
    double farad = 0;
    QString motivo;
};

// Why the enamel's relative permittivity cannot be used, in Italian; empty when it can.
QString MotivoPermittivita(double permittivita);

// The capacitance per unit length of two touching enamelled wires, bare diameter d, outer D:
// c' = eps0 [eps_r theta / ln(D/d) + cot(theta/2) - cot(pi/12)], theta = arccos(1 - ln(D/d)/eps_r).
// The cell spans the 30 degrees either side of the contact, so theta must stay below pi/6:
// thicker enamel (or lower permittivity) is outside the model, and says so.
RisultatoCapacita CapacitaCella(double diametroRame, double diametroEsterno, double permittivita);

// The self-capacitance of the winding, its turns touching: the axial pitch is the outer
// diameter. The wire goes from one flange to the other on layer 1, back on layer 2 and so
// on; turn n of N (0-based along the wire) is at V n / N, and
// C_s = sum over touching pairs (a, b) of c' 2 pi (r_a + r_b)/2 (n_a - n_b)^2 / N^2.
// Touching: neighbours in a layer, and between neighbouring layers the turns one pitch
// apart (layered: the one right above; orthocyclic: the two a shifted turn rests on).
// Closed form per pair of layers: microseconds even for 32,766 layers. From two layers up.
RisultatoCapacita CapacitaPropria(const GeometriaAvvolgimento &g, double permittivita = PermittivitaSmaltoPredefinita);

// The same for the summary's real winding, or the summary's reason.
RisultatoCapacita CapacitaReale(const Riepilogo &r, double permittivita = PermittivitaSmaltoPredefinita);

// f0 = 1 / (2 pi sqrt(L C)), or nothing when either is not a positive finite number.
std::optional<double> FrequenzaRisonanza(double induttanza, double capacita);

// The winding at one frequency with its self-capacitance across it:
// Z = (R_ac + j 2 pi f L) || 1 / (j 2 pi f C), R_ac Dowell's.
struct PuntoImpedenza
{
    double frequenza = 0;
    double resistenzaAc = 0; // Dowell's, ohm
    double modulo = 0;       // |Z|, ohm
    double fase = 0;         // arg Z, degrees
    // Im Z / (2 pi f) and Im Z / Re Z, only while the winding is inductive (Im Z > 0): both
    // fall to zero at resonance and mean nothing past it.
    std::optional<double> induttanzaEfficace, q;
    bool capacitivo = false; // Im Z <= 0: past f0, the winding is a capacitor there
};

struct RisultatoImpedenza
{
    bool valido = false;
    PuntoImpedenza punto;
    QString motivo;
};

RisultatoImpedenza AnalisiImpedenza(const AvvolgimentoAc &a, double capacita, double frequenza);

// The same at `punti` frequencies log-spaced from `da` to `fino`, with f0 itself added in its
// place when it falls inside (so the chart shows the peak); empty when the winding, the
// capacitance or the range cannot be computed.
std::vector<PuntoImpedenza> SpazzataImpedenza(const AvvolgimentoAc &a, double capacita, double da = 10,
                                              double fino = 1e7, int punti = 1000);

// The model's name with its sources, and what it leaves out, as the window shows them.
QString ModelloCapacita();
QString AvvertenzaCapacita();

} // namespace windara::analisi
