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

// Replaces the modal box (an empty handler restores it); returns the handler that was
// in force, so that it can be put back.
GestoreMessaggi ImpostaGestoreMessaggi(GestoreMessaggi gestore);

// For tests: while it lives, messages are recorded instead of shown; the handler that
// was in force before comes back when it goes.
class CatturaMessaggi
{
public:
    CatturaMessaggi();
    ~CatturaMessaggi();
    CatturaMessaggi(const CatturaMessaggi &) = delete;
    CatturaMessaggi &operator=(const CatturaMessaggi &) = delete;

    const QList<Messaggio> &messaggi() const { return m_messaggi; }

private:
    QList<Messaggio> m_messaggi;
    GestoreMessaggi m_precedente;
};

} // namespace windara::ui
