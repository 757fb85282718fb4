#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A table as a CSV file for a spreadsheet of the user's language. Widget-free.
namespace windara::analisi {

// The field separator that goes with a decimal separator: ';' where numbers are written with
// a comma (a spreadsheet of that language reads ';'), ',' otherwise.
QChar SeparatoreCampi(const QString &separatoreDecimale);

// The header row and then one line per row, each field as given (numbers already written with
// `separatoreDecimale`), CR LF after every line. A field holding the field separator, a
// quote or a line break is quoted, its quotes doubled; a line break inside a header becomes
// a blank.
QString TestoCsv(const QStringList &intestazione, const std::vector<QStringList> &righe,
                 const QString &separatoreDecimale);

} // namespace windara::analisi
