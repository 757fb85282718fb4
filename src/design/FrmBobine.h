#pragma once

#include "design/Limiti.h"
#include "report/Studio.h"

#include <QLabel>
#include <QMainWindow>

#include <functional>

class QComboBox;
class QGroupBox;
class QLineEdit;
class QAction;

namespace windara {

namespace ui {
class BarraStrumenti;
}

// A label whose caption setter runs its change handler before returning, as the
// recomputation relies on.
class Didascalia : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
    void setCaption(const QString &testo);
    QString caption() const { return text(); }
    std::function<void()> Change;
};

// The program's start-up window: the bobbin dimensions, the wire choice, the live
// limits and the three commands.
class FrmBobine : public QMainWindow, private VistaLimiti
{
    Q_OBJECT
public:
    // The program folder holds Database/ and Studi/.
    explicit FrmBobine(const QString &cartellaProgramma, QWidget *parent = nullptr);
    ~FrmBobine() override;

    // Start-up: opens and lists the catalogue, selects the first wire and runs the first
    // recomputation. Raises ErroreRuntime when the catalogue cannot be opened or listed.
    void Form_Load();

    // What a study report copies from this window.
    TestiStudio testiStudio() const;

    const QString &cartellaProgramma() const { return m_cartella; }
    int NumeroRecord() const { return m_numeroRecord; }
    const QString &DiametroSelezionato() const { return m_diametroSelezionato; }

    // How the commands end the program and open the other windows; tests replace them.
    std::function<void()> Esci;
    std::function<void()> Calcola;
    std::function<void()> Visualizza;

protected:
    void closeEvent(QCloseEvent *evento) override;

private:
    void creaControlli();
    void txtDiametro1_Click();
    void txtDiametro_Change();
    void RecalcoloLimiti(bool conRicerca);
    void Toolbar1_ButtonClick(int indice);
    TestiLimiti testiLimiti() const;

    // VistaLimiti
    void AggiornaComandoCalcola(bool abilitato) override;
    void ImpostaDidascalia(Risultato r, const QString &testo) override;
    void PrimaDellaResistenza() override;

    QString m_cartella;
    int m_numeroRecord = 0;
    QString m_diametroSelezionato;
    bool m_ricercaFallita = false;

    ui::BarraStrumenti *Toolbar1 = nullptr;
    QAction *mnuCrea = nullptr;
    QAction *mnuvisualizza = nullptr;
    QAction *MnuEsci = nullptr;
    QComboBox *txtDiametro1 = nullptr;
    Didascalia *txtDiametro = nullptr;
    QLineEdit *txtAltezza = nullptr;
    QLineEdit *txtB = nullptr;
    QLineEdit *txtL = nullptr;
    Didascalia *m_risultati[NumeroRisultati] = {};
};

} // namespace windara
