#pragma once

#include "analysis/Analisi.h"
#include "analysis/Lettura.h"

#include <QHash>
#include <QLineEdit>
#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;

// What the analysis window's pages share about their inputs and their computations.
namespace windara::analisi {

// Typing waits this long for the next key before the page computes again.
inline constexpr int AttesaDigitazione = 60; // ms
// A result that is ready within this time shows at once, without a progress bar (a summary
// of up to 5,000 turns takes less); longer work goes on in the background. Well under the
// 50 ms the window may ever stand still.
inline constexpr int AttesaDiretta = 16; // ms
// Rows computed in the background reach the window in batches at most this often.
inline constexpr int IntervalloLotti = 40; // ms

// A caption on lines of about `larghezza` characters, broken between words, so that a
// column is as narrow as its figures.
inline QString ACapo(const QString &testo, int larghezza = 14)
{
    QString righe, riga;
    for (const QString &parola : testo.split(u' ')) {
        if (!riga.isEmpty() && riga.size() + 1 + parola.size() > larghezza) {
            righe += riga + u'\n';
            riga.clear();
        }
        riga += (riga.isEmpty() ? QString() : QStringLiteral(" ")) + parola;
    }
    return righe + riga;
}

inline QLineEdit *CasellaNumero(const char *nome, const QString &testo, QWidget *padre)
{
    auto *c = new QLineEdit(testo, padre);
    c->setObjectName(QLatin1String(nome));
    c->setMaximumWidth(120);
    return c;
}

// What was typed in the analysis window, by the name of its control: kept for the next
// opening in the same run, never written anywhere. The window is a module loaded once per
// run, so this lives as long as the program.
QHash<QString, QString> &IngressiRicordati();
// Forgets them all: a fresh start, for tests.
void DimenticaIngressi();

// A number field of the analysis window: the line edit, beside it the value as read
// ("= 100 000 Hz") and the refusal, whole, in a label that wraps, which the page places
// (under its inputs). Every number field of the window is one of these, so that it reads by
// the one rule of LeggiIngresso. What is typed is remembered for the next opening.
// Names: the line edit `nome` ("txtFrequenza"), the echo "lblEco…" and the message
// "lblErrore…" after the "txt" ("lblEcoFrequenza", "lblErroreFrequenza").
class CampoIngresso : public QWidget
{
    Q_OBJECT
public:
    CampoIngresso(Ingresso ingresso, const char *nome, const QString &iniziale, QWidget *parent);

    Ingresso ingresso() const { return m_ingresso; }
    QLineEdit *casella() const { return m_casella; }
    QLabel *eco() const { return m_eco; }
    QLabel *messaggio() const { return m_messaggio; }
    const Lettura &lettura() const { return m_lettura; }
    // The value read, only when the text is accepted.
    std::optional<double> valore() const { return m_lettura.valore; }
    // The page shows the refusal itself, where its figures would stand: the message label
    // stays hidden.
    void messaggioAltrove();

signals:
    // The text changed and has been read again.
    void cambiato();

private:
    void leggi();

    Ingresso m_ingresso;
    QLineEdit *m_casella;
    QLabel *m_eco;
    QLabel *m_messaggio;
    Lettura m_lettura;
    bool m_mostraMessaggio = true;
};

// The inputs every page of the window shares, one control each, above the pages: the
// copper's temperature ("txtTemperatura") and the winding style ("cmbStile"). Both are
// remembered for the next opening.
class IngressiComuni : public QWidget
{
    Q_OBJECT
public:
    explicit IngressiComuni(QWidget *parent = nullptr);

    CampoIngresso *temperatura() const { return m_temperatura; }
    QComboBox *casellaStile() const { return m_stile; }
    Stile stile() const;
    // °C when the field reads one; NaN otherwise, which every computation takes as "no
    // temperature": only the figures that depend on it are missing.
    double gradi() const;
    // The winding a page's figures are of, for its line "lblAvvolgimento": the style, the
    // wire (`filo`, empty for every catalogue wire) and the temperature.
    QString descrizione(const FiloRame *filo) const;

signals:
    void temperaturaCambiata();
    void stileCambiato();

private:
    CampoIngresso *m_temperatura;
    QComboBox *m_stile;
};

} // namespace windara::analisi
