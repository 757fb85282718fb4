// The computing core: one recomputation of the limits; the 32,766-row table, the report text
// and its saving, each in turn with its floor, a loop of plain arithmetic and std::to_chars
// writing the same bytes (and, for the saving, writing them to a file).

#include "Banco.h"

#include "design/Limiti.h"
#include "report/SalvaStudio.h"
#include "report/Studio.h"
#include "table/GrigliaMemoria.h"
#include "table/Tabella.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <charconv>
#include <cstdint>
#include <cstring>
#include <memory>

using namespace windara;

namespace {

// The largest table the program can make: B 1640.32 mm with a 0.05 mm wire.
StatoProgetto progettoMassimo()
{
    StatoProgetto s;
    DidascalieLimiti v;
    RecalcoloLimiti(TestiLimiti{"30", "1640.32", "20", "0.05", "0.05"}, EsitoRicerca::trovata("8.781"), s, v);
    return s;
}

// The floor's numbers. A double's 15 significant digits are its correctly rounded "%.14e"
// form; here they are written with to_chars, and the values met (1e-5 to 1e15) need no
// exponent, as in the program.
char *generale(char *p, double v)
{
    return std::to_chars(p, p + 32, v, std::chars_format::general, 15).ptr;
}

// The 15-digit decimal of a double as mantissa x 10^esponente.
void decimale(double v, std::int64_t &mantissa, int &esponente)
{
    char buf[32];
    const char *fine = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 14).ptr;
    mantissa = 0;
    const char *c = buf;
    for (; *c != 'e'; ++c)
        if (*c != '.')
            mantissa = mantissa * 10 + (*c - '0');
    std::from_chars(c + (c[1] == '+' ? 2 : 1), fine, esponente);
    esponente -= 14;
}

// m x 10^scala to a whole number, ties to even (m >= 0, |scala| small).
__extension__ using i128 = __int128;
std::int64_t arrotonda(i128 m, int scala)
{
    for (; scala > 0; --scala)
        m *= 10;
    if (scala == 0)
        return std::int64_t(m);
    i128 d = 1;
    for (; scala < 0; ++scala)
        d *= 10;
    const i128 q = m / d, r2 = (m % d) * 2;
    return std::int64_t(r2 > d || (r2 == d && q % 2) ? q + 1 : q);
}

// A four-decimal value: the integer part, and the decimals without trailing zeros.
char *quattroDecimali(char *p, std::int64_t decimillesimi)
{
    p = std::to_chars(p, p + 24, decimillesimi / 10000).ptr;
    int resto = int(decimillesimi % 10000), n = 4;
    if (resto == 0)
        return p;
    while (resto % 10 == 0) {
        resto /= 10;
        --n;
    }
    *p++ = '.';
    for (int i = n - 1; i >= 0; --i, resto /= 10)
        p[i] = char('0' + resto % 10);
    return p + n;
}

char *fisso(char *p, double v)
{
    std::int64_t m;
    int e;
    decimale(v, m, e);
    return quattroDecimali(p, arrotonda(m, e + 4));
}

char *prodotto(char *p, double a, std::int64_t mb, int eb)
{
    std::int64_t ma;
    int ea;
    decimale(a, ma, ea);
    return quattroDecimali(p, arrotonda(i128(ma) * mb, ea + eb + 4));
}

// The row lines of the report, every value positive: a sign blank, the digits, a blank, then
// blanks up to the next column stop, or a new line first when the stop is passed.
struct Righe
{
    char *p;
    char *inizio;
    void colonna(int n)
    {
        const long libera = p - inizio + 1;
        if (libera > n) {
            *p++ = '\r';
            *p++ = '\n';
            inizio = p;
            std::memset(p, ' ', size_t(n - 1));
            p += n - 1;
        } else if (libera < n) {
            std::memset(p, ' ', size_t(n - libera));
            p += n - libera;
        }
    }
};

// The floor of the report's rows and of the table's texts alike: the same values, by the same
// operations in the same order, unchecked.
template <class Scrivi>
void righeMinime(const StatoProgetto &s, double r, Scrivi scrivi)
{
    const double d = s.DiametroFilo, d1 = s.DiametroD1, spire = s.SpirePerStrato, h9 = s.Altezza / 10.0 * 9;
    for (int i = 1; i <= s.StratiMax; ++i) {
        const double n = i, esterno = n * d + d1 / 2, medio = (esterno + d1 / 2) / 2 / 10;
        const double quadrato = (n * spire) * (n * spire);
        const double induttanza = medio * medio * (quadrato * 0.315) / ((h9 + n * d) + medio * 6) / 1000;
        const double filo = (d * 2 * n + d1) * 6.28 / 2 * spire * n / 1000;
        scrivi(n, n * spire, esterno, medio, filo, induttanza, r);
    }
}

QByteArray studioMinimo(const StatoProgetto &s, double r, size_t riserva)
{
    const std::unique_ptr<char[]> buf(new char[riserva]);
    std::int64_t mr;
    int er;
    decimale(r, mr, er);
    Righe w{buf.get(), buf.get()};
    righeMinime(s, r, [&](double n, double spire, double, double medio, double filo, double induttanza, double) {
        w.inizio = w.p;
        auto numero = [&](auto scrivi) {
            *w.p++ = ' ';
            w.p = scrivi(w.p);
            *w.p++ = ' ';
        };
        numero([&](char *p) { return generale(p, n); });
        w.colonna(13);
        numero([&](char *p) { return generale(p, spire); });
        w.colonna(21);
        numero([&](char *p) { return generale(p, medio); });
        w.colonna(32);
        numero([&](char *p) { return generale(p, filo); });
        w.colonna(52);
        numero([&](char *p) { return fisso(p, induttanza); });
        w.colonna(66);
        numero([&](char *p) { return prodotto(p, filo, mr, er); });
        *w.p++ = '\r';
        *w.p++ = '\n';
    });
    return QByteArray(buf.get(), w.p - buf.get());
}

// Every cell's text, each on its own, as the grid holds them.
size_t tabellaMinima(const StatoProgetto &s, double r, char *buf)
{
    std::int64_t mr;
    int er;
    decimale(r, mr, er);
    char *p = buf;
    righeMinime(s, r, [&](double n, double spire, double esterno, double, double filo, double induttanza, double) {
        p = std::to_chars(p, p + 8, int(n)).ptr;
        p = generale(p, spire);
        p = generale(p, esterno);
        p = generale(p, filo);
        p = fisso(p, induttanza);
        p = prodotto(p, filo, mr, er);
    });
    return size_t(p - buf);
}

} // namespace

int main()
{
    StatoProgetto s;
    s.ResistenzaMetro = QStringLiteral("0.087");
    DidascalieLimiti v;
    const TestiLimiti t{"20", "10", "10", "0.5", "0.5"};
    banco::misura(
        "ricalcolo dei limiti", 5, 51, [&] { RecalcoloLimiti(t, {}, s, v); }, 2000);

    const StatoProgetto m = progettoMassimo();
    if (m.StratiMax != 32766)
        return 1;
    const double r = 8.781;

    // The texts the floor writes are the grid's, character for character.
    {
        StatoProgetto copia = m;
        GrigliaMemoria g;
        CompilaTabella(copia, g, QStringLiteral("."));
        QByteArray testi;
        for (int riga = 1; riga < g.rows(); ++riga)
            for (int c = 0; c < ColonneTabella; ++c)
                testi += g.text(riga, c).toLatin1();
        QByteArray minima(testi.size() + 64, Qt::Uninitialized);
        if (minima.left(qsizetype(tabellaMinima(m, r, minima.data()))) != testi)
            return 1;
    }
    const std::unique_ptr<char[]> celle(new char[8 * 1024 * 1024]);
    banco::coppia(
        "tabella di 32766 righe (valori e testi)",
        [&] {
            StatoProgetto copia = m;
            GrigliaMemoria g;
            CompilaTabella(copia, g, QStringLiteral("."));
        },
        "gli stessi testi con to_chars", [&] { (void)tabellaMinima(m, r, celle.get()); }, 3.5, 21);

    const TestiStudio ts{"30", "20", "0.05", "0.05", " 3320.6", " 32766", " 600", " 19659600", " 1"};
    const ImpostazioniStudio imp{QStringLiteral("07/12/2026"), QStringLiteral(".")};
    // The floor writes the report's row lines byte for byte.
    StatoProgetto copia = m;
    const QByteArray studio = TestoStudio(ts, copia, imp);
    qsizetype inizio = 0;
    for (int i = 0; i < 21; ++i)
        inizio = studio.indexOf("\r\n", inizio) + 2;
    const size_t riserva = size_t(studio.size()) + 64;
    if (studioMinimo(m, r, riserva) != studio.mid(inizio))
        return 1;
    banco::coppia(
        "testo dello studio di 32766 righe",
        [&] {
            StatoProgetto c = m;
            (void)TestoStudio(ts, c, imp);
        },
        "le stesse righe con to_chars", [&] { (void)studioMinimo(m, r, riserva); }, 3.0, 21);

    QTemporaryDir cartella;
    QDir(cartella.path()).mkdir(QStringLiteral("Studi"));
    const QString minimo = cartella.path() + QStringLiteral("/minimo.txt");
    banco::coppia(
        "salvataggio dello studio di 32766 righe", [&] { SalvaStudio(cartella.path(), ts, copia, imp); },
        "le stesse righe con to_chars, scritte in un file",
        [&] {
            const QByteArray b = studioMinimo(m, r, riserva);
            QFile f(minimo);
            if (!f.open(QIODevice::WriteOnly) || f.write(b) != b.size())
                std::abort();
        },
        3.0, 21);
    return 0;
}
