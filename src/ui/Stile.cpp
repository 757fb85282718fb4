#include "ui/Stile.h"

namespace windara::ui {

QFont FontArial(qreal punti, bool grassetto)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(punti);
    font.setBold(grassetto);
    return font;
}

} // namespace windara::ui
