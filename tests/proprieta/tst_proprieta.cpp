// Many thousands of random and hostile texts through number reading, the live limits,
// the table and the report text: nothing crashes, every failure is a run-time error of
// the rules, a run stops at one step and leaves the rest, and the written forms hold.

#include "design/Decimale.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"
#include "report/Studio.h"
#include "table/GrigliaMemoria.h"
#include "table/GrigliaValori.h"
#include "table/Tabella.h"

#include <QRandomGenerator>
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
};

QTEST_APPLESS_MAIN(TstProprieta)
#include "tst_proprieta.moc"
