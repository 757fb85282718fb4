#include "report/Studio.h"

#include "design/Aritmetica.h"
#include "design/Avvolgimento.h"
#include "design/Val.h"

#include <algorithm>

namespace windara {

namespace {

// How the report writes a number: a sign position, the digits, one trailing blank.
template <class Numero>
void aggiungiNumero(QString &testo, const Numero &v, const FormaTesto &forma)
{
    testo += negativo(v) ? u'-' : u' ';
    aggiungiCifre(testo, v, forma);
    testo += u' ';
}

template <class Numero>
QString numeroStudio(const Numero &v, const QString &separatore)
{
    QString testo;
    aggiungiNumero(testo, v, FormaTesto{separatore, true});
    return testo;
}

// A text laid out with 1-based column stops, line by line.
class Impaginatore
{
public:
    explicit Impaginatore(qsizetype riserva) { m_testo.reserve(riserva); }

    void scrivi(const QString &s) { m_testo += s; }
    template <class Numero>
    void numero(const Numero &v, const FormaTesto &forma)
    {
        aggiungiNumero(m_testo, v, forma);
    }
    void riga(const QString &s = QString())
    {
        m_testo += s;
        a_capo();
    }
    void a_capo()
    {
        m_testo += QLatin1String("\r\n");
        m_inizioRiga = m_testo.size();
    }
    // Moves to column n; a line that already reaches it is ended and the next one is
    // padded up to the stop.
    void colonna(int n)
    {
        const qsizetype libera = m_testo.size() - m_inizioRiga + 1;
        if (libera > n) {
            a_capo();
            m_testo.resize(m_testo.size() + (n - 1), u' ');
        } else if (libera < n) {
            m_testo.resize(m_testo.size() + (n - libera), u' ');
        }
    }
    const QString &testo() const { return m_testo; }

private:
    QString m_testo;
    qsizetype m_inizioRiga = 0;
};

} // namespace

namespace {

// Windows-1252 bytes 0x80-0x9F; 0 where the code page leaves the byte undefined.
// Elsewhere it equals Latin-1.
constexpr char16_t alti1252[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                   0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                   0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                   0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char byte1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (alti1252[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

QByteArray Windows1252(QStringView testo)
{
    const char16_t *u = testo.utf16();
    const bool latin1 =
        std::none_of(u, u + testo.size(), [](char16_t c) { return (c >= 0x80 && c < 0xA0) || c > 0xFF; });
    if (latin1)
        return testo.toLatin1();
    QByteArray b(testo.size(), Qt::Uninitialized);
    qsizetype n = 0;
    for (qsizetype i = 0; i < testo.size(); ++i) {
        const QChar c = testo[i];
        // A character outside the code page, surrogate pair or not, is one '?'.
        if (c.isHighSurrogate() && i + 1 < testo.size() && testo[i + 1].isLowSurrogate())
            ++i;
        b[n++] = byte1252(c.unicode());
    }
    b.truncate(n);
    return b;
}

bool InWindows1252(char32_t c)
{
    return c == u'?' || (c <= 0xFFFF && byte1252(char16_t(c)) != '?');
}

QString DaWindows1252(QByteArrayView byte)
{
    QString t(byte.size(), Qt::Uninitialized);
    QChar *out = t.data();
    for (qsizetype i = 0; i < byte.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(byte[i]);
        const char16_t u = (c >= 0x80 && c < 0xA0) ? alti1252[c - 0x80] : char16_t(c);
        out[i] = QChar(u ? u : char16_t(0xFFFD));
    }
    return t;
}

QString NomeStudio(const TestiStudio &t, StatoProgetto &s)
{
    const QString &diam = t.sceltaDiametro;
    s.LunghezzaDiametro = aritmetica::intero16(static_cast<double>(diam.size()));
    s.PosizionePunto = static_cast<std::int32_t>(diam.indexOf(u'.') + 1);
    if (s.PosizionePunto != 0) {
        s.ParteIntera = diam.left(s.PosizionePunto - 1);
        s.ParteDecimale = diam.mid(s.PosizionePunto, s.LunghezzaDiametro - s.PosizionePunto);
        s.DiametroNome = s.ParteIntera + u'_' + s.ParteDecimale;
    } else {
        s.DiametroNome = diam;
    }
    return t.altezza + u'x' + t.d1 + u'-' + s.DiametroNome + QLatin1String(".txt");
}

QString NumeroStudio(std::int16_t v)
{
    return numeroStudio(Decimale15::da(v), QStringLiteral("."));
}

QString NumeroStudio(double v, const QString &separatore)
{
    return numeroStudio(Decimale15::da(v), separatore);
}

QString NumeroStudio(const Valuta &v, const QString &separatore)
{
    return numeroStudio(v, separatore);
}

QByteArray TestoStudio(const TestiStudio &t, StatoProgetto &s, const ImpostazioniStudio &imp)
{
    const QString nome = NomeStudio(t, s);
    const FormaTesto forma{imp.separatore, true};

    Impaginatore p(1200 + qsizetype(s.StratiMax > 0 ? s.StratiMax : 0) * 84);
    p.riga();
    p.riga(QStringLiteral("Generato con Windara Versione 1.0"));
    p.riga();
    p.riga(QStringLiteral("Nome File ") + nome);
    p.riga(QStringLiteral("Data Creazione ") + imp.data);
    p.riga();
    p.riga(QStringLiteral("Valori di induttanza (mH) in funzione delle dimensioni del rocchetto:"));
    p.riga();
    p.riga(QStringLiteral("Altezza H (mm)------------------------------------  ") + t.altezza);
    p.riga(QStringLiteral("Diametro filo di Rame (mm)------------------------  ") + t.diametro);
    p.riga(QStringLiteral("Diametro del rocchetto D1 (mm)--------------------  ") + t.d1);
    p.riga(QStringLiteral("Larghezza delle flangie del rocchetto L (mm)------ ") + t.ltot);
    p.riga();
    p.riga(QStringLiteral("Numero massimo di strati consentiti--------------- ") + t.numeroStrati);
    p.riga(QStringLiteral("Numero massimo di spire consentite per ogni strato ") + t.spireStrato);
    p.riga(QStringLiteral("Numero di spire massimo consentite---------------- ") + t.spireTotali);
    p.riga(QStringLiteral("Valore massimo di induttanza ottenibile----------- ") + t.ind);
    p.riga();
    p.riga();
    p.scrivi(QStringLiteral("N°Strati"));
    p.colonna(11);
    p.scrivi(QStringLiteral("N°Spire"));
    p.colonna(22);
    p.scrivi(QStringLiteral("A1"));
    p.colonna(27);
    p.scrivi(QStringLiteral("Filo Necessario (m)"));
    p.colonna(49);
    p.scrivi(QStringLiteral("Induttanza (mH)"));
    p.colonna(66);
    p.riga(QStringLiteral("R Teorica"));
    p.riga();

    using namespace avvolgimento;
    s.RaggioInterno = RaggioInterno(s.DiametroD1);
    PerOgniStrato(s, [&](double n) {
        const Valuta induttanza = Valuta::da(InduttanzaStrato(n, s));
        const double filo = Filo(n, s.DiametroFilo, s.DiametroD1, s.SpirePerStrato);
        const Valuta resistenza = Resistenza(filo, Val(s.ResistenzaMetro));

        p.numero(Decimale15::da(n), forma);
        p.colonna(13);
        p.numero(Decimale15::da(SpireTotali(n, s.SpirePerStrato)), forma);
        p.colonna(21);
        p.numero(Decimale15::da(s.RaggioMedio), forma);
        p.colonna(32);
        p.numero(Decimale15::da(filo), forma);
        p.colonna(52);
        p.numero(induttanza, forma);
        p.colonna(66);
        p.numero(resistenza, forma);
        p.a_capo();
    });

    return Windows1252(p.testo());
}

} // namespace windara
