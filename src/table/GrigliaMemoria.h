#pragma once

#include "table/Tabella.h"

#include <QList>
#include <QString>

#include <array>

namespace windara {

// A grid held in memory: the cells the fill writes, their alignments and the column
// widths. The results window's view reads it; tests read it directly.
class GrigliaMemoria : public GrigliaFlex
{
public:
    static constexpr int AllineamentoPredefinito = -1;

    GrigliaMemoria() { setRows(2); }

    void setRows(int righe) override;
    void setCol(int colonna) override { m_col = colonna; }
    void setRow(int riga) override { m_row = riga; }
    void setText(const QString &testo) override { m_celle[m_col][m_row].testo = testo; }
    void setCellAlignment(int codice) override { m_celle[m_col][m_row].allineamento = codice; }
    void setColWidth(int colonna, int twips) override { m_larghezze[colonna] = twips; }

    int rows() const { return int(m_celle[0].size()); }
    QString text(int riga, int colonna) const { return m_celle[colonna][riga].testo; }
    int alignment(int riga, int colonna) const { return m_celle[colonna][riga].allineamento; }
    // 0 while the column keeps the grid's default width.
    int colWidth(int colonna) const { return m_larghezze[colonna]; }

private:
    struct Cella
    {
        QString testo;
        int allineamento = AllineamentoPredefinito;
    };
    std::array<QList<Cella>, ColonneTabella> m_celle;
    std::array<int, ColonneTabella> m_larghezze{};
    int m_col = 0;
    int m_row = 0;
};

} // namespace windara
