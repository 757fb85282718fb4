// The winding up to its resonance: the cell of two touching wires, the self-capacitance of
// the real winding against the published figures and against every pair of turns, its
// limits, and the impedance about f0.

#include "analysis/Analisi.h"
#include "analysis/Capacita.h"
#include "analysis/Induttanza.h"
#include "analysis/Obiettivo.h"

#include "design/Val.h"

#include <QFile>
#include <QTest>

#include <cmath>

using namespace windara;
using namespace windara::analisi;

Q_DECLARE_METATYPE(windara::analisi::Stile)
Q_DECLARE_METATYPE(windara::analisi::GeometriaAvvolgimento)

namespace {

FiloRame filo(const QString &nominale)
{
    QFile f(QStringLiteral(WINDARA_SOURCE_DIR "/data/Rame.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    while (!f.atEnd()) {
        const QStringList c = QString::fromUtf8(f.readLine()).trimmed().split(u',');
        if (c.size() == 5 && c[0] == nominale)
            return FiloRame{c[0], c[1], c[2], c[3], c[4]};
    }
    return {};
}

Riepilogo riepilogo(const QString &h, const QString &b, const QString &d1, Stile stile)
{
    DatiAnalisi a;
    a.testi = TestiLimiti{h, b, d1, QStringLiteral("0.5"), QStringLiteral("0.5")};
    a.filo = filo(QStringLiteral("0.5"));
    a.resistenzaMetro = a.filo.Resistenza;
    a.stile = stile;
    return CalcolaRiepilogo(a);
}

// Every pair of turns with its distance; those one pitch apart touch.
double capacitaCoppie(const GeometriaAvvolgimento &g, double permittivita)
{
    struct Spira
    {
        double n, r, z;
    };
    std::vector<Spira> spire;
    for (int k = 1; k <= g.numeroStrati(); ++k) {
        const int s = g.spireStrato(k);
        for (int j = 0; j < s; ++j) {
            const int i = k % 2 ? j + 1 : s - j; // odd layers away from the flange, even back
            spire.push_back(
                {double(spire.size()), g.raggioStrato(k), (i - 0.5) * g.passo + (g.spostato(k) ? g.passo / 2 : 0)});
        }
    }
    const double cella = CapacitaCella(g.diametroRame, g.passo, permittivita).farad;
    double somma = 0;
    for (size_t a = 0; a < spire.size(); ++a)
        for (size_t b = a + 1; b < spire.size(); ++b) {
            const double d = std::hypot(spire[a].r - spire[b].r, spire[a].z - spire[b].z);
            if (std::abs(d - g.passo) < 1e-9 * g.passo)
                somma += cella * M_PI * (spire[a].r + spire[b].r) * std::pow(spire[a].n - spire[b].n, 2);
        }
    return somma / std::pow(double(spire.size()), 2);
}

GeometriaAvvolgimento geometria(Stile stile, int spire, int spostate, int strati, int ultimo)
{
    GeometriaAvvolgimento g;
    g.raggioNucleo = 4e-3;
    g.passo = 0.544e-3;
    g.diametroRame = 0.5e-3;
    g.spirePerStrato = spire;
    g.spireStratoSpostato = spostate;
    g.strati = strati;
    g.spireUltimoStrato = ultimo;
    g.stile = stile;
    return g;
}

} // namespace

class TstCapacita : public QObject
{
    Q_OBJECT
private slots:
    // Massarini & Kazimierczuk's cell at eps_r 3.5 (pF/m), and where it has no figure.
    void cella_data()
    {
        QTest::addColumn<double>("rame");
        QTest::addColumn<double>("esterno");
        QTest::addColumn<double>("permittivita");
        QTest::addColumn<double>("picofarad"); // 0: no figure
        QTest::newRow("0,5 / 0,55") << 0.5 << 0.55 << 3.5 << 118.37;
        QTest::newRow("1 / 1,062") << 1.0 << 1.062 << 3.5 << 157.71;
        QTest::newRow("0,063 / 0,076") << 0.063 << 0.076 << 3.5 << 74.64;
        QTest::newRow("senza smalto") << 0.5 << 0.5 << 3.5 << 0.0;
        QTest::newRow("esterno minore") << 0.5 << 0.4 << 3.5 << 0.0;
        QTest::newRow("smalto oltre la cella") << 0.05 << 0.1 << 3.5 << 0.0;
        QTest::newRow("permittività sotto 1") << 0.5 << 0.55 << 0.9 << 0.0;
        QTest::newRow("permittività oltre 10") << 0.5 << 0.55 << 10.5 << 0.0;
        QTest::newRow("permittività NaN") << 0.5 << 0.55 << std::nan("") << 0.0;
        QTest::newRow("rame zero") << 0.0 << 0.55 << 3.5 << 0.0;
    }
    void cella()
    {
        QFETCH(double, rame);
        QFETCH(double, esterno);
        QFETCH(double, permittivita);
        QFETCH(double, picofarad);
        const RisultatoCapacita c = CapacitaCella(rame * 1e-3, esterno * 1e-3, permittivita);
        QCOMPARE(c.valido, picofarad > 0);
        QCOMPARE(c.motivo.isEmpty(), c.valido);
        if (c.valido)
            QVERIFY2(std::abs(c.farad * 1e12 - picofarad) <= 0.005, qPrintable(QString::number(c.farad * 1e12)));
    }

    // The published windings of 0.5 mm wire (outer 0.544), through the summary's real winding:
    // the capacitance, the exact inductance and f0 to the digits they are given with.
    void riferimenti_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<Stile>("stile");
        QTest::addColumn<int>("strati");
        QTest::addColumn<double>("picofarad");
        QTest::addColumn<double>("millihenry"); // 0: not given
        QTest::addColumn<double>("kilohertz");
        QTest::newRow("30 x 10 x 20, a strati") << "30"
                                                << "20" << Stile::AStrati << 14 << 54.01 << 8.3072 << 237.6;
        QTest::newRow("30 x 10 x 20, ortociclico") << "30"
                                                   << "20" << Stile::Ortociclico << 16 << 92.99 << 0.0 << 0.0;
        QTest::newRow("20 x 10 x 10, a strati") << "20"
                                                << "10" << Stile::AStrati << 14 << 22.55 << 1.98735 << 751.7;
    }
    void riferimenti()
    {
        QFETCH(QString, h);
        QFETCH(QString, d1);
        QFETCH(Stile, stile);
        QFETCH(int, strati);
        QFETCH(double, picofarad);
        QFETCH(double, millihenry);
        QFETCH(double, kilohertz);
        const Riepilogo r = riepilogo(h, QStringLiteral("10"), d1, stile);
        QCOMPARE(r.reale.numeroStrati(), strati);
        const RisultatoCapacita c = CapacitaReale(r);
        QVERIFY2(c.valido, qPrintable(c.motivo));
        // Half a unit of the last digit given.
        QVERIFY2(std::abs(c.farad * 1e12 - picofarad) <= 0.005, qPrintable(QString::number(c.farad * 1e12, 'g', 8)));
        if (millihenry > 0) {
            QVERIFY(std::abs(r.esattaReale.henry * 1e3 - millihenry) <= 5e-5 * (millihenry < 2 ? 0.1 : 1));
            const double f0 = FrequenzaRisonanza(r.esattaReale.henry, c.farad).value_or(0);
            QVERIFY2(std::abs(f0 / 1e3 - kilohertz) <= 0.05, qPrintable(QString::number(f0, 'g', 8)));
        }
    }

    // The closed form per pair of layers against every pair of turns and their distances,
    // both styles, full and partial last layers (on a plain and on a shifted layer), shifted
    // layers with one turn less or as many.
    void coppie_data()
    {
        QTest::addColumn<Stile>("stile");
        QTest::addColumn<int>("spire");
        QTest::addColumn<int>("spostate");
        QTest::addColumn<int>("strati");
        QTest::addColumn<int>("ultimo");
        QTest::newRow("a strati 7 x 2") << Stile::AStrati << 7 << 0 << 2 << 0;
        QTest::newRow("a strati 9 x 5") << Stile::AStrati << 9 << 0 << 5 << 0;
        QTest::newRow("a strati 9 x 4 + 4") << Stile::AStrati << 9 << 0 << 4 << 4;
        QTest::newRow("a strati 9 x 5 + 1") << Stile::AStrati << 9 << 0 << 5 << 1;
        QTest::newRow("a strati 1 x 6") << Stile::AStrati << 1 << 0 << 6 << 0;
        QTest::newRow("ortociclico 8/7 x 5") << Stile::Ortociclico << 8 << 7 << 5 << 0;
        QTest::newRow("ortociclico 8/8 x 4") << Stile::Ortociclico << 8 << 8 << 4 << 0;
        QTest::newRow("ortociclico 8/7 x 3 + 3 spostate") << Stile::Ortociclico << 8 << 7 << 3 << 3;
        QTest::newRow("ortociclico 8/7 x 4 + 5") << Stile::Ortociclico << 8 << 7 << 4 << 5;
        QTest::newRow("ortociclico 8/7 x 1 + 7 spostate") << Stile::Ortociclico << 8 << 7 << 1 << 7;
        QTest::newRow("ortociclico 2/1 x 6") << Stile::Ortociclico << 2 << 1 << 6 << 0;
    }
    void coppie()
    {
        QFETCH(Stile, stile);
        QFETCH(int, spire);
        QFETCH(int, spostate);
        QFETCH(int, strati);
        QFETCH(int, ultimo);
        const GeometriaAvvolgimento g = geometria(stile, spire, spostate, strati, ultimo);
        for (double permittivita : {1.2, 3.5, 10.0}) {
            const RisultatoCapacita c = CapacitaPropria(g, permittivita);
            QVERIFY2(c.valido, qPrintable(c.motivo));
            const double attesa = capacitaCoppie(g, permittivita);
            QVERIFY2(std::abs(c.farad / attesa - 1) < 1e-12,
                     qPrintable(QStringLiteral("%1 / %2").arg(c.farad, 0, 'g', 17).arg(attesa, 0, 'g', 17)));
        }
    }

    // Many turns in equal layers on a large core: Dalessandro's (4/3) C_ll (N_L - 1) / N_L^2.
    void dalessandro_data()
    {
        QTest::addColumn<int>("strati");
        for (int n : {2, 3, 6, 20})
            QTest::addRow("%d strati", n) << n;
    }
    void dalessandro()
    {
        QFETCH(int, strati);
        GeometriaAvvolgimento g = geometria(Stile::AStrati, 2000, 0, strati, 0);
        g.raggioNucleo = 1;
        const double cll = CapacitaCella(g.diametroRame, g.passo, 3.5).farad * 2 * M_PI *
                           (g.raggioNucleo + strati * g.passo / 2) * g.spirePerStrato;
        const double attesa = 4.0 / 3 * cll * (strati - 1) / (double(strati) * strati);
        QVERIFY(std::abs(CapacitaPropria(g).farad / attesa - 1) < 1e-5);
    }

    // Every length times lambda at the same turns: C times lambda, L too, f0 over lambda.
    void scala_data()
    {
        QTest::addColumn<Stile>("stile");
        QTest::addColumn<double>("lambda");
        for (double l : {0.25, 3.0}) {
            QTest::addRow("a strati x %g", l) << Stile::AStrati << l;
            QTest::addRow("ortociclico x %g", l) << Stile::Ortociclico << l;
        }
    }
    void scala()
    {
        QFETCH(Stile, stile);
        QFETCH(double, lambda);
        const GeometriaAvvolgimento g = geometria(stile, 30, stile == Stile::Ortociclico ? 29 : 0, 6, 11);
        GeometriaAvvolgimento s = g;
        s.raggioNucleo *= lambda;
        s.passo *= lambda;
        s.diametroRame *= lambda;
        const double c = CapacitaPropria(g).farad, cs = CapacitaPropria(s).farad;
        QVERIFY(std::abs(cs / (c * lambda) - 1) < 1e-12);
        const double l = InduttanzaEsatta(g).henry, ls = InduttanzaEsatta(s).henry;
        QVERIFY(std::abs(*FrequenzaRisonanza(ls, cs) * lambda / *FrequenzaRisonanza(l, c) - 1) < 1e-9);
    }

    // Where the model gives no figure, the reason.
    void motivi_data()
    {
        QTest::addColumn<GeometriaAvvolgimento>("g");
        QTest::addColumn<double>("permittivita");
        QTest::addColumn<QString>("parola");
        QTest::newRow("uno strato") << geometria(Stile::AStrati, 50, 0, 1, 0) << 3.5 << "Medhurst";
        QTest::newRow("uno strato parziale") << geometria(Stile::AStrati, 50, 0, 0, 20) << 3.5 << "Medhurst";
        GeometriaAvvolgimento nudo = geometria(Stile::AStrati, 50, 0, 4, 0);
        nudo.diametroRame = nudo.passo;
        QTest::newRow("filo nudo") << nudo << 3.5 << "smalto";
        QTest::newRow("permittività") << geometria(Stile::AStrati, 50, 0, 4, 0) << 12.0 << "permittività";
        QTest::newRow("nessuno strato") << geometria(Stile::AStrati, 50, 0, 0, 0) << 3.5 << "strato";
    }
    void motivi()
    {
        QFETCH(GeometriaAvvolgimento, g);
        QFETCH(double, permittivita);
        QFETCH(QString, parola);
        const RisultatoCapacita c = CapacitaPropria(g, permittivita);
        QVERIFY(!c.valido);
        QCOMPARE(c.farad, 0.0);
        QVERIFY2(c.motivo.contains(parola), qPrintable(c.motivo));
    }

    // The design from a target: each wire's winding with its capacitance and f0, those of the
    // published 14 x 36 winding when the target is out of reach, the reason on one layer.
    void obiettivo_data()
    {
        QTest::addColumn<double>("millihenry");
        QTest::addColumn<QString>("b");
        QTest::newRow("irraggiungibile") << 1e6 << "10";
        QTest::newRow("1 mH, ultimo strato parziale") << 1.0 << "10";
        QTest::newRow("uno strato") << 0.001 << "10";
    }
    void obiettivo()
    {
        QFETCH(double, millihenry);
        QFETCH(QString, b);
        const Rocchetto rocchetto{20, Val(b), 10};
        const RigaObiettivo r =
            ProgettaFilo(rocchetto, filo(QStringLiteral("0.5")), millihenry, 20, Stile::AStrati, {}, 3.5);
        QVERIFY(r.motivo.isEmpty());
        GeometriaAvvolgimento g = RiempiRocchetto(rocchetto, 0.544, 0.5, Stile::AStrati);
        g.strati = r.spireUltimoStrato == g.spirePerStrato ? r.strati : r.strati - 1;
        g.spireUltimoStrato = r.spireUltimoStrato == g.spirePerStrato ? 0 : r.spireUltimoStrato;
        QCOMPARE(g.spireTotali(), r.spireTotali);
        const RisultatoCapacita c = CapacitaPropria(g);
        QCOMPARE(r.capacita.has_value(), c.valido);
        if (!c.valido) {
            QCOMPARE(r.motivoCapacita, c.motivo);
            QVERIFY(!r.risonanza);
            return;
        }
        QCOMPARE(*r.capacita, c.farad * 1e12);
        QCOMPARE(*r.risonanza, *FrequenzaRisonanza(r.induttanza * 1e-3, c.farad));
        if (millihenry > 1e5) {
            QCOMPARE(std::round(*r.capacita * 100) / 100, 22.55);
            QCOMPARE(std::round(*r.risonanza / 100) / 10, 751.7);
        }
    }

    // The impedance of the published 14-layer winding: R_ac + j w L far below f0, its peak at
    // f0, Q and the effective inductance falling to nothing there, a capacitor above.
    void impedenza()
    {
        const Riepilogo r = riepilogo(QStringLiteral("30"), QStringLiteral("10"), QStringLiteral("20"), Stile::AStrati);
        const AvvolgimentoAc a = AvvolgimentoAcReale(r);
        const double c = CapacitaReale(r).farad, f0 = *FrequenzaRisonanza(a.induttanza, c);

        const RisultatoImpedenza basso = AnalisiImpedenza(a, c, 50);
        QVERIFY(basso.valido && !basso.punto.capacitivo);
        const double rac = AnalisiFrequenza(a, 50).punto.resistenzaAc;
        QVERIFY(std::abs(basso.punto.modulo / std::hypot(rac, 2 * M_PI * 50 * a.induttanza) - 1) < 1e-6);
        QVERIFY(std::abs(*basso.punto.induttanzaEfficace / a.induttanza - 1) < 1e-6);
        QVERIFY(std::abs(*basso.punto.q / (2 * M_PI * 50 * a.induttanza / rac) - 1) < 1e-6);

        const std::vector<PuntoImpedenza> v = SpazzataImpedenza(a, c);
        QCOMPARE(int(v.size()), 1001); // f0 added in its place
        const auto picco = std::max_element(v.begin(), v.end(), [](auto &x, auto &y) { return x.modulo < y.modulo; });
        QVERIFY2(std::abs(picco->frequenza / f0 - 1) < 0.02, qPrintable(QString::number(picco->frequenza / f0)));
        QVERIFY(std::is_sorted(v.begin(), v.end(), [](auto &x, auto &y) { return x.frequenza < y.frequenza; }));
        // Inductive, then capacitive for good: with this much R_ac (Dowell's factor is in the
        // hundreds at f0) Im Z crosses zero where (f / f0)^2 = 1 - R_ac^2 C / L, a little below f0.
        const auto primo = std::find_if(v.begin(), v.end(), [](auto &p) { return p.capacitivo; });
        QVERIFY(primo != v.begin() && primo != v.end());
        QVERIFY(std::all_of(primo, v.end(), [](auto &p) { return p.capacitivo && !p.q && !p.induttanzaEfficace; }));
        QVERIFY(std::all_of(v.begin(), primo, [](auto &p) { return p.q > 0 && p.induttanzaEfficace > 0; }));
        const double rf0 = AnalisiFrequenza(a, f0).punto.resistenzaAc;
        QVERIFY(primo->frequenza < f0 && primo->frequenza > f0 * std::sqrt(1 - rf0 * rf0 * c / a.induttanza) * 0.99);
        const double qMezzo = *AnalisiImpedenza(a, c, f0 / 2).punto.q;
        QVERIFY(*std::prev(primo)->q < 0.1 * qMezzo);

        // A low-loss winding of the same L and C: below f0 the capacitance raises the apparent
        // inductance to L / (1 - (f / f0)^2); Q falls to nothing at f0 itself.
        AvvolgimentoAc poco = a;
        poco.resistenzaCc = 1e-4;
        const RisultatoImpedenza mezzo = AnalisiImpedenza(poco, c, f0 / 2);
        QVERIFY(std::abs(*mezzo.punto.induttanzaEfficace / (a.induttanza / 0.75) - 1) < 1e-6);
        const RisultatoImpedenza vicino = AnalisiImpedenza(poco, c, f0 * (1 - 1e-9));
        QVERIFY(vicino.valido && vicino.punto.q);
        QVERIFY(*vicino.punto.q < 1e-3 * *mezzo.punto.q);
        QVERIFY(AnalisiImpedenza(poco, c, f0 * 1.0001).punto.capacitivo);
        const RisultatoImpedenza oltre = AnalisiImpedenza(a, c, 3 * f0);
        QVERIFY(oltre.valido && oltre.punto.capacitivo && !oltre.punto.induttanzaEfficace);
        QVERIFY(oltre.punto.fase < -80);

        QVERIFY(!AnalisiImpedenza(a, 0, 1e3).valido);
        QVERIFY(!AnalisiImpedenza(a, c, -1).valido);
        QVERIFY(SpazzataImpedenza(a, std::nan("")).empty());
    }
};

QTEST_GUILESS_MAIN(TstCapacita)
#include "tst_capacita.moc"
