#pragma once

#include "analysis/Analisi.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// The real winding under a steady current: how hot it runs in still air, the highest current
// for a winding temperature, and the field at its centre. SI units unless a name says
// otherwise; temperatures in degrees Celsius.
namespace windara::analisi {

// McLyman's still-air rise of a wound part, Delta T = 450 (P / A)^0.826, P in W, A in cm².
inline constexpr double CoefficienteRiscaldamento = 450;
inline constexpr double EsponenteRiscaldamento = 0.826;
// Beyond this the fit was never measured and most enamels are gone: no result above it.
inline constexpr double TemperaturaLimiteModello = 250;
inline constexpr double AmbienteNormale = 25;
inline constexpr double MassimaNormale = 130;
// The enamel thermal classes (IEC 60085 / IEC 60317): the wire's limit, not a working point.
inline constexpr std::array<int, 5> ClassiSmalto = {130, 155, 180, 200, 220};

// What the heating and the field need of a winding.
struct AvvolgimentoCorrente
{
    double resistenza20 = 0;  // ohm at 20 C
    double induttanza = 0;    // henry; 0 when unknown, see motivoInduttanza
    QString motivoInduttanza; // why there is no inductance
    double spire = 0;         // N
    double diametroRame = 0;  // bare, for the current density
    double raggioInterno = 0; // R1 = D1 / 2
    double raggioEsterno = 0; // R2 = D_out / 2: the last layer's centre plus half the outer diameter
    double altezza = 0;       // H, the winding length
};

// The summary's real winding (its style, its catalogue resistance at 20 C, its exact
// inductance); `motivo` says why there is none.
AvvolgimentoCorrente AvvolgimentoCorrenteReale(const Riepilogo &r, QString *motivo);
// Why the winding cannot be taken under current, in Italian; empty when it can.
QString MotivoAvvolgimentoCorrente(const AvvolgimentoCorrente &a);

// The outer surface that gives off the heat, m²: the outer cylinder and the two end rings,
// pi D_out H + 2 (pi/4) (D_out² - D1²).
double SuperficieEsterna(const AvvolgimentoCorrente &a);
// The field at the centre, tesla, of a uniform current density between R1 and R2 over H:
// mu0 N I / (2 (R2 - R1)) ln[(R2 + sqrt(R2² + (H/2)²)) / (R1 + sqrt(R1² + (H/2)²))].
double CampoCentro(const AvvolgimentoCorrente &a, double corrente);

// The winding at one current.
struct PuntoCorrente
{
    double corrente = 0;                 // A
    double temperatura = 0;              // C, of the winding
    double resistenza = 0;               // ohm at that temperature
    double potenza = 0;                  // W
    double tensione = 0;                 // V
    double densita = 0;                  // A/mm²
    double amperspire = 0;               // A
    double campo = 0;                    // T, at the centre
    std::optional<double> energia;       // J, 1/2 L I²
    std::optional<double> costanteTempo; // s, L / R
};

struct RisultatoCorrente
{
    bool valido = false;
    PuntoCorrente punto;
    QString motivo; // why there is no value, in Italian
};

// The winding temperature at a current: the root of T = T_a + 450 (I² R(T) / A)^0.826, which
// is unique (the right side grows slower than T); nothing when it lies above 250 C.
std::optional<double> TemperaturaAllaCorrente(const AvvolgimentoCorrente &a, double corrente, double ambiente);

// Every figure at a current from an ambient temperature; refused, with the reason, when the
// winding would pass 250 C.
RisultatoCorrente AllaCorrente(const AvvolgimentoCorrente &a, double corrente, double ambiente);
// The highest current that keeps the winding at `massima`: I = sqrt(P / R(T_max)),
// P = A ((T_max - T_a) / 450)^(1/0.826); and every figure at it.
RisultatoCorrente CorrenteMassima(const AvvolgimentoCorrente &a, double massima, double ambiente);

// The page's whole answer: both sets of figures and the chart's points.
struct AnalisiCorrente
{
    QString motivo; // set when nothing can be computed (no winding, bad temperatures)
    RisultatoCorrente data, massima;
    // The given current takes the winding past the highest temperature (or past the model).
    bool oltreMassima = false;
    QString avviso;                   // what that means, in Italian
    std::vector<PuntoCorrente> curva; // from 0 to the highest current, or to the given one
};

AnalisiCorrente AnalizzaCorrente(const AvvolgimentoCorrente &a, double corrente, double ambiente, double massima,
                                 int punti = 201);

// The figures of a point, in the order of the page.
enum class GrandezzaCorrente {
    Corrente,
    Temperatura,
    Resistenza,
    Potenza,
    Tensione,
    Densita,
    Amperspire,
    Campo,
    Energia,
    CostanteTempo
};
inline constexpr int NumeroGrandezzeCorrente = 10;

QString NomeGrandezzaCorrente(GrandezzaCorrente g);
QString UnitaGrandezzaCorrente(GrandezzaCorrente g);
// How it is obtained, for a tooltip.
QString MetodoGrandezzaCorrente(GrandezzaCorrente g);
// The value in the unit of UnitaGrandezzaCorrente (mT, mJ, ms, ...); nothing when unknown.
std::optional<double> ValoreGrandezzaCorrente(const PuntoCorrente &p, GrandezzaCorrente g);
// The temperature with 2 decimals, every other figure with 5 significant digits.
QString TestoValoreCorrente(GrandezzaCorrente g, double valore, const QString &separatore);

// For a spreadsheet: a header, one row per figure (name, at the given current, at the
// highest current, unit; a missing value as an empty cell), an empty line, then the chart's
// points (current, winding temperature, field).
QString TestoCorrente(const AnalisiCorrente &a, const QString &separatore);

// What the thermal model is and what it leaves out.
QString AvvertenzaCorrente();

} // namespace windara::analisi
