#include "ui/BarraStrumenti.h"

#include "ui/Icone.h"
#include "ui/Twips.h"

#include <QAction>
#include <QMouseEvent>

namespace windara::ui {

BarraStrumenti::BarraStrumenti(int altezzaTwips, QWidget *parent) : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    setAllowedAreas(Qt::TopToolBarArea);
    setIconSize(QSize(16, 16));
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setFixedHeight(Pixel(altezzaTwips));
    // The bar is part of the window's fixed layout: no menu to hide it.
    toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setAccessibleName(QStringLiteral("Barra degli strumenti"));
}

QAction *BarraStrumenti::aggiungiPulsante(const QIcon &icona, const QString &suggerimento)
{
    QAction *azione = addAction(icona, QString());
    azione->setToolTip(suggerimento);
    m_posizioni.append(azione);
    const int indice = numeroPosizioni();
    connect(azione, &QAction::triggered, this, [this, indice] { emit ButtonClick(indice); });
    if (QWidget *w = widgetForAction(azione))
        w->setAccessibleName(suggerimento);
    return azione;
}

void BarraStrumenti::aggiungiSeparatore()
{
    QAction *separatore = addSeparator();
    m_posizioni.append(separatore);
    if (QWidget *w = widgetForAction(separatore))
        w->installEventFilter(this);
}

QAction *BarraStrumenti::posizione(int indice) const
{
    return indice >= 1 && indice <= numeroPosizioni() ? m_posizioni[indice - 1] : nullptr;
}

QAction *BarraStrumenti::pulsante(int indice) const
{
    QAction *azione = posizione(indice);
    return azione && !azione->isSeparator() ? azione : nullptr;
}

QWidget *BarraStrumenti::widgetPulsante(int indice) const
{
    QAction *azione = posizione(indice);
    return azione ? widgetForAction(azione) : nullptr;
}

void BarraStrumenti::premi(int indice)
{
    QAction *azione = posizione(indice);
    if (!azione)
        return;
    if (azione->isSeparator())
        emit ButtonClick(indice);
    else if (azione->isEnabled() && isEnabled())
        azione->trigger();
}

bool BarraStrumenti::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Separators have no click of their own; a release over one counts as a click
    // at its position, like on a button, and the dispatch ignores it.
    if (evento->type() == QEvent::MouseButtonRelease) {
        auto *mouse = static_cast<QMouseEvent *>(evento);
        auto *w = qobject_cast<QWidget *>(oggetto);
        if (w && mouse->button() == Qt::LeftButton && w->rect().contains(mouse->position().toPoint())) {
            for (int i = 1; i <= numeroPosizioni(); ++i) {
                if (m_posizioni[i - 1]->isSeparator() && widgetForAction(m_posizioni[i - 1]) == w) {
                    emit ButtonClick(i);
                    break;
                }
            }
        }
    }
    return QToolBar::eventFilter(oggetto, evento);
}

BarraStrumenti *BarraFinestra(QWidget *cliente, int altezzaTwips, const Pulsante &primo, const Pulsante &secondo,
                              const Pulsante &indietro)
{
    auto *barra = new BarraStrumenti(altezzaTwips, cliente);
    barra->setObjectName(QStringLiteral("Toolbar1"));
    barra->aggiungiPulsante(IconaSvg(primo.immagine), primo.suggerimento);
    barra->aggiungiPulsante(IconaSvg(secondo.immagine), secondo.suggerimento);
    barra->aggiungiSeparatore();
    barra->aggiungiPulsante(IconaSvg(indietro.immagine), indietro.suggerimento);
    barra->setGeometry(0, 0, cliente->width(), Pixel(altezzaTwips));
    return barra;
}

void SmistaPulsante(int indice, std::initializer_list<AzionePulsante> azioni)
{
    if (indice < 1 || indice > int(azioni.size()))
        return;
    const AzionePulsante &azione = azioni.begin()[indice - 1];
    if (azione)
        azione();
}

} // namespace windara::ui
