#pragma once

#include <QString>

#include <cstdint>

namespace windara {

// A double taken to the decimal number carrying its 15 significant digits:
// value = (negativo ? -1 : 1) * mantissa * 10^esponente, mantissa < 10^15.
// Comes from the correctly rounded decimal form of the double, never from its
// shortest text.
struct Decimale15
{
    bool negativo = false;
    std::int64_t mantissa = 0;
    int esponente = 0;

    static Decimale15 da(double v);
};

// A four-decimal fixed-point value (the currency type): the value times 10^4.
// Range -922,337,203,685,477.5808 to +922,337,203,685,477.5807.
struct Valuta
{
    std::int64_t decimillesimi = 0;

    // The double taken to 15 significant digits, then rounded to 4 places, ties to even.
    static Valuta da(double v);
    // The exact product of the two doubles' 15-digit decimals, rounded to 4 places,
    // ties to even.
    static Valuta prodotto(double a, double b);

    bool operator==(const Valuta &) const = default;
};

// The digits of a number as text: how each rule writes them is the rule's own choice
// (decimal separator, a zero before it below 1); trailing zeros and a trailing separator
// are always dropped, no digit grouping is used.
struct FormaTesto
{
    QString separatore = QStringLiteral(".");
    bool zeroIniziale = true;
};

// The magnitude of the decimal, written in at most 15 significant digits; exponent
// notation (1E+15, 1E-05) beyond the range where plain digits are used.
QString cifre(const Decimale15 &d, const FormaTesto &forma);
// The magnitude of a four-decimal value, with at most four decimals.
QString cifre(const Valuta &v, const FormaTesto &forma);
// The same digits appended to a text being built.
void aggiungiCifre(QString &testo, const Decimale15 &d, const FormaTesto &forma);
void aggiungiCifre(QString &testo, const Valuta &v, const FormaTesto &forma);

inline bool negativo(const Decimale15 &d)
{
    return d.negativo && d.mantissa != 0;
}
inline bool negativo(const Valuta &v)
{
    return v.decimillesimi < 0;
}

} // namespace windara
