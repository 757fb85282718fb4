#pragma once

#include "analysis/Corrente.h"
#include "analysis/finestra/SchedaAnalisi.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;

namespace windara::analisi {

class CampoIngresso;
class GraficoCorrente;
class IngressiComuni;

// The page "Corrente e temperatura": a current, the ambient and the highest winding
// temperature; for the summary's real winding the figures at the current and at the highest
// current side by side, and the chart of temperature and field against the current. It needs
// only the summary's figures (a few hundred roots of one equation), so it computes at every
// keystroke, whatever the size of the design; a new summary is taken in only when the page
// shows.
class PaginaCorrente : public QWidget
{
    Q_OBJECT
public:
    // `dati`: the design (the page names its wire); `comuni`: the window's winding style.
    PaginaCorrente(const DatiAnalisi &dati, IngressiComuni *comuni, QWidget *parent = nullptr);
    ~PaginaCorrente() override;

    QWidget *primoIngresso() const;
    // The summary the figures are of; while there is none, `motivo` says why.
    void impostaRiepilogo(const Riepilogo *r, const QString &motivo);
    // The figures and the chart's points as tab-separated text; empty while there is no
    // winding to compute.
    QString testoCopia() const;
    // What the datasheet holds of this page: its inputs, both columns of figures as shown,
    // the chart and the model's limits.
    SezioneScheda sezioneScheda() const;
    const AnalisiCorrente &analisi() const { return m_analisi; }

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void aggiorna();
    void mostraColonna(const std::array<QLabel *, NumeroGrandezzeCorrente> &colonna, const RisultatoCorrente &r,
                       bool avviso);

    AvvolgimentoCorrente m_avvolgimentoCorrente;
    QString m_motivo; // why there is no winding
    // A summary arrived while the page was hidden: its figures wait until it shows.
    bool m_daAggiornare = false;
    AnalisiCorrente m_analisi;

    DatiAnalisi m_dati;
    IngressiComuni *m_comuni;
    CampoIngresso *m_corrente, *m_ambiente, *m_massima;
    QLabel *m_avvolgimento;
    QComboBox *m_classi;
    std::array<QLabel *, NumeroGrandezzeCorrente> m_data{}, m_alMassimo{};
    QLabel *m_avviso;
    GraficoCorrente *m_grafico;
};

} // namespace windara::analisi
