#pragma once

#include "analysis/finestra/IngressoAnalisi.h"

#include <QObject>
#include <QString>

#include <memory>

namespace windara {

class FrmBobine;
class Stampante;

namespace ui {
class MemoriaFuoco;
}

// What the analysis window starts from: the main window's design as it stands, the chosen
// wire's catalogue row and the whole catalogue over the main window's connection. What
// cannot be read is a reason in the result, never an exception.
analisi::IngressoAnalisi IngressoAnalisiDi(const FrmBobine &principale);

// The composition root: it builds the main window and, on its commands, the results window
// and the wire table window, each afresh and modal, and hands the results window its
// printer. No window knows another; they meet only here.
class Applicazione : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Applicazione)

public:
    // The program folder holds Database/ and Studi/.
    explicit Applicazione(const QString &cartellaProgramma, QObject *parent = nullptr);
    ~Applicazione() override;

    // Start-up: the main window loads and shows. Raises ErroreRuntime when the catalogue
    // cannot be opened or listed; the window is then not shown.
    void Avvia();

    FrmBobine &principale() const { return *m_principale; }

    // The printer the results window prints to; by default the system's, made the first time
    // a results window opens. Not owned.
    void usaStampante(Stampante *stampante) { m_stampante = stampante; }
    // What opens the analysis window; by default its module's entry, loaded at the first
    // Alt+A. Tests hand in the window they are linked with.
    void usaAnalisi(analisi::ApriAnalisi *apri) { m_apriAnalisi = apri; }

private:
    void apriCalcoli();
    void apriTabella();
    // Alt+A: the analysis window, afresh and modal, on the design as it stands.
    void apriAnalisi();

    QString m_cartella;
    std::unique_ptr<FrmBobine> m_principale;
    ui::MemoriaFuoco *m_fuoco; // owned by the main window
    Stampante *m_stampante = nullptr;
    std::unique_ptr<Stampante> m_stampanteSistema;
    analisi::ApriAnalisi *m_apriAnalisi = nullptr;
};

} // namespace windara
