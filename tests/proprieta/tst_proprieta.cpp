// Many thousands of random and hostile texts through number reading, the live limits,
// the table and the report text: nothing crashes, every failure is a run-time error of
// the rules, a run stops at one step and leaves the rest, and the written forms hold.

#include "analysis/Analisi.h"
#include "analysis/Lettura.h"
#include "design/Decimale.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"
#include "report/Studio.h"
#include "table/GrigliaMemoria.h"
#include "table/GrigliaValori.h"
#include "table/Tabella.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <cstring>

using namespace windara;

namespace {

// Texts built from the pieces that make number reading hard.
class Generatore
{
public:
    explicit Generatore(quint32 seme) : r(seme) {}

    QString testo()
    {
        static const QStringList pezzi{"0",
                                       "1",
                                       "2",
                                       "9",
                                       "5",
                                       ".",
                                       ".",
                                       "-",
                                       "+",
                                       "E",
                                       "e",
                                       "E+",
                                       "E-",
                                       "&H",
                                       "&O",
                                       "&h",
                                       "&",
                                       "F",
                                       "7",
                                       " ",
                                       "\t",
                                       "\n",
                                       "\r",
                                       ",",
                                       "x",
                                       "°",
                                       "²",
                                       "€",
                                       "ω",
                                       "😀",
                                       "999999999999999999999",
                                       "E308",
                                       "E309",
                                       "E-400",
                                       "E99999999999",
                                       "32767",
                                       "32768",
                                       "-32768",
                                       "0.5",
                                       "1.5",
                                       "1640.32",
                                       "&HFFFF",
                                       "&H7FFFFFFF",
                                       "&O777",
                                       "1e",
                                       "--",
                                       "..",
                                       "00000000000000000000001"};
        QString t;
        const int n = int(r.bounded(0, 9));
        for (int i = 0; i < n; ++i)
            t += pezzi[int(r.bounded(pezzi.size()))];
        if (r.bounded(20) == 0)
            t += QString(int(r.bounded(400)), QChar(u'0' + char16_t(r.bounded(10))));
        return t;
    }
    double numero()
    {
        switch (r.bounded(4)) {
        case 0:
            return double(r.bounded(-5, 50));
        case 1:
            return r.bounded(100.0) - 20;
        case 2:
            return std::ldexp(r.bounded(1.0), int(r.bounded(-60, 1100)));
        default:
            return 0.0;
        }
    }
    int intero(int da, int a) { return int(r.bounded(da, a)); }

    QRandomGenerator r;
};

} // namespace

class TstProprieta : public QObject
{
    Q_OBJECT
private slots:
    // The 15 digits of a double equal those of its correctly rounded "%.14e" form,
    // for doubles of every magnitude and for short decimals and their neighbours.
    void quindiciCifre()
    {
        QRandomGenerator r(5);
        int errori = 0;
        auto confronta = [&errori](double v) {
            char buf[40];
            std::snprintf(buf, sizeof buf, "%.14e", std::fabs(v));
            const Decimale15 d = Decimale15::da(v);
            // Back to the same scientific form: 15 digits, trailing zeros restored.
            QString cifre = QString::number(d.mantissa);
            const int esponente = d.esponente + int(cifre.size()) - 1;
            cifre = cifre.leftJustified(15, u'0');
            const QString atteso = QString::fromLatin1(buf).remove(u'.');
            const QString ottenuto = cifre + QString::asprintf("e%+03d", esponente);
            if (atteso != ottenuto && ++errori <= 5)
                qWarning("%s: %s invece di %s", buf, qPrintable(ottenuto), qPrintable(atteso));
        };
        for (int i = 0; i < 300000; ++i) {
            const quint64 bit = r.generate64();
            double v;
            std::memcpy(&v, &bit, sizeof v);
            if (std::isfinite(v) && v != 0)
                confronta(v);
            // Short decimals and the doubles next to them: where ties hide.
            const double corto = double(r.bounded(1, 100000000)) / std::pow(10.0, r.bounded(0, 9));
            confronta(corto);
            confronta(std::nextafter(corto, 0.0));
            confronta(std::nextafter(corto, 1e300));
        }
        confronta(7.408655322280855);
        confronta(2.2973496000000004);
        confronta(0.02835);
        QCOMPARE(errori, 0);
    }

    void val()
    {
        Generatore g(1);
        for (int i = 0; i < 50000; ++i) {
            const QString t = g.testo();
            try {
                const double v = Val(t);
                QVERIFY2(std::isfinite(v), qPrintable(t));
            } catch (const ErroreRuntime &e) {
                QCOMPARE(e.tipo(), ErroreRuntime::Tipo::Overflow);
            }
        }
    }

    // A run stops at one step: the captions of earlier steps are written, later ones keep
    // their previous text; a complete run shows the table's last row, bit for bit.
    void ricalcolo()
    {
        // The step at which each caption is written.
        constexpr int passi[NumeroRisultati] = {6, 8, 9, 11, 15, 17};
        Generatore g(2);
        StatoProgetto s;
        DidascalieLimiti v;
        int completi = 0;
        for (int i = 0; i < 30000; ++i) {
            const TestiLimiti t{g.testo(), g.testo(), g.testo(), g.testo(), g.testo()};
            for (int r = 0; r < NumeroRisultati; ++r)
                v.testi[r] = QStringLiteral("#");
            const EsitoLimiti e = RecalcoloLimiti(t, EsitoRicerca::trovata(g.testo()), s, v);
            QCOMPARE(e.completo(), !e.errore.has_value());
            const int fermo = e.completo() ? 18 : e.passo;
            for (int r = 0; r < NumeroRisultati; ++r)
                QCOMPARE(v.testi[r] == QStringLiteral("#"), passi[r] >= fermo);
            QCOMPARE(v.calcola, CalcolaAbilitato(t));
            for (Risultato q : {Risultato::NumeroStrati, Risultato::SpireTotali, Risultato::Centro})
                QVERIFY2(!v[q].contains(u'-'), qPrintable(v[q]));
            if (e.completo() && s.StratiMax >= 1) {
                ++completi;
                StatoProgetto copia = s;
                GrigliaMemoria griglia;
                try {
                    CompilaTabella(copia, griglia, QStringLiteral("."));
                } catch (const ErroreRuntime &) {
                    continue;
                }
                // The grid writes a zero before the point and no blank; the labels the opposite.
                auto comeDidascalia = [](QString cella) {
                    const bool meno = cella.startsWith(u'-');
                    if (meno)
                        cella.remove(0, 1);
                    if (cella.startsWith(QStringLiteral("0.")))
                        cella.remove(0, 1);
                    return (meno ? QStringLiteral("-") : QStringLiteral(" ")) + cella;
                };
                DidascalieLimiti riga;
                riga.imposta(Risultato::Ind, comeDidascalia(griglia.text(s.StratiMax, 4)));
                riga.imposta(Risultato::Centro, comeDidascalia(griglia.text(s.StratiMax, 5)));
                QCOMPARE(riga[Risultato::Ind], v[Risultato::Ind]);
                QCOMPARE(riga[Risultato::Centro], v[Risultato::Centro]);
            }
        }
        QVERIFY(completi > 500);
    }

    void tabellaEStudio()
    {
        Generatore g(3);
        for (int i = 0; i < 3000; ++i) {
            StatoProgetto s;
            s.Altezza = std::int16_t(g.intero(-32768, 32768));
            s.SpirePerStrato = g.numero();
            s.DiametroFilo = g.numero();
            s.DiametroD1 = g.numero();
            s.StratiMax = std::int16_t(g.intero(-5, 40));
            s.ResistenzaMetro = g.testo();
            StatoProgetto perValori = s;
            GrigliaMemoria griglia;
            try {
                CompilaTabella(s, griglia, i % 2 ? "," : ".");
                QCOMPARE(griglia.rows(), s.StratiMax < 1 ? 1 : s.StratiMax + 1);
            } catch (const ErroreRuntime &) {
            }
            // Texts written when read match those written by the fill, wherever it stopped.
            GrigliaValori valori;
            try {
                valori.Compila(perValori, i % 2 ? "," : ".");
            } catch (const ErroreRuntime &) {
            }
            QCOMPARE(valori.rows(), griglia.rows());
            for (int r = 0; r < griglia.rows(); ++r)
                for (int c = 0; c < ColonneTabella; ++c)
                    QCOMPARE(valori.text(r, c), griglia.text(r, c));
            const TestiStudio t{g.testo(), g.testo(), g.testo(), g.testo(), g.testo(),
                                g.testo(), g.testo(), g.testo(), g.testo()};
            try {
                const QByteArray b = TestoStudio(t, s, {"07/12/2026", i % 2 ? "," : "."});
                // Every line of the file ends in CR LF; texts with their own line breaks
                // are copied as they stand, so count only what the report itself writes.
                QVERIFY(b.endsWith("\r\n"));
                QVERIFY(b.count("\r\n") >= 21 + std::max<int>(0, s.StratiMax));
            } catch (const ErroreRuntime &) {
            }
        }
    }

    // With texts that hold no line breaks, every line of the report ends in CR LF and
    // nothing else breaks a line.
    void righeDelloStudio()
    {
        Generatore g(4);
        for (int i = 0; i < 3000; ++i) {
            StatoProgetto s;
            s.Altezza = std::int16_t(g.intero(0, 200));
            s.SpirePerStrato = g.intero(0, 500);
            s.DiametroFilo = g.numero();
            s.DiametroD1 = g.numero();
            s.StratiMax = std::int16_t(g.intero(-3, 30));
            s.ResistenzaMetro = g.testo();
            auto senzaACapo = [&] { return g.testo().remove(u'\n').remove(u'\r'); };
            const TestiStudio t{senzaACapo(), senzaACapo(), senzaACapo(), senzaACapo(), senzaACapo(),
                                senzaACapo(), senzaACapo(), senzaACapo(), senzaACapo()};
            try {
                const QByteArray b = TestoStudio(t, s, {"07/12/2026", "."});
                QCOMPARE(b.count('\r'), b.count("\r\n"));
                QCOMPARE(b.count('\n'), b.count("\r\n"));
                for (const QByteArray &riga : b.split('\n').mid(21, std::max<int>(0, s.StratiMax)))
                    QVERIFY(riga.endsWith(" \r"));
            } catch (const ErroreRuntime &) {
            }
        }
    }

    // The analysis fields over hostile texts, in an Italian and an English locale: a text
    // read is in its range and its echo reads back to the very value used; a refused one
    // has a message that quotes it.
    void ingressiAnalisi()
    {
        using namespace analisi;
        static const QStringList pezzi{"0", "1",  "5",    "9", "000", ".",  ",", "-", "−", "+",     "e",
                                       "E", "e-", "e400", "k", "K",   "M",  "m", "u", "µ", "n",     "p",
                                       "G", "Hz", "A",    "H", "nH",  "°C", " ", "'", "x", "\u202F"};
        QRandomGenerator r(20261208);
        const QLocale locali[] = {QLocale(QLocale::Italian, QLocale::Italy), QLocale::c()};
        for (int i = 0; i < 40000; ++i) {
            QString t;
            for (int n = int(r.bounded(1, 7)); n > 0; --n)
                t += pezzi[int(r.bounded(int(pezzi.size())))];
            const QLocale &locale = locali[i % 2];
            const Ingresso ingresso = Ingresso(i % 5);
            const Lettura l = LeggiIngresso(ingresso, t, locale);
            if (!l.valore) {
                QVERIFY2(!l.messaggio.isEmpty() && l.eco.isEmpty(), qPrintable(t));
                if (!t.trimmed().isEmpty())
                    QVERIFY2(l.messaggio.contains(u'«' + t.trimmed().left(30)), qPrintable(l.messaggio));
                continue;
            }
            const double v = *l.valore;
            QVERIFY2(std::isfinite(v) && v >= MinimoIngresso(ingresso) && v <= MassimoIngresso(ingresso),
                     qPrintable(t));
            // The echo without "= " and its grouping blanks is a text of the same field.
            QString eco = l.eco.mid(2).remove(QChar(0x202F)).replace(QChar(0x00A0), u' ');
            if (ingresso == Ingresso::Temperatura)
                eco.chop(3);
            const Lettura riletta = LeggiIngresso(ingresso, eco, locale);
            QVERIFY2(riletta.valore && std::abs(*riletta.valore - v) <= 1e-14 * std::abs(v), qPrintable(t + " " + eco));
            QVERIFY2(!eco.contains(u'e') && !eco.contains(u'E'), qPrintable(eco));
        }
    }

    // Every copy of the summary over hostile sizes and temperatures: no NaN or infinity, no
    // number of more than 15 digits, and nothing negative beyond the rules' captions and
    // Wheeler's deviation.
    void copieAnalisi()
    {
        using namespace analisi;
        Generatore g(77);
        const QStringList misure{"-5", "0", "0.3", "2", "2.01", "10", "20", "1e9", "-1e9", "1e400", "abc", ""};
        const QRegularExpression numero(QStringLiteral("^-?[0-9]+(,[0-9]+)?$"));
        for (int i = 0; i < 400; ++i) {
            DatiAnalisi d;
            const auto misura = [&] { return i % 3 == 0 ? g.testo() : misure[g.intero(0, int(misure.size()))]; };
            d.testi = TestiLimiti{misura(), misura(), misura(), QStringLiteral("0.5"), QStringLiteral("0.5")};
            d.filo = FiloRame{QStringLiteral("0.5"), QStringLiteral("0.544"), QStringLiteral("0.1963"),
                              QStringLiteral("0.08781"), QStringLiteral("1.75")};
            d.resistenzaMetro = d.filo.Resistenza;
            d.temperatura = i % 7 == 0 ? NAN : -60 + 310 * g.intero(0, 100) / 100.0;
            const Riepilogo r = CalcolaRiepilogo(d);
            const QStringList righe = TestoRiepilogo(r, QStringLiteral(",")).split(u'\n', Qt::SkipEmptyParts);
            for (int riga = 1; riga < righe.size(); ++riga) {
                const QStringList celle = righe[riga].split(u'\t');
                QVERIFY2(!celle[0].contains(QStringLiteral("nan")), qPrintable(celle[0]));
                for (int c = 1; c < celle.size(); ++c) {
                    const QString &t = celle[c];
                    if (t.isEmpty() || t == QStringLiteral("n.d."))
                        continue;
                    const bool didascalia = c == 1 && !r.motivo.isEmpty();
                    if (didascalia)
                        continue;
                    QVERIFY2(numero.match(t).hasMatch(), qPrintable(righe[riga]));
                    QVERIFY2(QString(t).remove(u'-').remove(u',').size() <= 15, qPrintable(t));
                    if (Grandezza(riga - 1) != Grandezza::ScartoWheeler)
                        QVERIFY2(!t.startsWith(u'-'), qPrintable(d.testi.altezza + " " + righe[riga]));
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TstProprieta)
#include "tst_proprieta.moc"
