#include "design/Decimale.h"
#include "design/Errori.h"
#include "design/FormatoStr.h"

#include <QTest>

#include <cmath>
#include <limits>

using namespace windara;

Q_DECLARE_METATYPE(windara::Valuta)

class TstDecimale : public QObject
{
    Q_OBJECT
private slots:
    // Four-decimal rounding: 15 significant digits first, then ties to even.
    void valuta_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<qint64>("decimillesimi");
        QTest::newRow("0.006416397") << 0.006416397 << qint64(64);
        QTest::newRow("0.12047552") << 0.12047552 << qint64(1205);
        QTest::newRow("meta' pari in giu'") << 0.12345 << qint64(1234);
        QTest::newRow("meta' dispari in su") << 0.12355 << qint64(1236);
        QTest::newRow("sotto mezza unita'") << 0.00005 << qint64(0);
        QTest::newRow("appena sopra") << 0.000051 << qint64(1);
        QTest::newRow("negativo meta'") << -0.00015 << qint64(-2);
        QTest::newRow("induttanza esempio") << 3.328326114649681 << qint64(33283);
        // The double is 0.028349999999999997...: its 15 digits are 0.02835, a tie.
        QTest::newRow("trappola 15 cifre") << 0.02835 << qint64(284);
        QTest::newRow("zero negativo") << -0.0 << qint64(0);
        QTest::newRow("massimo") << 922337203685477.0 << qint64(9223372036854770000);
        QTest::newRow("minuscolo") << 1e-300 << qint64(0);
    }
    void valuta()
    {
        QFETCH(double, valore);
        QFETCH(qint64, decimillesimi);
        QCOMPARE(Valuta::da(valore).decimillesimi, decimillesimi);
    }

    void valutaFuoriIntervallo_data()
    {
        QTest::addColumn<double>("valore");
        QTest::newRow("oltre il massimo") << 922337203685478.0;
        QTest::newRow("sotto il minimo") << -922337203685478.0;
        QTest::newRow("enorme") << 1e300;
        QTest::newRow("infinito") << std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    }
    void valutaFuoriIntervallo()
    {
        QFETCH(double, valore);
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, Valuta::da(valore));
    }

    // The exact product of two 15-digit decimals, not the double product.
    void prodotto_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<qint64>("decimillesimi");
        QTest::newRow("esempio principale") << 52.2496 << 0.087 << qint64(45457);
        QTest::newRow("11.775 per 0.242") << 11.775 << 0.242 << qint64(28496);
        QTest::newRow("0.785 per 0.97") << 0.785 << 0.97 << qint64(7614);
        QTest::newRow("per zero") << 52.2496 << 0.0 << qint64(0);
        QTest::newRow("segni opposti") << -1.1304 << 0.0872 << qint64(-986);
        QTest::newRow("grandi") << 1e7 << 1e7 << qint64(1000000000000000000);
    }
    void prodotto()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(qint64, decimillesimi);
        QCOMPARE(Valuta::prodotto(a, b).decimillesimi, decimillesimi);
    }
    void prodottoFuoriIntervallo()
    {
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, Valuta::prodotto(1e8, 1e8));
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, Valuta::prodotto(1e300, 1e-280));
        // Two full 15-digit mantissas and a large scale: found by fuzzing.
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, Valuta::prodotto(1545545555522723911.0, 1545545555522723918686.0));
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, Valuta::prodotto(123456789012345e3, 987654321098765e2));
    }

    void quindiciCifre()
    {
        const Decimale15 d = Decimale15::da(7.408655322280855);
        QCOMPARE(d.mantissa, qint64(740865532228085));
        QCOMPARE(d.esponente, -14);
        const Decimale15 t = Decimale15::da(2.2973496000000004);
        QCOMPARE(t.mantissa, qint64(22973496));
        QCOMPARE(t.esponente, -7);
    }

    void formatoStr_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<QString>("testo");
        QTest::newRow("intero") << 40.0 << " 40";
        QTest::newRow("zero") << 0.0 << " 0";
        QTest::newRow("zero negativo") << -0.0 << " 0";
        QTest::newRow("sotto uno") << 0.9898 << " .9898";
        QTest::newRow("negativo") << -40.0 << "-40";
        QTest::newRow("negativo sotto uno") << -0.5 << "-.5";
        QTest::newRow("decimale") << 13.8 << " 13.8";
        QTest::newRow("15 cifre") << 2.2973496000000004 << " 2.2973496";
        QTest::newRow("nessun separatore migliaia") << 1234567.0 << " 1234567";
        QTest::newRow("15 cifre intere") << 123456789012345.0 << " 123456789012345";
        QTest::newRow("esponente grande") << 1e15 << " 1E+15";
        QTest::newRow("esponente grande cifre") << 1.5e20 << " 1.5E+20";
        QTest::newRow("esponente piccolo") << 0.00001 << " 1E-05";
        QTest::newRow("piccolo senza esponente") << 0.0001 << " .0001";
    }
    void formatoStr()
    {
        QFETCH(double, valore);
        QFETCH(QString, testo);
        QCOMPARE(FormatoStr(valore), testo);
    }

    void formatoStrValuta_data()
    {
        QTest::addColumn<qint64>("decimillesimi");
        QTest::addColumn<QString>("testo");
        QTest::newRow("zero") << qint64(0) << " 0";
        QTest::newRow("sotto uno") << qint64(9898) << " .9898";
        QTest::newRow("zeri finali") << qint64(6730) << " .673";
        QTest::newRow("intero") << qint64(30000) << " 3";
        QTest::newRow("negativo") << qint64(-56) << "-.0056";
        QTest::newRow("minimo") << std::numeric_limits<qint64>::min() << "-922337203685477.5808";
        QTest::newRow("massimo") << std::numeric_limits<qint64>::max() << " 922337203685477.5807";
    }
    void formatoStrValuta()
    {
        QFETCH(qint64, decimillesimi);
        QFETCH(QString, testo);
        QCOMPARE(FormatoStr(Valuta{decimillesimi}), testo);
    }
};

QTEST_APPLESS_MAIN(TstDecimale)
#include "tst_decimale.moc"
