#include "ui/Messaggi.h"

namespace windara::ui {

namespace {

GestoreMessaggi &gestoreCorrente()
{
    static GestoreMessaggi gestore;
    return gestore;
}

void boxModale(const Messaggio &m)
{
    QMessageBox box(m.icona, m.titolo, m.testo, QMessageBox::Ok, m.genitore);
    box.exec();
}

} // namespace

QString TitoloMessaggi()
{
    return QStringLiteral("Windara");
}

void MostraMessaggio(QWidget *genitore, QMessageBox::Icon icona, const QString &titolo, const QString &testo)
{
    const Messaggio messaggio{genitore, icona, titolo, testo};
    // A copy: the handler may replace itself while it runs.
    const GestoreMessaggi gestore = gestoreCorrente();
    if (gestore)
        gestore(messaggio);
    else
        boxModale(messaggio);
}

void MostraErrore(QWidget *genitore, const QString &testo)
{
    MostraMessaggio(genitore, QMessageBox::Critical, TitoloMessaggi(), testo);
}

void MostraAvviso(QWidget *genitore, const QString &testo)
{
    MostraMessaggio(genitore, QMessageBox::Warning, TitoloMessaggi(), testo);
}

GestoreMessaggi ImpostaGestoreMessaggi(GestoreMessaggi gestore)
{
    GestoreMessaggi precedente = std::move(gestoreCorrente());
    gestoreCorrente() = std::move(gestore);
    return precedente;
}

CatturaMessaggi::CatturaMessaggi()
    : m_precedente(ImpostaGestoreMessaggi([this](const Messaggio &m) { m_messaggi.append(m); }))
{}

CatturaMessaggi::~CatturaMessaggi()
{
    ImpostaGestoreMessaggi(std::move(m_precedente));
}

} // namespace windara::ui
