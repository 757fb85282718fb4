#pragma once

#include "design/Limiti.h"
#include "report/Studio.h"

#include <QDeadlineTimer>
#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QStatusBar;

namespace windara {

namespace ui {
class BarraStrumenti;
class EtichettaValore;
} // namespace ui

// The program's start-up window: the bobbin dimensions, the wire choice, the live limits
// and the four commands. It computes nothing itself: the core recomputes the limits into
// a record of captions, and the window paints its labels from that record. The commands
// are signals; the program's composition root opens the other windows.
class FrmBobine : public QMainWindow
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FrmBobine)

public:
    // The program folder holds Database/ and Studi/.
    explicit FrmBobine(const QString &cartellaProgramma, QWidget *parent = nullptr);
    ~FrmBobine() override;

    // Start-up: opens and lists the catalogue, selects the first wire and runs the first
    // recomputation. Raises ErroreRuntime when the catalogue cannot be opened or listed.
    void Form_Load();

    // What a study report copies from this window, as it stands now.
    TestiStudio testiStudio() const;
    // The texts the recomputation reads, as they stand now.
    TestiLimiti testiLimiti() const;

    const QString &cartellaProgramma() const { return m_cartella; }
    int NumeroRecord() const { return m_numeroRecord; }
    const QString &DiametroSelezionato() const { return m_diametroSelezionato; }
    // How far the last recomputation went, and the captions it left.
    const EsitoLimiti &esitoLimiti() const { return m_esito; }
    const DidascalieLimiti &didascalie() const { return m_didascalie; }
    // Why the design state is not the design typed (the last recomputation stopped early);
    // empty when it is. What the results window is told.
    const QString &causaArresto() const { return m_arresto; }
    // The line under the captions; empty when the figures stand for the design typed.
    const QString &avviso() const { return m_avviso; }

signals:
    void Calcola();
    void Visualizza();
    void Analisi();
    void Esci();

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void creaControlli();
    void txtDiametro1_Click();
    void txtDiametro_Change();
    // Runs the recomputation with the texts of the window and paints the labels.
    void Ricalcola(const EsitoRicerca &ricerca);
    // The resistance per metre of the chosen wire, looked up in the catalogue.
    EsitoRicerca CercaResistenza();
    void Toolbar1_ButtonClick(int indice);
    void dipingi();

    QString m_cartella;
    int m_numeroRecord = 0;
    QString m_diametroSelezionato;
    DidascalieLimiti m_didascalie;
    EsitoLimiti m_esito;
    QString m_arresto;
    QString m_avviso;
    bool m_ricercaSegnalata = false;
    QDeadlineTimer m_prossimoTentativo{0}; // no automatic lookup before it

    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *mnuCrea = nullptr;
    QAction *mnuvisualizza = nullptr;
    QAction *mnuAnalisi = nullptr;
    QAction *MnuEsci = nullptr;
    QComboBox *txtDiametro1 = nullptr;
    QLabel *txtDiametro = nullptr;
    QLineEdit *txtAltezza = nullptr;
    QLineEdit *txtB = nullptr;
    QLineEdit *txtL = nullptr;
    ui::EtichettaValore *m_risultati[NumeroRisultati] = {};
    QLabel *Avviso = nullptr;
};

} // namespace windara
