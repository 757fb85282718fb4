#pragma once

#include "analysis/Analisi.h"

#include <QWidget>

#include <optional>
#include <vector>

class QLabel;
class QTableView;
class QTableWidget;
class QTimer;

namespace windara::analisi {

class BarraLavoro;
class GraficoStrati;
class IngressiComuni;
class Lavoratore;
class ModelloStrati;

// The page "Riepilogo": at the window's temperature and winding style, the summary's three columns,
// the per-layer table of the real winding and the chart of inductance against layers. A
// summary of up to 5,000 turns shows at once; everything else comes from a worker thread, row
// by row, and a new input cancels what was still being computed.
class PaginaRiepilogo : public QWidget
{
    Q_OBJECT
public:
    // `avviso`: what the window could not read from the catalogue, if anything; `comuni`:
    // the window's temperature and style.
    PaginaRiepilogo(const DatiAnalisi &dati, const QString &avviso, IngressiComuni *comuni, QWidget *parent = nullptr);
    ~PaginaRiepilogo() override;

    QWidget *primoIngresso() const;
    Stile stile() const;
    // The summary and then the per-layer table as tab-separated text; empty while there is
    // no summary.
    QString testoCopia() const;
    // Waits a few milliseconds for the summary being computed when it is of up to 5,000
    // turns, so that it shows at once.
    void attendiRiepilogo();
    // The last summary, when there is one.
    const std::optional<Riepilogo> &riepilogo() const { return m_riepilogo; }
    // Why there is no summary, while there is none.
    const QString &motivo() const { return m_motivo; }

signals:
    // A new summary (or none, while one is computed or the inputs are bad).
    void riepilogoCambiato();

private:
    void ricalcola(bool attendi = true);
    void mostraRiepilogo(const Riepilogo &r);
    // Every figure of the summary replaced by the same sentence.
    void mostraMotivo(const QString &motivo, double temperatura);
    // The reason under the table, whole: a cell shows only its first words.
    void scriviMotivo();
    void aggiungiRighe(Colonna colonna, const std::vector<RigaStrato> &righe);
    void fineTabella(Colonna colonna, Metodo metodo, const QString &motivo);
    void annullato();
    void scriviMetodo();

    DatiAnalisi m_dati;
    QString m_avviso;
    bool m_rapido; // the summary is worth waiting for
    std::optional<Riepilogo> m_riepilogo;
    QString m_motivo;
    QString m_metodoTabella; // the per-layer table's method, or why it is missing

    Lavoratore *m_lavoratore;
    QTimer *m_attesa;
    IngressiComuni *m_comuni;
    QLabel *m_avvolgimento;
    BarraLavoro *m_barra;
    QTableWidget *m_cifre;
    QLabel *m_metodo;
    ModelloStrati *m_modello;
    QTableView *m_strati;
    GraficoStrati *m_grafico;
};

} // namespace windara::analisi
