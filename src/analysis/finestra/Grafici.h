#pragma once

#include "analysis/Analisi.h"
#include "analysis/Capacita.h"
#include "analysis/Corrente.h"
#include "analysis/Dowell.h"
#include "analysis/Lettura.h"

#include <QChartView>

#include <array>
#include <optional>
#include <vector>

class QLineSeries;
class QScatterSeries;
class QLogValueAxis;
class QTimer;
class QValueAxis;

// The analysis window's charts.
namespace windara::analisi {

// Inductance against the number of layers: Wheeler's curve and the exact one, for the rules'
// winding and for the real one, growing as the per-layer rows arrive. Redrawing the curves
// costs milliseconds, so rows arriving in quick succession are drawn together.
class GraficoStrati : public QChartView
{
    Q_OBJECT
public:
    explicit GraficoStrati(QWidget *parent = nullptr);

    // Empties the curves for windings of so many layers (0: none).
    void azzera(int stratiRegole, int stratiReale);
    // Rows of the rules' winding (Colonna::StesseSpire) or of the real one (Colonna::Reale).
    void aggiungi(Colonna colonna, const std::vector<RigaStrato> &righe);
    // Points of a curve as drawn (in the axis' unit), for tests.
    QList<QPointF> punti(Colonna colonna, bool wheeler) const;
    // The axes, for tests: their titles, ranges and label formats.
    const QValueAxis *asseStrati() const { return m_asseX; }
    const QValueAxis *asseInduttanza() const { return m_asseY; }

private:
    enum Curva { EsattaRegole, WheelerRegole, EsattaReale, WheelerReale, NumeroCurve };
    static Curva curva(Colonna colonna, bool wheeler);
    void disegna();

    std::array<QLineSeries *, NumeroCurve> m_serie{};
    std::array<QList<QPointF>, NumeroCurve> m_nuovi; // points not drawn yet, mH
    std::array<QList<QPointF>, NumeroCurve> m_tutti; // points drawn, mH
    UnitaInduttanza m_unita;                         // of the drawn curves and the axis
    QTimer *m_ridisegno;
    QValueAxis *m_asseX, *m_asseY;
    int m_stratiRegole = 0, m_stratiReale = 0;
    double m_massimo = 0, m_limiteY = 0;
};

// |Z|, R_ac and Q against frequency, all axes logarithmic; Q only while the winding is
// inductive, a vertical mark at f0 with its value and one at the chosen frequency.
class GraficoFrequenza : public QChartView
{
    Q_OBJECT
public:
    explicit GraficoFrequenza(QWidget *parent = nullptr);

    // The sweep (empty: no curves); a point's |Z| of 0 is left out (no capacitance known).
    void imposta(const std::vector<PuntoImpedenza> &punti, std::optional<double> risonanza = std::nullopt,
                 std::optional<double> scelta = std::nullopt);
    int numeroPunti() const;
    // For tests: the points of |Z| and of Q as drawn, and the marks' names.
    QList<QPointF> puntiModulo() const;
    QList<QPointF> puntiQ() const;
    QString nomeSegnoRisonanza() const;

private:
    QLineSeries *m_resistenza, *m_modulo, *m_q, *m_segnoRisonanza, *m_segnoScelta;
    QLogValueAxis *m_asseF, *m_asseR, *m_asseQ;
};

// The winding temperature and the field at the centre against the current, the highest
// current marked by an upright line and the given current by a point on the temperature.
class GraficoCorrente : public QChartView
{
    Q_OBJECT
public:
    explicit GraficoCorrente(QWidget *parent = nullptr);

    // The curve (empty: none) and the two currents, when they have figures.
    void imposta(const std::vector<PuntoCorrente> &curva, const RisultatoCorrente &alla,
                 const RisultatoCorrente &massima);
    int numeroPunti() const;

private:
    QLineSeries *m_temperatura, *m_campo, *m_massima;
    QScatterSeries *m_data;
    QValueAxis *m_asseI, *m_asseT, *m_asseB;
};

} // namespace windara::analisi
