#include "Esempi.h"
#include "design/Errori.h"
#include "table/GrigliaMemoria.h"
#include "table/GrigliaValori.h"
#include "table/Tabella.h"

#include <QTest>

using namespace windara;

Q_DECLARE_METATYPE(windara::StatoProgetto)
using prova::intestazioni;
using prova::progetto;
using prova::righe;

class TstTabella : public QObject
{
    Q_OBJECT
private slots:
    void esempio_data()
    {
        QTest::addColumn<QString>("separatore");
        QTest::addColumn<QList<QStringList>>("attese");
        QTest::newRow("punto") << "."
                               << QList<QStringList>{intestazioni,
                                                     {"1", "40", "5.5", "1.3816", "0.0064", "0.1205"},
                                                     {"2", "80", "6", "3.0144", "0.0273", "0.2629"},
                                                     {"3", "120", "6.5", "4.8984", "0.0653", "0.4271"}};
        QTest::newRow("virgola") << ","
                                 << QList<QStringList>{intestazioni,
                                                       {"1", "40", "5,5", "1,3816", "0,0064", "0,1205"},
                                                       {"2", "80", "6", "3,0144", "0,0273", "0,2629"},
                                                       {"3", "120", "6,5", "4,8984", "0,0653", "0,4271"}};
    }
    void esempio()
    {
        QFETCH(QString, separatore);
        QFETCH(QList<QStringList>, attese);
        StatoProgetto s = progetto(20, 40, 0.5, 10, 3, "0.0872");
        GrigliaMemoria g;
        CompilaTabella(s, g, separatore);
        QCOMPARE(righe(g), attese);
        QCOMPARE(s.RaggioInterno, 5.0);
        QCOMPARE(s.RaggioEsterno, 6.5);
        QCOMPARE(s.RaggioMedio, 0.575);
        QCOMPARE(s.SpireAlQuadrato, 14400.0);
        QCOMPARE(s.AltezzaPer9, 18.0);
        QCOMPARE(s.Indice, qint16(4));
    }

    void formato()
    {
        StatoProgetto s = progetto(20, 40, 0.5, 10, 3, "0.0872");
        GrigliaMemoria g;
        CompilaTabella(s, g, ".");
        const int predefinito = GrigliaMemoria::AllineamentoPredefinito;
        const QList<int> intestazione{predefinito, predefinito, 3, predefinito, 3, 3};
        for (int c = 0; c < ColonneTabella; ++c) {
            QCOMPARE(g.alignment(0, c), intestazione[c]);
            for (int r = 1; r < g.rows(); ++r)
                QCOMPARE(g.alignment(r, c), AllineamentoCentroAlto);
        }
        QCOMPARE((QList<int>{g.colWidth(0), g.colWidth(1), g.colWidth(2), g.colWidth(3), g.colWidth(4), g.colWidth(5)}),
                 (QList<int>{0, 0, 0, 1800, 1800, 1800}));
    }

    void quindiciCifre()
    {
        StatoProgetto s = progetto(30, 42, 0.71, 16, 5, "0.0435");
        GrigliaMemoria g;
        CompilaTabella(s, g, ".");
        QCOMPARE(g.text(1, 3), QString("2.2973496"));
        QCOMPARE(g.text(3, 3), QString("8.0156664"));
        QStringList induttanze;
        for (int r = 1; r <= 5; ++r)
            induttanze << g.text(r, 4);
        QCOMPARE(induttanze, (QStringList{"0.0119", "0.0501", "0.1189", "0.2223", "0.3645"}));
    }

    void soloIntestazioni_data()
    {
        QTest::addColumn<int>("strati");
        QTest::newRow("zero") << 0;
        QTest::newRow("meno uno") << -1;
        QTest::newRow("minimo") << -32768;
    }
    void soloIntestazioni()
    {
        QFETCH(int, strati);
        StatoProgetto s = progetto(20, 40, 0.5, 10, strati, "0.0872");
        s.RaggioMedio = 7;
        GrigliaMemoria g;
        CompilaTabella(s, g, ".");
        QCOMPARE(righe(g), QList<QStringList>{intestazioni});
        QCOMPARE(g.colWidth(3), 1800);
        QCOMPARE(s.Indice, qint16(1));
        QCOMPARE(s.RaggioMedio, 7.0);
    }

    void riempimentoSuccessivo()
    {
        StatoProgetto s = progetto(20, 40, 0.5, 10, 5, "0.0872");
        GrigliaMemoria g;
        CompilaTabella(s, g, ".");
        QCOMPARE(g.rows(), 6);
        s.StratiMax = 2;
        CompilaTabella(s, g, ".");
        QCOMPARE(g.rows(), 3);
        QCOMPARE(g.text(2, 0), QString("2"));
    }

    void resistenzaIllegibile_data()
    {
        QTest::addColumn<QString>("r");
        QTest::newRow("vuota") << "";
        QTest::newRow("lettere") << "abc";
        QTest::newRow("virgola") << "0,0872";
    }
    void resistenzaIllegibile()
    {
        QFETCH(QString, r);
        StatoProgetto s = progetto(20, 40, 0.5, 10, 3, r);
        GrigliaMemoria g;
        CompilaTabella(s, g, ".");
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(g.text(i, 5), QString("0"));
    }

    // A cell that cannot be computed stops the fill there; the cells before it stay.
    void arrestoInCella()
    {
        StatoProgetto s = progetto(0, 40, 0, 0, 3, "0.0872");
        GrigliaMemoria g;
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, CompilaTabella(s, g, "."));
        QCOMPARE(g.rows(), 4);
        QCOMPARE(g.text(3, 3), QString("0"));
        QCOMPARE(g.text(0, 4), QString("Induttanza (mH)"));
        QCOMPARE(g.colWidth(4), 1800);
        QCOMPARE(g.text(1, 4), QString());
        QCOMPARE(g.text(0, 5), QString());
    }

    void righeOltre16Bit()
    {
        StatoProgetto s = progetto(20, 40, 0.5, 10, 32767, "0.0872");
        GrigliaMemoria g;
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, CompilaTabella(s, g, "."));
    }

    void valoriComeTesti_data()
    {
        QTest::addColumn<StatoProgetto>("s");
        QTest::addColumn<QString>("separatore");
        QTest::addColumn<QStringList>("ultimaRiga"); // the last data row, as a check on the case
        QTest::newRow("esempio") << progetto(20, 40, 0.5, 10, 3, "0.0872") << ","
                                 << QStringList{"3", "120", "6,5", "4,8984", "0,0653", "0,4271"};
        QTest::newRow("nessuno strato") << progetto(20, 40, 0.5, 10, 0, "0.0872") << "." << intestazioni;
        StatoProgetto ignota = progetto(30, 42, 0.71, 16, 5, "0.0435");
        ignota.ResistenzaMetroIgnota = true;
        QTest::newRow("n.d.") << ignota << "." << QStringList{"5", "210", "11.55", "15.23214", "0.3645", "n.d."};
        // Stops: column 2 at row 2; column 4 at row 1; column 4 at row 2 (columns 0-3 whole,
        // row 1 of column 4, column 5 empty); column 5 before its first row.
        QTest::newRow("arresto colonna 2")
            << progetto(20, 40, 1e308, 10, 3, "0.0872") << "." << QStringList{"3", "120", "", "", "", ""};
        QTest::newRow("arresto colonna 4 riga 1")
            << progetto(0, 40, 0, 0, 3, "0.0872") << "." << QStringList{"3", "120", "0", "0", "", ""};
        QTest::newRow("arresto colonna 4 riga 2") << progetto(20, 1e154, 0.5, 10, 2, "0.0872") << "."
                                                  << QStringList{"2", "2E+154", "6", "7.536E+152", "", ""};
        // Four-decimal values beyond their range stop the fill at their cell; near it, not.
        QTest::newRow("induttanza oltre i quattro decimali")
            << progetto(20, 1e11, 0.5, 10, 2, "0.0872") << "."
            << QStringList{"2", "200000000000", "6", "7536000000", "", ""};
        QTest::newRow("induttanza vicina al limite")
            << progetto(20, 1.5e10, 0.5, 10, 1, "0.0872") << "."
            << QStringList{"1", "15000000000", "5.5", "518100000", "902305860277136", "45178320"};
        QTest::newRow("resistenza oltre i quattro decimali")
            << progetto(20, 40, 0.5, 10, 3, "1e15") << "." << QStringList{"3", "120", "6.5", "4.8984", "0.0653", ""};
        QTest::newRow("arresto colonna 5")
            << progetto(20, 40, 0.5, 10, 3, "1e999") << "." << QStringList{"3", "120", "6.5", "4.8984", "0.0653", ""};
    }
    // The grid that writes its texts when read shows, cell by cell, what the grid written
    // by CompilaTabella holds, stops included, and leaves the design state the same.
    void valoriComeTesti()
    {
        QFETCH(StatoProgetto, s);
        QFETCH(QString, separatore);
        QFETCH(QStringList, ultimaRiga);
        StatoProgetto perTesti = s, perValori = s;
        {
            // A larger table before leaves its values to the next: they must never show.
            StatoProgetto grande = progetto(20, 40, 0.5, 10, 50, "0.0872");
            GrigliaValori prima;
            prima.Compila(grande, separatore);
        }
        GrigliaMemoria testi;
        GrigliaValori valori;
        bool erroreTesti = false, erroreValori = false;
        try {
            CompilaTabella(perTesti, testi, separatore);
        } catch (const ErroreRuntime &) {
            erroreTesti = true;
        }
        try {
            valori.Compila(perValori, separatore);
        } catch (const ErroreRuntime &) {
            erroreValori = true;
        }
        QCOMPARE(erroreValori, erroreTesti);
        QCOMPARE(valori.rows(), testi.rows());
        QCOMPARE(prova::righe(testi).last(), ultimaRiga);
        for (int r = 0; r < testi.rows(); ++r)
            for (int c = 0; c < ColonneTabella; ++c) {
                QCOMPARE(valori.text(r, c), testi.text(r, c));
                QCOMPARE(valori.alignment(r, c), testi.alignment(r, c));
            }
        for (int c = 0; c < ColonneTabella; ++c)
            QCOMPARE(valori.colWidth(c), testi.colWidth(c));
        QCOMPARE(perValori.Indice, perTesti.Indice);
        QCOMPARE(perValori.RaggioMedio, perTesti.RaggioMedio);
        QCOMPARE(perValori.SpireAlQuadrato, perTesti.SpireAlQuadrato);
    }

    void testi_data()
    {
        QTest::addColumn<double>("valore");
        QTest::addColumn<QString>("generale");
        QTest::newRow("intero") << 40.0 << "40";
        QTest::newRow("sotto uno") << 0.575 << "0.575";
        QTest::newRow("negativo") << -4.5 << "-4.5";
        QTest::newRow("zero negativo") << -0.0 << "0";
        QTest::newRow("coda binaria") << 2.2973496000000004 << "2.2973496";
    }
    void testi()
    {
        QFETCH(double, valore);
        QFETCH(QString, generale);
        QCOMPARE(TestoGenerale(valore, "."), generale);
    }

    void testoFisso()
    {
        QCOMPARE(TestoFisso(Valuta::da(0.5), ","), QString("0,5"));
        QCOMPARE(TestoFisso(Valuta::da(-0.12355), "."), QString("-0.1236"));
        QCOMPARE(TestoFisso(Valuta::da(0.00005), "."), QString("0"));
    }
};

QTEST_APPLESS_MAIN(TstTabella)
#include "tst_tabella.moc"
