#pragma once

#include <QDialog>
#include <QKeySequence>
#include <QPointer>

class QAction;
class QMenuBar;

namespace windara::ui {

// Centred on the screen the window stands on (the parent's, for a window not yet shown).
void CentraSulloSchermo(QWidget *finestra);

// A menu entry with its object name and, where it has one, its shortcut; `menu` is a
// QMenu or the menu bar itself.
QAction *VoceMenu(QWidget *menu, const char *nome, const QString &testo, const QKeySequence &scorciatoia = {});

// The control of a window that last had the keyboard focus, its menu bar aside. A menu
// bar driven from the keyboard (Alt, the arrows, Enter) holds the focus itself and, when
// its command opens a modal window, loses track of where the focus came from; the window
// then comes back with no focus at all. Ripristina gives it back.
class MemoriaFuoco : public QObject
{
    Q_OBJECT
public:
    explicit MemoriaFuoco(QWidget *finestra);

    // The focus back on the remembered control, if it is still there and can take it.
    void ripristina() const;

private:
    QWidget *m_finestra;
    QPointer<QWidget> m_controllo;
};

// The frame of the secondary windows: a fixed dialog border with a close box only, a
// window icon, a menu bar above a client area of fixed size given in twips. Escape does
// not close it: only its own commands and the close box do.
class FinestraSecondaria : public QDialog
{
    Q_OBJECT
public:
    FinestraSecondaria(const char *nome, const QString &titolo, const QString &icona, int larghezzaTwips,
                       int altezzaTwips, QWidget *parent);

    QMenuBar *barraMenu() const { return m_barraMenu; }
    // Where the controls go, laid out in twips from its top-left corner.
    QWidget *cliente() const { return m_cliente; }
    // For a window whose controls are laid out to take the room they get: a sizeable
    // border with a maximise box, the client area at least this big (twips) and at first
    // as big as it was made. The other windows keep their fixed size.
    void rendiRidimensionabile(int larghezzaMinimaTwips, int altezzaMinimaTwips);

protected:
    void keyPressEvent(QKeyEvent *evento) override;

private:
    QMenuBar *m_barraMenu;
    QWidget *m_cliente;
};

} // namespace windara::ui
