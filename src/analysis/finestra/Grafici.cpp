#include "analysis/finestra/Grafici.h"

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
    // Axis labels with the user's decimal separator, like every figure of the window.
    g->setLocalizeNumbers(true);
    g->setLocale(QLocale());
    return g;
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
    m_asseX->setLabelFormat(QStringLiteral("%.0f"));
    m_asseY = new QValueAxis(g);
    m_asseY->setTitleText(QStringLiteral("Induttanza (mH)"));
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
    }
    m_stratiRegole = stratiRegole;
    m_stratiReale = stratiReale;
    m_massimo = m_limiteY = 0;
    m_asseX->setRange(0, std::max({1, stratiRegole, stratiReale}));
    m_asseY->setRange(0, 1);
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
    for (int c = 0; c < NumeroCurve; ++c) {
        for (const QPointF &p : std::as_const(m_nuovi[c]))
            m_massimo = std::max(m_massimo, p.y());
        if (!m_nuovi[c].isEmpty())
            m_serie[c]->append(m_nuovi[c]);
        m_nuovi[c].clear();
    }
    // The axis moves in round steps, and only when a curve outgrows it: each move lays the
    // chart out anew.
    if (m_massimo > m_limiteY) {
        m_asseY->setRange(0, m_massimo * 1.25);
        m_asseY->applyNiceNumbers();
        m_limiteY = m_asseY->max();
    }
}

QList<QPointF> GraficoStrati::punti(Colonna colonna, bool wheeler) const
{
    return m_serie[curva(colonna, wheeler)]->points();
}

GraficoFrequenza::GraficoFrequenza(QWidget *parent)
    : QChartView(nuovoGrafico(QStringLiteral("Resistenza in alternata e Q secondo la frequenza")), parent)
{
    setObjectName(QStringLiteral("graficoFrequenza"));
    QChart *g = chart();
    m_resistenza = nuovaCurva(g, QStringLiteral("R_ac (Ω)"), QColor(200, 40, 40), false);
    m_q = nuovaCurva(g, QStringLiteral("Q"), QColor(30, 80, 200), false);
    m_asseF = new QLogValueAxis(g);
    m_asseF->setTitleText(QStringLiteral("Frequenza (Hz)"));
    m_asseF->setBase(10);
    m_asseF->setLabelFormat(QStringLiteral("%.0f"));
    m_asseF->setRange(10, 1e7);
    m_asseR = new QLogValueAxis(g);
    m_asseR->setTitleText(QStringLiteral("R_ac (Ω)"));
    m_asseR->setLabelFormat(QStringLiteral("%.6g"));
    m_asseQ = new QLogValueAxis(g);
    m_asseQ->setTitleText(QStringLiteral("Q"));
    m_asseQ->setLabelFormat(QStringLiteral("%.6g"));
    g->addAxis(m_asseF, Qt::AlignBottom);
    g->addAxis(m_asseR, Qt::AlignLeft);
    g->addAxis(m_asseQ, Qt::AlignRight);
    m_resistenza->attachAxis(m_asseF);
    m_resistenza->attachAxis(m_asseR);
    m_q->attachAxis(m_asseF);
    m_q->attachAxis(m_asseQ);
    setRenderHint(QPainter::Antialiasing);
    imposta({});
}

void GraficoFrequenza::imposta(const std::vector<PuntoFrequenza> &punti)
{
    QList<QPointF> r, q;
    double rMin = INFINITY, rMax = 0, qMin = INFINITY, qMax = 0;
    for (const PuntoFrequenza &p : punti) {
        // A logarithmic axis takes positive numbers only.
        if (!(p.resistenzaAc > 0) || !(p.q > 0) || !std::isfinite(p.resistenzaAc) || !std::isfinite(p.q))
            continue;
        r.append(QPointF(p.frequenza, p.resistenzaAc));
        q.append(QPointF(p.frequenza, p.q));
        rMin = std::min(rMin, p.resistenzaAc);
        rMax = std::max(rMax, p.resistenzaAc);
        qMin = std::min(qMin, p.q);
        qMax = std::max(qMax, p.q);
    }
    m_resistenza->replace(r);
    m_q->replace(q);
    if (r.isEmpty()) {
        m_asseR->setRange(0.1, 10);
        m_asseQ->setRange(0.1, 10);
        return;
    }
    decadi(m_asseR, rMin, rMax);
    decadi(m_asseQ, qMin, qMax);
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

} // namespace windara::analisi
