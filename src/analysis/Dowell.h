#pragma once

#include <QString>

#include <vector>

// Copper at temperature (IEC 60028) and the winding at frequency (Dowell, Proc. IEE 113(8),
// 1966). SI units: metres, ohms, henry, hertz, degrees Celsius.
namespace windara::analisi {

// Annealed copper, IEC 60028: resistivity 1/58 ohm mm^2/m at 20 C, temperature coefficient
// 0.00393 /K.
inline constexpr double ResistivitaRame20 = 1e-6 / 58;
inline constexpr double CoefficienteTemperatura = 0.00393;

// R(T) = R20 (1 + 0.00393 (T - 20)): the factor, and a resistance at 20 C taken to T.
double FattoreTemperatura(double temperatura);
double ResistenzaATemperatura(double resistenza20, double temperatura);
// Copper resistivity at T, ohm m.
double ResistivitaRame(double temperatura);
// Resistance per metre of round copper of diameter d at T, ohm/m.
double ResistenzaPerMetro(double diametro, double temperatura);

// Skin depth sqrt(rho / (pi f mu0)) of copper at T, m.
double ProfonditaPenetrazione(double frequenza, double temperatura);
// Dowell's Delta for round wire of diameter d in layers of pitch p:
// (pi/4)^(3/4) (d / delta) sqrt(d / p).
double DeltaDowell(double diametro, double passo, double profondita);
// Dowell's resistance factor for m layers:
// F = D [(sinh 2D + sin 2D)/(cosh 2D - cos 2D) + 2(m^2 - 1)/3 (sinh D - sin D)/(cosh D + cos D)],
// written without cancellation (cosh 2D - cos 2D = 2 (sinh^2 D + sin^2 D), a series for
// sinh D - sin D below 1) and without overflow (the limits beyond D = 20).
double FattoreDowell(double delta, int strati);

// A winding at frequency: what Dowell's model needs of it.
struct AvvolgimentoAc
{
    double diametroRame = 0; // bare copper diameter
    double passo = 0;        // distance of neighbouring turns in a layer
    int strati = 0;          // layers, m
    double resistenzaCc = 0; // DC resistance at the temperature
    double induttanza = 0;   // henry
    double temperatura = 20;
};

struct PuntoFrequenza
{
    double frequenza = 0, profondita = 0, delta = 0, fattore = 1, resistenzaAc = 0, q = 0;
};

struct RisultatoFrequenza
{
    bool valido = false;
    PuntoFrequenza punto;
    QString motivo; // why there is no value, in Italian
};

// Skin depth, Delta, F_R, R_ac = F_R R_dc and Q = 2 pi f L / R_ac at one frequency.
RisultatoFrequenza AnalisiFrequenza(const AvvolgimentoAc &a, double frequenza);
// The same at `punti` frequencies log-spaced from `da` to `a` (10 Hz to 10 MHz for the chart);
// empty when the winding or the range cannot be computed.
std::vector<PuntoFrequenza> SpazzataFrequenza(const AvvolgimentoAc &a, double da = 10, double fino = 1e7,
                                              int punti = 1000);
// Why the winding cannot be computed at frequency, in Italian; empty when it can.
QString MotivoAvvolgimentoAc(const AvvolgimentoAc &a);

// The page's caveat on the model.
QString AvvertenzaDowell();

} // namespace windara::analisi
