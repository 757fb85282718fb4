#include "analysis/ModelliAnalisi.h"

#include "analysis/Ingressi.h"

#include <QLocale>

#include <cmath>

namespace windara::analisi {

namespace {

// The column captions are the first line of the copy's text, so screen and spreadsheet agree.
QStringList intestazioni(const QString &testo, int larghezza)
{
    QStringList r;
    for (const QString &intestazione : testo.section(u'\n', 0, 0).split(u'\t'))
        r << ACapo(intestazione, larghezza);
    return r;
}

QString numero(std::optional<double> v, int decimali, const QString &separatore)
{
    if (!v || !std::isfinite(*v))
        return {};
    return TestoNumero(*v, decimali, separatore);
}

constexpr Qt::Alignment Numeri = Qt::AlignRight | Qt::AlignVCenter;

} // namespace

ModelloStrati::ModelloStrati(QObject *parent) : QAbstractTableModel(parent)
{
    azzera(20);
}

void ModelloStrati::azzera(double temperatura)
{
    beginResetModel();
    m_righe.clear();
    m_separatore = QLocale().decimalPoint();
    m_intestazioni = intestazioni(TestoTabellaStrati({}, temperatura, m_separatore), 14);
    endResetModel();
}

void ModelloStrati::aggiungi(const std::vector<RigaStrato> &righe)
{
    if (righe.empty())
        return;
    beginInsertRows({}, int(m_righe.size()), int(m_righe.size() + righe.size()) - 1);
    m_righe.insert(m_righe.end(), righe.begin(), righe.end());
    endInsertRows();
}

int ModelloStrati::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_righe.size());
}

int ModelloStrati::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_intestazioni.size());
}

QVariant ModelloStrati::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid() || indice.row() >= rowCount())
        return {};
    if (ruolo == Qt::TextAlignmentRole)
        return QVariant::fromValue(Numeri);
    if (ruolo != Qt::DisplayRole)
        return {};
    const RigaStrato &r = m_righe[indice.row()];
    const QString &s = m_separatore;
    switch (indice.column()) {
    case 0:
        return QString::number(r.strato);
    case 1:
        return QString::number(r.spire);
    case 2:
        return numero(r.spireTotali, 0, s);
    case 3:
        return numero(r.esatta, -1, s);
    case 4:
        return numero(r.wheeler, -1, s);
    case 5:
        return numero(r.scarto, 2, s);
    case 6:
        return numero(r.filo, 3, s);
    case 7:
        return numero(r.resistenzaT, 4, s);
    }
    return {};
}

QVariant ModelloStrati::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento == Qt::Horizontal && ruolo == Qt::DisplayRole)
        return m_intestazioni.value(sezione);
    return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
}

} // namespace windara::analisi
