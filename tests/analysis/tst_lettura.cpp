// The analysis window's one rule for its number fields: separators, prefixes, ranges, and
// the echo of what was read.

#include "analysis/Lettura.h"

#include <QTest>

#include <cmath>

using namespace windara::analisi;

Q_DECLARE_METATYPE(Ingresso)

class TstLettura : public QObject
{
    Q_OBJECT

private slots:
    // Each text in an Italian and an English locale: the value read, or the start of the
    // refusal (which always quotes the text).
    void lettura_data()
    {
        QTest::addColumn<Ingresso>("ingresso");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("italiano");
        QTest::addColumn<double>("valore"); // NaN: refused
        QTest::addColumn<QString>("risposta");
        const auto riga = [](const char *nome, Ingresso i, const char *testo, bool it, double v, const char *r) {
            QTest::newRow(nome) << i << QString::fromUtf8(testo) << it << v << QString::fromUtf8(r);
        };
        const double no = NAN;
        const auto F = Ingresso::Frequenza, T = Ingresso::Temperatura, L = Ingresso::Induttanza, I = Ingresso::Corrente,
                   E = Ingresso::Permittivita;
        riga("virgola", T, "1,5", true, 1.5, "= 1,5 °C");
        riga("punto in italiano", T, "1.5", true, 1.5, "= 1,5 °C");
        riga("punto in inglese", T, " 1.5 ", false, 1.5, "= 1.5 °C");
        riga("virgola in inglese", T, "1,5", false, no, "«1,5» ha un separatore delle migliaia");
        riga("migliaia col punto", F, "100.000", true, no, "«100.000» ha un separatore delle migliaia");
        riga("migliaia e decimali", F, "1.000,5", true, no, "«1.000,5» ha un separatore delle migliaia");
        riga("migliaia con lo spazio", F, "100 000", true, no, "«100 000» ha un separatore");
        riga("zero punto tre cifre", T, "0.125", true, 0.125, "= 0,125 °C");
        riga("quattro cifre dopo il punto", T, "1.0005", true, 1.0005, "= 1,0005 °C");
        riga("kilo", F, "100k", true, 1e5, "= 100 000 Hz");
        riga("mega con l'unità", F, "2,5 MHz", true, 2.5e6, "= 2 500 000 Hz");
        riga("milli è milli", I, "300m", true, 0.3, "= 0,3 A");
        riga("micro u", I, "5u", false, 5e-6, "= 0.000005 A");
        riga("micro µ", I, "5µA", false, 5e-6, "= 0.000005 A");
        riga("mega non è milli", I, "3M", false, no, "La corrente «3M» è fuori dall'intervallo: da 1 µA a 1000 A");
        riga("giga fuori", F, "1G", true, no, "La frequenza «1G» è fuori dall'intervallo: da 1 Hz a 100 MHz");
        riga("esponente enorme", F, "1e400", true, no, "La frequenza «1e400» è fuori dall'intervallo");
        riga("esponente minuscolo", F, "1e-400", true, no, "La frequenza «1e-400» è fuori dall'intervallo");
        riga("1e30 Hz", F, "1e30", true, no, "La frequenza «1e30» è fuori dall'intervallo");
        riga("zero", F, "0", true, no, "La frequenza «0» è fuori dall'intervallo");
        riga("negativa", F, "-5", true, no, "La frequenza «-5» è fuori dall'intervallo");
        riga("prefisso ignoto", F, "100x", true, no, "«100x» non è un numero: scrivi la frequenza in Hz");
        riga("lettere", T, "venti", true, no, "«venti» non è un numero: scrivi la temperatura in °C");
        riga("vuoto", T, "  ", true, no, "Scrivi la temperatura, in °C");
        riga("temperatura enorme", T, "1e9", true, no, "La temperatura «1e9» è fuori dall'intervallo: da −60 a 250 °C");
        riga("temperatura minima", T, "−60", true, -60, "= -60 °C");
        riga("temperatura col grado", T, "100 °C", true, 100, "= 100 °C");
        riga("un nanohenry", L, "0.000001", true, 1e-6, "= 1 nH");
        riga("microhenry", L, "4,7 µH", true, 4.7e-3, "= 4,7 µH");
        riga("henry", L, "1000 H", true, 1e6, "= 1000 H");
        riga("sotto il nanohenry", L, "0,1nH", true, no,
             "L'induttanza obiettivo «0,1nH» è fuori dall'intervallo: da 1 nH a 1000 H");
        riga("prefisso senza unità nell'obiettivo", L, "4k", true, no, "«4k» non è un numero");
        riga("permittività", E, "3,5", true, 3.5, "= 3,5");
        riga("permittività fuori", E, "11", true, no,
             "La permittività relativa dello smalto «11» è fuori dall'intervallo: da 1 a 10");
        riga("testo lunghissimo", T, QByteArray(300, '9').constData(), true, no,
             "La temperatura «9999999999999999999999999999999999999…» è fuori");
    }
    void lettura()
    {
        QFETCH(Ingresso, ingresso);
        QFETCH(QString, testo);
        QFETCH(bool, italiano);
        QFETCH(double, valore);
        QFETCH(QString, risposta);
        const QLocale locale = italiano ? QLocale(QLocale::Italian, QLocale::Italy) : QLocale::c();
        const Lettura l = LeggiIngresso(ingresso, testo, locale);
        QCOMPARE(l.valore.has_value(), !std::isnan(valore));
        if (l.valore) {
            QCOMPARE(*l.valore, valore);
            QCOMPARE(QString(l.eco).replace(QChar(0x202F), u' ').replace(QChar(0x00A0), u' '), risposta);
            QVERIFY(l.messaggio.isEmpty());
        } else {
            QVERIFY2(l.messaggio.startsWith(risposta), qPrintable(l.messaggio));
            QVERIFY(l.eco.isEmpty());
        }
    }

    // Ticks are written so that the fields read them back as the same value.
    void rileggibile()
    {
        const QLocale it(QLocale::Italian, QLocale::Italy);
        for (double v : {1.0, 2.5, 1000.0, 100000.0, 1e7, 123.456})
            for (int decimali : {0, 1, 3}) {
                const QString t = TestoRileggibile(v, decimali, it);
                const Lettura l = LeggiIngresso(Ingresso::Frequenza, t, it);
                QVERIFY2(l.valore && *l.valore == QString::number(v, 'f', decimali).toDouble(), qPrintable(t));
            }
        QCOMPARE(TestoRileggibile(-0.0001, 2, it), QString("0,00"));
    }
};

QTEST_GUILESS_MAIN(TstLettura)
#include "tst_lettura.moc"
