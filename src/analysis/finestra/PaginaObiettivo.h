#pragma once

#include "analysis/Analisi.h"
#include "analysis/Obiettivo.h"

#include <QList>
#include <QWidget>

class QLabel;
class QTableView;
class QTimer;

namespace windara::analisi {

class BarraLavoro;
class CampoIngresso;
class IngressiComuni;
class Lavoratore;
class ModelloObiettivo;
class OrdineObiettivo;

// The page "Progetto da induttanza": a target inductance, at the window's temperature and style; for every
// catalogue wire, the smallest real winding on this bobbin that reaches the target, with its
// self-capacitance and f0. Computed in a worker thread as the target is typed; the table
// sorts by any column. An optional working frequency marks the wires whose f0 is below
// three times it, without computing again.
class PaginaObiettivo : public QWidget
{
    Q_OBJECT
public:
    // `avviso`: why the catalogue could not be listed, if it could not; `comuni`: the
    // window's temperature and style.
    PaginaObiettivo(const DatiAnalisi &dati, const QList<FiloRame> &catalogo, const QString &avviso,
                    IngressiComuni *comuni, QWidget *parent = nullptr);
    ~PaginaObiettivo() override;

    QWidget *primoIngresso() const;
    // The table as shown (in its current order) as tab-separated text; empty while there is
    // no table.
    QString testoCopia() const;

private:
    void ricalcola();
    void mostra(const TabellaObiettivo &t);
    void mostraMotivo(const QString &motivo);
    void adattaColonne();
    void leggiFrequenzaLavoro();

    DatiAnalisi m_dati;
    QList<FiloRame> m_catalogo;
    QString m_avviso;
    bool m_tabellaPronta = false;

    Lavoratore *m_lavoratore;
    QTimer *m_attesa;
    IngressiComuni *m_comuni;
    CampoIngresso *m_obiettivo;
    CampoIngresso *m_frequenzaLavoro;
    QLabel *m_motivoLavoro;
    QLabel *m_avvolgimento;
    BarraLavoro *m_barra;
    QLabel *m_messaggio;
    ModelloObiettivo *m_modello;
    OrdineObiettivo *m_ordine;
    QTableView *m_tabella;
};

} // namespace windara::analisi
