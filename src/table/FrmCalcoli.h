#pragma once

#include "report/Studio.h"

#include "ui/Finestra.h"

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QTableView;

namespace windara {

class ModelloGriglia;
class Stampante;

namespace ui {
class BarraStrumenti;
}

// The results window: the inductance table of the current design, the two formulas it
// rests on, and the commands to save, print and go back. Built afresh for every opening;
// building it is its load (the study starts unsaved and the table is filled from the
// design state), so a caller only shows it modally and destroys it.
class frmCalcoli : public ui::FinestraSecondaria
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(frmCalcoli)

public:
    // The program folder holds Studi/; `testi` is what the report copies from the main
    // window, which cannot change while this modal window is open; printing goes to
    // `stampante` (not owned). `arresto` says why the design state is not the design typed
    // (the main window's last recomputation stopped early); empty when it is.
    frmCalcoli(const QString &cartellaProgramma, const TestiStudio &testi, Stampante *stampante,
               const QString &arresto = {}, QWidget *parent = nullptr);
    ~frmCalcoli() override;

    const ModelloGriglia &modello() const { return *m_modello; }
    // The line above the grid: why the table is not the design typed or holds no winding.
    QString avviso() const;

private:
    void creaControlli();
    void Form_Load();
    void Toolbar1_ButtonClick(int indice);
    void Salva();
    void Stampa();

    QString m_cartella;
    TestiStudio m_testi;
    Stampante *m_stampante = nullptr;
    QString m_arresto;

    ModelloGriglia *m_modello = nullptr;
    QTableView *MSFlexGrid1 = nullptr;
    QLabel *Avviso = nullptr;
    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *MnuSalva = nullptr;
    QAction *MnuStampa = nullptr;
    QAction *MnuPrecedente = nullptr;
};

} // namespace windara
