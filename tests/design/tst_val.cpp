#include "design/Errori.h"
#include "design/Val.h"

#include <QTest>

using windara::Val;

class TstVal : public QObject
{
    Q_OBJECT
private slots:
    void lettura_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<double>("valore");
        QTest::newRow("vuoto") << "" << 0.0;
        QTest::newRow("lettere") << "abc" << 0.0;
        QTest::newRow("intero") << "20" << 20.0;
        QTest::newRow("decimale") << "0.5" << 0.5;
        QTest::newRow("punto iniziale") << ".5" << 0.5;
        QTest::newRow("solo punto") << "." << 0.0;
        QTest::newRow("virgola non e' separatore") << "10,5" << 10.0;
        QTest::newRow("secondo punto ferma") << "1.2.3" << 1.2;
        QTest::newRow("blank ovunque") << "  1 2 . 5 " << 12.5;
        QTest::newRow("tab e a capo") << "\t1\n0" << 10.0;
        QTest::newRow("ritorno carrello ferma") << "1\r2" << 1.0;
        QTest::newRow("segno meno") << "-40" << -40.0;
        QTest::newRow("segno piu'") << "+7" << 7.0;
        QTest::newRow("meno e blank") << "- 3" << -3.0;
        QTest::newRow("due segni") << "--5" << 0.0;
        QTest::newRow("solo segno") << "-" << 0.0;
        QTest::newRow("esponente") << "1E3" << 1000.0;
        QTest::newRow("esponente minuscolo") << "2.5e-1" << 0.25;
        QTest::newRow("esponente con segno") << "1E+2" << 100.0;
        QTest::newRow("esponente senza cifre") << "7E" << 7.0;
        QTest::newRow("esponente solo") << "E5" << 0.0;
        QTest::newRow("esponente enorme su zero") << "0E999999" << 0.0;
        QTest::newRow("sottoflusso") << "1E-400" << 0.0;
        QTest::newRow("lettera dopo le cifre") << "12abc" << 12.0;
        QTest::newRow("H esadecimale") << "&H10" << 16.0;
        QTest::newRow("h minuscola") << "&hff" << 255.0;
        QTest::newRow("esadecimale 16 bit con segno") << "&HFFFF" << -1.0;
        QTest::newRow("esadecimale 8000") << "&H8000" << -32768.0;
        QTest::newRow("esadecimale 32 bit") << "&H10000" << 65536.0;
        QTest::newRow("esadecimale 32 bit con segno") << "&HFFFFFFFF" << -1.0;
        QTest::newRow("ottale") << "&O17" << 15.0;
        QTest::newRow("ottale ferma a 8") << "&O78" << 7.0;
        QTest::newRow("e commerciale sola") << "&" << 0.0;
        QTest::newRow("e commerciale e cifre") << "&12" << 0.0;
        QTest::newRow("cifre lunghe") << QString(400, u'1').prepend("0.") << 1.0 / 9.0;
        QTest::newRow("non ASCII") << QString::fromUtf8("٣") << 0.0;
        QTest::newRow("gradi") << QString::fromUtf8("5°") << 5.0;
    }
    void lettura()
    {
        QFETCH(QString, testo);
        QFETCH(double, valore);
        QCOMPARE(Val(testo), valore);
    }

    void overflow_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::newRow("esponente enorme") << "1E400";
        QTest::newRow("esponente lunghissimo") << "9E99999999999999999999";
        QTest::newRow("cifre enormi") << QString(400, u'9');
        QTest::newRow("esadecimale oltre 32 bit") << "&H100000000";
        QTest::newRow("ottale oltre 32 bit") << "&O77777777777";
    }
    void overflow()
    {
        QFETCH(QString, testo);
        QVERIFY_THROWS_EXCEPTION(windara::ErroreRuntime, Val(testo));
    }
};

QTEST_APPLESS_MAIN(TstVal)
#include "tst_val.moc"
