#include "ui/Stile.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QTableView>

#if WINDARA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

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

namespace {

// The application's style with grid lines of a colour of its own.
class StileGriglia final : public QProxyStyle
{
public:
    // On its own copy of the application's style: with none, a proxy takes the desktop's
    // default style, which need not be the one the program runs with.
    explicit StileGriglia(const QColor &colore)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), m_colore(colore)
    {}

    int styleHint(StyleHint suggerimento, const QStyleOption *opzione, const QWidget *widget,
                  QStyleHintReturn *ritorno) const override
    {
        if (suggerimento == SH_Table_GridLineColor)
            return int(m_colore.rgba());
        return QProxyStyle::styleHint(suggerimento, opzione, widget, ritorno);
    }

private:
    QColor m_colore;
};

} // namespace

void PreparaCaratteri()
{
#if WINDARA_FONTCONFIG
    // Qt reads the same default configuration at its first font, and finds it read.
    FcInit();
#endif
}

void ColoreGriglia(QTableView *tabella, const QColor &colore)
{
    // One style per colour for the whole program, owned by the application object, so that
    // it outlives every table that uses it.
    static QHash<QRgb, QPointer<QStyle>> stili;
    QPointer<QStyle> &stile = stili[colore.rgba()];
    if (!stile) {
        stile = new StileGriglia(colore);
        stile->setParent(QCoreApplication::instance());
    }
    tabella->setStyle(stile);
}

} // namespace windara::ui
