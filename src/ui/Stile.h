#pragma once

#include <QColor>
#include <QFont>

class QTableView;

namespace windara::ui {

// A colour written as &H00BBGGRR&: red in the low byte.
constexpr QColor ColoreVB(quint32 bbggrr) noexcept
{
    return QColor(int(bbggrr & 0xFF), int((bbggrr >> 8) & 0xFF), int((bbggrr >> 16) & 0xFF));
}

// Arial at a size in points, falling back to the metric-compatible Liberation Sans,
// so that captions laid out in twips fit their controls.
QFont FontArial(qreal punti, bool grassetto = false);

// Reads the system's font configuration and font caches, which the first font would
// otherwise wait for; from any thread, before the application object exists. Does nothing
// where the fonts do not come from fontconfig.
void PreparaCaratteri();

// A table whose grid lines are drawn in a colour of its own, everything else as the
// application's style draws it: the same pixels as the style sheet "gridline-color", without
// putting the style-sheet engine on the table and on every widget inside it, which costs at
// every opening and every paint.
void ColoreGriglia(QTableView *tabella, const QColor &colore);

} // namespace windara::ui
