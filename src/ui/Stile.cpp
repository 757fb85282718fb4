#include "ui/Stile.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QHash>
#include <QImageReader>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTableView>

#if WINDARA_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

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
    // One per application style, shared and owned by the application object: making a
    // style costs at every window that opens.
    static QHash<QString, QPointer<QStyle>> stili;
    QPointer<QStyle> &stile = stili[QApplication::style()->name()];
    if (!stile) {
        stile = new StileWindara;
        stile->setParent(QCoreApplication::instance());
    }
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

QPalette PaletteChiara()
{
    // Fusion's light palette, with a deeper highlight: white on Fusion's blue is 3.7:1.
    const QColor fondo(239, 239, 239), nero(Qt::black), bianco(Qt::white);
    QPalette p(nero, fondo, bianco, QColor(159, 159, 159), QColor(184, 184, 184), nero, bianco);
    p.setColor(QPalette::Midlight, QColor(202, 202, 202));
    p.setColor(QPalette::Shadow, QColor(118, 118, 118));
    p.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 220));
    p.setColor(QPalette::ToolTipText, nero);
    p.setColor(QPalette::PlaceholderText, QColor(110, 110, 110));
    p.setColor(QPalette::Link, QColor(0, 0, 238));
    p.setColor(QPalette::LinkVisited, QColor(85, 26, 139));
    p.setColor(QPalette::Highlight, QColor(30, 100, 180));
    p.setColor(QPalette::HighlightedText, bianco);
    const QColor spento(190, 190, 190);
    for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, r, spento);
    p.setColor(QPalette::Disabled, QPalette::Base, fondo);
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(145, 145, 145));
    return p;
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

void PreparaFormatiImmagine()
{
    // A reader told no format asks every image plugin whether it knows the data, and so
    // loads them all: the menu bar's first icon does this on the main thread otherwise.
    static const char png[] = "\x89PNG\r\n\x1a\n";
    QBuffer dati;
    dati.setData(png, sizeof png - 1);
    QImageReader(&dati).format();
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

QLabel *EtichettaAvviso(QWidget *padre)
{
    auto *avviso = new QLabel(padre);
    avviso->setObjectName(QStringLiteral("Avviso"));
    avviso->setFont(FontArial(9));
    avviso->setWordWrap(true);
    avviso->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    avviso->setAccessibleName(QStringLiteral("Avviso"));
    QPalette rosso = avviso->palette();
    rosso.setColor(QPalette::WindowText, QColor(153, 0, 0));
    avviso->setPalette(rosso);
    avviso->hide();
    return avviso;
}

} // namespace windara::ui
