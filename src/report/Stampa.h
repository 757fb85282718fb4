#pragma once

#include "design/Module1.h"

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace windara {

// The printer as printing a study needs it: the system's dialog, then documents of
// lines in a fixed-pitch font. Tests put a recording printer in its place.
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

// The real printer: QPrintDialog and QPrinter (printing to a PDF file works as in any
// Qt program). Each document is one copy: the printer itself never multiplies them.
// Into a file the copies follow each other on new pages, since a second document would
// overwrite the first.
class StampanteSistema : public Stampante
{
public:
    StampanteSistema();
    ~StampanteSistema() override;
    bool Dialogo(QWidget *finestra, int &copie) override;
    void ImpostaFont(const QString &nome, int punti) override;
    void Riga(const QString &testo) override;
    bool FineDocumento() override;
    bool FineStampa() override;
    QString Errore() const override;

    // The printer the dialog configures; tests point it at a PDF file.
    QPrinter &printer();

    class Dettagli;

private:
    Dettagli *d;
};

// The warning shown when printing before a save.
QString AvvisoSalvareStampa();

// Prints the report last saved, line by line, once per copy. Before a save in this
// opening of the results window it only warns. A report that can no longer be read or
// a printer failure is told to the user in Italian.
void StampaStudio(QWidget *finestra, const StatoProgetto &s, Stampante &stampante);

} // namespace windara
