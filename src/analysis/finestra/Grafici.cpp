#include "analysis/finestra/Grafici.h"

#include "analysis/Lettura.h"

#include <QFontMetrics>
#include <QLegend>
#include <QLineSeries>
#include <QLocale>
#include <QLogValueAxis>
#include <QPen>
#include <QScatterSeries>
#include <QTimer>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace windara::analisi {

namespace {

// More points than pixels only slow the drawing: the largest windings are thinned to about
// this many per curve, keeping the first and the last layer.
constexpr int PuntiMassimi = 600;
// Rows arriving closer than this are drawn together.
constexpr int IntervalloRidisegno = 250; // ms

QLineSeries *nuovaCurva(QChart *grafico, const QString &nome, const QColor &colore, bool tratteggiata)
{
    auto *s = new QLineSeries(grafico);
    s->setName(nome);
    QPen penna(colore, 2);
    if (tratteggiata)
        penna.setStyle(Qt::DashLine);
    s->setPen(penna);
    grafico->addSeries(s);
    return s;
}

QChart *nuovoGrafico(const QString &titolo)
{
    auto *g = new QChart;
    g->setTitle(titolo);
    g->legend()->setAlignment(Qt::AlignBottom);
    g->setMargins(QMargins(4, 4, 4, 4));
    // Axis labels with the user's decimal separator and no group separator, as the fields
    // read them back.
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);
    g->setLocalizeNumbers(true);
    g->setLocale(locale);
    // Each curve's own line in the legend: solid exact, dashed Wheeler.
    g->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    return g;
}

// A round step (1, 2 or 5 times a power of ten) near `grezzo`.
double passoTondo(double grezzo)
{
    if (!(grezzo > 0) || !std::isfinite(grezzo))
        return 1;
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double f = grezzo / decade;
    return (f <= 1 ? 1 : f <= 2 ? 2 : f <= 5 ? 5 : 10) * decade;
}

// Ticks every round step from zero up to at least `massimo`, about five of them, each
// written with the decimals the step needs and no more.
void tacche(QValueAxis *asse, double massimo, double passoMinimo)
{
    const double passo = std::max(passoMinimo, passoTondo(massimo / 5));
    asse->setTickType(QValueAxis::TicksDynamic);
    asse->setTickAnchor(0);
    asse->setTickInterval(passo);
    asse->setRange(0, std::max(passo, std::ceil(massimo / passo - 1e-9) * passo));
    const int decimali = std::max(0, int(-std::floor(std::log10(passo) + 1e-9)));
    asse->setLabelFormat(QStringLiteral("%.") + QString::number(decimali) + u'f');
}

// Decimals that write every decade of a logarithmic axis from `minimo` up.
QString formatoDecadi(double minimo)
{
    return QStringLiteral("%.") + QString::number(std::max(0, int(-std::floor(std::log10(minimo) + 1e-9)))) + u'f';
}

// A logarithmic range around [minimo, massimo] on whole decades.
void decadi(QLogValueAxis *asse, double minimo, double massimo)
{
    const double da = std::pow(10.0, std::floor(std::log10(minimo)));
    double a = std::pow(10.0, std::ceil(std::log10(massimo)));
    if (!(a > da))
        a = da * 10;
    asse->setRange(da, a);
}

} // namespace

// The chart goes to the view's constructor: the plain constructor makes a chart of its own,
// which setChart() would then leave to nobody.
GraficoStrati::GraficoStrati(QWidget *parent)
    : QChartView(nuovoGrafico(QStringLiteral("Induttanza secondo il numero di strati")), parent),
      m_ridisegno(new QTimer(this))
{
    setObjectName(QStringLiteral("graficoStrati"));
    QChart *g = chart();
    const QColor regole(200, 40, 40), reale(30, 80, 200);
    m_serie[EsattaRegole] = nuovaCurva(g, QStringLiteral("Regole, esatta"), regole, false);
    m_serie[WheelerRegole] = nuovaCurva(g, QStringLiteral("Regole, Wheeler"), regole, true);
    m_serie[EsattaReale] = nuovaCurva(g, QStringLiteral("Reale, esatta"), reale, false);
    m_serie[WheelerReale] = nuovaCurva(g, QStringLiteral("Reale, Wheeler"), reale, true);
    m_asseX = new QValueAxis(g);
    m_asseX->setTitleText(QStringLiteral("Strati"));
    m_asseY = new QValueAxis(g);
    g->addAxis(m_asseX, Qt::AlignBottom);
    g->addAxis(m_asseY, Qt::AlignLeft);
    for (QLineSeries *s : m_serie) {
        s->attachAxis(m_asseX);
        s->attachAxis(m_asseY);
    }
    // The legend inside the plot, at its top left, where the curves rising to the right leave
    // room: below the chart it would take the height the curves need.
    QLegend *legenda = g->legend();
    legenda->detachFromChart();
    legenda->setAlignment(Qt::AlignLeft);
    legenda->setBackgroundVisible(true);
    legenda->setBrush(QColor(255, 255, 255, 220));
    legenda->setPen(QPen(QColor(190, 190, 190)));
    connect(g, &QChart::plotAreaChanged, legenda, [legenda](const QRectF &area) {
        const QFontMetrics misura(legenda->font());
        const QSizeF dimensione(misura.horizontalAdvance(QStringLiteral("Regole, Wheeler")) + 48,
                                4 * (misura.height() + 14) + 6);
        legenda->setGeometry(QRectF(area.topLeft() + QPointF(6, 6), dimensione));
        legenda->update();
    });
    setRenderHint(QPainter::Antialiasing);
    m_ridisegno->setSingleShot(true);
    m_ridisegno->setInterval(IntervalloRidisegno);
    connect(m_ridisegno, &QTimer::timeout, this, &GraficoStrati::disegna);
    azzera(0, 0);
}

GraficoStrati::Curva GraficoStrati::curva(Colonna colonna, bool wheeler)
{
    if (colonna == Colonna::Reale)
        return wheeler ? WheelerReale : EsattaReale;
    return wheeler ? WheelerRegole : EsattaRegole;
}

void GraficoStrati::azzera(int stratiRegole, int stratiReale)
{
    m_ridisegno->stop();
    for (int c = 0; c < NumeroCurve; ++c) {
        m_serie[c]->clear();
        m_nuovi[c].clear();
        m_tutti[c].clear();
    }
    m_stratiRegole = stratiRegole;
    m_stratiReale = stratiReale;
    m_massimo = m_limiteY = 0;
    // Whole layers only.
    tacche(m_asseX, std::max({1, stratiRegole, stratiReale}), 1);
    m_unita = UnitaAdatta(1);
    m_asseY->setTitleText(QStringLiteral("Induttanza (%1)").arg(m_unita.nome));
    tacche(m_asseY, 1, 0);
}

void GraficoStrati::aggiungi(Colonna colonna, const std::vector<RigaStrato> &righe)
{
    const int strati = colonna == Colonna::Reale ? m_stratiReale : m_stratiRegole;
    const int passo = std::max(1, strati / PuntiMassimi);
    QList<QPointF> &esatta = m_nuovi[curva(colonna, false)], &wheeler = m_nuovi[curva(colonna, true)];
    for (const RigaStrato &r : righe) {
        if (r.strato != 1 && r.strato % passo != 0 && r.strato != strati)
            continue;
        if (std::isfinite(r.esatta))
            esatta.append(QPointF(r.strato, r.esatta));
        if (r.wheeler && std::isfinite(*r.wheeler))
            wheeler.append(QPointF(r.strato, *r.wheeler));
    }
    // The first rows at once, so that a quick table is drawn whole without waiting.
    if (m_serie[curva(colonna, false)]->count() == 0)
        disegna();
    else if (!m_ridisegno->isActive())
        m_ridisegno->start();
}

void GraficoStrati::disegna()
{
    m_ridisegno->stop();
    double massimo = m_massimo;
    for (int c = 0; c < NumeroCurve; ++c)
        for (const QPointF &p : std::as_const(m_nuovi[c]))
            massimo = std::max(massimo, p.y());
    // The unit that fits the largest value (µH, mH, H); when it changes, the curves drawn so
    // far are drawn again in it.
    const UnitaInduttanza unita = UnitaAdatta(massimo);
    const bool nuovaUnita = unita.nome != m_unita.nome;
    m_unita = unita;
    const auto inUnita = [&](const QList<QPointF> &mh) {
        QList<QPointF> punti;
        punti.reserve(mh.size());
        for (const QPointF &p : mh)
            punti.append(QPointF(p.x(), p.y() * unita.perMilli));
        return punti;
    };
    for (int c = 0; c < NumeroCurve; ++c) {
        m_tutti[c].append(m_nuovi[c]);
        if (nuovaUnita)
            m_serie[c]->replace(inUnita(m_tutti[c]));
        else if (!m_nuovi[c].isEmpty())
            m_serie[c]->append(inUnita(m_nuovi[c]));
        m_nuovi[c].clear();
    }
    m_massimo = massimo;
    // The axis moves in round steps, and only when a curve outgrows it: each move lays the
    // chart out anew.
    if (nuovaUnita || m_massimo > m_limiteY) {
        m_asseY->setTitleText(QStringLiteral("Induttanza (%1)").arg(unita.nome));
        tacche(m_asseY, m_massimo * 1.1 * unita.perMilli, 0);
        m_limiteY = m_asseY->max() / unita.perMilli;
    }
}

QList<QPointF> GraficoStrati::punti(Colonna colonna, bool wheeler) const
{
    return m_serie[curva(colonna, wheeler)]->points();
}

GraficoFrequenza::GraficoFrequenza(QWidget *parent)
    : QChartView(nuovoGrafico(QStringLiteral("Impedenza, resistenza in alternata e Q secondo la frequenza")), parent)
{
    setObjectName(QStringLiteral("graficoFrequenza"));
    QChart *g = chart();
    m_modulo = nuovaCurva(g, QStringLiteral("|Z| (Ω)"), QColor(20, 130, 60), false);
    m_resistenza = nuovaCurva(g, QStringLiteral("R<sub>ac</sub> (Ω)"), QColor(200, 40, 40), false);
    m_q = nuovaCurva(g, QStringLiteral("Q"), QColor(30, 80, 200), false);
    m_segnoRisonanza = nuovaCurva(g, QString(), QColor(90, 90, 90), true);
    m_segnoScelta = nuovaCurva(g, QString(), QColor(230, 140, 0), true);
    m_segnoScelta->setName(QStringLiteral("f scelta"));
    m_asseF = new QLogValueAxis(g);
    m_asseF->setTitleText(QStringLiteral("Frequenza (Hz)"));
    m_asseF->setBase(10);
    m_asseF->setLabelFormat(QStringLiteral("%.0f"));
    m_asseF->setRange(10, 1e7);
    m_asseR = new QLogValueAxis(g);
    m_asseR->setTitleText(QStringLiteral("|Z|, R<sub>ac</sub> (Ω)"));
    m_asseQ = new QLogValueAxis(g);
    m_asseQ->setTitleText(QStringLiteral("Q"));

    g->addAxis(m_asseF, Qt::AlignBottom);
    g->addAxis(m_asseR, Qt::AlignLeft);
    g->addAxis(m_asseQ, Qt::AlignRight);
    for (QLineSeries *s : {m_modulo, m_resistenza, m_segnoRisonanza, m_segnoScelta}) {
        s->attachAxis(m_asseF);
        s->attachAxis(m_asseR);
    }
    m_q->attachAxis(m_asseF);
    m_q->attachAxis(m_asseQ);
    setRenderHint(QPainter::Antialiasing);
    imposta({});
}

void GraficoFrequenza::imposta(const std::vector<PuntoImpedenza> &punti, std::optional<double> risonanza,
                               std::optional<double> scelta)
{
    QList<QPointF> r, z, q;
    double rMin = INFINITY, rMax = 0, qMin = INFINITY, qMax = 0;
    // A logarithmic axis takes positive numbers only.
    const auto positivo = [](double v) { return v > 0 && std::isfinite(v); };
    for (const PuntoImpedenza &p : punti) {
        if (!positivo(p.resistenzaAc))
            continue;
        r.append(QPointF(p.frequenza, p.resistenzaAc));
        rMin = std::min(rMin, p.resistenzaAc);
        rMax = std::max(rMax, p.resistenzaAc);
        if (positivo(p.modulo)) {
            z.append(QPointF(p.frequenza, p.modulo));
            rMin = std::min(rMin, p.modulo);
            rMax = std::max(rMax, p.modulo);
        }
        if (p.q && positivo(*p.q)) {
            q.append(QPointF(p.frequenza, *p.q));
            qMin = std::min(qMin, *p.q);
            qMax = std::max(qMax, *p.q);
        }
    }
    m_resistenza->replace(r);
    m_modulo->replace(z);
    m_q->replace(q);
    if (r.isEmpty()) {
        m_asseR->setRange(0.1, 10);
        m_asseQ->setRange(0.1, 10);
    } else {
        decadi(m_asseR, rMin, rMax);
        if (q.isEmpty())
            m_asseQ->setRange(0.1, 10);
        else
            decadi(m_asseQ, qMin, qMax);
    }
    m_asseR->setLabelFormat(formatoDecadi(m_asseR->min()));
    m_asseQ->setLabelFormat(formatoDecadi(m_asseQ->min()));
    const auto segno = [&](QLineSeries *s, std::optional<double> f) {
        const bool dentro = !r.isEmpty() && f && *f >= m_asseF->min() && *f <= m_asseF->max();
        s->replace(dentro ? QList<QPointF>{{*f, m_asseR->min()}, {*f, m_asseR->max()}} : QList<QPointF>{});
        s->setVisible(dentro);
    };
    segno(m_segnoRisonanza, risonanza);
    segno(m_segnoScelta, scelta);
    if (risonanza)
        m_segnoRisonanza->setName(
            QStringLiteral("f<sub>0</sub> = %1 kHz").arg(TestoNumero(*risonanza / 1e3, 1, QLocale().decimalPoint())));
}

int GraficoFrequenza::numeroPunti() const
{
    return int(m_resistenza->count());
}

GraficoCorrente::GraficoCorrente(QWidget *parent)
    : QChartView(nuovoGrafico(QStringLiteral("Temperatura e campo secondo la corrente")), parent)
{
    setObjectName(QStringLiteral("graficoCorrente"));
    QChart *g = chart();
    m_temperatura = nuovaCurva(g, QStringLiteral("T (°C)"), QColor(200, 40, 40), false);
    m_campo = nuovaCurva(g, QStringLiteral("B0 (mT)"), QColor(30, 80, 200), false);
    m_massima = nuovaCurva(g, QStringLiteral("I massima"), QColor(90, 90, 90), true);
    m_data = new QScatterSeries(g);
    m_data->setName(QStringLiteral("I data"));
    m_data->setMarkerSize(9);
    m_data->setColor(QColor(200, 40, 40));
    m_data->setBorderColor(QColor(90, 0, 0));
    g->addSeries(m_data);
    m_asseI = new QValueAxis(g);
    m_asseI->setTitleText(QStringLiteral("Corrente (A)"));
    m_asseI->setLabelFormat(QStringLiteral("%.4g"));
    m_asseT = new QValueAxis(g);
    m_asseT->setTitleText(QStringLiteral("Temperatura (°C)"));
    m_asseT->setLabelFormat(QStringLiteral("%.0f"));
    m_asseB = new QValueAxis(g);
    m_asseB->setTitleText(QStringLiteral("Campo (mT)"));
    m_asseB->setLabelFormat(QStringLiteral("%.4g"));
    g->addAxis(m_asseI, Qt::AlignBottom);
    g->addAxis(m_asseT, Qt::AlignLeft);
    g->addAxis(m_asseB, Qt::AlignRight);
    for (QXYSeries *s : std::initializer_list<QXYSeries *>{m_temperatura, m_massima, m_data}) {
        s->attachAxis(m_asseI);
        s->attachAxis(m_asseT);
    }
    m_campo->attachAxis(m_asseI);
    m_campo->attachAxis(m_asseB);
    setRenderHint(QPainter::Antialiasing);
    imposta({}, {}, {});
}

void GraficoCorrente::imposta(const std::vector<PuntoCorrente> &curva, const RisultatoCorrente &alla,
                              const RisultatoCorrente &massima)
{
    QList<QPointF> t, b;
    t.reserve(qsizetype(curva.size()));
    b.reserve(qsizetype(curva.size()));
    double tMin = INFINITY, tMax = -INFINITY, bMax = 0, iMax = 0;
    for (const PuntoCorrente &p : curva) {
        t.append(QPointF(p.corrente, p.temperatura));
        b.append(QPointF(p.corrente, p.campo * 1e3));
        tMin = std::min(tMin, p.temperatura);
        tMax = std::max(tMax, p.temperatura);
        bMax = std::max(bMax, p.campo * 1e3);
        iMax = std::max(iMax, p.corrente);
    }
    // Redrawing a curve and laying the axes out again is most of a keystroke's cost, and a
    // current typed below the highest one leaves the curves as they are: only the point moves.
    const auto sostituisci = [](QXYSeries *serie, const QList<QPointF> &punti) {
        if (serie->points() != punti)
            serie->replace(punti);
    };
    const auto intervallo = [](QValueAxis *asse, double da, double a, bool tondo) {
        if (tondo) {
            // The round range worked out on a scratch axis, so that the chart's own is set
            // (and laid out) only when it moves.
            QValueAxis prova;
            prova.setRange(da, a);
            prova.applyNiceNumbers();
            da = prova.min();
            a = prova.max();
            if (asse->tickCount() != prova.tickCount())
                asse->setTickCount(prova.tickCount());
        }
        if (asse->min() != da || asse->max() != a)
            asse->setRange(da, a);
    };
    sostituisci(m_temperatura, t);
    sostituisci(m_campo, b);
    if (t.isEmpty()) {
        sostituisci(m_massima, {});
        sostituisci(m_data, {});
        intervallo(m_asseI, 0, 1, false);
        intervallo(m_asseT, 0, 100, false);
        intervallo(m_asseB, 0, 1, false);
        return;
    }
    intervallo(m_asseI, 0, iMax > 0 ? iMax : 1, true);
    intervallo(m_asseT, tMin, tMax > tMin ? tMax : tMin + 10, true);
    intervallo(m_asseB, 0, bMax > 0 ? bMax : 1, true);
    if (massima.valido) {
        const double i = massima.punto.corrente;
        const QString nome = QStringLiteral("I massima, %1 °C").arg(QLocale().toString(massima.punto.temperatura));
        if (m_massima->name() != nome)
            m_massima->setName(nome);
        sostituisci(m_massima, {{i, m_asseT->min()}, {i, m_asseT->max()}});
    } else {
        sostituisci(m_massima, {});
    }
    sostituisci(m_data, alla.valido ? QList<QPointF>{{alla.punto.corrente, alla.punto.temperatura}} : QList<QPointF>{});
}

int GraficoCorrente::numeroPunti() const
{
    return int(m_temperatura->count());
}

QList<QPointF> GraficoFrequenza::puntiModulo() const
{
    return m_modulo->points();
}

QList<QPointF> GraficoFrequenza::puntiQ() const
{
    return m_q->points();
}

QString GraficoFrequenza::nomeSegnoRisonanza() const
{
    return m_segnoRisonanza->isVisible() ? m_segnoRisonanza->name() : QString();
}

} // namespace windara::analisi
