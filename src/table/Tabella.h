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
// The most layers the table holds: its rows, the header row included, are counted in 16 bits.
constexpr int StratiTabellaMax = 32766;
constexpr int LarghezzaColonnaTwips = 1800;
constexpr int AllineamentoCentroAlto = 3;

// What the user is told when the design has more layers than the table holds.
QString MessaggioTroppiStrati(int strati);

// The texts of the grid: no leading blank, the user's decimal separator.
QString TestoGenerale(double v, const QString &separatore);
QString TestoFisso(const Valuta &v, const QString &separatore);

// Where the fill puts the cells, in its order: the row count first, then column by column
// the header (row 0) and rows 1 to n, each data cell as the value it will be written from.
class DestinazioneTabella
{
public:
    virtual ~DestinazioneTabella() = default;
    virtual void righe(int righe) = 0;
    virtual void intestazione(int colonna, const QString &testo, bool allinea) = 0;
    virtual void larghezza(int colonna, int twips) = 0;
    virtual void strato(int riga) = 0;                          // column 0: the layer number
    virtual void generale(int colonna, int riga, double v) = 0; // written by TestoGenerale
    virtual void fisso(int colonna, int riga, double v) = 0;    // by TestoFisso of Valuta::da(v)
    // By TestoFisso of avvolgimento::Resistenza(filo, resistenzaMetro); within a fill the
    // resistance per metre is the same for every row.
    virtual void resistenza(int colonna, int riga, double filo, double resistenzaMetro) = 0;
    virtual void nonDisponibile(int colonna, int riga) = 0; // ResistenzaNonDisponibile()
};

// The inductance table of the design state, cell by cell into the destination, column by
// column. Raises ErroreRuntime at the failing cell; the cells handed over before it stay.
void RiempiTabella(StatoProgetto &s, DestinazioneTabella &d);

// Lays the inductance table of the design state into the grid, column by column.
// Raises ErroreRuntime at the failing cell; the cells written before it stay.
void CompilaTabella(StatoProgetto &s, GrigliaFlex &g, const QString &separatore);

} // namespace windara
