// The analysis a window shows: the summary, the per-layer table, the design from a target,
// the winding at frequency, their texts, and the answers to bad input.

#include "analysis/Analisi.h"
#include "analysis/Dowell.h"
#include "analysis/Obiettivo.h"
#include "design/Val.h"

#include <QFile>
#include <QTest>

#include <cmath>

using namespace windara;
using namespace windara::analisi;

namespace {

QList<FiloRame> catalogo()
{
    QList<FiloRame> fili;
    QFile f(QStringLiteral(WINDARA_SOURCE_DIR "/data/Rame.csv"));
    if (!f.open(QIODevice::ReadOnly))
        return fili;
    f.readLine();
    while (!f.atEnd()) {
        const QStringList c = QString::fromUtf8(f.readLine()).trimmed().split(u',');
        if (c.size() == 5)
            fili << FiloRame{c[0], c[1], c[2], c[3], c[4]};
    }
    return fili;
}

FiloRame filo(const QString &nominale)
{
    for (const FiloRame &f : catalogo())
        if (f.DiametroNominale == nominale)
            return f;
    return {};
}

// The design as the main window holds it: H, B, D1 and a catalogue wire.
DatiAnalisi dati(const QString &h, const QString &b, const QString &d1, const QString &d = QStringLiteral("0.5"),
                 Stile stile = Stile::AStrati)
{
    DatiAnalisi a;
    a.testi = TestiLimiti{h, b, d1, d, d};
    a.filo = filo(d);
    a.resistenzaMetro = a.filo.Resistenza;
    a.stile = stile;
    return a;
}

// No figure carries a number that is not finite, and every missing one says why.
bool onesto(const Riepilogo &r)
{
    for (const auto &riga : r.cifre)
        for (const Cifra &c : riga)
            if (c.valore ? !std::isfinite(*c.valore) : c.motivo.isEmpty())
                return false;
    return true;
}

} // namespace

class TstAnalisi : public QObject
{
    Q_OBJECT
private slots:
    // The shared file's check: 6 layers of 40 turns, pitch 0.5 mm, D1 10 mm: 9.80 m.
    void lunghezzaFilo()
    {
        GeometriaAvvolgimento g;
        g.raggioNucleo = 5e-3;
        g.passo = g.diametroRame = 0.5e-3;
        g.spirePerStrato = 40;
        g.strati = 6;
        QCOMPARE(std::round(LunghezzaFilo(g) * 100) / 100, 9.80);
    }

    // IEC 60028: 1.000 mm annealed copper 21.95 mOhm/m at 20 C, 28.85 at 100 C; the
    // catalogue's value taken to 100 C the same way.
    void iec_data()
    {
        QTest::addColumn<double>("temperatura");
        QTest::addColumn<double>("milliohm");
        QTest::newRow("20 C") << 20.0 << 21.95;
        QTest::newRow("100 C") << 100.0 << 28.85;
    }
    void iec()
    {
        QFETCH(double, temperatura);
        QFETCH(double, milliohm);
        QCOMPARE(std::round(ResistenzaPerMetro(1e-3, temperatura) * 1e5) / 100, milliohm);
        QCOMPARE(std::round(ResistenzaATemperatura(Val(filo("1").Resistenza), temperatura) * 1e5) / 100, milliohm);
    }

    // Dowell's factor at Delta = 1 for 1, 2, 3 layers, the shared file's 100 kHz case, and
    // the low-frequency limit 1 + (5m^2 - 1) Delta^4 / 45.
    void dowell_data()
    {
        QTest::addColumn<double>("delta");
        QTest::addColumn<int>("strati");
        QTest::addColumn<double>("fattore");
        QTest::addColumn<double>("tolleranza");
        QTest::newRow("D 1, 1 strato") << 1.0 << 1 << 1.0856 << 5e-5;
        QTest::newRow("D 1, 2 strati") << 1.0 << 2 << 1.4060 << 5e-5;
        QTest::newRow("D 1, 3 strati") << 1.0 << 3 << 1.9400 << 5e-5;
        const double delta = DeltaDowell(0.5e-3, 0.55e-3, ProfonditaPenetrazione(1e5, 20));
        QTest::newRow("100 kHz: Delta") << delta << 0 << 1.903 << 5e-4;
        QTest::newRow("100 kHz: F_R") << FattoreDowell(delta, 6) << 0 << 35.2 << 0.05;
        for (double d : {1e-3, 0.05})
            for (int m : {1, 6})
                QTest::addRow("bassa frequenza D %g, %d strati", d, m)
                    << (FattoreDowell(d, m) - 1) / ((5.0 * m * m - 1) * std::pow(d, 4) / 45) << 0 << 1.0 << 1e-3;
        QTest::newRow("profondità 100 kHz (mm)") << ProfonditaPenetrazione(1e5, 20) * 1e3 << 0 << 0.209 << 5e-4;
        QTest::newRow("profondità 60 Hz (mm)") << ProfonditaPenetrazione(60, 20) * 1e3 << 0 << 8.53 << 5e-3;
        QTest::newRow("oltre D 20, senza overflow") << FattoreDowell(400, 3) / 400 << 0 << 1 + 16.0 / 3 << 1e-12;
    }
    void dowell()
    {
        QFETCH(double, delta);
        QFETCH(int, strati);
        QFETCH(double, fattore);
        QFETCH(double, tolleranza);
        const double v = strati > 0 ? FattoreDowell(delta, strati) : delta;
        QVERIFY2(std::abs(v - fattore) <= tolleranza, qPrintable(QString::number(v, 'g', 10)));
    }

    // Q and R_ac at one frequency; the sweep spans 10 Hz to 10 MHz with R_ac rising; a
    // frequency that is not above zero has a reason, not a number.
    void frequenza()
    {
        const AvvolgimentoAc a{0.5e-3, 0.55e-3, 6, 2.0, 1e-3, 20};
        const RisultatoFrequenza r = AnalisiFrequenza(a, 1e5);
        QVERIFY(r.valido);
        QVERIFY(std::abs(r.punto.q - 2 * M_PI * 1e5 * 1e-3 / (2.0 * r.punto.fattore)) < 1e-9);
        const std::vector<PuntoFrequenza> v = SpazzataFrequenza(a);
        QCOMPARE(int(v.size()), 1000);
        QCOMPARE(v.front().frequenza, 10.0);
        QCOMPARE(v.back().frequenza, 1e7);
        for (std::size_t i = 1; i < v.size(); ++i)
            QVERIFY(v[i].resistenzaAc > v[i - 1].resistenzaAc && std::isfinite(v[i].q));
        for (double f : {0.0, -1.0, std::nan("")}) {
            const RisultatoFrequenza s = AnalisiFrequenza(a, f);
            QVERIFY(!s.valido && s.motivo.contains(QStringLiteral("frequenza")));
        }
        QVERIFY(SpazzataFrequenza({0.5e-3, 0.55e-3, 0, 2.0, 1e-3, 20}).empty());
    }

    // The main window's example: the rules' column is what it shows; the exact columns
    // count the turns each winding really has, the real one with H as typed.
    void riepilogo_data()
    {
        QTest::addColumn<int>("stile");
        QTest::addColumn<QList<double>>("reali"); // turns per layer, layers, total turns
        // H 20.2 typed: 20.2 / 0.544 gives 37 turns where the rules' H of 20 would give 36.
        QTest::newRow("a strati") << int(Stile::AStrati) << QList<double>{37, 14, 37 * 14};
        // Shifted layers hold Fix((20.2 - 0.272) / 0.544) = 36, layers Fix(8 / (0.544 sqrt(3)/2)) = 16.
        QTest::newRow("ortociclico") << int(Stile::Ortociclico) << QList<double>{37, 16, 8 * 37 + 8 * 36};
    }
    void riepilogo()
    {
        QFETCH(int, stile);
        QFETCH(QList<double>, reali);
        DatiAnalisi d = dati(QStringLiteral("20.2"), QStringLiteral("10"), QStringLiteral("10"), QStringLiteral("0.5"),
                             Stile(stile));
        d.temperatura = 100;
        const Riepilogo r = CalcolaRiepilogo(d);
        QVERIFY(r.motivo.isEmpty() && onesto(r));
        const QList<double> regole{40, 16, 640, 3.3283};
        for (int g = 0; g < 4; ++g)
            QCOMPARE(*r(Grandezza(g), Colonna::Regole).valore, regole[g]);
        QCOMPARE(*r(Grandezza::Induttanza, Colonna::StesseSpire).valore, InduttanzaEsatta(r.regole).henry * 1e3);
        for (int g = 0; g < 3; ++g)
            QCOMPARE(*r(Grandezza(g), Colonna::Reale).valore, reali[g]);
        const double scarto = *r(Grandezza::ScartoWheeler, Colonna::Regole).valore;
        QVERIFY(scarto > 2 && scarto < 3); // the rules' 3.328 mH against an exact 3.247
        const double r20 = *r(Grandezza::Resistenza20, Colonna::Reale).valore;
        QCOMPARE(*r(Grandezza::ResistenzaT, Colonna::Reale).valore, r20 * (1 + 0.00393 * 80));
        QCOMPARE(*r(Grandezza::Massa, Colonna::Reale).valore,
                 *r(Grandezza::LunghezzaFilo, Colonna::Reale).valore * Val(d.filo.Peso));
        QVERIFY(!r(Grandezza::Induttanza, Colonna::Reale).metodo.isEmpty());
    }

    // The per-layer table of the real winding: one row per layer as it comes, growing, its
    // last row the summary's exact value.
    void tabellaStrati()
    {
        const DatiAnalisi d = dati(QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("10"));
        int arrivate = 0;
        const TabellaStrati t = CalcolaTabellaStrati(d, Colonna::Reale, {}, [&](const RigaStrato &) { ++arrivate; });
        QVERIFY(t.completa && t.motivo.isEmpty());
        QCOMPARE(int(t.righe.size()), 14);
        QCOMPARE(arrivate, 14);
        for (std::size_t k = 1; k < t.righe.size(); ++k)
            QVERIFY(t.righe[k].esatta > t.righe[k - 1].esatta && t.righe[k].wheeler && t.righe[k].resistenzaT);
        QVERIFY(std::abs(t.righe.back().esatta / *CalcolaRiepilogo(d)(Grandezza::Induttanza, Colonna::Reale).valore -
                         1) < 1e-12);
    }

    // Bad input: each answer says in Italian what is missing and shows no number it cannot
    // stand behind.
    void inputSbagliato_data()
    {
        QTest::addColumn<QStringList>("testi"); // H, B, D1, wire
        QTest::addColumn<QString>("togli");     // the catalogue field left empty
        QTest::addColumn<int>("grandezza");
        QTest::addColumn<int>("colonna");
        QTest::addColumn<QString>("motivo");
        const int l = int(Grandezza::Induttanza), reale = int(Colonna::Reale);
        QTest::newRow("ricalcolo fermato") << QStringList{"1e400", "10", "10", "0.5"} << QString() << l << reale
                                           << QStringLiteral("Le regole non calcolano");
        QTest::newRow("dati mancanti") << QStringList{"", "10", "10", "0.5"} << QString() << l << reale
                                       << QStringLiteral("Mancano dati");
        QTest::newRow("D1 negativo") << QStringList{"20", "10", "-40", "0.5"} << QString() << l
                                     << int(Colonna::StesseSpire) << QStringLiteral("D1");
        QTest::newRow("nessuno strato") << QStringList{"20", "2.3", "10", "0.5"} << QString() << l << reale
                                        << QStringLiteral("Nessuno strato");
        QTest::newRow("H zero") << QStringList{"0", "10", "10", "0.5"} << QString() << l << reale
                                << QStringLiteral("L'altezza H (0 mm) è zero");
        QTest::newRow("senza diametro esterno")
            << QStringList{"20", "10", "10", "0.5"} << QStringLiteral("esterno") << l << reale
            << QStringLiteral("Manca il diametro esterno del filo nel catalogo");
        QTest::newRow("senza resistenza") << QStringList{"20", "10", "10", "0.5"} << QStringLiteral("resistenza")
                                          << int(Grandezza::ResistenzaT) << reale << QStringLiteral("resistenza");
    }
    void inputSbagliato()
    {
        QFETCH(QStringList, testi);
        QFETCH(QString, togli);
        QFETCH(int, grandezza);
        QFETCH(int, colonna);
        QFETCH(QString, motivo);
        DatiAnalisi d = dati(testi[0], testi[1], testi[2], testi[3]);
        if (togli == QStringLiteral("esterno"))
            d.filo.DiametroEsternoMax.clear();
        if (togli == QStringLiteral("resistenza"))
            d.filo.Resistenza.clear();
        const Riepilogo r = CalcolaRiepilogo(d);
        QVERIFY(onesto(r));
        const Cifra &c = r(Grandezza(grandezza), Colonna(colonna));
        QVERIFY2(!c.valore && c.motivo.contains(motivo), qPrintable(c.motivo));
        const TabellaStrati t = CalcolaTabellaStrati(d);
        QVERIFY(t.righe.empty() == !t.motivo.isEmpty());
    }

    // Sizes that make no winding: the reason names the size; the rules' column holds their
    // captions exactly as the main window shows them (a negative one included) and "n.d."
    // for the rest; the copy likewise, and nothing else negative.
    void dimensioniSbagliate_data()
    {
        QTest::addColumn<QStringList>("testi"); // H, B, D1
        QTest::addColumn<QString>("motivo");
        QTest::newRow("H negativa") << QStringList{"-5", "10", "10"} << "L'altezza H (-5 mm) è negativa";
        QTest::newRow("H sotto il filo") << QStringList{"0.3", "10", "10"} << "è minore del diametro del filo";
        QTest::newRow("B zero") << QStringList{"20", "0", "10"} << "Lo spazio B (0 mm) è zero";
        QTest::newRow("D1 zero") << QStringList{"20", "10", "0"} << "Il diametro D1 (0 mm) è zero";
        QTest::newRow("tutte") << QStringList{"-1", "-1", "-1"} << "L'altezza H (-1 mm) è negativa; Lo spazio B";
    }
    void dimensioniSbagliate()
    {
        QFETCH(QStringList, testi);
        QFETCH(QString, motivo);
        const DatiAnalisi d = dati(testi[0], testi[1], testi[2]);
        const Riepilogo r = CalcolaRiepilogo(d);
        QVERIFY2(r.motivo.contains(motivo), qPrintable(r.motivo));
        StatoProgetto s;
        DidascalieLimiti didascalie;
        RecalcoloLimiti(d.testi, EsitoRicerca::trovata(d.resistenzaMetro), s, didascalie);
        const QList<std::pair<Grandezza, Risultato>> mostrate{{Grandezza::SpirePerStrato, Risultato::SpireStrato},
                                                              {Grandezza::Strati, Risultato::NumeroStrati},
                                                              {Grandezza::SpireTotali, Risultato::SpireTotali},
                                                              {Grandezza::Induttanza, Risultato::Ind},
                                                              {Grandezza::Resistenza20, Risultato::Centro}};
        for (const auto &[g, ris] : mostrate)
            QCOMPARE(TestoCifra(g, r(g, Colonna::Regole), ","), didascalie[ris]);
        for (Grandezza g : {Grandezza::LunghezzaFilo, Grandezza::Massa, Grandezza::ResistenzaT})
            QCOMPARE(TestoCifra(g, r(g, Colonna::Regole), ","), QString("n.d."));
        QCOMPARE(TestoCifra(Grandezza::LunghezzaFilo, r(Grandezza::LunghezzaFilo, Colonna::Reale), ","), r.motivo);
        const QStringList righe = TestoRiepilogo(r, ",").split(u'\n');
        QCOMPARE(righe[int(Grandezza::LunghezzaFilo) + 1], QString("Lunghezza del filo (m)\tn.d.\t\t"));
    }

    // The search returns the smallest turn count: checked against counting up turn by turn
    // with the plain sum, on small bobbins, both styles, a partial and a full last layer,
    // and a target beyond reach (then the most the wire gives).
    void obiettivoMinimo_data()
    {
        QTest::addColumn<int>("stile");
        QTest::addColumn<double>("obiettivo"); // mH
        for (Stile s : {Stile::AStrati, Stile::Ortociclico})
            for (double o : {1e-4, 0.01, 0.045, 10.0})
                QTest::addRow("%s, %g mH", s == Stile::AStrati ? "a strati" : "ortociclico", o) << int(s) << o;
    }
    void obiettivoMinimo()
    {
        QFETCH(int, stile);
        QFETCH(double, obiettivo);
        const Rocchetto rocchetto{4.3, 4.4, 6};
        for (const QString &d : {QStringLiteral("0.5"), QStringLiteral("0.3")}) {
            const RigaObiettivo r = ProgettaFilo(rocchetto, filo(d), obiettivo, 20, Stile(stile));
            QVERIFY(r.motivo.isEmpty());
            // Brute force: N turns filled layer by layer, the smallest whose sum reaches the target.
            GeometriaAvvolgimento pieno =
                RiempiRocchetto(rocchetto, Val(filo(d).DiametroEsternoMax), Val(d), Stile(stile));
            const auto conN = [&](double n) {
                GeometriaAvvolgimento g = pieno;
                g.strati = 0;
                while (g.strati < pieno.strati && pieno.spireFinoA(g.strati + 1) <= n)
                    ++g.strati;
                g.spireUltimoStrato = int(n - pieno.spireFinoA(g.strati));
                return InduttanzaEsatta(g, Metodo::SommaDiretta).henry * 1e3;
            };
            double n = 1;
            while (n < pieno.spireTotali() && conN(n) < obiettivo)
                ++n;
            QCOMPARE(r.raggiunge, conN(n) >= obiettivo);
            QCOMPARE(r.spireTotali, n);
            QVERIFY(std::abs(r.induttanza / conN(n) - 1) < 1e-12);
            QVERIFY(!r.raggiunge || n == 1 || conN(n - 1) < obiettivo);
        }
    }

    // The whole catalogue: sorted by resistance among the wires that reach the target; a target
    // that is not a positive number, or a design the rules cannot compute, has a reason.
    void obiettivoCatalogo()
    {
        const QList<FiloRame> fili = catalogo();
        QCOMPARE(fili.size(), 57);
        const DatiAnalisi d = dati(QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("10"));
        const TabellaObiettivo t = ProgettoDaInduttanza(d, fili, 1.5);
        QVERIFY(t.motivo.isEmpty());
        QCOMPARE(int(t.righe.size()), 57);
        for (std::size_t i = 1; i < t.righe.size(); ++i)
            if (t.righe[i].raggiunge)
                QVERIFY(*t.righe[i].resistenzaT >= *t.righe[i - 1].resistenzaT);
        QVERIFY(!t.righe.back().raggiunge && t.righe.back().induttanza < 1.5);
        for (double o : {0.0, -1.0, std::nan(""), 1e12})
            QVERIFY(!ProgettoDaInduttanza(d, fili, o).motivo.isEmpty());
        QVERIFY(
            !ProgettoDaInduttanza(dati(QStringLiteral("1e400"), QStringLiteral("10"), QStringLiteral("10")), fili, 1)
                 .motivo.isEmpty());
        const QStringList righe = TestoObiettivo(t, QStringLiteral(",")).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(righe.size(), 58);
    }

    // The copy: tab-separated, one header row, the user's separator in every number, the
    // inductances with at least 7 significant digits.
    void testi()
    {
        const DatiAnalisi d = dati(QStringLiteral("20"), QStringLiteral("10"), QStringLiteral("10"));
        const QStringList righe =
            TestoRiepilogo(CalcolaRiepilogo(d), QStringLiteral(",")).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(righe.size(), 1 + NumeroGrandezze);
        QCOMPARE(righe[0].split(u'\t').size(), 4);
        for (const QString &riga : righe.mid(1)) {
            const QStringList celle = riga.split(u'\t');
            QCOMPARE(celle.size(), 4);
            for (const QString &c : celle.mid(1))
                QVERIFY(!c.contains(u'.'));
        }
        const QString esatta = righe[1 + int(Grandezza::Induttanza)].split(u'\t')[2];
        QVERIFY(QString(esatta).remove(u',').remove(QRegularExpression(QStringLiteral("^0+"))).size() >= 7);
        const TabellaStrati t = CalcolaTabellaStrati(d);
        QCOMPARE(TestoTabellaStrati(t, 20, QStringLiteral(",")).split(u'\n', Qt::SkipEmptyParts).size(),
                 int(t.righe.size()) + 1);
        QCOMPARE(TestoNumero(0.000123456789012, -1, QStringLiteral(",")), QStringLiteral("0,000123456789"));
        QCOMPARE(TestoNumero(3.25, 4, QStringLiteral(".")), QStringLiteral("3.2500"));
    }

    void leggiNumero_data()
    {
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("separatore");
        QTest::addColumn<double>("valore"); // NaN: not a number
        QTest::newRow("virgola dell'utente") << "1,5"
                                             << "," << 1.5;
        QTest::newRow("punto sempre accettato") << "1.5"
                                                << "," << 1.5;
        QTest::newRow("virgola senza punto") << " 2,25 "
                                             << "." << 2.25;
        QTest::newRow("esponente") << "1e-3"
                                   << "," << 1e-3;
        QTest::newRow("lettere") << "abc"
                                 << "," << std::nan("");
        QTest::newRow("numero e lettere") << "1.5 mH"
                                          << "," << std::nan("");
        QTest::newRow("vuoto") << ""
                               << "," << std::nan("");
        QTest::newRow("infinito") << "1e400"
                                  << "," << std::nan("");
    }
    void leggiNumero()
    {
        QFETCH(QString, testo);
        QFETCH(QString, separatore);
        QFETCH(double, valore);
        const std::optional<double> v = LeggiNumero(testo, separatore);
        QCOMPARE(v.has_value(), !std::isnan(valore));
        if (v)
            QCOMPARE(*v, valore);
    }
};

QTEST_GUILESS_MAIN(TstAnalisi)
#include "tst_analisi.moc"
