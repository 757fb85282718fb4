#pragma once

#include "analysis/finestra/SchedaAnalisi.h"
#include "design/Limiti.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QAbstractItemModel;
class QChartView;
class QIODevice;

// What the analysis window writes to files: the datasheet, a chart, a table.
namespace windara {

class ScritturaAtomica;

namespace analisi {

// The name of a file of the analysis: the study report's name of the same design, with
// `coda` ("-analisi.pdf") in place of its ".txt".
QString NomeEsportazione(const TestiLimiti &testi, const QString &coda);

// A file written whole or not at all at `percorso` (see ScritturaAtomica): in the folder of
// the studies never through a link. `scrivi` writes the bytes and returns false to give up
// (then nothing is left). Empty on success, else why not, in Italian, naming the file.
QString ScriviFile(const QString &cartellaStudi, const QString &percorso,
                   const std::function<bool(QIODevice &)> &scrivi);

// The chart as it shows: SVG as vectors at its size on screen, PNG at twice that size.
QByteArray SvgGrafico(QChartView &vista);
QByteArray PngGrafico(QChartView &vista);

// A table of the window as the datasheet and the CSV take it: its header on one line per
// caption and its rows as the view writes them. The per-layer table's rows are written when
// asked for, from a copy of its numbers; any other model's texts are copied now.
TabellaScheda TabellaDaModello(const QAbstractItemModel &modello);

} // namespace analisi
} // namespace windara
