#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace windara::ui {

// The title of every message box of the program.
QString TitoloMessaggi();

struct Messaggio
{
    QWidget *genitore = nullptr;
    QMessageBox::Icon icona = QMessageBox::NoIcon;
    QString titolo;
    QString testo;
};

using GestoreMessaggi = std::function<void(const Messaggio &)>;

// Every message box of the program goes through here: by default a modal box with
// the icon, the title, the text and one OK button, which returns when it is closed.
void MostraMessaggio(QWidget *genitore, QMessageBox::Icon icona, const QString &titolo, const QString &testo);

// A failure reported to the user: critical icon, title "Windara", OK.
void MostraErrore(QWidget *genitore, const QString &testo);
// A refusal or a warning: exclamation icon, title "Windara", OK.
void MostraAvviso(QWidget *genitore, const QString &testo);

// A question whose answer keeps or loses the user's data: question icon, title "Windara", the
// buttons Sì and No, No the default, so that Enter keeps what is there. True for Sì.
bool ChiediConferma(QWidget *genitore, const QString &testo);

// Replaces the modal box (an empty handler restores it); returns the handler that was
// in force, so that it can be put back.
GestoreMessaggi ImpostaGestoreMessaggi(GestoreMessaggi gestore);

// For tests: while it lives, messages and questions are recorded instead of shown, each
// question answered with `risposta` (No unless told); the handlers that were in force before
// come back when it goes.
class CatturaMessaggi
{
public:
    CatturaMessaggi();
    ~CatturaMessaggi();
    CatturaMessaggi(const CatturaMessaggi &) = delete;
    CatturaMessaggi &operator=(const CatturaMessaggi &) = delete;

    const QList<Messaggio> &messaggi() const { return m_messaggi; }
    void rispondi(bool risposta) { m_risposta = risposta; }

private:
    QList<Messaggio> m_messaggi;
    bool m_risposta = false;
    GestoreMessaggi m_precedente;
    std::function<bool(const Messaggio &)> m_domandePrecedenti;
};

} // namespace windara::ui
