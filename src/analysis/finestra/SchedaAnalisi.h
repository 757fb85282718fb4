#pragma once

#include "analysis/Avanzamento.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <functional>

class QChart;
class QPagedPaintDevice;
class QPainter;
class QRectF;

// The analysis datasheet: a document made of the sections each page of the window hands in,
// painted page by page on any QPagedPaintDevice (a PDF file, the system printer, the print
// preview). Nothing here touches a widget once the document is built: the painting runs on a
// worker thread as well as on the window's.
namespace windara::analisi {

// One figure as the window writes it: its caption, its text, its unit (empty when it has
// none or the caption carries it).
struct CifraScheda
{
    QString nome, valore, unita;
};

// A table: its header (units in the captions) and its rows, asked for one by one so that a
// table of tens of thousands of rows is never held as text. `riga` is called from the thread
// that paints, and must hold only data it owns.
struct TabellaScheda
{
    QStringList intestazione;
    qsizetype righe = 0;
    std::function<QStringList(qsizetype)> riga;
    bool primaColonnaNomi = false; // the first column names the rows: aligned left
    bool vuota() const { return intestazione.isEmpty(); }
};

// A picture painted into a rectangle of the page, in the device's units; from the thread that
// paints, as for TabellaScheda::riga.
using DisegnoScheda = std::function<void(QPainter &pittore, const QRectF &area)>;

// What one page of the window gives the datasheet, in this order: title, figures, chart,
// table, then its methods and sources.
struct SezioneScheda
{
    QString titolo;
    QList<CifraScheda> cifre;
    DisegnoScheda grafico;
    TabellaScheda tabella;
    QString metodo; // paragraphs separated by '\n'
};

struct DocumentoScheda
{
    QString titolo;
    QString data;
    QList<CifraScheda> progetto; // the design the analysis is of
    QList<SezioneScheda> sezioni;
};

// A chart as plain data, taken from a QChart on the window's thread and painted anywhere.
struct AsseGrafico
{
    QString titolo;
    double minimo = 0, massimo = 1;
    bool logaritmico = false;
};
struct CurvaGrafico
{
    QString nome;
    QColor colore;
    bool tratteggiata = false;
    bool destra = false; // on the second vertical axis
    QList<QPointF> punti;
};
struct DatiGrafico
{
    QString titolo;
    AsseGrafico x, y, y2;
    bool secondoAsse = false;
    QList<CurvaGrafico> curve;
    QString separatore = QStringLiteral("."); // decimal separator of the axis labels
};

// The line series of `grafico` with their axes, names and pens. On the window's thread.
DatiGrafico DatiDaGrafico(const QChart &grafico);
// The chart with its title, axes, ticks and legend, the curves as vector paths.
void DisegnaGrafico(QPainter &pittore, const QRectF &area, const DatiGrafico &grafico);
DisegnoScheda DisegnoDi(DatiGrafico grafico);

// The last section of every datasheet: the methods of the analysis and their sources.
SezioneScheda SezioneFonti();

struct ImpaginazioneScheda
{
    int pagine = 0;
    // Rows of the longest table on each of its full pages (all of them one line high).
    int righePerPagina = 0;
    bool completa = false; // false when cancelled
};

// A4 portrait, 15 mm margins, a footer with the page number on every page; the tables split
// across pages with their header repeated. Lays the document out once to count the pages,
// then paints it; `avanzamento` follows the rows painted, and its cancellation stops after
// the current row (the pages so far stay on the device: the caller discards them).
ImpaginazioneScheda DisegnaScheda(QPagedPaintDevice &dispositivo, const DocumentoScheda &documento,
                                  const Avanzamento &avanzamento = {});

} // namespace windara::analisi
