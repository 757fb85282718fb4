#pragma once

#include "report/Stampa.h"

class QPrinter;

namespace windara {

// The real printer: QPrintDialog and QPrinter (printing to a PDF file works as in any Qt
// program). Each document is one copy: the printer itself never multiplies them. Into a
// file the copies follow each other on new pages, since a second document would overwrite
// the first. Not copyable: it owns the printer's state.
class StampanteSistema : public Stampante
{
public:
    StampanteSistema();
    ~StampanteSistema() override;
    StampanteSistema(const StampanteSistema &) = delete;
    StampanteSistema &operator=(const StampanteSistema &) = delete;

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

} // namespace windara
