#pragma once

#include <QDialog>
#include <QKeySequence>

class QAction;
class QMenuBar;

namespace windara::ui {

// Centred on the screen the window stands on (the parent's, for a window not yet shown).
void CentraSulloSchermo(QWidget *finestra);

// A menu entry with its object name and, where it has one, its shortcut; `menu` is a
// QMenu or the menu bar itself.
QAction *VoceMenu(QWidget *menu, const char *nome, const QString &testo, const QKeySequence &scorciatoia = {});

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

protected:
    void keyPressEvent(QKeyEvent *evento) override;

private:
    QMenuBar *m_barraMenu;
    QWidget *m_cliente;
};

} // namespace windara::ui
