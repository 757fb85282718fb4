// The real winding under current, as the page "Corrente e temperatura" takes it from the
// summary: the published check, the field's long thin limit, and the model's properties.

#include "analysis/Corrente.h"

#include <QFile>
#include <QTest>

#include <cmath>

using namespace windara;
using namespace windara::analisi;

namespace {

FiloRame filo(const QString &nominale)
{
    QFile f(QStringLiteral(WINDARA_SOURCE_DIR "/data/Rame.csv"));
    if (f.open(QIODevice::ReadOnly))
        while (!f.atEnd()) {
            const QStringList c = QString::fromUtf8(f.readLine()).trimmed().split(u',');
            if (c.size() == 5 && c[0] == nominale)
                return FiloRame{c[0], c[1], c[2], c[3], c[4]};
        }
    return {};
}

// The winding through the summary, as the window builds it.
AvvolgimentoCorrente avvolgimento(const QString &h, const QString &b, const QString &d1, const QString &d,
                                  Stile stile = Stile::AStrati)
{
    DatiAnalisi dati;
    dati.testi = TestiLimiti{h, b, d1, d, d};
    dati.filo = filo(d);
    dati.resistenzaMetro = dati.filo.Resistenza;
    dati.stile = stile;
    QString motivo;
    AvvolgimentoCorrente a = AvvolgimentoCorrenteReale(CalcolaRiepilogo(dati), &motivo);
    if (!motivo.isEmpty())
        qWarning() << motivo;
    return a;
}

void relativo(double valore, double atteso, double tolleranza = 1e-4)
{
    QVERIFY2(std::abs(valore - atteso) <= tolleranza * std::abs(atteso),
             qPrintable(QStringLiteral("%1 invece di %2").arg(valore, 0, 'g', 12).arg(atteso, 0, 'g', 12)));
}

bool onesto(const PuntoCorrente &p)
{
    // Every figure finite, and all but the temperature (below 0 C in the cold) not negative.
    for (int g = 0; g < NumeroGrandezzeCorrente; ++g)
        if (const auto v = ValoreGrandezzaCorrente(p, GrandezzaCorrente(g));
            v && !(std::isfinite(*v) && (*v >= 0 || GrandezzaCorrente(g) == GrandezzaCorrente::Temperatura)))
            return false;
    return p.temperatura <= TemperaturaLimiteModello;
}

} // namespace

class TstCorrente : public QObject
{
    Q_OBJECT
private slots:
    // H 30, B 10, D1 20, 0.5 mm layered: 14 layers of 55 turns of 0.544 mm outer diameter.
    void verifica()
    {
        const AvvolgimentoCorrente a =
            avvolgimento(QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("0.5"));
        QCOMPARE(a.spire, 770.0);
        relativo(a.resistenza20, 5.8662);
        relativo(2 * a.raggioEsterno * 1e3, 35.232);
        relativo(SuperficieEsterna(a) * 1e4, 46.420);

        const RisultatoCorrente uno = AllaCorrente(a, 1, AmbienteNormale);
        QVERIFY2(uno.valido, qPrintable(uno.motivo));
        relativo(uno.punto.temperatura, 136.20);
        relativo(uno.punto.potenza, 8.545);
        relativo(uno.punto.campo * 1e3, 23.780);
        QCOMPARE(uno.punto.amperspire, 770.0);
        relativo(uno.punto.densita, 1 / (M_PI * 0.25 * 0.25));
        relativo(uno.punto.tensione, uno.punto.resistenza);
        QVERIFY(uno.punto.energia && uno.punto.costanteTempo);

        const RisultatoCorrente massima = CorrenteMassima(a, 130, AmbienteNormale);
        QVERIFY2(massima.valido, qPrintable(massima.motivo));
        relativo(massima.punto.corrente, 0.9740);
        relativo(massima.punto.potenza, 7.972);
        QCOMPARE(massima.punto.temperatura, 130.0);
    }

    // A long thin winding: B0 -> mu0 N I / H.
    void limiteLungoSottile()
    {
        AvvolgimentoCorrente a;
        a.spire = 1000;
        a.raggioInterno = 1e-3;
        a.raggioEsterno = 1.001e-3;
        a.altezza = 10;
        relativo(CampoCentro(a, 2), 4e-7 * M_PI * 1000 * 2 / 10, 1e-7);
        a.raggioEsterno = a.raggioInterno; // one wire thick: the limit, not 0/0
        relativo(CampoCentro(a, 2), 4e-7 * M_PI * 1000 * 2 / 10, 1e-7);
    }

    void proprieta_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("d");
        QTest::addColumn<int>("stile");
        QTest::addColumn<double>("ambiente");
        QTest::newRow("verifica") << "30"
                                  << "10"
                                  << "20"
                                  << "0.5" << int(Stile::AStrati) << 25.0;
        QTest::newRow("ortociclico") << "30"
                                     << "10"
                                     << "20"
                                     << "0.5" << int(Stile::Ortociclico) << 25.0;
        QTest::newRow("filo sottile") << "20"
                                      << "6"
                                      << "8"
                                      << "0.1" << int(Stile::AStrati) << 40.0;
        QTest::newRow("filo grosso") << "60"
                                     << "20"
                                     << "30"
                                     << "1.6" << int(Stile::Ortociclico) << -20.0;
        QTest::newRow("un solo strato") << "15"
                                        << "3.2"
                                        << "5"
                                        << "1" << int(Stile::AStrati) << 25.0;
    }

    void proprieta()
    {
        QFETCH(QString, h);
        QFETCH(QString, b);
        QFETCH(QString, d1);
        QFETCH(QString, d);
        QFETCH(int, stile);
        QFETCH(double, ambiente);
        const AvvolgimentoCorrente a = avvolgimento(h, b, d1, d, Stile(stile));
        QVERIFY(MotivoAvvolgimentoCorrente(a).isEmpty());

        // No current: the ambient, no power, no field.
        const RisultatoCorrente zero = AllaCorrente(a, 0, ambiente);
        QVERIFY(zero.valido);
        QCOMPARE(zero.punto.temperatura, ambiente);
        QCOMPARE(zero.punto.potenza, 0.0);
        QCOMPARE(zero.punto.campo, 0.0);

        // The highest current for a higher class is higher, and it brings the winding to
        // that class and no further.
        double prima = 0;
        for (const int classe : ClassiSmalto) {
            const RisultatoCorrente m = CorrenteMassima(a, classe, ambiente);
            QVERIFY2(m.valido, qPrintable(m.motivo));
            QVERIFY(m.punto.corrente > prima);
            prima = m.punto.corrente;
            relativo(*TemperaturaAllaCorrente(a, m.punto.corrente, ambiente), classe, 1e-9);
            QVERIFY(onesto(m.punto));
        }

        // The temperature rises with the current, up to the model's limit and not beyond it.
        const double limite = CorrenteMassima(a, TemperaturaLimiteModello, ambiente).punto.corrente;
        double t = ambiente;
        for (int i = 1; i <= 50; ++i) {
            const RisultatoCorrente r = AllaCorrente(a, limite * i / 50, ambiente);
            QVERIFY2(r.valido, qPrintable(r.motivo));
            QVERIFY(r.punto.temperatura > t);
            QVERIFY(onesto(r.punto));
            t = r.punto.temperatura;
        }
        for (const double oltre : {limite * 1.001, limite * 10, 1e300}) {
            const RisultatoCorrente r = AllaCorrente(a, oltre, ambiente);
            QVERIFY(!r.valido);
            QVERIFY2(r.motivo.contains(QStringLiteral("oltre ciò che il modello termico copre")), qPrintable(r.motivo));
        }
        for (const double cattiva : {-1.0, double(NAN), double(INFINITY)})
            QVERIFY(!AllaCorrente(a, cattiva, ambiente).valido);

        // The page's answer: a current past the class warns, its chart stops at the limit.
        const AnalisiCorrente pagina = AnalizzaCorrente(a, limite * 2, ambiente, 130);
        QVERIFY(pagina.oltreMassima && !pagina.data.valido && pagina.massima.valido);
        QVERIFY(!pagina.curva.empty());
        for (const PuntoCorrente &p : pagina.curva)
            QVERIFY(onesto(p));
    }

    // Temperatures the model does not take, and windings it cannot.
    void rifiuti_data()
    {
        QTest::addColumn<double>("ambiente");
        QTest::addColumn<double>("massima");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("massima oltre 250") << 25.0 << 260.0 << "al più 250 °C";
        QTest::newRow("massima sotto l'ambiente") << 140.0 << 130.0 << "superare la temperatura ambiente";
        QTest::newRow("ambiente a 250") << 250.0 << 250.0 << "sotto 250 °C";
        QTest::newRow("ambiente non numero") << double(NAN) << 130.0 << "sopra -234 °C";
    }

    void rifiuti()
    {
        QFETCH(double, ambiente);
        QFETCH(double, massima);
        QFETCH(QString, motivo);
        const AvvolgimentoCorrente a =
            avvolgimento(QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("0.5"));
        const RisultatoCorrente r = CorrenteMassima(a, massima, ambiente);
        QVERIFY(!r.valido);
        QVERIFY2(r.motivo.contains(motivo), qPrintable(r.motivo));

        QString perche;
        AvvolgimentoCorrenteReale(CalcolaRiepilogo(DatiAnalisi{}), &perche);
        QVERIFY(!perche.isEmpty());
        QVERIFY(!AllaCorrente(AvvolgimentoCorrente{}, 1, 25).valido);
    }

    // The copy: the figures side by side with their units, then the chart's points.
    void testo()
    {
        const AvvolgimentoCorrente a =
            avvolgimento(QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("20"), QStringLiteral("0.5"));
        const AnalisiCorrente r = AnalizzaCorrente(a, 1, 25, 130, 3);
        QVERIFY(r.oltreMassima);
        const QStringList righe = TestoCorrente(r, QStringLiteral(",")).split(u'\n');
        QCOMPARE(righe.size(), 1 + NumeroGrandezzeCorrente + 2 + 3 + 1);
        QCOMPARE(righe[0], QStringLiteral("Grandezza\tAlla corrente data\tAlla corrente massima\tUnità"));
        QCOMPARE(righe[1], QStringLiteral("Corrente\t1,0000\t0,97405\tA"));
        QCOMPARE(righe[2], QStringLiteral("Temperatura dell'avvolgimento\t136,20\t130,00\t°C"));
        QCOMPARE(righe[8], QStringLiteral("Campo al centro B0\t23,780\t23,162\tmT"));
        QCOMPARE(righe[12], QStringLiteral("Corrente (A)\tTemperatura dell'avvolgimento (°C)\tCampo al centro (mT)"));
        QCOMPARE(righe[13], QStringLiteral("0\t25,00\t0"));
        QCOMPARE(righe[15], QStringLiteral("1,0000\t136,20\t23,780"));
    }
};

QTEST_GUILESS_MAIN(TstCorrente)
#include "tst_corrente.moc"
