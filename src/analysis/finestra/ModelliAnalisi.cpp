#include "analysis/finestra/ModelliAnalisi.h"

#include "analysis/finestra/Ingressi.h"

#include "design/Errori.h"
#include "design/Val.h"

#include <QColor>
#include <QFont>
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

std::optional<double> diametro(const QString &testo)
{
    try {
        const double v = Val(testo);
        if (std::isfinite(v))
            return v;
    } catch (const ErroreRuntime &) {
    }
    return std::nullopt;
}

QVariant comeVariante(std::optional<double> v)
{
    return v && std::isfinite(*v) ? QVariant(*v) : QVariant();
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

ModelloObiettivo::ModelloObiettivo(QObject *parent) : QAbstractTableModel(parent)
{
    imposta({});
}

void ModelloObiettivo::imposta(const TabellaObiettivo &tabella)
{
    beginResetModel();
    m_tabella = tabella;
    m_separatore = QLocale().decimalPoint();
    m_intestazioni = intestazioni(TestoObiettivo(TabellaObiettivo{{}, 0, tabella.temperatura, {}}, m_separatore), 10);
    endResetModel();
}

void ModelloObiettivo::impostaFrequenzaLavoro(std::optional<double> hertz)
{
    if (hertz == m_frequenzaLavoro)
        return;
    m_frequenzaLavoro = hertz;
    if (rowCount() > 0)
        emit dataChanged(index(0, Risonanza), index(rowCount() - 1, Risonanza));
}

bool ModelloObiettivo::vicinoRisonanza(const RigaObiettivo &r) const
{
    return m_frequenzaLavoro && r.risonanza && *r.risonanza < 3 * *m_frequenzaLavoro;
}

int ModelloObiettivo::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_tabella.righe.size());
}

int ModelloObiettivo::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : NumeroColonne;
}

QVariant ModelloObiettivo::data(const QModelIndex &indice, int ruolo) const
{
    if (!indice.isValid() || indice.row() >= rowCount())
        return {};
    const RigaObiettivo &r = m_tabella.righe[indice.row()];
    const bool figure = r.motivo.isEmpty();
    const int colonna = indice.column();
    if (ruolo == RuoloGruppo)
        return !figure ? 2 : r.raggiunge ? 0 : 1;
    if (ruolo == Qt::TextAlignmentRole)
        return QVariant::fromValue(colonna == Raggiunge ? Qt::AlignLeft | Qt::AlignVCenter : Numeri);
    if (ruolo == Qt::ToolTipRole && colonna == Raggiunge && !figure)
        return r.motivo;
    if (ruolo == Qt::ToolTipRole && colonna == Raggiunge)
        return r.raggiunge ? QStringLiteral("Il filo raggiunge l'obiettivo con le spire indicate")
                           : QStringLiteral("Il filo non raggiunge l'obiettivo: le cifre sono dell'avvolgimento più "
                                            "pieno che il rocchetto accoglie");
    if (ruolo == Qt::ToolTipRole && colonna == Induttanza && figure)
        return DescrizioneMetodo(r.metodo);
    if (ruolo == Qt::ToolTipRole && (colonna == Capacita || colonna == Risonanza) && figure) {
        if (!r.risonanza)
            return r.motivoCapacita;
        if (colonna == Risonanza && vicinoRisonanza(r))
            return QStringLiteral("f0 sotto tre volte la frequenza di lavoro: l'avvolgimento vi è già lontano da "
                                  "un'induttanza");
        return ModelloCapacita();
    }
    if (ruolo == Qt::BackgroundRole && colonna == Risonanza && figure && vicinoRisonanza(r))
        return QColor(0xf8, 0xd7, 0xd0);
    if (ruolo == Qt::FontRole && colonna == Risonanza && figure && vicinoRisonanza(r)) {
        QFont grassetto;
        grassetto.setBold(true);
        return grassetto;
    }
    if (ruolo != Qt::DisplayRole && ruolo != RuoloOrdine)
        return {};
    const bool testo = ruolo == Qt::DisplayRole;
    const QString &s = m_separatore;
    const auto cella = [&](std::optional<double> v, int decimali) -> QVariant {
        if (!figure)
            return {};
        return testo ? QVariant(numero(v, decimali, s)) : comeVariante(v);
    };
    switch (colonna) {
    case Diametro:
        return testo ? QVariant(QString(r.filo.DiametroNominale).replace(u'.', s))
                     : comeVariante(diametro(r.filo.DiametroNominale));
    case DiametroEsterno:
        return testo ? QVariant(QString(r.filo.DiametroEsternoMax).replace(u'.', s))
                     : comeVariante(diametro(r.filo.DiametroEsternoMax));
    case Raggiunge:
        if (!figure)
            return testo ? QVariant(r.motivo) : QVariant();
        return testo ? QVariant(r.raggiunge ? QStringLiteral("sì") : QStringLiteral("no, al massimo"))
                     : QVariant(r.raggiunge ? 1.0 : 0.0);
    case SpireTotali:
        return cella(r.spireTotali, 0);
    case Strati:
        return cella(r.strati, 0);
    case SpireUltimoStrato:
        return cella(r.spireUltimoStrato, 0);
    case Induttanza:
        return cella(r.induttanza, -1);
    case Filo:
        return cella(r.filo_m, 3);
    case Resistenza:
        return cella(r.resistenzaT, 4);
    case Massa:
        return cella(r.massa, 2);
    case Riempimento:
        return cella(r.riempimento, 1);
    case Capacita:
        return cella(r.capacita, 2);
    case Risonanza:
        return cella(r.risonanza ? std::optional(*r.risonanza / 1e3) : std::nullopt, 1);
    }
    return {};
}

QVariant ModelloObiettivo::headerData(int sezione, Qt::Orientation orientamento, int ruolo) const
{
    if (orientamento == Qt::Horizontal && ruolo == Qt::DisplayRole)
        return m_intestazioni.value(sezione);
    return QAbstractTableModel::headerData(sezione, orientamento, ruolo);
}

bool OrdineObiettivo::lessThan(const QModelIndex &sinistra, const QModelIndex &destra) const
{
    // A descending sort asks lessThan(destra, sinistra): what must keep its place answers
    // the other way round then.
    const bool crescente = sortOrder() == Qt::AscendingOrder;
    const int gs = sinistra.data(ModelloObiettivo::RuoloGruppo).toInt();
    const int gd = destra.data(ModelloObiettivo::RuoloGruppo).toInt();
    if (gs != gd)
        return crescente ? gs < gd : gs > gd;
    const QVariant vs = sinistra.data(ModelloObiettivo::RuoloOrdine);
    const QVariant vd = destra.data(ModelloObiettivo::RuoloOrdine);
    if (vs.isValid() != vd.isValid())
        return crescente ? vs.isValid() : vd.isValid();
    if (!vs.isValid())
        return false;
    return vs.toDouble() < vd.toDouble();
}

} // namespace windara::analisi
