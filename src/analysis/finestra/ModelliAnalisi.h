#pragma once

#include "analysis/Analisi.h"
#include "analysis/Obiettivo.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
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

// The design from a target: one row per catalogue wire. Each cell also gives the number it
// shows (RuoloOrdine) and the row its group (RuoloGruppo), for OrdineObiettivo.
class ModelloObiettivo : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Colonna {
        Diametro,
        DiametroEsterno,
        Raggiunge,
        SpireTotali,
        Strati,
        SpireUltimoStrato,
        Induttanza,
        Filo,
        Resistenza,
        Massa,
        Riempimento,
        Capacita,
        Risonanza,
        NumeroColonne
    };
    static constexpr int RuoloOrdine = Qt::UserRole;
    static constexpr int RuoloGruppo = Qt::UserRole + 1;

    explicit ModelloObiettivo(QObject *parent = nullptr);

    void imposta(const TabellaObiettivo &tabella);
    const TabellaObiettivo &tabella() const { return m_tabella; }
    // The working frequency (Hz): the f0 of a wire below three times it is marked.
    void impostaFrequenzaLavoro(std::optional<double> hertz);
    bool vicinoRisonanza(const RigaObiettivo &r) const;

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &indice, int ruolo) const override;
    QVariant headerData(int sezione, Qt::Orientation orientamento, int ruolo) const override;

private:
    TabellaObiettivo m_tabella;
    std::optional<double> m_frequenzaLavoro;
    QStringList m_intestazioni;
    QString m_separatore;
};

// Sorting of the target table by the numbers, not their texts. The wires that reach the
// target stay above those that cannot, and those lacking data stay last, whichever column
// and direction; within a group, cells without a number go last.
class OrdineObiettivo : public QSortFilterProxyModel
{
    Q_OBJECT
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex &sinistra, const QModelIndex &destra) const override;
};

} // namespace windara::analisi
