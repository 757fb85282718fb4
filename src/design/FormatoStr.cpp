#include "design/FormatoStr.h"

namespace windara {

namespace {
const FormaTesto formaEtichette{QStringLiteral("."), false};
}

QString FormatoStr(double v)
{
    const Decimale15 d = Decimale15::da(v);
    return (negativo(d) ? QStringLiteral("-") : QStringLiteral(" ")) + cifre(d, formaEtichette);
}

QString FormatoStr(const Valuta &v)
{
    return (negativo(v) ? QStringLiteral("-") : QStringLiteral(" ")) + cifre(v, formaEtichette);
}

} // namespace windara
