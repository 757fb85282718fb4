// The exact inductance against published values, the brute-force sum and the physics it
// must obey.

#include "analysis/Continuo.h"
#include "analysis/Filamenti.h"
#include "analysis/Induttanza.h"

#include <QTest>

#include <atomic>
#include <cmath>
#include <functional>

using namespace windara::analisi;

Q_DECLARE_METATYPE(GeometriaAvvolgimento)

namespace {

// A winding in millimetres; the bare diameter 0.9 pitch unless given.
GeometriaAvvolgimento avv(double r1, double p, int s, int n, Stile st = Stile::AStrati, int spostate = -1,
                          int ultimo = 0)
{
    GeometriaAvvolgimento g;
    g.raggioNucleo = r1 * 1e-3;
    g.passo = p * 1e-3;
    g.diametroRame = 0.9 * p * 1e-3;
    g.spirePerStrato = s;
    g.spireStratoSpostato = spostate < 0 ? s : spostate;
    g.strati = n;
    g.spireUltimoStrato = ultimo;
    g.stile = st;
    return g;
}

// Every pair of turns, one by one.
double bruta(const GeometriaAvvolgimento &g)
{
    std::vector<std::pair<double, double>> spire; // radius, axial position
    for (int k = 1; k <= g.numeroStrati(); ++k)
        for (int i = 1; i <= g.spireStrato(k); ++i)
            spire.emplace_back(g.raggioStrato(k), (i - 0.5) * g.passo + (g.spostato(k) ? g.passo / 2 : 0));
    double l = 0;
    for (std::size_t a = 0; a < spire.size(); ++a) {
        l += AutoinduttanzaSpira(spire[a].first, g.diametroRame / 2);
        for (std::size_t b = a + 1; b < spire.size(); ++b)
            l += 2 * MutuaFilamenti(spire[a].first, spire[b].first, spire[a].second - spire[b].second);
    }
    return l;
}

double relativo(double a, double b)
{
    return std::abs(a / b - 1);
}

// The series of Rayleigh and Lyle to second order in the section (b axial, c radial, mean
// radius a, uniform current): from Maxwell's expansion of M for close filaments,
//   L/(mu0 N^2) = a (ln(8a/R) - 2) + [(c^2/6 + b^2/2) ln 8a - <(x^2 + 3y^2) ln r>] / 16a
//                 + (c^2/2 - b^2/6) / 16a,
// R the section's GMD, <.> the mean over two points of the section (x, y their radial and
// axial distance), taken here by graded Gauss-Legendre rules.
double serieLyle(double a, double b, double c, double spire)
{
    constexpr int q = 24;
    std::vector<double> x(q), w(q);
    for (int i = 0; i < q; ++i) {
        double t = std::cos(M_PI * (i + 0.75) / (q + 0.5)), d = 1;
        for (int it = 0; it < 100; ++it) {
            double p0 = 1, p1 = t;
            for (int k = 2; k <= q; ++k)
                std::tie(p0, p1) = std::make_pair(p1, ((2 * k - 1) * t * p1 - (k - 1) * p0) / k);
            d = q * (t * p1 - p0) / (t * t - 1);
            t -= p1 / d;
        }
        x[i] = t;
        w[i] = 2 / ((1 - t * t) * d * d);
    }
    const auto integra = [&](double lato, const std::function<void(double, double)> &f) {
        for (double hi = lato; hi > lato * 1e-9; hi /= 2)
            for (int i = 0; i < q; ++i)
                f(0.75 * hi + 0.25 * hi * x[i], 0.25 * hi * w[i]);
    };
    double media = 0;
    integra(c, [&](double dx, double wx) {
        integra(b, [&](double dy, double wy) {
            media += wx * wy * (c - dx) * (b - dy) * (dx * dx + 3 * dy * dy) * 0.5 * std::log(dx * dx + dy * dy);
        });
    });
    media *= 4 / (b * b * c * c);
    const double l = a * (std::log(8 * a / GmdRettangolo(b, c)) - 2) +
                     ((c * c / 6 + b * b / 2) * std::log(8 * a) - media) / (16 * a) +
                     (c * c / 2 - b * b / 6) / (16 * a);
    return Mu0 * spire * spire * l;
}

} // namespace

class TstInduttanza : public QObject
{
    Q_OBJECT
private slots:
    // K and E from the AGM against the library near k = 0, and against their expansion in k'
    // where k is 1 to the last bit.
    void ellittici_data()
    {
        QTest::addColumn<double>("kp");
        for (double kp : {1.0, 0.9, 0.5, 0.1, 1e-6, 1e-10})
            QTest::addRow("k'=%g", kp) << kp;
    }
    void ellittici()
    {
        QFETCH(double, kp);
        const IntegraliEllittici i = IntegraliCompleti(kp);
        double k, e;
        if (kp >= 0.1) {
            const double modulo = std::sqrt((1 - kp) * (1 + kp));
            k = std::comp_ellint_1(modulo);
            e = std::comp_ellint_2(modulo);
        } else {
            const double l = std::log(4 / kp);
            k = l + kp * kp / 4 * (l - 1);
            e = 1 + kp * kp / 2 * (l - 0.5);
        }
        QVERIFY2(relativo(i.K, k) < 1e-14 && relativo(i.E, e) < 1e-14, qPrintable(QString::number(i.K - k)));
    }

    // Maxwell's formula against its limits: Maxwell's expansion for close filaments (error of
    // third order) and the two dipoles far apart; symmetric in the filaments; batched as single.
    void maxwell()
    {
        for (double h : {1e-2, 1e-3}) {
            const double x = 0.6 * h, y = 0.8 * h, r = h;
            const double vicini =
                Mu0 * (std::log(8 / r) * (1 + x / 2 + (x * x + 3 * y * y) / 16) - 2 - x / 2 + (3 * x * x - y * y) / 16);
            QVERIFY(relativo(MutuaFilamenti(1, 1 + x, y), vicini) < 2 * h * h * h);
        }
        const double lontani = Mu0 * M_PI * 0.25 * 0.09 / (2 * 1e9);
        QVERIFY(relativo(MutuaFilamenti(0.5, 0.3, 1000), lontani) < 1e-5);
        QCOMPARE(MutuaFilamenti(0.02, 0.03, 0.01), MutuaFilamenti(0.03, 0.02, -0.01));
        const double r1[] = {0.01, 0.01, 1, 0.2}, r2[] = {0.0100001, 0.5, 1, 0.3}, z[] = {0, 0.02, 1e-7, 50};
        double m[4];
        MutuaFilamenti(r1, r2, z, m, 4);
        for (int i = 0; i < 4; ++i)
            QVERIFY(relativo(m[i], MutuaFilamenti(r1[i], r2[i], z[i])) < 1e-15);
    }

    // The published values of the shared references, each to the digits it is printed with
    // (and never looser than 1e-6 where it has them).
    void riferimenti_data()
    {
        QTest::addColumn<double>("calcolato");
        QTest::addColumn<double>("pubblicato");
        QTest::addColumn<double>("tolleranza");
        QTest::newRow("foglio r 1 m, b 2 m: L/mu0") << InduttanzaFoglio(1, 2, 1) / Mu0 << 1.08137 << 5e-6;
        QTest::newRow("foglio r 1 m, b 1 m (uH)") << InduttanzaFoglio(1, 1, 1) * 1e6 << 2.07463 << 5e-6;
        QTest::newRow("foglio r 1 m, b 0.5 m (uH)") << InduttanzaFoglio(1, 0.5, 1) * 1e6 << 2.885335 << 5e-7;
        QTest::newRow("foglio come limite della sezione (uH)")
            << InduttanzaSezioneUniforme(1, 1 + 1e-7, 0.5, 1) * 1e6 << 2.885335 << 5e-7;
        QTest::newRow("bobina di Brooks (uH)")
            << InduttanzaSezioneUniforme(0.01, 0.02, 0.01, 1) * 1e6 << 0.025491 << 5e-7;
        QTest::newRow("bobina spessa (H)")
            << InduttanzaSezioneUniforme(0.645, 0.787, 0.75, 8388) << 90.909 << 90.909 * 1e-5;
        QTest::newRow("GMD quadrato") << GmdRettangolo(1, 1) / 2 << 0.223525 << 5e-7;
        QTest::newRow("GMD b/c 0.5") << GmdRettangolo(1, 0.5) / 1.5 << 0.223601 << 5e-7;
        QTest::newRow("GMD linea") << GmdRettangolo(1, 0) << 0.223130 << 5e-7;
        // Rosa's mutual correction of a single layer: the sheet less the round wires, less
        // the self part A = 5/4 - ln(2D/d), per mu0 a N (a radius large against the coil).
        for (int n : {2, 10, 100}) {
            GeometriaAvvolgimento g = avv(999.5, 1, n, 1);
            g.diametroRame = 0.5e-3;
            const double foglio = InduttanzaFoglio(1, n * g.passo, n);
            const double b = (foglio - InduttanzaEsatta(g, Metodo::SommaDiretta).henry) / (Mu0 * n) -
                             (1.25 - std::log(2 * g.passo / g.diametroRame));
            QTest::addRow("Rosa km N=%d", n) << b << (n == 2 ? 0.1137 : n == 10 ? 0.2664 : 0.3269) << 5e-5;
        }
    }
    void riferimenti()
    {
        QFETCH(double, calcolato);
        QFETCH(double, pubblicato);
        QFETCH(double, tolleranza);
        QVERIFY2(std::abs(calcolato - pubblicato) <= tolleranza, qPrintable(QString::number(calcolato, 'g', 10)));
    }

    // Small windings of every kind: both sums equal the pairwise sum to rounding.
    void brutaForza_data()
    {
        QTest::addColumn<GeometriaAvvolgimento>("g");
        QTest::newRow("a strati") << avv(5, 0.5, 7, 4);
        QTest::newRow("ortociclico, spostati con una spira in meno") << avv(5, 0.5, 6, 5, Stile::Ortociclico, 5);
        QTest::newRow("ortociclico, spostati pieni") << avv(5, 0.5, 6, 4, Stile::Ortociclico, 6);
        QTest::newRow("ultimo strato incompleto") << avv(2, 1, 5, 3, Stile::AStrati, -1, 3);
        QTest::newRow("ortociclico, ultimo incompleto") << avv(2, 1, 5, 4, Stile::Ortociclico, 4, 2);
        QTest::newRow("strato lungo") << avv(10, 0.3, 60, 1);
        QTest::newRow("disco") << avv(3, 0.3, 1, 40);
    }
    void brutaForza()
    {
        QFETCH(GeometriaAvvolgimento, g);
        const double b = bruta(g);
        QVERIFY(relativo(InduttanzaEsatta(g, Metodo::SommaDiretta).henry, b) < 1e-12);
        QVERIFY(relativo(InduttanzaEsatta(g, Metodo::SommaAccelerata).henry, b) < 1e-12);
        QVERIFY(relativo(InduttanzaPerStrati(g, Metodo::SommaAccelerata).perStrato.back(), b) < 1e-12);
    }

    // The accelerated sum against every term summed, on windings where that is affordable:
    // the total and every layer's cumulative value.
    void accelerata_data()
    {
        QTest::addColumn<GeometriaAvvolgimento>("g");
        QTest::newRow("200 x 60") << avv(5, 0.2, 200, 60);
        QTest::newRow("200 x 60 ortociclico") << avv(5, 0.2, 200, 60, Stile::Ortociclico, 199);
        QTest::newRow("disco di 2000 strati") << avv(1, 0.5, 1, 2000);
        QTest::newRow("3 x 1500 ortociclico") << avv(2, 0.5, 3, 1500, Stile::Ortociclico, 2);
        QTest::newRow("solenoide 1000 x 3") << avv(10, 0.1, 1000, 3);
        QTest::newRow("40 x 30 + 17") << avv(5, 0.5, 40, 30, Stile::AStrati, -1, 17);
    }
    void accelerata()
    {
        QFETCH(GeometriaAvvolgimento, g);
        const RisultatoInduttanza d = InduttanzaPerStrati(g, Metodo::SommaDiretta);
        const RisultatoInduttanza a = InduttanzaPerStrati(g, Metodo::SommaAccelerata);
        // The plain sum evaluates every offset of every layer pair, once: n(S - 1) + n(n - 1)/2 S.
        const unsigned long long prima = ValutazioniEseguite();
        QVERIFY(relativo(InduttanzaEsatta(g, Metodo::SommaDiretta).henry, d.henry) < 1e-13);
        if (g.stile == Stile::AStrati && g.spireUltimoStrato == 0)
            QCOMPARE(ValutazioniEseguite() - prima,
                     (unsigned long long)g.strati * (g.spirePerStrato - 1) +
                         (unsigned long long)g.strati * (g.strati - 1) / 2 * g.spirePerStrato);
        QVERIFY(relativo(InduttanzaEsatta(g, Metodo::SommaAccelerata).henry, d.henry) < 1e-9);
        for (std::size_t k = 0; k < d.perStrato.size(); ++k)
            QVERIFY2(relativo(a.perStrato[k], d.perStrato[k]) < 1e-9, qPrintable(QString::number(k + 1)));
    }

    // Properties every method must keep: every length times lambda with the same turns gives
    // lambda times L; L grows with every layer and with every turn of a partial layer.
    void proprieta_data()
    {
        QTest::addColumn<GeometriaAvvolgimento>("g");
        QTest::addColumn<int>("metodo");
        QTest::newRow("diretta") << avv(5, 0.5, 40, 16) << int(Metodo::SommaDiretta);
        QTest::newRow("accelerata, ortociclico")
            << avv(4, 0.3, 90, 50, Stile::Ortociclico, 89) << int(Metodo::SommaAccelerata);
        QTest::newRow("continuo") << avv(8, 0.2, 150, 40) << int(Metodo::Continuo);
    }
    void proprieta()
    {
        QFETCH(GeometriaAvvolgimento, g);
        QFETCH(int, metodo);
        const Metodo m = Metodo(metodo);
        const double l = InduttanzaEsatta(g, m).henry;
        for (double lambda : {0.5, 3.0}) {
            GeometriaAvvolgimento h = g;
            h.raggioNucleo *= lambda;
            h.passo *= lambda;
            h.diametroRame *= lambda;
            QVERIFY(relativo(InduttanzaEsatta(h, m).henry, lambda * l) < 1e-12);
        }
        if (m == Metodo::Continuo)
            return;
        const std::vector<double> strati = InduttanzaPerStrati(g, m).perStrato;
        for (std::size_t k = 1; k < strati.size(); ++k)
            QVERIFY(strati[k] > strati[k - 1]);
        GeometriaAvvolgimento sotto = g;
        sotto.strati = g.strati - 1;
        double prima = 0;
        for (int t = 1; t <= g.spireStrato(g.strati); t += 7) {
            const double aggiunta = InduttanzaAggiunta(sotto, t, m);
            QVERIFY(aggiunta > prima);
            prima = aggiunta;
        }
    }

    // The exact value against the series of Rayleigh and Lyle where it holds (b/a and c/a up
    // to 1): the uniform section, and a winding of round wires (its correction is within 0.1 %).
    void lyle_data()
    {
        QTest::addColumn<double>("a");
        QTest::addColumn<double>("b");
        QTest::addColumn<double>("c");
        QTest::newRow("sottile") << 1.0 << 0.1 << 0.1;
        QTest::newRow("lunga") << 1.0 << 1.0 << 0.2;
        QTest::newRow("spessa") << 1.0 << 0.2 << 1.0;
        QTest::newRow("quadrata, al limite") << 1.0 << 1.0 << 1.0;
    }
    void lyle()
    {
        QFETCH(double, a);
        QFETCH(double, b);
        QFETCH(double, c);
        QVERIFY(relativo(InduttanzaSezioneUniforme(a - c / 2, a + c / 2, b, 1), serieLyle(a, b, c, 1)) < 1e-3);
        const GeometriaAvvolgimento g = avv((a - c / 2) * 10, std::min(b, c) * 0.25, int(b / c * 40), 40);
        const double bb = g.spirePerStrato * g.passo, cc = g.strati * g.passo, aa = g.raggioNucleo + cc / 2;
        QVERIFY(relativo(InduttanzaEsatta(g).henry, serieLyle(aa, bb, cc, g.spireTotali())) < 1e-3);
    }

    // The continuous value with its correction stays within the bound it states of the
    // discrete sum, for both styles, odd and even layers, thin and thick windings.
    void continuo_data()
    {
        QTest::addColumn<GeometriaAvvolgimento>("g");
        QTest::newRow("a strati") << avv(5, 0.5, 40, 16);
        QTest::newRow("a strati, filo sottile nel passo") << avv(1, 0.4, 300, 61);
        QTest::newRow("un solo strato") << avv(30, 0.4, 300, 1);
        QTest::newRow("disco") << avv(5, 0.4, 3, 200);
        QTest::newRow("ortociclico pari") << avv(5, 0.5, 40, 16, Stile::Ortociclico, 39);
        QTest::newRow("ortociclico dispari") << avv(30, 0.4, 40, 61, Stile::Ortociclico, 39);
        QTest::newRow("ortociclico, spostati pieni") << avv(1, 0.4, 300, 7, Stile::Ortociclico, 300);
    }
    void continuo()
    {
        QFETCH(GeometriaAvvolgimento, g);
        const RisultatoInduttanza c = InduttanzaContinua(g);
        QVERIFY(c.valido && c.metodo == Metodo::Continuo && c.incertezza > 0);
        QVERIFY(std::abs(c.henry - InduttanzaEsatta(g, Metodo::SommaAccelerata).henry) <= c.incertezza);
        // The bound is about the correction's size, not a blanket: within a few per mille.
        QVERIFY(c.incertezza < 5e-3 * c.henry);
    }

    // A worker can stop the work from either side, and sees the fraction reach 1.
    void avanzamento()
    {
        const GeometriaAvvolgimento g = avv(5, 0.1, 300, 400);
        std::atomic<bool> annulla{true};
        const RisultatoInduttanza a = InduttanzaPerStrati(g, std::nullopt, {nullptr, &annulla});
        QVERIFY(!a.valido && a.perStrato.empty() && !a.motivo.isEmpty());
        const RisultatoInduttanza b =
            InduttanzaEsatta(g, Metodo::SommaDiretta, {[](double) { return false; }, nullptr});
        QVERIFY(!b.valido);
        double ultima = -1;
        bool ordinata = true;
        const Avanzamento segui{[&](double f) {
                                    ordinata = ordinata && f >= ultima && f <= 1;
                                    ultima = f;
                                    return true;
                                },
                                nullptr};
        int righe = 0;
        QVERIFY(InduttanzaPerStrati(g, std::nullopt, segui, [&](int, double) { return ++righe > 0; }).valido);
        QVERIFY(ordinata && ultima == 1 && righe == 400);
    }
};

QTEST_GUILESS_MAIN(TstInduttanza)
#include "tst_induttanza.moc"
