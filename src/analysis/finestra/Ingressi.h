#pragma once

#include "analysis/Analisi.h"

#include <QLineEdit>
#include <QLocale>

#include <optional>

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

// A number typed with '.' or the user's decimal separator; nothing when it is not one.
inline std::optional<double> LeggiCasella(const QLineEdit *c)
{
    return LeggiNumero(c->text(), QLocale().decimalPoint());
}

} // namespace windara::analisi
