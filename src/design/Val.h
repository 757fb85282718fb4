#pragma once

#include <QStringView>

namespace windara {

// Reads the number at the start of a text the way every input of the program is read:
// blanks, tabs and line feeds are skipped wherever they stand, '.' is the only decimal
// point, an optional sign, an exponent E, the &H and &O prefixes; reading stops at the
// first character that cannot continue the number; no number gives 0.
// A value beyond the range of a double raises an overflow error.
double Val(QStringView testo);

} // namespace windara
