#include "Esempi.h"
#include "design/Errori.h"
#include "report/Studio.h"

#include <QFile>
#include <QTest>

using namespace windara;

namespace {

QList<QByteArray> righe(const QByteArray &b)
{
    QList<QByteArray> r = b.split('\n');
    r.removeLast();
    return r;
}

} // namespace

class TstStudio : public QObject
{
    Q_OBJECT
private slots:
    void esempio()
    {
        QFile atteso(WINDARA_SOURCE_DIR "/tests/report/dati/30x20-0_50.txt");
        QVERIFY(atteso.open(QIODevice::ReadOnly));
        StatoProgetto s = prova::progettoStudio();
        const QByteArray testo = TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."});
        QCOMPARE(testo, atteso.readAll());
        QCOMPARE(s.Indice, qint16(6));
        QCOMPARE(s.RaggioMedio, 1.125);
        QCOMPARE(s.DiametroNome, QString("0_50"));
    }

    void separatoreVirgola()
    {
        StatoProgetto s = prova::progettoStudio();
        const QList<QByteArray> r = righe(TestoStudio(prova::testiStudio(), s, {"06/12/26", ","}));
        QCOMPARE(r[4], QByteArray("Data Creazione 06/12/26\r"));
        QCOMPARE(r[9], QByteArray("Diametro filo di Rame (mm)------------------------  0.50\r"));
        QCOMPARE(r[21], QByteArray(" 1           60      1,025      3,9564              0,0354        0,3537 \r"));
    }

    void ogniRigaFinisceInCrLf()
    {
        StatoProgetto s = prova::progettoStudio();
        const QByteArray b = TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."});
        QVERIFY(b.endsWith("\r\n"));
        QCOMPARE(b.count("\r\n"), b.count('\n'));
        QCOMPARE(b.count('\r'), b.count('\n'));
        const QList<QByteArray> r = righe(b);
        QCOMPARE(r.size(), 26);
        QCOMPARE(r[19].size(), 74 + 1);
        for (int i = 21; i < r.size(); ++i)
            QVERIFY(r[i].endsWith(" \r"));
    }

    void nome_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("diametro");
        QTest::addColumn<QString>("nome");
        QTest::newRow("esempio") << "30"
                                 << "20"
                                 << "0.50"
                                 << "30x20-0_50.txt";
        QTest::newRow("senza punto") << "30"
                                     << "20"
                                     << "1"
                                     << "30x20-1.txt";
        QTest::newRow("solo il primo punto") << "30"
                                             << "20"
                                             << "0.5.1"
                                             << "30x20-0_5.1.txt";
        QTest::newRow("punto iniziale") << "30"
                                        << "20"
                                        << ".5"
                                        << "30x20-_5.txt";
        QTest::newRow("punto finale") << "30"
                                      << "20"
                                      << "1."
                                      << "30x20-1_.txt";
        QTest::newRow("virgola resta") << "30"
                                       << "20"
                                       << "0,50"
                                       << "30x20-0,50.txt";
        QTest::newRow("punti in H restano") << "30.5"
                                            << "20"
                                            << "0.50"
                                            << "30.5x20-0_50.txt";
        QTest::newRow("vuoti") << ""
                               << ""
                               << ""
                               << "x-.txt";
    }
    void nome()
    {
        QFETCH(QString, h);
        QFETCH(QString, d1);
        QFETCH(QString, diametro);
        QFETCH(QString, nome);
        StatoProgetto s;
        QCOMPARE(NomeStudio(prova::testiStudio(h, d1, diametro), s), nome);
    }

    // The part fields keep their old values when the text has no point.
    void campiDelNome()
    {
        StatoProgetto s;
        NomeStudio(prova::testiStudio("30", "20", "0.50"), s);
        QCOMPARE(s.PosizionePunto, 2);
        QCOMPARE(s.LunghezzaDiametro, qint16(4));
        NomeStudio(prova::testiStudio("30", "20", "1"), s);
        QCOMPARE(s.PosizionePunto, 0);
        QCOMPARE(s.ParteIntera, QString("0"));
        QCOMPARE(s.ParteDecimale, QString("50"));
        QCOMPARE(s.DiametroNome, QString("1"));
    }

    void senzaRighe_data()
    {
        QTest::addColumn<int>("strati");
        QTest::newRow("zero") << 0;
        QTest::newRow("negativo") << -3;
    }
    void senzaRighe()
    {
        QFETCH(int, strati);
        StatoProgetto s = prova::progettoStudio();
        s.StratiMax = std::int16_t(strati);
        const QList<QByteArray> r = righe(TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."}));
        QCOMPARE(r.size(), 21);
        QCOMPARE(r.last(), QByteArray("\r"));
    }

    // A number that reaches the next stop pushes the rest of the row onto a new line
    // padded to that stop.
    void a_capoAlloStop()
    {
        StatoProgetto s = prova::progettoStudio();
        s.StratiMax = 1;
        s.SpirePerStrato = 123456789;
        const QList<QByteArray> r = righe(TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."}));
        QCOMPARE(r[21], QByteArray(" 1           123456789 \r"));
        QCOMPARE(r[22].left(21), QByteArray(20, ' ') + ' ');
        QVERIFY(r[22].startsWith(QByteArray(20, ' ') + " 1.025 "));
    }

    void numeri_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<QString>("testo");
        QTest::newRow("coda binaria") << 3.9563999999999995 << " 3.9564 ";
        QTest::newRow("intero") << 60.0 << " 60 ";
        QTest::newRow("negativo") << -4.5 << "-4.5 ";
        QTest::newRow("sotto uno") << 0.5 << " 0.5 ";
    }
    void numeri()
    {
        QFETCH(double, valore);
        QFETCH(QString, testo);
        QCOMPARE(NumeroStudio(valore, "."), testo);
    }

    void numeriValuta()
    {
        QCOMPARE(NumeroStudio(Valuta{6730}, "."), QString(" 0.673 "));
        QCOMPARE(NumeroStudio(Valuta{-1458}, ","), QString("-0,1458 "));
        QCOMPARE(NumeroStudio(std::int16_t(-2)), QString("-2 "));
    }

    void resistenzaConVirgola()
    {
        StatoProgetto s = prova::progettoStudio();
        s.ResistenzaMetro = "0,0894";
        const QList<QByteArray> r = righe(TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."}));
        for (int i = 21; i < 26; ++i)
            QVERIFY(r[i].endsWith(" 0 \r"));
    }

    void codifica()
    {
        QCOMPARE(Windows1252(QString::fromUtf8("N°€²ω😀x")), QByteArray("N\xb0\x80\xb2??x"));
        QCOMPARE(DaWindows1252("N\xb0\x80\xb2x"), QString::fromUtf8("N°€²x"));
    }

    // The 16-bit counter stops after its last row: 32767 layers complete.
    void trentaduemilaStrati()
    {
        StatoProgetto s = prova::progettoStudio();
        s.StratiMax = 32767;
        s.DiametroFilo = 0.05;
        const QByteArray b = TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."});
        QVERIFY(b.contains("\r\n 32766 "));
        QVERIFY(b.contains("\r\n 32767 "));
        QVERIFY(!b.contains("\r\n-32768 "));
        QCOMPARE(s.Indice, qint16(32767));
    }

    void rigaNonCalcolabile()
    {
        StatoProgetto s;
        s.StratiMax = 2;
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, TestoStudio(prova::testiStudio(), s, {"06/12/2026", "."}));
    }
};

QTEST_APPLESS_MAIN(TstStudio)
#include "tst_studio.moc"
