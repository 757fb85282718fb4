#include "Decimale.h"

#include "Errori.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace windara {

namespace {

__extension__ using i128 = __int128;

i128 p10(int n)
{
    i128 r = 1;
    for (int i = 0; i < n; ++i) r *= 10;
    return r;
}

// v * 10^scala, rounded to an integer with ties to even; |v| < 10^31 always.
std::int64_t arrotonda(i128 v, int scala)
{
    const i128 limite = std::numeric_limits<std::int64_t>::max();
    if (v == 0) return 0;
    if (scala >= 0) {
        // 10^19 already exceeds the range for any non-zero value.
        if (scala > 19) throw ErroreRuntime::overflow();
        const i128 r = v * p10(scala);
        if (r > limite || r < -limite - 1) throw ErroreRuntime::overflow();
        return static_cast<std::int64_t>(r);
    }
    const int n = -scala;
    if (n > 32) return 0;  // below half a unit whatever the digits
    const i128 d = p10(n);
    i128 q = v / d, resto = v % d;
    const bool neg = v < 0;
    if (neg) resto = -resto;
    const i128 doppio = resto * 2;
    if (doppio > d || (doppio == d && (q % 2 != 0))) q += neg ? -1 : 1;
    if (q > limite || q < -limite - 1) throw ErroreRuntime::overflow();
    return static_cast<std::int64_t>(q);
}

} // namespace

Decimale15 Decimale15::da(double v)
{
    if (!std::isfinite(v)) throw ErroreRuntime::overflow();
    Decimale15 d;
    if (v == 0.0) return d;
    // "%.14e" is the correctly rounded 15-digit form: d.dddddddddddddde±x.
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", v);
    const char *p = buf;
    if (*p == '-') { d.negativo = true; ++p; }
    std::int64_t m = 0;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') m = m * 10 + (*p - '0');
    const int e = *p == 'e' ? std::atoi(p + 1) : 0;
    int esp = e - 14;
    while (m != 0 && m % 10 == 0) { m /= 10; ++esp; }
    d.mantissa = m;
    d.esponente = esp;
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
    if (x.negativo != y.negativo) m = -m;
    return Valuta{arrotonda(m, x.esponente + y.esponente + 4)};
}

namespace {

QString componi(QString interi, QString decimali, const FormaTesto &forma)
{
    while (!decimali.isEmpty() && decimali.endsWith(u'0')) decimali.chop(1);
    if (interi.isEmpty() || interi == u"0") interi = (forma.zeroIniziale || decimali.isEmpty()) ? QStringLiteral("0") : QString();
    if (decimali.isEmpty()) return interi;
    return interi + forma.separatore + decimali;
}

} // namespace

QString cifre(const Decimale15 &d, const FormaTesto &forma)
{
    if (d.mantissa == 0) return QStringLiteral("0");
    const QString m = QString::number(d.mantissa);
    const int n = int(m.size());
    // Exponent of the leading digit: value = m[0].m[1..] * 10^lead.
    const int lead = d.esponente + n - 1;
    if (lead >= 15 || lead <= -5) {
        QString s = m.left(1);
        if (n > 1) s += forma.separatore + m.mid(1);
        const int a = std::abs(lead);
        s += (lead < 0 ? QStringLiteral("E-") : QStringLiteral("E+"));
        if (a < 10) s += u'0';
        s += QString::number(a);
        return s;
    }
    if (d.esponente >= 0) return m + QString(d.esponente, u'0');
    const int decimali = -d.esponente;
    if (decimali >= n) return componi(QString(), QString(decimali - n, u'0') + m, forma);
    return componi(m.left(n - decimali), m.mid(n - decimali), forma);
}

QString cifre(const Valuta &v, const FormaTesto &forma)
{
    // The magnitude of INT64_MIN does not fit in an int64: work in unsigned.
    const std::uint64_t a = v.decimillesimi < 0 ? 0ull - static_cast<std::uint64_t>(v.decimillesimi)
                                                : static_cast<std::uint64_t>(v.decimillesimi);
    const QString interi = QString::number(a / 10000u);
    const QString decimali = QString::number(a % 10000u).rightJustified(4, u'0');
    return componi(interi, decimali, forma);
}

} // namespace windara
