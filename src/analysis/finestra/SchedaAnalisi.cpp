#include "analysis/finestra/SchedaAnalisi.h"

#include <QAbstractAxis>
#include <QChart>
#include <QFont>
#include <QFontMetricsF>
#include <QLocale>
#include <QLogValueAxis>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QValueAxis>
#include <QXYSeries>

#include <algorithm>
#include <cmath>
#include <vector>

namespace windara::analisi {

namespace {

// One family with every sign the figures use (Ω, δ, Δ, µ, √, ²), embedded in the PDF.
const QString Famiglia = QStringLiteral("DejaVu Sans");

QFont carattere(double punti, bool grassetto = false)
{
    QFont f(Famiglia);
    f.setPointSizeF(punti);
    f.setBold(grassetto);
    // The same widths on every device: the layout counted on the PDF holds on a printer.
    f.setHintingPreference(QFont::PreferNoHinting);
    // Any letter spacing turns the ligatures off: "fi" stays two letters, and a search for
    // "filo" finds it.
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.02);
    return f;
}

double millimetro(const QPaintDevice *d)
{
    return d->logicalDpiY() / 25.4;
}

QString numeroAsse(double v, const QString &separatore)
{
    QString t = std::abs(v) >= 1 && std::abs(v) < 1e15 && v == std::round(v) ? QString::number(v, 'f', 0)
                                                                             : QString::number(v, 'g', 6);
    if (separatore != QStringLiteral("."))
        t.replace(u'.', separatore);
    return t;
}

// Ticks of an axis: whole decades on a logarithmic one, steps of 1, 2 or 5 × 10^n otherwise.
std::vector<double> tacche(const AsseGrafico &a)
{
    std::vector<double> t;
    if (!(a.massimo > a.minimo) || !std::isfinite(a.minimo) || !std::isfinite(a.massimo))
        return t;
    if (a.logaritmico) {
        if (!(a.minimo > 0))
            return t;
        for (double d = std::pow(10.0, std::ceil(std::log10(a.minimo) - 1e-9)); d <= a.massimo * (1 + 1e-9); d *= 10)
            t.push_back(d);
        return t;
    }
    const double grezzo = (a.massimo - a.minimo) / 5;
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    const double passo = grezzo / decade < 1.5 ? decade : grezzo / decade < 3.5 ? 2 * decade : 5 * decade;
    for (double v = std::ceil(a.minimo / passo - 1e-9) * passo; v <= a.massimo + passo * 1e-9; v += passo)
        t.push_back(std::abs(v) < passo * 1e-9 ? 0 : v);
    return t;
}

// Where v falls between the axis' ends, 0 to 1.
double frazione(const AsseGrafico &a, double v)
{
    if (a.logaritmico)
        return (std::log10(v) - std::log10(a.minimo)) / (std::log10(a.massimo) - std::log10(a.minimo));
    return (v - a.minimo) / (a.massimo - a.minimo);
}

bool valido(const AsseGrafico &a)
{
    return std::isfinite(a.minimo) && std::isfinite(a.massimo) && a.massimo > a.minimo &&
           (!a.logaritmico || a.minimo > 0);
}

void leggiAsse(const QAbstractAxis *asse, AsseGrafico &a)
{
    a.titolo = asse->titleText();
    if (const auto *v = qobject_cast<const QValueAxis *>(asse)) {
        a.minimo = v->min();
        a.massimo = v->max();
    } else if (const auto *l = qobject_cast<const QLogValueAxis *>(asse)) {
        a.minimo = l->min();
        a.massimo = l->max();
        a.logaritmico = true;
    }
}

} // namespace

DatiGrafico DatiDaGrafico(const QChart &grafico)
{
    DatiGrafico g;
    g.titolo = grafico.title();
    g.separatore = grafico.localizeNumbers() ? grafico.locale().decimalPoint() : QStringLiteral(".");
    for (QAbstractSeries *serie : grafico.series()) {
        auto *xy = qobject_cast<QXYSeries *>(serie);
        if (!xy || !xy->isVisible())
            continue;
        CurvaGrafico c;
        c.nome = xy->name();
        c.colore = xy->pen().color();
        c.tratteggiata = xy->pen().style() != Qt::SolidLine;
        c.punti = xy->points();
        for (const QAbstractAxis *asse : xy->attachedAxes()) {
            if (asse->orientation() == Qt::Horizontal) {
                leggiAsse(asse, g.x);
            } else if (asse->alignment() == Qt::AlignRight) {
                leggiAsse(asse, g.y2);
                g.secondoAsse = true;
                c.destra = true;
            } else {
                leggiAsse(asse, g.y);
            }
        }
        g.curve << c;
    }
    return g;
}

void DisegnaGrafico(QPainter &p, const QRectF &area, const DatiGrafico &g)
{
    p.save();
    const double mm = millimetro(p.device());
    const QFont titolo = carattere(9, true), testo = carattere(7);
    const QFontMetricsF mt(titolo, p.device()), m(testo, p.device());
    p.setPen(QPen(QColor(190, 190, 190), 0.2 * mm));
    p.drawRect(area);

    const auto taccheY = tacche(g.y), taccheY2 = g.secondoAsse ? tacche(g.y2) : std::vector<double>{};
    const auto larghezza = [&](const std::vector<double> &t) {
        double l = 0;
        for (double v : t)
            l = std::max(l, m.horizontalAdvance(numeroAsse(v, g.separatore)));
        return l;
    };
    // Legend: the curves' names side by side under the chart, as many lines as they take.
    const double campione = 8 * mm, spazio = 4 * mm;
    QList<double> larghezzeVoci;
    for (const CurvaGrafico &c : g.curve)
        larghezzeVoci << campione + mm + m.horizontalAdvance(c.nome);
    int righeLegenda = g.curve.isEmpty() ? 0 : 1;
    for (double x = 0; const double l : larghezzeVoci) {
        if (x > 0 && x + l > area.width() - 4 * mm) {
            ++righeLegenda;
            x = 0;
        }
        x += l + spazio;
    }
    const QRectF piano(area.left() + 2 * mm + m.height() + larghezza(taccheY) + 2 * mm,
                       area.top() + 2 * mm + mt.height() + 2 * mm, 0, 0);
    QRectF grafico = piano;
    grafico.setRight(area.right() - 2 * mm - (g.secondoAsse ? m.height() + larghezza(taccheY2) + 2 * mm : 3 * mm));
    grafico.setBottom(area.bottom() - 2 * mm - righeLegenda * m.height() * 1.3 - 2 * mm - m.height() * 2 - 2 * mm);

    p.setFont(titolo);
    p.setPen(Qt::black);
    p.drawText(QRectF(area.left(), area.top() + 2 * mm, area.width(), mt.height()), Qt::AlignHCenter, g.titolo);
    if (!(grafico.width() > 0 && grafico.height() > 0)) {
        p.restore();
        return;
    }

    p.setFont(testo);
    p.setPen(QPen(QColor(120, 120, 120), 0.2 * mm));
    p.drawRect(grafico);
    const QPen griglia(QColor(225, 225, 225), 0.15 * mm);
    const auto asseVerticale = [&](const AsseGrafico &a, const std::vector<double> &t, bool destra) {
        if (!valido(a))
            return;
        for (double v : t) {
            const double y = grafico.bottom() - frazione(a, v) * grafico.height();
            if (!destra) {
                p.setPen(griglia);
                p.drawLine(QPointF(grafico.left(), y), QPointF(grafico.right(), y));
            }
            p.setPen(Qt::black);
            const QString etichetta = numeroAsse(v, g.separatore);
            const double w = m.horizontalAdvance(etichetta);
            const double x = destra ? grafico.right() + mm : grafico.left() - mm - w;
            p.drawText(QRectF(x, y - m.height() / 2, w + 1, m.height()), Qt::AlignVCenter, etichetta);
        }
        p.save();
        const double x = destra ? area.right() - 2 * mm - m.height() : area.left() + 2 * mm;
        p.translate(x + m.ascent(), grafico.center().y());
        p.rotate(destra ? 90 : -90);
        p.drawText(QRectF(-grafico.height() / 2, -m.ascent(), grafico.height(), m.height()), Qt::AlignHCenter,
                   a.titolo);
        p.restore();
    };
    asseVerticale(g.y, taccheY, false);
    if (g.secondoAsse)
        asseVerticale(g.y2, taccheY2, true);
    if (valido(g.x)) {
        for (double v : tacche(g.x)) {
            const double x = grafico.left() + frazione(g.x, v) * grafico.width();
            p.setPen(griglia);
            p.drawLine(QPointF(x, grafico.top()), QPointF(x, grafico.bottom()));
            p.setPen(Qt::black);
            const QString etichetta = numeroAsse(v, g.separatore);
            const double w = m.horizontalAdvance(etichetta);
            p.drawText(QRectF(x - w / 2, grafico.bottom() + mm, w + 1, m.height()), Qt::AlignHCenter, etichetta);
        }
        p.drawText(QRectF(grafico.left(), grafico.bottom() + mm + m.height(), grafico.width(), m.height()),
                   Qt::AlignHCenter, g.x.titolo);
    }

    // The curves, clipped to the plot; a point a logarithmic axis cannot place is left out.
    p.save();
    p.setClipRect(grafico);
    p.setRenderHint(QPainter::Antialiasing);
    for (const CurvaGrafico &c : g.curve) {
        const AsseGrafico &ay = c.destra ? g.y2 : g.y;
        if (!valido(g.x) || !valido(ay))
            continue;
        QPainterPath percorso;
        for (const QPointF &punto : c.punti) {
            if ((g.x.logaritmico && !(punto.x() > 0)) || (ay.logaritmico && !(punto.y() > 0)))
                continue;
            const QPointF q(grafico.left() + frazione(g.x, punto.x()) * grafico.width(),
                            grafico.bottom() - frazione(ay, punto.y()) * grafico.height());
            if (percorso.elementCount() == 0)
                percorso.moveTo(q);
            else
                percorso.lineTo(q);
        }
        QPen penna(c.colore, 0.4 * mm);
        penna.setStyle(c.tratteggiata ? Qt::DashLine : Qt::SolidLine);
        p.setPen(penna);
        p.drawPath(percorso);
    }
    p.restore();

    double x = area.left() + 2 * mm, y = grafico.bottom() + 2 * mm + m.height() * 2 + 2 * mm;
    for (qsizetype i = 0; i < g.curve.size(); ++i) {
        if (x > area.left() + 2 * mm && x + larghezzeVoci[i] > area.right() - 2 * mm) {
            x = area.left() + 2 * mm;
            y += m.height() * 1.3;
        }
        const CurvaGrafico &c = g.curve[i];
        QPen penna(c.colore, 0.4 * mm);
        penna.setStyle(c.tratteggiata ? Qt::DashLine : Qt::SolidLine);
        p.setPen(penna);
        p.drawLine(QPointF(x, y + m.height() / 2), QPointF(x + campione, y + m.height() / 2));
        p.setPen(Qt::black);
        p.drawText(QRectF(x + campione + mm, y, larghezzeVoci[i], m.height()), Qt::AlignVCenter, c.nome);
        x += larghezzeVoci[i] + spazio;
    }
    p.restore();
}

DisegnoScheda DisegnoDi(DatiGrafico grafico)
{
    return [g = std::move(grafico)](QPainter &p, const QRectF &area) { DisegnaGrafico(p, area, g); };
}

SezioneScheda SezioneFonti()
{
    SezioneScheda s;
    s.titolo = QStringLiteral("Metodi e fonti");
    s.metodo = QStringLiteral(
        "Induttanza esatta: ogni spira un filamento circolare coassiale; la mutua induttanza di due spire con la "
        "formula di Maxwell, M = µ0 √(r1 r2) [(2/k − k) K(k) − (2/k) E(k)], K ed E con la media aritmetico-"
        "geometrica; l'induttanza propria di ogni spira come anello di filo tondo, µ0 r (ln(8r/ρ) − 7/4). "
        "J. C. Maxwell, A Treatise on Electricity and Magnetism (1873); F. W. Grover, Inductance Calculations "
        "(1946).\n"
        "Avvolgimenti più grandi: densità di corrente uniforme sulla sezione rettangolare, integrale esatto su "
        "funzioni di Bessel, con la correzione di Rosa e Grover per i fili tondi. S. Yu, K. Han, IEEE Trans. "
        "Magn. 23(6), 1987; J. T. Conway, IEEE Trans. Magn. 46(1), 2010.\n"
        "Formula di Wheeler: L = 0,315 a² N² / (6a + 9b + 10c) µH, lunghezze in cm. H. A. Wheeler, Proc. IRE "
        "16(10), 1928.\n"
        "Filo dell'avvolgimento reale: ogni strato come elica, S_k √((2π r_k)² + p²).\n"
        "Resistenza: lunghezza per Ω/m del catalogo a 20 °C; a T, R20 (1 + 0,00393 (T − 20)) per il rame "
        "ricotto, IEC 60028. Massa: lunghezza per g/m del catalogo. Diametro esterno: grado 1, IEC 60317-0-1.\n"
        "Profondità di penetrazione, F_R, R_ac e Q: P. L. Dowell, Proc. IEE 113(8), 1966.");
    return s;
}

namespace {

constexpr double MargineMm = 15;
constexpr double AltezzaGraficoMm = 88;

// The document laid out page by page: once without painting, to count the pages, then
// painting. Both passes take the same decisions from the same measures.
class Impaginatore
{
public:
    Impaginatore(QPagedPaintDevice &d, QPainter *p, int totale, const QString &titolo)
        : m_d(d), m_p(p), m_totale(totale), m_titolo(titolo), m_mm(millimetro(&d)), m_testo(carattere(9)),
          m_grassetto(carattere(9, true)), m_sezione(carattere(12, true)), m_tabella(carattere(7.5)),
          m_piede(carattere(7))
    {
        const double larghezza = d.width(), altezza = d.height();
        // QPrinter and QPdfWriter paint from the printable area's corner: the margins are ours.
        m_area = QRectF(0, 0, larghezza, altezza);
        m_y = m_area.top();
        m_basso = m_area.bottom() - QFontMetricsF(m_piede, &d).height() - 3 * m_mm;
    }

    int pagina() const { return m_pagina; }
    double mm() const { return m_mm; }

    void fine() { piede(); }

    bool inizioDocumento(const DocumentoScheda &doc)
    {
        const QFont grande = carattere(16, true);
        const double h = testo(doc.titolo, grande, Qt::AlignLeft);
        Q_UNUSED(h);
        testo(QStringLiteral("Data: ") + doc.data, m_testo, Qt::AlignLeft);
        m_y += 3 * m_mm;
        return true;
    }

    void titoloSezione(const QString &titolo, double seguito)
    {
        const double h = QFontMetricsF(m_sezione, &m_d).height() * 1.4;
        if (m_y > m_area.top() && m_y + h + seguito > m_basso)
            nuovaPagina();
        m_y += (m_y > m_area.top() ? 2 * m_mm : 0);
        testo(titolo, m_sezione, Qt::AlignLeft);
        m_y += m_mm;
    }

    // A paragraph, wrapped to the width; a paragraph that does not fit goes to the next page.
    double testo(const QString &t, const QFont &f, Qt::Alignment allineamento)
    {
        const QFontMetricsF m(f, &m_d);
        const QRectF r = m.boundingRect(QRectF(0, 0, m_area.width(), 1e9), Qt::TextWordWrap | allineamento, t);
        if (m_y > m_area.top() && m_y + r.height() > m_basso)
            nuovaPagina();
        if (m_p) {
            m_p->setFont(f);
            m_p->setPen(Qt::black);
            m_p->drawText(QRectF(m_area.left(), m_y, m_area.width(), r.height()), Qt::TextWordWrap | allineamento, t);
        }
        m_y += r.height() + 0.8 * m_mm;
        return r.height();
    }
    double testo(const QString &t) { return testo(t, m_testo, Qt::AlignLeft); }

    void grafico(const DisegnoScheda &disegno)
    {
        const double h = AltezzaGraficoMm * m_mm;
        if (m_y > m_area.top() && m_y + h > m_basso)
            nuovaPagina();
        if (m_p) {
            m_p->save();
            disegno(*m_p, QRectF(m_area.left(), m_y, m_area.width(), h));
            m_p->restore();
        }
        m_y += h + 2 * m_mm;
    }

    // The widths of a table's columns and the height of each row, measured once for both
    // passes.
    struct Misure
    {
        QFont font;
        std::vector<double> larghezze;
        double altezzaIntestazione = 0, altezzaRiga = 0;
        std::vector<double> altezze; // of rows taller than one line, by row; empty when none is
    };

    Misure misura(const TabellaScheda &t, Sorvegliante &s) const
    {
        Misure r;
        const qsizetype n = t.intestazione.size();
        const double pad = 1.2 * m_mm;
        // Natural widths: the longest word of each caption, the widest cell; a column of long
        // texts (a reason in place of a figure) wraps at 40 % of the page.
        std::vector<double> naturali(n, 0);
        QFontMetricsF m(m_tabella, &m_d);
        QFontMetricsF mg(carattere(7.5, true), &m_d);
        for (qsizetype c = 0; c < n; ++c)
            for (const QString &parola : t.intestazione[c].split(u' '))
                naturali[c] = std::max(naturali[c], mg.horizontalAdvance(parola));
        // Each cell's width, kept so that only the rows with a cell too wide are read again.
        std::vector<float> celle(size_t(t.righe * n), 0);
        for (qsizetype i = 0; i < t.righe; ++i) {
            const QStringList riga = t.riga(i);
            for (qsizetype c = 0; c < n && c < riga.size(); ++c) {
                const double w = m.horizontalAdvance(riga[c]);
                celle[size_t(i * n + c)] = float(w);
                naturali[c] = std::max(naturali[c], w);
            }
            if ((i & 255) == 0 && !s.continua(0))
                return r;
        }
        double somma = 0;
        for (double &w : naturali) {
            w = std::min(w + 2 * pad, 0.4 * m_area.width());
            somma += w;
        }
        double scala = 1;
        r.font = m_tabella;
        // Wider than the page: smaller, however small, rather than cut; a little to spare
        // for widths that do not scale exactly with the size.
        if (somma > m_area.width()) {
            scala = m_area.width() / somma * 0.97;
            r.font.setPointSizeF(7.5 * scala);
        }
        const double extra = std::max(0.0, m_area.width() - somma * scala) / double(std::max<qsizetype>(1, n));
        for (double w : naturali)
            r.larghezze.push_back(w * scala + extra);

        const QFontMetricsF mf(r.font, &m_d);
        QFont grassetto = r.font;
        grassetto.setBold(true);
        const QFontMetricsF mb(grassetto, &m_d);
        r.altezzaRiga = mf.height() + pad;
        for (qsizetype c = 0; c < n; ++c)
            r.altezzaIntestazione =
                std::max(r.altezzaIntestazione, mb.boundingRect(QRectF(0, 0, r.larghezze[c] - 2 * pad, 1e9),
                                                                Qt::TextWordWrap, t.intestazione[c])
                                                        .height() +
                                                    pad);
        const double rapporto = r.font.pointSizeF() / 7.5;
        for (qsizetype i = 0; i < t.righe; ++i) {
            bool larga = false;
            for (qsizetype c = 0; c < n; ++c)
                larga = larga || celle[size_t(i * n + c)] * rapporto > r.larghezze[c] - 2 * pad - 0.5 * m_mm;
            if (!larga)
                continue;
            const QStringList riga = t.riga(i);
            double h = r.altezzaRiga;
            for (qsizetype c = 0; c < n && c < riga.size(); ++c)
                if (mf.horizontalAdvance(riga[c]) > r.larghezze[c] - 2 * pad)
                    h = std::max(h,
                                 mf.boundingRect(QRectF(0, 0, r.larghezze[c] - 2 * pad, 1e9), Qt::TextWordWrap, riga[c])
                                         .height() +
                                     pad);
            if (h > r.altezzaRiga) {
                if (r.altezze.empty())
                    r.altezze.assign(size_t(t.righe), r.altezzaRiga);
                r.altezze[size_t(i)] = h;
            }
            if ((i & 255) == 0 && !s.continua(0))
                return r;
        }
        return r;
    }

    int righePerPagina(const Misure &m) const
    {
        return int((m_basso - m_area.top() - m.altezzaIntestazione) / m.altezzaRiga);
    }

    // The table, the header again at the top of each page it goes on to.
    bool tabella(const TabellaScheda &t, const Misure &m, Sorvegliante &s, qsizetype &fatte, qsizetype totali)
    {
        const double pad = 1.2 * m_mm;
        const auto altezza = [&](qsizetype i) { return m.altezze.empty() ? m.altezzaRiga : m.altezze[size_t(i)]; };
        if (t.righe > 0 && m_y > m_area.top() && m_y + m.altezzaIntestazione + altezza(0) > m_basso)
            nuovaPagina();
        intestazione(t, m);
        const QFontMetricsF metriche(m.font, &m_d);
        for (qsizetype i = 0; i < t.righe; ++i) {
            const double h = altezza(i);
            if (m_y + h > m_basso) {
                nuovaPagina();
                intestazione(t, m);
            }
            if (m_p) {
                const QStringList celle = t.riga(i);
                m_p->setFont(m.font);
                m_p->setPen(Qt::black);
                double x = m_area.left();
                for (qsizetype c = 0; c < qsizetype(m.larghezze.size()); ++c) {
                    const double w = m.larghezze[size_t(c)];
                    const bool sinistra = c == 0 && t.primaColonnaNomi;
                    const QString cella = celle.value(c);
                    const double larghezza = metriche.horizontalAdvance(cella);
                    // A line of text is placed directly: laying out a wrapped text costs far
                    // more, and a table of tens of thousands of rows pays it for every cell.
                    if (larghezza <= w - 2 * pad)
                        m_p->drawText(QPointF(sinistra ? x + pad : x + w - pad - larghezza,
                                              m_y + (h - metriche.height()) / 2 + metriche.ascent()),
                                      cella);
                    else
                        m_p->drawText(QRectF(x + pad, m_y, w - 2 * pad, h),
                                      Qt::TextWordWrap | (sinistra ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                                      cella);
                    x += w;
                }
                m_p->setPen(QPen(QColor(210, 210, 210), 0.15 * m_mm));
                m_p->drawLine(QPointF(m_area.left(), m_y + h), QPointF(m_area.right(), m_y + h));
                if (!s.continua(double(++fatte) / double(std::max<qsizetype>(1, totali))))
                    return false;
            }
            m_y += h;
        }
        m_y += 2 * m_mm;
        return true;
    }

    void nuovaPagina()
    {
        piede();
        if (m_p)
            m_d.newPage();
        ++m_pagina;
        m_y = m_area.top();
    }

private:
    void intestazione(const TabellaScheda &t, const Misure &m)
    {
        if (m_p) {
            const double pad = 1.2 * m_mm;
            QFont grassetto = m.font;
            grassetto.setBold(true);
            m_p->setFont(grassetto);
            m_p->fillRect(QRectF(m_area.left(), m_y, m_area.width(), m.altezzaIntestazione), QColor(235, 235, 235));
            double x = m_area.left();
            for (qsizetype c = 0; c < qsizetype(m.larghezze.size()); ++c) {
                const double w = m.larghezze[size_t(c)];
                m_p->setPen(Qt::black);
                m_p->drawText(QRectF(x + pad, m_y, w - 2 * pad, m.altezzaIntestazione),
                              Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignVCenter, t.intestazione.value(c));
                x += w;
            }
        }
        m_y += m.altezzaIntestazione;
    }

    void piede()
    {
        if (!m_p)
            return;
        m_p->setFont(m_piede);
        m_p->setPen(QColor(90, 90, 90));
        const QFontMetricsF m(m_piede, &m_d);
        const QRectF r(m_area.left(), m_area.bottom() - m.height(), m_area.width(), m.height());
        m_p->drawText(r, Qt::AlignLeft, QStringLiteral("Windara — ") + m_titolo);
        m_p->drawText(r, Qt::AlignRight, QStringLiteral("Pagina %1 di %2").arg(m_pagina).arg(m_totale));
    }

    QPagedPaintDevice &m_d;
    QPainter *m_p;
    int m_totale;
    QString m_titolo;
    double m_mm;
    QFont m_testo, m_grassetto, m_sezione, m_tabella, m_piede;
    QRectF m_area;
    double m_y = 0, m_basso = 0;
    int m_pagina = 1;
};

TabellaScheda tabellaCifre(const QList<CifraScheda> &cifre)
{
    TabellaScheda t;
    t.intestazione = {QStringLiteral("Grandezza"), QStringLiteral("Valore"), QStringLiteral("Unità")};
    t.righe = cifre.size();
    t.riga = [cifre](qsizetype i) { return QStringList{cifre[i].nome, cifre[i].valore, cifre[i].unita}; };
    t.primaColonnaNomi = true;
    return t;
}

} // namespace

ImpaginazioneScheda DisegnaScheda(QPagedPaintDevice &dispositivo, const DocumentoScheda &documento,
                                  const Avanzamento &avanzamento)
{
    ImpaginazioneScheda esito;
    Sorvegliante s(avanzamento);
    dispositivo.setPageSize(QPageSize(QPageSize::A4));
    dispositivo.setPageOrientation(QPageLayout::Portrait);
    dispositivo.setPageMargins(QMarginsF(MargineMm, MargineMm, MargineMm, MargineMm), QPageLayout::Millimeter);

    // The tables of every section, the design's and the figures' among them, measured once.
    struct Blocco
    {
        TabellaScheda cifre;
        Impaginatore::Misure misureCifre, misureTabella;
    };
    std::vector<Blocco> blocchi;
    const TabellaScheda progetto = tabellaCifre(documento.progetto);
    Impaginatore misuratore(dispositivo, nullptr, 0, documento.titolo);
    const Impaginatore::Misure misureProgetto = misuratore.misura(progetto, s);
    qsizetype totali = progetto.righe;
    for (const SezioneScheda &sezione : documento.sezioni) {
        Blocco b;
        b.cifre = tabellaCifre(sezione.cifre);
        b.misureCifre = misuratore.misura(b.cifre, s);
        if (!sezione.tabella.vuota()) {
            b.misureTabella = misuratore.misura(sezione.tabella, s);
            if (sezione.tabella.righe > esito.righePerPagina)
                esito.righePerPagina = misuratore.righePerPagina(b.misureTabella);
        }
        totali += b.cifre.righe + sezione.tabella.righe;
        blocchi.push_back(std::move(b));
    }
    if (s.fermato())
        return esito;
    if (totali == 0 || esito.righePerPagina == 0)
        esito.righePerPagina = esito.righePerPagina ? esito.righePerPagina : misuratore.righePerPagina(misureProgetto);

    const auto passo = [&](QPainter *p, int totale) {
        Impaginatore im(dispositivo, p, totale, documento.titolo);
        qsizetype fatte = 0;
        im.inizioDocumento(documento);
        if (!im.tabella(progetto, misureProgetto, s, fatte, totali))
            return -1;
        for (size_t i = 0; i < blocchi.size(); ++i) {
            const SezioneScheda &sezione = documento.sezioni[qsizetype(i)];
            const Blocco &b = blocchi[i];
            im.titoloSezione(sezione.titolo, b.cifre.righe     ? b.misureCifre.altezzaIntestazione * 2
                                             : sezione.grafico ? AltezzaGraficoMm * im.mm()
                                                               : 10 * im.mm());
            if (b.cifre.righe && !im.tabella(b.cifre, b.misureCifre, s, fatte, totali))
                return -1;
            if (sezione.grafico)
                im.grafico(sezione.grafico);
            if (!sezione.tabella.vuota() && !im.tabella(sezione.tabella, b.misureTabella, s, fatte, totali))
                return -1;
            for (const QString &paragrafo : sezione.metodo.split(u'\n', Qt::SkipEmptyParts))
                im.testo(paragrafo);
        }
        im.fine();
        return im.pagina();
    };
    esito.pagine = passo(nullptr, 0);
    QPainter pittore;
    if (!pittore.begin(&dispositivo))
        return esito;
    const int pagine = passo(&pittore, esito.pagine);
    pittore.end();
    esito.completa = pagine == esito.pagine && !s.fermato();
    if (esito.completa)
        s.fine();
    return esito;
}

} // namespace windara::analisi
