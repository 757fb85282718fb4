#include "table/ModelloGriglia.h"

#include <QScopeGuard>

namespace windara {

Qt::Alignment AllineamentoFlex(int codice)
{
    if (codice < 0 || codice > 8)
        return {};
    static constexpr Qt::AlignmentFlag orizzontale[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag verticale[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return orizzontale[codice / 3] | verticale[codice % 3];
}

ModelloGriglia::ModelloGriglia(QObject *parent) : QAbstractTableModel(parent)
{}

void ModelloGriglia::Compila(StatoProgetto &s, const QString &separatore)
{
    beginResetModel();
    const auto fine = qScopeGuard([this] { endResetModel(); });
    m_griglia.Compila(s, separatore);
}

int ModelloGriglia::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_griglia.rows() - 1;
}

int ModelloGriglia::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColonneTabella;
}

namespace {

QVariant Allineamento(int codice)
{
    const Qt::Alignment a = AllineamentoFlex(codice);
    return a ? QVariant(a.toInt()) : QVariant();
}

} // namespace

QVariant ModelloGriglia::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const int riga = index.row() + 1;
    switch (role) {
    case Qt::DisplayRole:
        return m_griglia.text(riga, index.column());
    case Qt::TextAlignmentRole:
        return Allineamento(m_griglia.alignment(riga, index.column()));
    default:
        return {};
    }
}

QVariant ModelloGriglia::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColonneTabella)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_griglia.text(0, section);
    case Qt::TextAlignmentRole:
        return Allineamento(m_griglia.alignment(0, section));
    default:
        return {};
    }
}

Qt::ItemFlags ModelloGriglia::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

} // namespace windara
