#pragma once

#include "analysis/Analisi.h"
#include "ui/Finestra.h"

class QAction;
class QTabWidget;

namespace windara {

namespace ui {
class BarraStrumenti;
}

namespace analisi {
class PaginaRiepilogo;

// What the analysis window starts from, gathered by the composition root.
struct IngressoAnalisi
{
    DatiAnalisi dati;   // the main window's design and the chosen wire's catalogue row
    QString motivoFilo; // why the wire's row could not be read, if it could not
};
} // namespace analisi

// The winding analysis window: the page "Riepilogo", and the command that copies what it
// shows for a spreadsheet. Built afresh for every opening and shown modally; the heavy
// computations run in worker threads, which closing the window cancels and joins.
class frmAnalisi : public ui::FinestraSecondaria
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmAnalisi)

public:
    explicit frmAnalisi(const analisi::IngressoAnalisi &ingresso, QWidget *parent = nullptr);
    ~frmAnalisi() override;

    // Ctrl+C: the summary and the per-layer table.
    void Copia();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void creaControlli(const analisi::IngressoAnalisi &ingresso);
    void Toolbar1_ButtonClick(int indice);

    QTabWidget *m_pagine = nullptr;
    analisi::PaginaRiepilogo *m_riepilogo = nullptr;
    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *MnuCopia = nullptr;
    QAction *MnuPrecedente = nullptr;
};

} // namespace windara
