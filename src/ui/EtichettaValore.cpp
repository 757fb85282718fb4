#include "ui/EtichettaValore.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>

namespace windara::ui {

EtichettaValore::EtichettaValore(QWidget *parent) : QLabel(parent)
{}

void EtichettaValore::imposta(const QString &testo)
{
    setText(testo);
    aggiorna();
}

void EtichettaValore::impostaSuggerimento(const QString &suggerimento)
{
    m_suggerimento = suggerimento;
    aggiorna();
}

// Where QLabel puts a single line of plain text: inside the frame and the margin, and, with
// a frame, indented by half an 'x'.
QRect EtichettaValore::areaTesto() const
{
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    const int rientro = indent() < 0 && frameWidth() ? fontMetrics().horizontalAdvance(u'x') / 2 - margin() : indent();
    if (rientro > 0)
        r.adjust(alignment() & Qt::AlignLeft ? rientro : 0, 0, alignment() & Qt::AlignRight ? -rientro : 0, 0);
    return r;
}

void EtichettaValore::aggiorna()
{
    const QString &testo = QLabel::text();
    const int spazio = areaTesto().width();
    const bool entra = fontMetrics().horizontalAdvance(testo) <= spazio;
    m_mostrato = entra ? QString() : fontMetrics().elidedText(testo, Qt::ElideRight, spazio);
    const QString suggerimento =
        entra ? m_suggerimento
              : (m_suggerimento.isEmpty() ? testo.trimmed() : testo.trimmed() + u'\n' + m_suggerimento);
    if (toolTip() != suggerimento) {
        setToolTip(suggerimento);
        setAccessibleDescription(suggerimento);
    }
    update();
}

void EtichettaValore::paintEvent(QPaintEvent *evento)
{
    if (!troncato()) {
        QLabel::paintEvent(evento);
        return;
    }
    QFrame::paintEvent(evento);
    QPainter p(this);
    style()->drawItemText(&p, areaTesto(), int(QStyle::visualAlignment(layoutDirection(), alignment())), palette(),
                          isEnabled(), m_mostrato, foregroundRole());
}

void EtichettaValore::resizeEvent(QResizeEvent *evento)
{
    QLabel::resizeEvent(evento);
    aggiorna();
}

void EtichettaValore::changeEvent(QEvent *evento)
{
    QLabel::changeEvent(evento);
    if (evento->type() == QEvent::FontChange || evento->type() == QEvent::StyleChange)
        aggiorna();
}

} // namespace windara::ui
