#pragma once

#include "design/Decimale.h"

#include <QString>

namespace windara {

// The text of the main window's result labels: a blank before a value >= 0, '-' before
// a negative one, '.' as decimal point whatever the locale, no zero before the point
// below 1, at most 15 significant digits (a four-decimal value: at most 4 decimals).
QString FormatoStr(double v);
QString FormatoStr(const Valuta &v);

} // namespace windara
