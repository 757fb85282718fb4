#pragma once

#include "design/Module1.h"
#include "table/GrigliaMemoria.h"

#include <QAbstractTableModel>

namespace windara {

// The FlexGrid alignment scale (0 left-top ... 8 right-bottom, 9 general) as Qt flags;
// general and unset codes give no flags, leaving the view's default.
Qt::Alignment AllineamentoFlex(int codice);

// The inductance table as a model: row 0 of the grid is the horizontal header (the
// fixed row), rows 1 to n are the model's rows 0 to n - 1. The fill writes into an
// in-memory grid and the views hear of it once, when it ends, however it ends: a
// table of 32,766 rows costs one reset, not 196,000 notifications.
class ModelloGriglia : public QAbstractTableModel, private GrigliaFlex
{
    Q_OBJECT
public:
    explicit ModelloGriglia(QObject *parent = nullptr);

    // Runs CompilaTabella into the grid; an ErroreRuntime goes to the caller, with the
    // cells written before it in place.
    void Compila(StatoProgetto &s, const QString &separatore);

    const GrigliaMemoria &griglia() const { return m_griglia; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    // GrigliaFlex, reached only through Compila.
    void setRows(int righe) override { m_griglia.setRows(righe); }
    void setCol(int colonna) override { m_griglia.setCol(colonna); }
    void setRow(int riga) override { m_griglia.setRow(riga); }
    void setText(const QString &testo) override { m_griglia.setText(testo); }
    void setCellAlignment(int codice) override { m_griglia.setCellAlignment(codice); }
    void setColWidth(int colonna, int twips) override { m_griglia.setColWidth(colonna, twips); }

    GrigliaMemoria m_griglia;
};

} // namespace windara
