#pragma once

#include "analysis/Analisi.h"
#include "analysis/Capacita.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QLineEdit;
class QTimer;

namespace windara::analisi {

class GraficoFrequenza;

// The page "Frequenza": a frequency, the temperature and the enamel's permittivity; for the
// summary's real winding the skin depth, Dowell's resistance factor, R_ac and Q, the
// self-capacitance and f0, and with the capacitance across the winding |Z|, its phase, the
// effective inductance and Q; their chart from 10 Hz to 10 MHz. Quick enough (a few
// milliseconds, most of them redrawing the chart; the capacitance is a closed form per pair
// of layers) to compute as the user types; a new summary is taken in only when the page shows.
class PaginaFrequenza : public QWidget
{
    Q_OBJECT
public:
    explicit PaginaFrequenza(QWidget *parent = nullptr);
    ~PaginaFrequenza() override;

    QWidget *primoIngresso() const;
    // The page's figures (name, value, unit, one per line, tab-separated), then the chart's
    // points as a table.
    QString testoCopia() const;
    // The summary the figures are of; while there is none, `motivo` says why.
    void impostaRiepilogo(const Riepilogo *r, const QString &motivo);

protected:
    void showEvent(QShowEvent *evento) override;

private:
    enum Valore {
        Induttanza,
        ResistenzaCc,
        Profondita,
        Delta,
        Fattore,
        ResistenzaAc,
        Q,
        CapacitaPropria,
        Risonanza,
        Modulo,
        Fase,
        InduttanzaEfficace,
        QEffettivo,
        NumeroValori
    };

    void aggiorna();
    void mostraMotivo(const QString &motivo);

    // The real winding and its resistance at 20 C; or why there is none.
    AvvolgimentoAc m_avvolgimento;
    GeometriaAvvolgimento m_geometria;
    double m_resistenza20 = 0;
    QString m_motivo;
    // A summary arrived while the page was hidden: its figures wait until it shows.
    bool m_daAggiornare = false;

    QTimer *m_attesa;
    QLineEdit *m_frequenza;
    QLineEdit *m_temperatura;
    QLineEdit *m_permittivita;
    std::array<QLabel *, NumeroValori> m_valori{};
    std::array<QString, NumeroValori> m_semplici, m_unita;
    QLabel *m_comportamento;
    // What the copy takes: the figures as shown and the chart's points.
    std::vector<PuntoImpedenza> m_punti;
    GraficoFrequenza *m_grafico;
};

} // namespace windara::analisi
