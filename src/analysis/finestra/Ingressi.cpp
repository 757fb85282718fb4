#include "analysis/finestra/Ingressi.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include <cmath>

namespace windara::analisi {

QHash<QString, QString> &IngressiRicordati()
{
    static QHash<QString, QString> testi;
    return testi;
}

void DimenticaIngressi()
{
    IngressiRicordati().clear();
}

CampoIngresso::CampoIngresso(Ingresso ingresso, const char *nome, const QString &iniziale, QWidget *parent)
    : QWidget(parent), m_ingresso(ingresso)
{
    const QString n = QLatin1String(nome);
    const QString dopo = n.startsWith(QStringLiteral("txt")) ? n.mid(3) : n;
    m_casella = CasellaNumero(nome, IngressiRicordati().value(n, iniziale), this);
    m_eco = new QLabel(this);
    m_eco->setObjectName(QStringLiteral("lblEco") + dopo);
    // As wide as the widest echo of the field, so that nothing moves while typing.
    const QString largo =
        QStringLiteral("= ") + TestoIngresso(ingresso, ingresso == Ingresso::Temperatura ? -59.9999 : 888888.888888);
    m_eco->setMinimumWidth(m_eco->fontMetrics().horizontalAdvance(largo) + 8);
    m_messaggio = new QLabel(parent);
    m_messaggio->setObjectName(QStringLiteral("lblErrore") + dopo);
    m_messaggio->setWordWrap(true);
    m_messaggio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_messaggio->setStyleSheet(QStringLiteral("color: #a00000"));
    m_messaggio->hide();
    auto *riga = new QHBoxLayout(this);
    riga->setContentsMargins(0, 0, 0, 0);
    riga->addWidget(m_casella);
    riga->addWidget(m_eco);
    setFocusProxy(m_casella);
    connect(m_casella, &QLineEdit::textChanged, this, [this, n](const QString &testo) {
        IngressiRicordati().insert(n, testo);
        leggi();
        emit cambiato();
    });
    leggi();
}

void CampoIngresso::leggi()
{
    m_lettura = LeggiIngresso(m_ingresso, m_casella->text());
    m_eco->setText(m_lettura.eco);
    m_messaggio->setText(m_lettura.messaggio);
    m_messaggio->setVisible(m_mostraMessaggio && !m_lettura.messaggio.isEmpty());
    m_casella->setToolTip(m_lettura.messaggio.isEmpty()
                              ? QStringLiteral("Intervallo: %1").arg(IntervalloIngresso(m_ingresso))
                              : m_lettura.messaggio);
}

void CampoIngresso::messaggioAltrove()
{
    m_mostraMessaggio = false;
    m_messaggio->hide();
}

IngressiComuni::IngressiComuni(QWidget *parent)
    : QWidget(parent),
      m_temperatura(new CampoIngresso(Ingresso::Temperatura, "txtTemperatura", QStringLiteral("20"), this)),
      m_stile(new QComboBox(this))
{
    setObjectName(QStringLiteral("ingressiComuni"));
    m_temperatura->casella()->setToolTip(QStringLiteral("Temperatura del rame, per la resistenza (IEC 60028)"));
    m_stile->setObjectName(QStringLiteral("cmbStile"));
    m_stile->addItem(QStringLiteral("A strati"));
    m_stile->addItem(QStringLiteral("Ortociclico (strati alterni spostati di mezzo passo)"));
    m_stile->setCurrentIndex(IngressiRicordati().value(QStringLiteral("cmbStile")).toInt() == 1 ? 1 : 0);

    auto *etichettaT = new QLabel(QStringLiteral("&Temperatura (°C):"), this);
    etichettaT->setBuddy(m_temperatura->casella());
    auto *etichettaS = new QLabel(QStringLiteral("&Avvolgimento:"), this);
    etichettaS->setBuddy(m_stile);
    auto *riga = new QHBoxLayout;
    riga->addWidget(etichettaT);
    riga->addWidget(m_temperatura);
    riga->addSpacing(16);
    riga->addWidget(etichettaS);
    riga->addWidget(m_stile);
    riga->addStretch(1);
    auto *colonna = new QVBoxLayout(this);
    colonna->setContentsMargins(8, 4, 8, 0);
    colonna->addLayout(riga);
    colonna->addWidget(m_temperatura->messaggio());

    connect(m_temperatura, &CampoIngresso::cambiato, this, &IngressiComuni::temperaturaCambiata);
    connect(m_stile, &QComboBox::currentIndexChanged, this, [this](int indice) {
        IngressiRicordati().insert(QStringLiteral("cmbStile"), QString::number(indice));
        emit stileCambiato();
    });
}

Stile IngressiComuni::stile() const
{
    return m_stile->currentIndex() == 1 ? Stile::Ortociclico : Stile::AStrati;
}

double IngressiComuni::gradi() const
{
    return m_temperatura->valore().value_or(NAN);
}

QString IngressiComuni::descrizione(const FiloRame *filo) const
{
    return DescrizioneAvvolgimento(stile(), filo, gradi(), QLocale().decimalPoint());
}

} // namespace windara::analisi
