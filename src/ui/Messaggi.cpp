#include "ui/Messaggi.h"

namespace windara::ui {

namespace {

GestoreMessaggi &gestoreCorrente()
{
    static GestoreMessaggi gestore;
    return gestore;
}

using GestoreDomande = std::function<bool(const Messaggio &)>;

GestoreDomande &domandeCorrenti()
{
    static GestoreDomande gestore;
    return gestore;
}

GestoreDomande impostaDomande(GestoreDomande gestore)
{
    GestoreDomande precedente = std::move(domandeCorrenti());
    domandeCorrenti() = std::move(gestore);
    return precedente;
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

bool ChiediConferma(QWidget *genitore, const QString &testo)
{
    const Messaggio domanda{genitore, QMessageBox::Question, TitoloMessaggi(), testo};
    if (const GestoreDomande gestore = domandeCorrenti())
        return gestore(domanda);
    QMessageBox box(domanda.icona, domanda.titolo, domanda.testo, QMessageBox::Yes | QMessageBox::No, genitore);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

GestoreMessaggi ImpostaGestoreMessaggi(GestoreMessaggi gestore)
{
    GestoreMessaggi precedente = std::move(gestoreCorrente());
    gestoreCorrente() = std::move(gestore);
    return precedente;
}

CatturaMessaggi::CatturaMessaggi()
    : m_precedente(ImpostaGestoreMessaggi([this](const Messaggio &m) { m_messaggi.append(m); })),
      m_domandePrecedenti(impostaDomande([this](const Messaggio &m) {
          m_messaggi.append(m);
          return m_risposta;
      }))
{}

CatturaMessaggi::~CatturaMessaggi()
{
    ImpostaGestoreMessaggi(std::move(m_precedente));
    impostaDomande(std::move(m_domandePrecedenti));
}

} // namespace windara::ui
