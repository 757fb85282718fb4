#pragma once

#include <QString>

class QTableView;

namespace windara::ui {

// A grid's selection as the clipboard takes it: the header row as the grid shows it, then
// one line per selected row, cells separated by tabs, so that a spreadsheet pastes it as a
// table. Within the rows and columns the selection spans, a cell left out of it is empty;
// with nothing selected, the current cell is copied.
QString TestoSelezione(const QTableView *griglia);

// Ctrl+C in the grid copies TestoSelezione, rather than the current cell alone.
void CopiaSelezione(QTableView *griglia);

} // namespace windara::ui
