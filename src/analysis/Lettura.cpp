#include "analysis/Lettura.h"

#include <QStringList>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace windara::analisi {

namespace {

struct Suffisso
{
    QString testo;
    int esponente; // of ten, into the field's unit
};

// What may follow the number in each field.
const std::vector<Suffisso> &suffissi(Ingresso ingresso)
{
    const auto conPrefissi = [](const QString &unita) {
        std::vector<Suffisso> s;
        const std::vector<Suffisso> prefissi{{QString(), 0},
                                             {QStringLiteral("p"), -12},
                                             {QStringLiteral("n"), -9},
                                             {QStringLiteral("u"), -6},
                                             {QStringLiteral("µ"), -6},
                                             {QStringLiteral("μ"), -6},
                                             {QStringLiteral("m"), -3},
                                             {QStringLiteral("k"), 3},
                                             {QStringLiteral("K"), 3},
                                             {QStringLiteral("M"), 6},
                                             {QStringLiteral("G"), 9}};
        for (const Suffisso &p : prefissi) {
            s.push_back(p);
            s.push_back({p.testo + unita, p.esponente});
        }
        return s;
    };
    static const std::vector<Suffisso> temperatura{{QString(), 0}, {QStringLiteral("°C"), 0}, {QStringLiteral("°"), 0}};
    static const std::vector<Suffisso> frequenza = conPrefissi(QStringLiteral("Hz"));
    static const std::vector<Suffisso> corrente = conPrefissi(QStringLiteral("A"));
    static const std::vector<Suffisso> induttanza{{QString(), 0},
                                                  {QStringLiteral("nH"), -6},
                                                  {QStringLiteral("uH"), -3},
                                                  {QStringLiteral("µH"), -3},
                                                  {QStringLiteral("μH"), -3},
                                                  {QStringLiteral("mH"), 0},
                                                  {QStringLiteral("H"), 3}};
    static const std::vector<Suffisso> puro{{QString(), 0}};
    switch (ingresso) {
    case Ingresso::Temperatura:
        return temperatura;
    case Ingresso::Frequenza:
        return frequenza;
    case Ingresso::Corrente:
        return corrente;
    case Ingresso::Induttanza:
        return induttanza;
    case Ingresso::Permittivita:
        break;
    }
    return puro;
}

// "la frequenza": what the messages call the field.
QString nome(Ingresso ingresso)
{
    switch (ingresso) {
    case Ingresso::Temperatura:
        return QStringLiteral("la temperatura");
    case Ingresso::Frequenza:
        return QStringLiteral("la frequenza");
    case Ingresso::Corrente:
        return QStringLiteral("la corrente");
    case Ingresso::Induttanza:
        return QStringLiteral("l'induttanza obiettivo");
    case Ingresso::Permittivita:
        break;
    }
    return QStringLiteral("la permittività relativa dello smalto");
}

QString maiuscola(QString t)
{
    if (!t.isEmpty())
        t[0] = t[0].toUpper();
    return t;
}

// How the field is written, for the messages, with the user's decimal separator.
QString come(Ingresso ingresso, const QLocale &locale)
{
    const QString virgola = locale.decimalPoint();
    switch (ingresso) {
    case Ingresso::Temperatura:
        return QStringLiteral("in °C");
    case Ingresso::Frequenza:
        return QStringLiteral("in Hz, anche con un prefisso: 100k, 2%15M").arg(virgola);
    case Ingresso::Corrente:
        return QStringLiteral("in A, anche con un prefisso: 300m, 2%15").arg(virgola);
    case Ingresso::Induttanza:
        return QStringLiteral("in mH, o con l'unità: 4%17 µH, 10 nH, 2 H").arg(virgola);
    case Ingresso::Permittivita:
        break;
    }
    return QStringLiteral("come numero puro, per esempio 3%15").arg(virgola);
}

// The user's text in a message: whole unless very long.
QString citazione(const QString &testo)
{
    const QString t = testo.trimmed();
    return QStringLiteral("«%1»").arg(t.size() > 40 ? t.left(37) + QStringLiteral("…") : t);
}

bool cifra(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool meno(QChar c)
{
    return c == u'-' || c == QChar(0x2212);
}

bool spazio(QChar c)
{
    return c == u' ' || c == QChar(0x00A0) || c == QChar(0x202F) || c == QChar(0x2009);
}

enum class Esito { Letto, NonNumero, Migliaia };

// The number of `t` in the field's unit; its decimal exponent tells an overflow from an
// underflow when the digits do not fit a double.
Esito analizza(Ingresso ingresso, const QString &t, const QLocale &locale, double *valore)
{
    const QString decimaleUtente = locale.decimalPoint();
    const QString gruppoUtente = locale.groupSeparator();
    const QChar virgolaUtente = decimaleUtente.size() == 1 ? decimaleUtente[0] : QChar(u'.');
    const QChar gruppo = gruppoUtente.size() == 1 ? gruppoUtente[0] : QChar();
    const qsizetype n = t.size();
    qsizetype i = 0;
    bool negativo = false;
    if (i < n && (t[i] == u'+' || meno(t[i]))) {
        negativo = meno(t[i]);
        ++i;
    }
    std::string intere, decimali;
    int separatori = 0;
    QChar separatore;
    bool migliaia = false;
    for (; i < n; ++i) {
        const QChar c = t[i];
        if (cifra(c)) {
            (separatori ? decimali : intere) += char(c.unicode());
        } else if (c == u'.' || c == virgolaUtente) {
            ++separatori;
            separatore = c;
        } else if (c == u',' || c == u'\'' || c == QChar(0x2019) || (c == gruppo && !gruppo.isNull())) {
            migliaia = true;
        } else if (spazio(c) && i > 0 && cifra(t[i - 1]) && i + 1 < n && cifra(t[i + 1])) {
            migliaia = true;
        } else {
            break;
        }
    }
    if (intere.empty() && decimali.empty())
        return Esito::NonNumero;
    // A '.' where '.' groups thousands, after one to three digits not all zero and before
    // exactly three: 100.000 and 1.000 could be thousands as well as decimals.
    if (separatori > 1 || (separatori == 1 && separatore == u'.' && gruppo == u'.' && decimali.size() == 3 &&
                           !intere.empty() && intere.size() <= 3 && intere.find_first_not_of('0') != std::string::npos))
        migliaia = true;

    long long esponente = 0;
    if (i < n && (t[i] == u'e' || t[i] == u'E')) {
        qsizetype j = i + 1;
        bool esponenteNegativo = false;
        if (j < n && (t[j] == u'+' || meno(t[j]))) {
            esponenteNegativo = meno(t[j]);
            ++j;
        }
        if (j < n && cifra(t[j])) {
            for (; j < n && cifra(t[j]); ++j)
                esponente = std::min<long long>(esponente * 10 + t[j].digitValue(), 100000);
            if (esponenteNegativo)
                esponente = -esponente;
            i = j;
        }
    }
    while (i < n && spazio(t[i]))
        ++i;
    const QString resto = t.mid(i);
    const Suffisso *trovato = nullptr;
    for (const Suffisso &s : suffissi(ingresso))
        if (s.testo == resto)
            trovato = &s;
    if (!trovato)
        return Esito::NonNumero;
    if (migliaia)
        return Esito::Migliaia;

    // The prefix joins the exponent, so that 300m is read as the double nearest 0.3.
    esponente += trovato->esponente;
    // Appended piece by piece: "-" + std::string&& trips a false -Wrestrict in GCC 12's Release build.
    std::string testo(negativo ? "-" : "");
    testo += intere.empty() ? std::string("0") : intere;
    testo += '.';
    testo += decimali.empty() ? std::string("0") : decimali;
    testo += 'e';
    testo += std::to_string(esponente);
    double v = 0;
    const auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), v);
    if (errore == std::errc::result_out_of_range) {
        // Too large or too small for a double: which, from the digits' own magnitude.
        const std::string::size_type prima = (intere + decimali).find_first_not_of('0');
        const long long grandezza =
            prima == std::string::npos ? 0 : esponente + (long long)intere.size() - 1 - (long long)prima;
        v = grandezza > 0 ? INFINITY : 0.0;
        if (negativo)
            v = -v;
    } else if (errore != std::errc() || fine != testo.data() + testo.size()) {
        return Esito::NonNumero;
    }
    *valore = v == 0 ? 0.0 : v; // no -0
    return Esito::Letto;
}

// Up to 15 significant digits, never an exponent, '.' as decimal point.
QString cifre15(double v)
{
    if (v == 0 || !std::isfinite(v))
        return QStringLiteral("0");
    const int e = int(std::floor(std::log10(std::abs(v))));
    QString s = QString::number(v, 'f', std::clamp(14 - e, 0, 40));
    if (s.contains(u'.')) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    return s == QStringLiteral("-0") ? QStringLiteral("0") : s;
}

// Thousands of the whole part grouped by a narrow blank from five digits up, the user's
// decimal separator.
QString scrivi(double v, const QLocale &locale)
{
    QString s = cifre15(v);
    const qsizetype inizio = s.startsWith(u'-') ? 1 : 0;
    qsizetype punto = s.indexOf(u'.');
    if (punto < 0)
        punto = s.size();
    if (punto - inizio > 4)
        for (qsizetype k = punto - 3; k > inizio; k -= 3)
            s.insert(k, QChar(0x202F));
    s.replace(u'.', QString(locale.decimalPoint()));
    return s;
}

} // namespace

double MinimoIngresso(Ingresso ingresso)
{
    switch (ingresso) {
    case Ingresso::Temperatura:
        return -60;
    case Ingresso::Frequenza:
        return 1;
    case Ingresso::Corrente:
        return 1e-6;
    case Ingresso::Induttanza:
        return 1e-6;
    case Ingresso::Permittivita:
        break;
    }
    return 1;
}

double MassimoIngresso(Ingresso ingresso)
{
    switch (ingresso) {
    case Ingresso::Temperatura:
        return 250;
    case Ingresso::Frequenza:
        return 1e8;
    case Ingresso::Corrente:
        return 1000;
    case Ingresso::Induttanza:
        return 1e6;
    case Ingresso::Permittivita:
        break;
    }
    return 10;
}

QString IntervalloIngresso(Ingresso ingresso)
{
    switch (ingresso) {
    case Ingresso::Temperatura:
        return QStringLiteral("da −60 a 250 °C");
    case Ingresso::Frequenza:
        return QStringLiteral("da 1 Hz a 100 MHz");
    case Ingresso::Corrente:
        return QStringLiteral("da 1 µA a 1000 A");
    case Ingresso::Induttanza:
        return QStringLiteral("da 1 nH a 1000 H");
    case Ingresso::Permittivita:
        break;
    }
    return QStringLiteral("da 1 a 10");
}

UnitaInduttanza UnitaAdatta(double millihenry)
{
    const double a = std::abs(millihenry);
    if (a >= 1000)
        return {QStringLiteral("H"), 1e-3};
    if (a >= 1 || a == 0)
        return {QStringLiteral("mH"), 1};
    if (a >= 1e-3)
        return {QStringLiteral("µH"), 1e3};
    return {QStringLiteral("nH"), 1e6};
}

QString TestoIngresso(Ingresso ingresso, double valore, const QLocale &locale)
{
    switch (ingresso) {
    case Ingresso::Temperatura:
        return scrivi(valore, locale) + QStringLiteral(" °C");
    case Ingresso::Frequenza:
        return scrivi(valore, locale) + QStringLiteral(" Hz");
    case Ingresso::Corrente:
        return scrivi(valore, locale) + QStringLiteral(" A");
    case Ingresso::Induttanza: {
        const UnitaInduttanza u = UnitaAdatta(valore);
        return scrivi(valore * u.perMilli, locale) + u'\u00A0' + u.nome;
    }
    case Ingresso::Permittivita:
        break;
    }
    return scrivi(valore, locale);
}

QString TestoRileggibile(double valore, int decimali, const QLocale &locale)
{
    QString s = QString::number(valore, 'f', std::max(0, decimali));
    if (s.startsWith(u'-') && s.mid(1).count(u'0') + s.mid(1).count(u'.') == s.size() - 1)
        s.remove(0, 1);
    return s.replace(u'.', QString(locale.decimalPoint()));
}

Lettura LeggiIngresso(Ingresso ingresso, const QString &testo, const QLocale &locale)
{
    Lettura l;
    const QString t = testo.trimmed();
    if (t.isEmpty()) {
        l.messaggio = QStringLiteral("Scrivi %1, %2").arg(nome(ingresso), come(ingresso, locale));
        return l;
    }
    double v = 0;
    switch (analizza(ingresso, t, locale, &v)) {
    case Esito::NonNumero:
        l.messaggio = QStringLiteral("%1 non è un numero: scrivi %2 %3")
                          .arg(citazione(t), nome(ingresso), come(ingresso, locale));
        return l;
    case Esito::Migliaia:
        l.messaggio =
            QStringLiteral("%1 ha un separatore delle migliaia: scrivi %2 con le sole cifre e, per i decimali, %3")
                .arg(citazione(t), nome(ingresso),
                     QString(locale.decimalPoint()) == QStringLiteral(".")
                         ? QStringLiteral("«.»")
                         : QStringLiteral("«%1» o «.»").arg(QString(locale.decimalPoint())));
        return l;
    case Esito::Letto:
        break;
    }
    if (!(v >= MinimoIngresso(ingresso) && v <= MassimoIngresso(ingresso))) {
        l.messaggio = QStringLiteral("%1 %2 è fuori dall'intervallo: %3")
                          .arg(maiuscola(nome(ingresso)), citazione(t), IntervalloIngresso(ingresso));
        return l;
    }
    l.valore = v;
    l.eco = QStringLiteral("= ") + TestoIngresso(ingresso, v, locale);
    return l;
}

} // namespace windara::analisi
