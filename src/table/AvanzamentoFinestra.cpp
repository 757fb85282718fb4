#include "table/AvanzamentoFinestra.h"

#include "ui/Messaggi.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>

namespace windara {

AvanzamentoFinestra::AvanzamentoFinestra(QWidget *finestra, const QString &nomeStudio)
    : m_finestra(finestra), m_nome(nomeStudio)
{}

AvanzamentoFinestra::~AvanzamentoFinestra() = default;

bool AvanzamentoFinestra::Conferma(int pagineCopia, int copie)
{
    QString testo = QStringLiteral("Ogni copia dello studio %1 occupa %2 pagine").arg(m_nome).arg(pagineCopia);
    if (copie > 1)
        testo += QStringLiteral("; con %1 copie sono %2 pagine in tutto").arg(copie).arg(qint64(pagineCopia) * copie);
    testo += QStringLiteral(".\nStampare?");
    QMessageBox domanda(QMessageBox::Question, ui::TitoloMessaggi(), testo, QMessageBox::NoButton, m_finestra);
    QPushButton *stampa = domanda.addButton(QStringLiteral("Stampa"), QMessageBox::AcceptRole);
    domanda.addButton(QStringLiteral("Annulla"), QMessageBox::RejectRole);
    domanda.setDefaultButton(stampa);
    domanda.exec();
    return domanda.clickedButton() == stampa;
}

bool AvanzamentoFinestra::Pagina(int pagina, int totale)
{
    // One page prints in a few milliseconds: no dialog to flash.
    if (totale <= 1)
        return true;
    if (!m_dialogo) {
        m_dialogo = std::make_unique<QProgressDialog>(QString(), QStringLiteral("Annulla"), 0, totale, m_finestra);
        m_dialogo->setWindowTitle(ui::TitoloMessaggi());
        m_dialogo->setWindowModality(Qt::WindowModal);
        m_dialogo->setAutoClose(false);
        m_dialogo->setAutoReset(false);
        m_dialogo->setMinimumDuration(0);
        m_dialogo->show();
    }
    m_dialogo->setLabelText(
        QStringLiteral("Stampa dello studio %1: pagina %2 di %3").arg(m_nome).arg(pagina).arg(totale));
    m_dialogo->setValue(pagina - 1);
    QCoreApplication::processEvents();
    return !m_dialogo->wasCanceled();
}

} // namespace windara
