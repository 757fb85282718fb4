#pragma once

#include "design/Module1.h"

#include <QString>

class QWidget;

namespace windara {

// The printer as printing a study needs it: the system's dialog, then documents of lines
// in a fixed-pitch font. The program hands the results window the system's printer; tests
// hand it a recording one.
class Stampante
{
public:
    virtual ~Stampante() = default;
    // Shows the printer dialog; false when the user cancels. Gives the copies chosen.
    virtual bool Dialogo(QWidget *finestra, int &copie) = 0;
    virtual void ImpostaFont(const QString &nome, int punti) = 0;
    virtual void Riga(const QString &testo) = 0;
    // Ends one document and sends it to the printer; false when the printer failed.
    virtual bool FineDocumento() = 0;
    // After the last copy; false when the printer failed.
    virtual bool FineStampa() { return true; }
    virtual QString Errore() const { return {}; }
};

// How a print went, for the window to tell the user.
struct EsitoStampa
{
    enum class Stato { DaSalvare, Annullata, Stampata, Fallita };
    Stato stato = Stato::Stampata;
    QString messaggio; // DaSalvare and Fallita: the text to show
};

// The warning shown when printing before a save.
QString AvvisoSalvareStampa();

// Prints the report last saved, line by line, once per copy. Before a save in this opening
// of the results window it prints nothing and asks for the warning. A report that can no
// longer be read and a printer failure come back as Fallita with an Italian message.
EsitoStampa StampaStudio(QWidget *finestra, const StatoProgetto &s, Stampante &stampante);

} // namespace windara
