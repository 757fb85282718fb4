#include "design/Decimale.h"

#include "design/Errori.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace windara {

namespace {

__extension__ using i128 = __int128;

i128 p10(int n)
{
    i128 r = 1;
    for (int i = 0; i < n; ++i)
        r *= 10;
    return r;
}

// v * 10^scala, rounded to an integer with ties to even; |v| < 10^31 always.
std::int64_t arrotonda(i128 v, int scala)
{
    const i128 limite = std::numeric_limits<std::int64_t>::max();
    if (v == 0)
        return 0;
    if (scala >= 0) {
        // 10^19 already exceeds the range for any non-zero value.
        if (scala > 19)
            throw ErroreRuntime::overflow();
        // Check before multiplying: the product of two 15-digit mantissas times 10^19
        // would not fit even in 128 bits.
        const i128 p = p10(scala);
        if (v > limite / p || v < (-limite - 1) / p)
            throw ErroreRuntime::overflow();
        return static_cast<std::int64_t>(v * p);
    }
    const int n = -scala;
    if (n > 32)
        return 0; // below half a unit whatever the digits
    const i128 d = p10(n);
    i128 q = v / d, resto = v % d;
    const bool neg = v < 0;
    if (neg)
        resto = -resto;
    const i128 doppio = resto * 2;
    if (doppio > d || (doppio == d && (q % 2 != 0)))
        q += neg ? -1 : 1;
    if (q > limite || q < -limite - 1)
        throw ErroreRuntime::overflow();
    return static_cast<std::int64_t>(q);
}

} // namespace

Decimale15 Decimale15::da(double v)
{
    if (!std::isfinite(v))
        throw ErroreRuntime::overflow();
    Decimale15 d;
    if (v == 0.0)
        return d;
    d.negativo = v < 0;
    const double a = std::fabs(v);
    if (a < 1e15 && a == std::trunc(a)) {
        // Whole numbers below 10^15 are their own 15 digits.
        d.mantissa = static_cast<std::int64_t>(a);
    } else {
        // The 15 digits come from the shortest text that reads back as the double (at
        // most 17 digits), rounded: no 15-digit rounding boundary can lie between that
        // text and the double, or a boundary would itself be a shorter or closer text.
        // Only when the shortest text sits on a boundary (16 digits ending in 5, as
        // 7.408655322280855) does the double's exact value decide, from the correctly
        // rounded "%.14e" form. Never round a tie of the shortest text.
        char buf[40];
        const char *fine = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific).ptr;
        std::int64_t m = 0;
        int cifre = 0, frazione = 0;
        const char *p = buf;
        for (bool punto = false; p < fine && *p != 'e'; ++p) {
            if (*p == '.') {
                punto = true;
                continue;
            }
            m = m * 10 + (*p - '0');
            ++cifre;
            if (punto)
                ++frazione;
        }
        int e = 0;
        if (p < fine)
            std::from_chars(p + (p[1] == '+' ? 2 : 1), fine, e);
        int esponente = e - frazione;
        // Subnormal doubles are coarser than 15 digits: their shortest text is no guide.
        const bool subnormale = a < std::numeric_limits<double>::min();
        bool esatto = subnormale;
        if (cifre > 15 && !subnormale) {
            const std::int64_t divisore = cifre == 16 ? 10 : 100;
            const std::int64_t resto = m % divisore, meta = divisore / 2;
            m /= divisore;
            esponente += cifre - 15;
            if (resto == meta)
                esatto = true;
            else if (resto > meta && ++m == 1000000000000000LL) {
                m /= 10;
                ++esponente;
            }
        }
        if (esatto) {
            fine = std::to_chars(buf, buf + sizeof buf, a, std::chars_format::scientific, 14).ptr;
            m = 0;
            for (p = buf; p < fine && *p != 'e'; ++p)
                if (*p != '.')
                    m = m * 10 + (*p - '0');
            std::from_chars(p + (p[1] == '+' ? 2 : 1), fine, e);
            esponente = e - 14;
        }
        d.mantissa = m;
        d.esponente = esponente;
    }
    while (d.mantissa % 10 == 0) {
        d.mantissa /= 10;
        ++d.esponente;
    }
    return d;
}

Valuta Valuta::da(double v)
{
    const Decimale15 d = Decimale15::da(v);
    const i128 m = d.negativo ? -static_cast<i128>(d.mantissa) : static_cast<i128>(d.mantissa);
    return Valuta{arrotonda(m, d.esponente + 4)};
}

Valuta Valuta::prodotto(double a, double b)
{
    const Decimale15 x = Decimale15::da(a), y = Decimale15::da(b);
    i128 m = static_cast<i128>(x.mantissa) * static_cast<i128>(y.mantissa);
    if (x.negativo != y.negativo)
        m = -m;
    return Valuta{arrotonda(m, x.esponente + y.esponente + 4)};
}

namespace {

// Writes integer digits, then the decimals without their trailing zeros.
void componi(QString &r, const char *interi, int nInteri, const char *decimali, int nDecimali, const FormaTesto &forma)
{
    while (nDecimali > 0 && decimali[nDecimali - 1] == '0')
        --nDecimali;
    const bool interoZero = nInteri == 0 || (nInteri == 1 && interi[0] == '0');
    if (interoZero) {
        if (forma.zeroIniziale || nDecimali == 0)
            r += u'0';
    } else {
        r += QLatin1String(interi, nInteri);
    }
    if (nDecimali > 0) {
        r += forma.separatore;
        r += QLatin1String(decimali, nDecimali);
    }
}

} // namespace

void aggiungiCifre(QString &s, const Decimale15 &d, const FormaTesto &forma)
{
    if (d.mantissa == 0) {
        s += u'0';
        return;
    }
    char m[24];
    const int n = int(std::to_chars(m, m + sizeof m, d.mantissa).ptr - m);
    // Exponent of the leading digit: value = m[0].m[1..] * 10^lead.
    const int lead = d.esponente + n - 1;
    if (lead >= 15 || lead <= -5) {
        s += QLatin1Char(m[0]);
        if (n > 1) {
            s += forma.separatore;
            s += QLatin1String(m + 1, n - 1);
        }
        const int a = std::abs(lead);
        s += (lead < 0 ? QLatin1String("E-") : QLatin1String("E+"));
        if (a < 10)
            s += u'0';
        s += QString::number(a);
        return;
    }
    if (d.esponente >= 0) {
        s += QLatin1String(m, n);
        s.resize(s.size() + d.esponente, u'0');
        return;
    }
    const int decimali = -d.esponente;
    if (decimali >= n) {
        char buf[40];
        const int zeri = decimali - n;
        std::fill(buf, buf + zeri, '0');
        std::copy(m, m + n, buf + zeri);
        componi(s, nullptr, 0, buf, decimali, forma);
        return;
    }
    componi(s, m, n - decimali, m + n - decimali, decimali, forma);
}

void aggiungiCifre(QString &s, const Valuta &v, const FormaTesto &forma)
{
    // The magnitude of INT64_MIN does not fit in an int64: work in unsigned.
    const std::uint64_t a = v.decimillesimi < 0 ? 0ull - static_cast<std::uint64_t>(v.decimillesimi)
                                                : static_cast<std::uint64_t>(v.decimillesimi);
    char interi[24];
    const int n = int(std::to_chars(interi, interi + sizeof interi, a / 10000u).ptr - interi);
    const unsigned resto = unsigned(a % 10000u);
    const char decimali[4] = {char('0' + resto / 1000), char('0' + resto / 100 % 10), char('0' + resto / 10 % 10),
                              char('0' + resto % 10)};
    componi(s, interi, n, decimali, 4, forma);
}

QString cifre(const Decimale15 &d, const FormaTesto &forma)
{
    QString s;
    aggiungiCifre(s, d, forma);
    return s;
}

QString cifre(const Valuta &v, const FormaTesto &forma)
{
    QString s;
    aggiungiCifre(s, v, forma);
    return s;
}

} // namespace windara
