#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace windara::analisi {

class Lavoratore;

// What a page shows while its Lavoratore computes: what is being done, how far it is, and a
// button to cancel it. Hidden when nothing runs.
class BarraLavoro : public QWidget
{
    Q_OBJECT
public:
    BarraLavoro(Lavoratore *lavoratore, QWidget *parent = nullptr);

    // What the computation is doing now ("Tabella per strati", ...).
    void fase(const QString &testo);

signals:
    // The user cancelled the computation.
    void annullato();

private:
    Lavoratore *m_lavoratore;
    QLabel *m_fase;
    QProgressBar *m_barra;
    QPushButton *m_annulla;
};

} // namespace windara::analisi
