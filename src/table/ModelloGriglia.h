#pragma once

#include "design/Module1.h"
#include "table/GrigliaValori.h"

#include <QAbstractTableModel>

namespace windara {

// The FlexGrid alignment scale (0 left-top ... 8 right-bottom, 9 general) as Qt flags;
// general and unset codes give no flags, leaving the view's default.
Qt::Alignment AllineamentoFlex(int codice);

// The inductance table as a model: row 0 of the grid is the horizontal header (the
// fixed row), rows 1 to n are the model's rows 0 to n - 1. The fill computes the values
// and the views hear of it once, when it ends, however it ends: a table of 32,766 rows
// costs one reset, not 196,000 notifications. A cell's text is written when a view asks
// for it, which is only for the rows on screen.
class ModelloGriglia : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ModelloGriglia(QObject *parent = nullptr);

    // Fills the grid (GrigliaValori::Compila); an ErroreRuntime goes to the caller, with the
    // cells written before it in place.
    void Compila(StatoProgetto &s, const QString &separatore);

    const GrigliaValori &griglia() const { return m_griglia; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    GrigliaValori m_griglia;
};

} // namespace windara
