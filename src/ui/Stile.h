#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

class QComboBox;
class QLabel;
class QWidget;
class QMenuBar;
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

// The light palette the windows' own colours were chosen for (grey ground, black text,
// white boxes), whatever the desktop's theme: a dark theme made the blue captions and the
// formula pictures unreadable. Every role of every group is set, so no theme fills one in;
// every text on it stands out from its ground by at least 4.5:1.
QPalette PaletteChiara();

// The menu bar entry reached from the keyboard (Alt and the arrows) drawn highlighted, as
// an entry opened with the mouse is: Fusion highlights only an entry whose menu is open,
// and the main window's entries are commands with no menu.
void EvidenziaVociMenu(QMenuBar *barra);

// A list that pops up at most `righe` rows tall and scrolls the rest. Fusion, like the
// desktops it imitates, pops a list up over its current item and ignores the limit.
void LimitaElenco(QComboBox *elenco, int righe);

// Reads the system's font configuration and font caches, which the first font would
// otherwise wait for; from any thread, before the application object exists. Does nothing
// where the fonts do not come from fontconfig.
void PreparaCaratteri();
// Loads the image format plugins, which the first standard icon (a menu bar's, a tool bar's)
// would otherwise wait for; from any thread, before the application object exists too, once
// the main thread has made itself known to Qt.
void PreparaFormatiImmagine();

// A table whose grid lines are drawn in a colour of its own, everything else as the
// application's style draws it: the same pixels as the style sheet "gridline-color", without
// putting the style-sheet engine on the table and on every widget inside it, which costs at
// every opening and every paint.
void ColoreGriglia(QTableView *tabella, const QColor &colore);

// The line that says a window's figures do not stand for the design typed: the labels' Arial 9
// in dark red, wrapped, named for a screen reader, hidden while it has nothing to say.
QLabel *EtichettaAvviso(QWidget *padre);

} // namespace windara::ui
