#pragma once

#include "analysis/Analisi.h"
#include "catalogue/Catalogo.h"

#include <QList>
#include <QString>

#include <functional>

class QPagedPaintDevice;

class QWidget;

namespace windara::analisi {

// What the analysis window starts from, gathered by the composition root.
struct IngressoAnalisi
{
    DatiAnalisi dati;          // the main window's design and the chosen wire's catalogue row
    QList<FiloRame> catalogo;  // every wire, for the design from a target
    QString motivoFilo;        // why the wire's row could not be read, if it could not
    QString motivoCatalogo;    // why the catalogue could not be listed, if it could not
    QString cartellaProgramma; // holds Studi/, where the analysis' files are offered
    // Qt's print preview of a document painted page by page, printing from there; it lives in
    // the printer's module, loaded on first use. Empty: there is no preview.
    std::function<void(const QString &titolo, const std::function<void(QPagedPaintDevice &)> &pagine,
                       QWidget *finestra)>
        anteprima;
};

// The analysis window is a module of the program folder, loaded at the first Alt+A: with it
// come Qt Charts and the OpenGL libraries, which every start-up would otherwise load.
inline constexpr char ModuloAnalisi[] = "libwindara_analisi.so";
// Its one entry: the window, afresh and modal over `padre`, on `ingresso`.
inline constexpr char VoceApriAnalisi[] = "windara_ApriAnalisi";
using ApriAnalisi = void(const IngressoAnalisi &ingresso, QWidget *padre);

} // namespace windara::analisi
