#pragma once

#include "analysis/finestra/IngressoAnalisi.h"
#include "ui/Finestra.h"

class QAction;
class QTabWidget;

namespace windara {

namespace ui {
class BarraStrumenti;
}

namespace analisi {
class IngressiComuni;
class PaginaFrequenza;
class PaginaObiettivo;
class PaginaRiepilogo;
} // namespace analisi

// The winding analysis window: three pages, "Riepilogo", "Progetto da induttanza" and
// "Frequenza", and the command that copies what the page shows for a spreadsheet. Built
// afresh for every opening and shown modally; the heavy computations run in worker threads,
// which closing the window cancels and joins.
class frmAnalisi : public ui::FinestraSecondaria
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAnalisi)

public:
    explicit frmAnalisi(const analisi::IngressoAnalisi &ingresso, QWidget *parent = nullptr);
    ~frmAnalisi() override;

    // Ctrl+C: the target table on the page "Progetto da induttanza", the summary and the
    // per-layer table elsewhere.
    void Copia();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void creaControlli(const analisi::IngressoAnalisi &ingresso);
    void Toolbar1_ButtonClick(int indice);
    void paginaAperta(int indice);
    // The next page (1) or the previous one (-1), round.
    void cambiaPagina(int verso);

    analisi::IngressiComuni *m_comuni = nullptr;
    QTabWidget *m_pagine = nullptr;
    analisi::PaginaRiepilogo *m_riepilogo = nullptr;
    analisi::PaginaObiettivo *m_obiettivo = nullptr;
    analisi::PaginaFrequenza *m_frequenza = nullptr;
    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *MnuCopia = nullptr;
    QAction *MnuPrecedente = nullptr;
};

namespace analisi {
// The window, afresh and modal over `padre`, on `ingresso`: the module's entry, and what
// tests hand the composition root.
void ApriFinestraAnalisi(const IngressoAnalisi &ingresso, QWidget *padre);
} // namespace analisi

} // namespace windara
