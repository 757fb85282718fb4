#include "analysis/finestra/BarraLavoro.h"

#include "analysis/finestra/Lavoratore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <cmath>

namespace windara::analisi {

BarraLavoro::BarraLavoro(Lavoratore *lavoratore, QWidget *parent)
    : QWidget(parent), m_lavoratore(lavoratore), m_fase(new QLabel(this)), m_barra(new QProgressBar(this)),
      m_annulla(new QPushButton(QStringLiteral("Annulla"), this))
{
    setObjectName(QStringLiteral("barraLavoro"));
    m_barra->setObjectName(QStringLiteral("avanzamento"));
    m_annulla->setObjectName(QStringLiteral("annulla"));
    m_barra->setRange(0, 1000);
    m_barra->setTextVisible(false);
    // Keys stay with the inputs: the button is for the mouse, and Tab does not stop on it.
    m_annulla->setFocusPolicy(Qt::ClickFocus);
    m_annulla->setAutoDefault(false);
    auto *riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(m_fase);
    riga->addWidget(m_barra, 1);
    riga->addWidget(m_annulla);
    // The place stays reserved while hidden, so the page does not jump when it shows.
    QSizePolicy politica = sizePolicy();
    politica.setRetainSizeWhenHidden(true);
    setSizePolicy(politica);
    hide();

    connect(lavoratore, &Lavoratore::avviato, this, [this] {
        m_barra->setValue(0);
        show();
    });
    connect(lavoratore, &Lavoratore::progresso, this,
            [this](double frazione) { m_barra->setValue(int(std::lround(frazione * 1000))); });
    connect(lavoratore, &Lavoratore::terminato, this, &QWidget::hide);
    connect(lavoratore, &Lavoratore::annullato, this, &QWidget::hide);
    connect(m_annulla, &QPushButton::clicked, this, [this] {
        m_lavoratore->annulla();
        emit annullato();
    });
}

void BarraLavoro::fase(const QString &testo)
{
    m_fase->setText(testo);
    m_barra->setValue(0);
}

} // namespace windara::analisi
