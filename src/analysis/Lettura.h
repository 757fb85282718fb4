#pragma once

#include <QLocale>
#include <QString>

#include <optional>

// How the analysis window reads what is typed in its number fields, and writes a value so
// that the user sees what was read. Widget-free; every number field of the window, and of
// any page added to it, reads through LeggiIngresso.
//
// The rule:
// - one number, blanks around it allowed: digits with at most one decimal separator, which
//   is '.' or the user's own (1,5 and 1.5 alike in an Italian locale), an optional sign
//   (- or −) and an optional exponent (1e-3);
// - no group separators: a text with ',' where ',' groups thousands, with an apostrophe or a
//   blank between digits, or with two separators (1.000,5) is refused; where '.' groups
//   thousands, a '.' after one to three digits not all zero and before exactly three digits
//   (100.000, 1.000) could be either and is refused as well, never read as 100 or 1;
// - in the frequency and current fields an SI prefix after the number, case-sensitive:
//   p (pico), n (nano), u, µ or μ (micro), m (milli), k or K (kilo), M (mega), G (giga);
//   the unit may follow (100 kHz, 300 mA);
// - in the target field the number is in mH, or followed by its unit: nH, µH (uH), mH, H;
// - in the temperature field "°C" may follow;
// - then the range of the field, each refusal naming it.
// A refused text gets a message that quotes it. The value read is echoed beside the field.
namespace windara::analisi {

enum class Ingresso {
    Temperatura,  // °C, -60 … 250
    Frequenza,    // Hz, 1 Hz … 100 MHz
    Corrente,     // A, 1 µA … 1000 A
    Induttanza,   // mH, the target: 1 nH … 1000 H
    Permittivita, // ε_r of the enamel, 1 … 10
};

struct Lettura
{
    std::optional<double> valore; // in the field's unit (°C, Hz, A, mH, none); only when in range
    QString messaggio;            // why the text is refused, quoting it; empty when read
    QString eco;                  // the value as read, "= 100 000 Hz"; empty when refused
};

Lettura LeggiIngresso(Ingresso ingresso, const QString &testo, const QLocale &locale = QLocale());

// The field's range as its refusals write it: "da 1 Hz a 100 MHz".
QString IntervalloIngresso(Ingresso ingresso);
double MinimoIngresso(Ingresso ingresso);
double MassimoIngresso(Ingresso ingresso);

// A value written as the echo writes it, without "= ": up to 15 significant digits, the
// user's decimal separator, thousands grouped by a narrow blank, never an exponent; the
// target in the unit that fits (nH, µH, mH, H).
QString TestoIngresso(Ingresso ingresso, double valore, const QLocale &locale = QLocale());

// A plain number that every field reads back unchanged: `decimali` fixed decimals, the
// user's decimal separator, no group separator, no exponent. For the charts' ticks.
QString TestoRileggibile(double valore, int decimali, const QLocale &locale = QLocale());

// An inductance unit that fits a value in mH, for the target and the chart's axis.
struct UnitaInduttanza
{
    QString nome;    // nH, µH, mH, H
    double perMilli; // values in mH are multiplied by this
};
UnitaInduttanza UnitaAdatta(double millihenry);

} // namespace windara::analisi
