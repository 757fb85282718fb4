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

// The texts of the grid: no leading blank, the user's decimal separator.
QString TestoGenerale(double v, const QString &separatore);
QString TestoFisso(const Valuta &v, const QString &separatore);

// Lays the inductance table of the design state into the grid, column by column.
// Raises ErroreRuntime at the failing cell; the cells written before it stay.
void CompilaTabella(StatoProgetto &s, GrigliaFlex &g, const QString &separatore);

} // namespace windara
