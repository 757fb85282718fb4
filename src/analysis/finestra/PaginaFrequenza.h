#pragma once

#include "analysis/Analisi.h"
#include "analysis/Capacita.h"
#include "analysis/finestra/SchedaAnalisi.h"

#include <QWidget>

#include <array>
#include <vector>

class QLabel;
class QTimer;

namespace windara::analisi {

class CampoIngresso;
class GraficoFrequenza;
class IngressiComuni;

// The page "Frequenza": a frequency and the enamel's permittivity; at the window's
// temperature, for the summary's real winding the skin depth, Dowell's resistance factor,
// R_ac and Q, the self-capacitance and f0, and with the capacitance across the winding |Z|,
// its phase, the effective inductance and Q; their chart from 10 Hz to 10 MHz. Quick enough
// (a few milliseconds, most of them redrawing the chart; the capacitance is a closed form per
// pair of layers) to compute as the user types; a new summary is taken in only when the page
// shows.
class PaginaFrequenza : public QWidget
{
    Q_OBJECT
public:
    // `dati`: the design (the page names its wire); `comuni`: the window's temperature and style.
    PaginaFrequenza(const DatiAnalisi &dati, IngressiComuni *comuni, QWidget *parent = nullptr);
    ~PaginaFrequenza() override;

    QWidget *primoIngresso() const;
    // The page's figures (name, value, unit, one per line, tab-separated), then the chart's
    // points as a table.
    QString testoCopia() const;
    // The summary the figures are of; while there is none, `motivo` says why.
    void impostaRiepilogo(const Riepilogo *r, const QString &motivo);
    // What the datasheet shows of this page: the inputs, every figure beside its caption as
    // the page writes it, the chart, and the methods.
    SezioneScheda sezioneScheda();

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
    AvvolgimentoAc m_avvolgimentoAc;
    GeometriaAvvolgimento m_geometria;
    double m_resistenza20 = 0;
    QString m_motivo;
    // A summary arrived while the page was hidden: its figures wait until it shows.
    bool m_daAggiornare = false;

    DatiAnalisi m_dati;
    IngressiComuni *m_comuni;
    QTimer *m_attesa;
    CampoIngresso *m_frequenza;
    CampoIngresso *m_permittivita;
    QLabel *m_avvolgimento;
    std::array<QLabel *, NumeroValori> m_valori{};
    std::array<QString, NumeroValori> m_semplici, m_unita;
    QLabel *m_comportamento;
    // What the copy takes besides the figures: the chart's points.
    std::vector<PuntoImpedenza> m_punti;
    GraficoFrequenza *m_grafico;
};

} // namespace windara::analisi
