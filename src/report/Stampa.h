#pragma once

#include "design/Module1.h"

#include <QString>

#include <limits>

class QWidget;

namespace windara {

// The printer as printing a study needs it: the system's dialog, then documents of lines
// in a fixed-pitch font, page by page. The program hands the results window the system's
// printer; tests hand it a recording one.
class Stampante
{
public:
    virtual ~Stampante() = default;
    // The report about to be printed, before the dialog: its file name titles the job and,
    // printed to a file, names the PDF offered beside it.
    virtual void Documento(const QString & /*percorsoStudio*/) {}
    // Shows the printer dialog; false when the user cancels. Gives the copies chosen.
    virtual bool Dialogo(QWidget *finestra, int &copie) = 0;
    virtual void ImpostaFont(const QString &nome, int punti) = 0;
    // How many lines of that font a page holds. The flow breaks the pages itself, so the
    // pages it counts and shows are the pages printed.
    virtual int RighePerPagina() { return std::numeric_limits<int>::max(); }
    virtual void NuovaPagina() {}
    virtual void Riga(const QString &testo) = 0;
    // Ends one document and sends it to the printer; false when the printer failed.
    virtual bool FineDocumento() = 0;
    // After the last copy; false when the printer failed.
    virtual bool FineStampa() { return true; }
    // Gives up the print under way, after a cancel or a failure: what has not gone out is
    // dropped, and a file being printed is left as it was. Says in Italian what had
    // already gone out, if anything had.
    virtual QString Annulla() { return {}; }
    virtual QString Errore() const { return {}; }
};

// What the window shows of a print under way: a question before a long one, the progress
// page by page, and the user's cancel.
class AvanzamentoStampa
{
public:
    virtual ~AvanzamentoStampa() = default;
    // Asked before printing more than PagineSenzaDomanda pages in all; true to go on.
    virtual bool Conferma(int pagineCopia, int copie) = 0;
    // Before each page, `pagina` of `totale` counted over every copy; false once the user
    // has cancelled. The window handles its events here.
    virtual bool Pagina(int pagina, int totale) = 0;
};

// A print of more pages than this is asked about first.
inline constexpr int PagineSenzaDomanda = 50;

// How a print went, for the window to tell the user.
struct EsitoStampa
{
    enum class Stato { DaSalvare, Annullata, Stampata, Fallita };
    Stato stato = Stato::Stampata;
    QString messaggio; // the text to show: always for DaSalvare and Fallita, for Annullata
                       // when something had already gone out
};

// The warning shown when printing before a save.
QString AvvisoSalvareStampa();

// Prints the report last saved, line by line, once per copy. Before a save in this opening
// of the results window it prints nothing and asks for the warning. A report that can no
// longer be read and a printer failure come back as Fallita with an Italian message. With
// `avanzamento`, a long print is asked about first, and a cancel stops it before the next
// page: Annullata, with what had already gone out, if anything.
EsitoStampa StampaStudio(QWidget *finestra, const StatoProgetto &s, Stampante &stampante,
                         AvanzamentoStampa *avanzamento = nullptr);

} // namespace windara
