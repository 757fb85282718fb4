#pragma once

#include "catalogue/Catalogo.h"

#include "ui/Finestra.h"

class QAction;
class QSqlQueryModel;
class QTableView;

namespace windara {

namespace ui {
class BarraStrumenti;
}

// The wire table window: the whole catalogue in a read-only grid, sorted ascending or
// descending by nominal diameter. Built afresh for every opening; building it is its
// load, which reopens the shared connection DatabaseFili (left open for the main window
// when this window goes) and lists the table on a private connection of its own.
class frmtabella : public ui::FinestraSecondaria
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmtabella)

public:
    // The program folder holds Database/. Raises ErroreRuntime, with the catalogue's own
    // Italian message, when the catalogue cannot be opened or listed.
    explicit frmtabella(const QString &cartellaProgramma, QWidget *parent = nullptr);
    ~frmtabella() override;

    // The grid's private connection, closed when the window goes.
    const QString &connessioneGriglia() const { return m_connessione; }

private:
    void creaControlli();
    void Form_Load();
    // Gives the grid's source a new query text and refreshes it.
    void Aggiorna(Ordinamento ordine);
    void Ordina(Ordinamento ordine);
    void Toolbar1_ButtonClick(int indice);

    QString m_cartella;
    QString m_connessione;

    QSqlQueryModel *Data1 = nullptr;
    QTableView *DBGrid1 = nullptr;
    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *MnuCrescente = nullptr;
    QAction *MnuDecrescente = nullptr;
    QAction *MnuPrecedente = nullptr;
};

} // namespace windara
