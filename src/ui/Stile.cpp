#include "ui/Stile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenuBar>
#include <QProxyStyle>
#include <QStyleOption>

namespace windara::ui {

namespace {

// The application's style, with the few looks the program needs changed.
class StileWindara : public QProxyStyle
{
public:
    StileWindara() : QProxyStyle(QApplication::style()->name()) {}

    void drawControl(ControlElement elemento, const QStyleOption *opzioni, QPainter *p,
                     const QWidget *widget) const override
    {
        const auto *voce = qstyleoption_cast<const QStyleOptionMenuItem *>(opzioni);
        if (elemento == CE_MenuBarItem && voce && (voce->state & State_Selected) && (voce->state & State_Enabled)) {
            QStyleOptionMenuItem evidenziata(*voce);
            evidenziata.state |= State_Sunken;
            QProxyStyle::drawControl(elemento, &evidenziata, p, widget);
            return;
        }
        QProxyStyle::drawControl(elemento, opzioni, p, widget);
    }

    int styleHint(StyleHint suggerimento, const QStyleOption *opzioni, const QWidget *widget,
                  QStyleHintReturn *ritorno) const override
    {
        if (suggerimento == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(suggerimento, opzioni, widget, ritorno);
    }
};

void usaStileWindara(QWidget *widget)
{
    auto *stile = new StileWindara;
    stile->setParent(widget);
    widget->setStyle(stile);
}

} // namespace

QFont FontArial(qreal punti, bool grassetto)
{
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(punti);
    font.setBold(grassetto);
    return font;
}

void EvidenziaVociMenu(QMenuBar *barra)
{
    usaStileWindara(barra);
}

void LimitaElenco(QComboBox *elenco, int righe)
{
    elenco->setMaxVisibleItems(righe);
    usaStileWindara(elenco);
    // A list made under the popping-up look has lost its scroll bar.
    elenco->view()->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace windara::ui
