#pragma once

#include "report/Stampa.h"

#include <functional>

class QPagedPaintDevice;
class QPrinter;

namespace windara {

// The real printer: QPrintDialog and QPrinter. The job is titled with the report's file
// name, and a print to a file is offered as a PDF of the same name beside the report. Each
// document is one copy: the printer itself never multiplies them. Into a file the copies
// follow each other on new pages, since a second document would overwrite the first, and
// the file is replaced only once complete: a cancelled or failed print leaves what was
// there before. Not copyable: it owns the printer's state.
class StampanteSistema : public Stampante
{
public:
    StampanteSistema();
    ~StampanteSistema() override;
    StampanteSistema(const StampanteSistema &) = delete;
    StampanteSistema &operator=(const StampanteSistema &) = delete;

    void Documento(const QString &percorsoStudio) override;
    bool Dialogo(QWidget *finestra, int &copie) override;
    void ImpostaFont(const QString &nome, int punti) override;
    int RighePerPagina() override;
    void NuovaPagina() override;
    void Riga(const QString &testo) override;
    bool FineDocumento() override;
    bool FineStampa() override;
    QString Annulla() override;
    QString Errore() const override;

    // The printer the dialog configures; tests point it at a PDF file.
    QPrinter &printer();

    class Dettagli;

private:
    Dettagli *d;
};

// The system printer is a module of the program folder, loaded when the first results
// window opens: with it comes Qt Print Support, which every start-up would otherwise load.
inline constexpr char ModuloStampa[] = "libwindara_stampa.so";
// Its one entry: a new system printer, which the caller owns.
inline constexpr char VoceNuovaStampante[] = "windara_NuovaStampante";
using NuovaStampante = Stampante *();

// Its second entry: Qt's print preview of a document that `pagine` paints page by page on the
// printer, modal over `finestra`, printing from there on the system printer; the job is
// titled `titolo`.
inline constexpr char VoceAnteprima[] = "windara_Anteprima";
using Anteprima = void(const QString &titolo, const std::function<void(QPagedPaintDevice &)> &pagine,
                       QWidget *finestra);
void AnteprimaStampa(const QString &titolo, const std::function<void(QPagedPaintDevice &)> &pagine, QWidget *finestra);

} // namespace windara
