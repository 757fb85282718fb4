#pragma once

#include "analysis/finestra/IngressoAnalisi.h"
#include "analysis/finestra/SchedaAnalisi.h"
#include "ui/Finestra.h"

#include <functional>

class QAction;
class QChartView;
class QTabWidget;
class QTableView;

namespace windara {

namespace ui {
class BarraStrumenti;
}

namespace analisi {
class PaginaCorrente;
class IngressiComuni;
class BarraLavoro;
class Lavoratore;
class PaginaFrequenza;
class PaginaObiettivo;
class PaginaRiepilogo;
} // namespace analisi

// The winding analysis window: four pages, "Riepilogo", "Progetto da induttanza",
// "Frequenza" and "Corrente e temperatura", and the command that copies what the page shows for a spreadsheet. Built
// afresh for every opening and shown modally; the heavy computations run in worker threads,
// which closing the window cancels and joins.
class frmAnalisi : public ui::FinestraSecondaria
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAnalisi)

public:
    explicit frmAnalisi(const analisi::IngressoAnalisi &ingresso, QWidget *parent = nullptr);
    ~frmAnalisi() override;

    // Ctrl+C: the target table on the page "Progetto da induttanza", the figures under
    // current and their chart's points on "Corrente e temperatura", the summary and the
    // per-layer table elsewhere.
    void Copia();

    // File → Salva scheda PDF (Ctrl+S): the datasheet, written on a worker thread with its
    // progress and a cancel; Anteprima di stampa (Ctrl+Shift+P): the same pages in Qt's print
    // preview. Salva grafico, Salva tabella CSV: the chart or table of the page that has the
    // focus (or its first), also from each one's context menu.
    void SalvaScheda();
    void AnteprimaScheda();
    void SalvaGrafico(QChartView *grafico = nullptr);
    void SalvaTabella(QTableView *tabella = nullptr);
    // The datasheet of what the window shows now, from every page's sections.
    analisi::DocumentoScheda documentoScheda() const;

    // What asks the user for a file to write: (title, proposed path, filters) to the path
    // chosen, empty when cancelled. A file dialog by default, which asks before replacing a
    // file; tests hand in their choice.
    using SceltaFile = std::function<QString(const QString &titolo, const QString &proposta, const QString &filtri)>;
    void usaSceltaFile(SceltaFile scelta) { m_sceltaFile = std::move(scelta); }

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void creaControlli(const analisi::IngressoAnalisi &ingresso);
    void Toolbar1_ButtonClick(int indice);
    void paginaAperta(int indice);
    // The next page (1) or the previous one (-1), round.
    void cambiaPagina(int verso);
    void creaEsportazioni();
    QString scegliFile(const QString &titolo, const QString &nome, const QString &filtri) const;
    // Writes a file on the window's worker: `scrivi` runs there and returns false when stopped.
    void scriviInSfondo(const QString &fase, const QString &percorso,
                        std::function<bool(QIODevice &, const analisi::Avanzamento &)> scrivi);

    analisi::IngressiComuni *m_comuni = nullptr;
    QTabWidget *m_pagine = nullptr;
    analisi::PaginaRiepilogo *m_riepilogo = nullptr;
    analisi::PaginaObiettivo *m_obiettivo = nullptr;
    analisi::PaginaFrequenza *m_frequenza = nullptr;
    analisi::PaginaCorrente *m_corrente = nullptr;
    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *MnuCopia = nullptr;
    QAction *MnuPrecedente = nullptr;
    QAction *MnuScheda = nullptr;
    QAction *MnuAnteprima = nullptr;
    QAction *MnuGrafico = nullptr;
    QAction *MnuTabella = nullptr;
    analisi::IngressoAnalisi m_ingresso;
    analisi::Lavoratore *m_scrittura = nullptr;
    analisi::BarraLavoro *m_barraScrittura = nullptr;
    SceltaFile m_sceltaFile;
};

namespace analisi {
// The window, afresh and modal over `padre`, on `ingresso`: the module's entry, and what
// tests hand the composition root.
void ApriFinestraAnalisi(const IngressoAnalisi &ingresso, QWidget *padre);
} // namespace analisi

} // namespace windara
