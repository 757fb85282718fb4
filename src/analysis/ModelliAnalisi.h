#pragma once

#include "analysis/Analisi.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <vector>

// The item models of the analysis window's tables: texts as the copy writes them, with the
// user's decimal separator.
namespace windara::analisi {

// The per-layer table of the real winding, filled row by row as the rows are computed.
class ModelloStrati : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit ModelloStrati(QObject *parent = nullptr);

    void azzera(double temperatura);
    void aggiungi(const std::vector<RigaStrato> &righe);
    const std::vector<RigaStrato> &righe() const { return m_righe; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &indice, int ruolo) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;

private:
    std::vector<RigaStrato> m_righe;
    QStringList m_intestazioni;
    QString m_separatore;
};

} // namespace windara::analisi
