#pragma once

#include <QLabel>

namespace windara::ui {

// A label of fixed size that shows a value: its text stays the whole value (what a screen
// reader reads and what the program copies), and a value too wide for the label is never cut
// silently: it is painted ending in "…", with the whole value first in its tooltip and its
// accessible description, before the tooltip it had.
class EtichettaValore : public QLabel
{
    Q_OBJECT
public:
    explicit EtichettaValore(QWidget *parent = nullptr);

    // The value to show, and the tooltip that goes with it.
    void imposta(const QString &testo);
    void impostaSuggerimento(const QString &suggerimento);
    // Whether the value is painted cut, ending in "…".
    bool troncato() const { return !m_mostrato.isNull(); }
    QString testoMostrato() const { return troncato() ? m_mostrato : QLabel::text(); }

protected:
    void paintEvent(QPaintEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void changeEvent(QEvent *evento) override;

private:
    QRect areaTesto() const;
    void aggiorna();

    QString m_suggerimento;
    QString m_mostrato; // null when the whole value fits
};

} // namespace windara::ui
