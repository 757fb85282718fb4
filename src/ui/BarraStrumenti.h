#pragma once

#include <QList>
#include <QToolBar>

#include <functional>
#include <initializer_list>

namespace windara::ui {

// The toolbar every window docks at its top: 16 x 16 images, not movable, a fixed
// height in twips. Its positions are numbered from 1 in the order they were added,
// separators included; a click anywhere on a position, separators included, is
// reported as ButtonClick(position) and the window tells the commands apart by that
// number alone (see SmistaPulsante).
class BarraStrumenti : public QToolBar
{
    Q_OBJECT
public:
    explicit BarraStrumenti(int altezzaTwips, QWidget *parent = nullptr);

    // A button with an image and a tooltip, no text.
    QAction *aggiungiPulsante(const QIcon &icona, const QString &suggerimento);
    void aggiungiSeparatore();

    int numeroPosizioni() const { return int(m_posizioni.size()); }
    // The button at a position; nullptr for a separator or a position that does not exist.
    QAction *pulsante(int indice) const;
    // The widget at a position (a button or a separator), or nullptr.
    QWidget *widgetPulsante(int indice) const;
    // As a click at the position: a disabled button stays silent.
    void premi(int indice);

signals:
    void ButtonClick(int indice);

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    QAction *posizione(int indice) const;

    QList<QAction *> m_posizioni;
};

// A toolbar button as the windows describe it: the picture's name and the tooltip.
struct Pulsante
{
    QString immagine;
    QString suggerimento;
};

// The toolbar of every window of the program, across the top of its client area: two
// commands, the separator at position 3, and the way back (out, in the main window) at 4.
BarraStrumenti *BarraFinestra(QWidget *cliente, int altezzaTwips, const Pulsante &primo, const Pulsante &secondo,
                              const Pulsante &indietro);

using AzionePulsante = std::function<void()>;

// The one toolbar dispatch of the program: runs azioni[indice - 1]. An index outside
// the list, or a slot left empty (the separator's), does nothing.
//   SmistaPulsante(indice, {salva, stampa, nullptr, chiudi});
void SmistaPulsante(int indice, std::initializer_list<AzionePulsante> azioni);

} // namespace windara::ui
