#pragma once

#include "analysis/Analisi.h"
#include "catalogue/Catalogo.h"
#include "ui/Finestra.h"

#include <QList>

class QAction;
class QTabWidget;

namespace windara {

namespace ui {
class BarraStrumenti;
}

namespace analisi {
class PaginaFrequenza;
class PaginaObiettivo;
class PaginaRiepilogo;

// What the analysis window starts from, gathered by the composition root.
struct IngressoAnalisi
{
    DatiAnalisi dati;         // the main window's design and the chosen wire's catalogue row
    QList<FiloRame> catalogo; // every wire, for the design from a target
    QString motivoFilo;       // why the wire's row could not be read, if it could not
    QString motivoCatalogo;   // why the catalogue could not be listed, if it could not
};
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

    QTabWidget *m_pagine = nullptr;
    analisi::PaginaRiepilogo *m_riepilogo = nullptr;
    analisi::PaginaObiettivo *m_obiettivo = nullptr;
    analisi::PaginaFrequenza *m_frequenza = nullptr;
    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *MnuCopia = nullptr;
    QAction *MnuPrecedente = nullptr;
};

} // namespace windara
