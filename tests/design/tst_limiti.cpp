#include "design/Avvisi.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"

#include <QTest>

using namespace windara;

namespace {

struct Esito
{
    bool calcola;
    QStringList didascalie;
};

TestiLimiti testi(const QString &h, const QString &b, const QString &d1, const QString &d = "0.5")
{
    return TestiLimiti{h, b, d1, d, d};
}

QStringList elenco(const DidascalieLimiti &v)
{
    return QStringList(v.testi.begin(), v.testi.end());
}

} // namespace

class TstLimiti : public QObject
{
    Q_OBJECT
private slots:
    void didascalie_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("r");
        QTest::addColumn<bool>("calcola");
        QTest::addColumn<QStringList>("attese");
        QTest::newRow("esempio") << "20"
                                 << "10"
                                 << "10"
                                 << "0.087" << true << QStringList{" 40", " 16", " 640", " 30", " 3.3283", " 4.5457"};
        QTest::newRow("vuoti") << ""
                               << ""
                               << ""
                               << "0.087" << false << QStringList{" 0", "0", " 0", " 0", " 0", " 0"};
        QTest::newRow("B 1.9") << "20"
                               << "1.9"
                               << "10"
                               << "0.087" << true << QStringList{" 40", " 0", " 0", " 13.8", " 0", " 0"};
        QTest::newRow("B 1.5") << "20"
                               << "1.5"
                               << "10"
                               << "0.087" << true << QStringList{" 40", "0", "0", " 13", " .0056", "0"};
        QTest::newRow("B 2.9") << "20"
                               << "2.9"
                               << "10"
                               << "0.087" << true << QStringList{" 40", " 1", " 40", " 15.8", " .0064", " .1202"};
        QTest::newRow("B 2") << "20"
                             << "2"
                             << "10"
                             << "0.087" << true << QStringList{" 40", " 0", " 0", " 14", " 0", " 0"};
        QTest::newRow("lettera in H") << "a"
                                      << "10"
                                      << "10"
                                      << "0.087" << true << QStringList{" 0", " 16", " 0", " 30", " 0", " 0"};
        QTest::newRow("H 12.5 vale 12") << "12.5"
                                        << "10"
                                        << "10"
                                        << "0.087" << true
                                        << QStringList{" 24", " 16", " 384", " 30", " 1.5547", " 2.7274"};
        QTest::newRow("H 13.5 vale 14") << "13.5"
                                        << "10"
                                        << "10"
                                        << "0.087" << true
                                        << QStringList{" 28", " 16", " 448", " 30", " 1.9696", " 3.182"};
        QTest::newRow("virgola in B") << "20"
                                      << "10,5"
                                      << "10"
                                      << "0.087" << true
                                      << QStringList{" 40", " 16", " 640", " 30", " 3.3283", " 4.5457"};
        QTest::newRow("D1 negativo") << "20"
                                     << "10"
                                     << "-40"
                                     << "0.087" << true << QStringList{" 40", " 16", " 640", "-20", " 20.1403", "0"};
        QTest::newRow("trappola induttanza")
            << "10"
            << "9"
            << "5"
            << "0.087" << true << QStringList{" 10", " 7", " 70", " 23", " .0284", " .3633"};
        QTest::newRow("resistenza con virgola")
            << "20"
            << "10"
            << "10"
            << "0,087" << true << QStringList{" 40", " 16", " 640", " 30", " 3.3283", " 0"};
    }
    void didascalie()
    {
        QFETCH(QString, h);
        QFETCH(QString, b);
        QFETCH(QString, d1);
        QFETCH(QString, r);
        QFETCH(bool, calcola);
        QFETCH(QStringList, attese);
        StatoProgetto s;
        s.ResistenzaMetro = r;
        DidascalieLimiti v;
        const QString diametro = QTest::currentDataTag() == QByteArray("trappola induttanza") ? "1" : "0.5";
        RecalcoloLimiti(testi(h, b, d1, diametro), {}, s, v);
        QCOMPARE(v.calcola, calcola);
        QCOMPARE(elenco(v), attese);
    }

    void statoDopoEsempio()
    {
        StatoProgetto s;
        s.ResistenzaMetro = "0.087";
        DidascalieLimiti v;
        RecalcoloLimiti(testi("20", "10", "10"), {}, s, v);
        QCOMPARE(s.Altezza, qint16(20));
        QCOMPARE(s.SpirePerStrato, 40.0);
        QCOMPARE(s.StratiMax, qint16(16));
        QCOMPARE(s.DimensioneB, 10.0);
        QCOMPARE(s.DiametroD1, 10.0);
        QCOMPARE(s.DiametroFilo, 0.5);
        QCOMPARE(s.RaggioInterno, 5.0);
        QCOMPARE(s.RaggioEsterno, 13.0);
        QCOMPARE(s.RaggioMedio, 0.9);
    }

    void avvioSenzaIngressi()
    {
        StatoProgetto s;
        DidascalieLimiti v;
        RecalcoloLimiti(testi("", "", "", "0.05"), {}, s, v);
        QCOMPARE(s.StratiMax, qint16(-40));
    }

    // A failing step leaves every later field and label as it was.
    void arrestoAltezza()
    {
        StatoProgetto s;
        s.ResistenzaMetro = "0.087";
        DidascalieLimiti v;
        RecalcoloLimiti(testi("20", "10", "10"), {}, s, v);
        const QStringList prima = elenco(v);
        QCOMPARE(RecalcoloLimiti(testi("40000", "12", ""), {}, s, v).passo, 3);
        QCOMPARE(v.calcola, false);
        QCOMPARE(s.DimensioneB, 12.0);
        QCOMPARE(s.Altezza, qint16(20));
        QCOMPARE(s.DiametroD1, 10.0);
        QCOMPARE(elenco(v), prima);
    }

    void arrestoDiametroZero()
    {
        StatoProgetto s;
        s.ResistenzaMetro = "0.087";
        DidascalieLimiti v;
        RecalcoloLimiti(testi("20", "10", "10"), {}, s, v);
        const QStringList prima = elenco(v);
        for (const QString h : {"30", ""}) {
            QCOMPARE(RecalcoloLimiti(testi(h, "11", "12", "abc"), {}, s, v).passo, 5);
            QCOMPARE(s.DimensioneB, 11.0);
            QCOMPARE(s.Altezza, qint16(Val(h)));
            QCOMPARE(s.DiametroFilo, 0.0);
            QCOMPARE(s.SpirePerStrato, 40.0);
            QCOMPARE(elenco(v), prima);
        }
    }

    void arrestoStrati()
    {
        StatoProgetto s;
        s.ResistenzaMetro = "0.087";
        DidascalieLimiti v;
        RecalcoloLimiti(testi("20", "10", "10"), {}, s, v);
        QCOMPARE(RecalcoloLimiti(testi("30", "20000", "10", "0.05"), {}, s, v).passo, 7);
        QCOMPARE(v[Risultato::SpireStrato], QString(" 600"));
        QCOMPARE(v[Risultato::NumeroStrati], QString(" 16"));
        QCOMPARE(s.SpirePerStrato, 600.0);
        QCOMPARE(s.StratiMax, qint16(16));
    }

    // A failed lookup stops the run at step 16: the resistance shows as not available, not as
    // the previous wire's, until a lookup succeeds again.
    void ricercaFallita()
    {
        StatoProgetto s;
        DidascalieLimiti v;
        RecalcoloLimiti(testi("20", "10", "10"), EsitoRicerca::trovata("0.087"), s, v);
        QCOMPARE(v[Risultato::Centro], QString(" 4.5457"));
        const EsitoLimiti e = RecalcoloLimiti(testi("20", "10", "10", "0.6"), EsitoRicerca::fallita("guasto"), s, v);
        QCOMPARE(e.passo, 16);
        QCOMPARE(e.errore->testo(), QString("guasto"));
        QCOMPARE(v[Risultato::Ind], QString(" 1.4746"));
        QCOMPARE(v[Risultato::Centro], ResistenzaNonDisponibile());
        QCOMPARE(RecalcoloLimiti(testi("20", "10", "11", "0.6"), {}, s, v).passo, 16);
        QCOMPARE(v[Risultato::Centro], ResistenzaNonDisponibile());
        QVERIFY(RecalcoloLimiti(testi("20", "10", "10", "0.6"), EsitoRicerca::trovata("0.0605"), s, v).completo());
        QCOMPARE(s.ResistenzaMetro, QString("0.0605"));
        QCOMPARE(v[Risultato::Centro], QString(" 2.0863"));
    }

    // What the windows say when the figures stand for no winding of the design typed, and
    // whether the study may be saved: never after a stop, never of no winding.
    void avvisi_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("d");
        QTest::addColumn<QString>("avviso");
        QTest::addColumn<bool>("salvabile");
        const QString cifre = "Le cifre indicate non sono quelle dei valori digitati: ";
        const QString nessuno = ": induttanza e resistenza indicate non sono di alcun avvolgimento.";
        QTest::newRow("esempio") << "20"
                                 << "10"
                                 << "10"
                                 << "0.5"
                                 << "" << true;
        QTest::newRow("vuoti, non ancora detto") << ""
                                                 << ""
                                                 << ""
                                                 << "0.5"
                                                 << "" << false;
        QTest::newRow("H 40000") << "40000"
                                 << "10"
                                 << "10"
                                 << "0.5" << cifre + "l'altezza H, arrotondata al millimetro, supera ±32767 mm."
                                 << false;
        QTest::newRow("diametro 0") << "20"
                                    << "10"
                                    << "10"
                                    << "abc" << cifre + "il diametro del filo si legge come 0." << false;
        QTest::newRow("strati") << "30"
                                << "20000"
                                << "10"
                                << "0.05"
                                << cifre + "con il filo da 0.05 mm la dimensione B (20000 mm) dà più di 32767 strati."
                                << false;
        QTest::newRow("induttanza") << "20"
                                    << "10"
                                    << "1e300"
                                    << "0.5"
                                    << cifre + "il valore di induttanza massima è troppo grande per essere scritto."
                                    << false;
        QTest::newRow("B 1") << "20"
                             << "1"
                             << "10"
                             << "0.5"
                             << "Il rocchetto non prende nessuno strato completo: B (1 mm) è minore di 2 mm più il "
                                "diametro del filo (0.5 mm)" +
                                    nessuno
                             << false;
        QTest::newRow("H 0") << "0"
                             << "10"
                             << "10"
                             << "0.5"
                             << "Il rocchetto non prende nessuna spira completa per strato: H (0 mm) è minore del "
                                "diametro del filo (0.5 mm)" +
                                    nessuno
                             << false;
        QTest::newRow("D1 -40") << "20"
                                << "10"
                                << "-40"
                                << "0.5"
                                << "La dimensione D1 (-40 mm) è negativa" + nessuno << false;
    }
    void avvisi()
    {
        QFETCH(QString, h);
        QFETCH(QString, b);
        QFETCH(QString, d1);
        QFETCH(QString, d);
        QFETCH(QString, avviso);
        QFETCH(bool, salvabile);
        StatoProgetto s;
        s.ResistenzaMetro = "0.087";
        DidascalieLimiti v;
        RecalcoloLimiti(testi("20", "10", "10"), {}, s, v);
        const TestiLimiti t = testi(h, b, d1, d);
        const EsitoLimiti e = RecalcoloLimiti(t, {}, s, v);
        QCOMPARE(AvvisoLimiti(t, e, s), avviso);
        const QString arresto = CausaArresto(e, s);
        QCOMPARE(RifiutoStudio(arresto, s).isEmpty(), salvabile);
        QCOMPARE(AvvisoTabella(arresto, s).isEmpty(), RifiutoStudio(arresto, s).isEmpty());
    }

    void abilitazione_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("scelta");
        QTest::addColumn<bool>("abilitato");
        QTest::newRow("tutti") << "1"
                               << "2"
                               << "3"
                               << "0.5" << true;
        QTest::newRow("non numerici contano") << "x"
                                              << "y"
                                              << "z"
                                              << "0.5" << true;
        QTest::newRow("senza H") << ""
                                 << "2"
                                 << "3"
                                 << "0.5" << false;
        QTest::newRow("senza B") << "1"
                                 << ""
                                 << "3"
                                 << "0.5" << false;
        QTest::newRow("senza D1") << "1"
                                  << "2"
                                  << ""
                                  << "0.5" << false;
        QTest::newRow("senza filo") << "1"
                                    << "2"
                                    << "3"
                                    << "" << false;
        QTest::newRow("blank conta") << " "
                                     << "2"
                                     << "3"
                                     << "0.5" << true;
    }
    void abilitazione()
    {
        QFETCH(QString, h);
        QFETCH(QString, b);
        QFETCH(QString, d1);
        QFETCH(QString, scelta);
        QFETCH(bool, abilitato);
        QCOMPARE(CalcolaAbilitato(TestiLimiti{h, b, d1, scelta, "0.5"}), abilitato);
    }

    void regolaValoriNegativi()
    {
        DidascalieLimiti v;
        v.imposta(Risultato::NumeroStrati, "-5");
        v.imposta(Risultato::SpireTotali, " 1E-05");
        v.imposta(Risultato::Centro, " 5");
        v.imposta(Risultato::SpireStrato, "-5");
        QCOMPARE(v[Risultato::NumeroStrati], QString("0"));
        QCOMPARE(v[Risultato::SpireTotali], QString("0"));
        QCOMPARE(v[Risultato::Centro], QString(" 5"));
        QCOMPARE(v[Risultato::SpireStrato], QString("-5"));
    }
};

QTEST_APPLESS_MAIN(TstLimiti)
#include "tst_limiti.moc"
