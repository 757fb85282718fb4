#pragma once

#include "design/Decimale.h"
#include "design/Module1.h"

#include <QString>

namespace windara {

// The grid operations the table fill uses (a FlexGrid's: row count, current cell, cell
// text, cell alignment, column width in twips).
class GrigliaFlex
{
public:
    virtual ~GrigliaFlex() = default;
    virtual void setRows(int righe) = 0;
    virtual void setCol(int colonna) = 0;
    virtual void setRow(int riga) = 0;
    virtual void setText(const QString &testo) = 0;
    virtual void setCellAlignment(int codice) = 0;
    virtual void setColWidth(int colonna, int twips) = 0;
};

constexpr int ColonneTabella = 6;
constexpr int LarghezzaColonnaTwips = 1800;
constexpr int AllineamentoCentroAlto = 3;

// The values of one row, computed in the exact order of the formulas.
namespace strato {
double Spire(double n, const StatoProgetto &s);    // n x S
double RaggioA1(double n, const StatoProgetto &s); // n x d + D1 / 2, mm
double Filo(double n, const StatoProgetto &s);     // wire length, m
// Writes the per-row scratch fields of the design state, then gives L(n) in mH.
double Induttanza(double n, StatoProgetto &s);
// The exact product of the two 15-digit decimals, to four decimals.
Valuta Resistenza(double filo, double resistenzaMetro);
} // namespace strato

// Runs the row loop of the table and the report: Indice counts from 1 up to the value
// StratiMax has when the loop starts (no row below 1). The 16-bit counter stops after
// its last row rather than stepping past 32767.
template <class Riga>
void PerOgniStrato(StatoProgetto &s, Riga &&riga)
{
    const std::int16_t limite = s.StratiMax;
    s.Indice = 1;
    if (limite < 1)
        return;
    for (;;) {
        riga(static_cast<double>(s.Indice));
        if (s.Indice == limite) {
            if (limite < 32767)
                ++s.Indice;
            return;
        }
        ++s.Indice;
    }
}

// The texts of the grid: no leading blank, the user's decimal separator.
QString TestoGenerale(double v, const QString &separatore);
QString TestoFisso(const Valuta &v, const QString &separatore);

// Lays the inductance table of the design state into the grid, column by column.
// Raises ErroreRuntime at the failing cell; the cells written before it stay.
void CompilaTabella(StatoProgetto &s, GrigliaFlex &g, const QString &separatore);

} // namespace windara
