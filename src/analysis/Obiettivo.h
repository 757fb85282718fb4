#pragma once

#include "analysis/Analisi.h"
#include "analysis/Avanzamento.h"
#include "analysis/Capacita.h"
#include "analysis/Geometria.h"
#include "catalogue/Catalogo.h"

#include <QList>
#include <QString>

#include <vector>

// The design from a target inductance: for every catalogue wire, the real winding on this
// bobbin (pitch = outer diameter) that first reaches the target, filled layer by layer.
namespace windara::analisi {

struct RigaObiettivo
{
    FiloRame filo;
    // The wire reaches the target: the figures below are of the smallest winding that does.
    // Otherwise they are of the fullest winding the bobbin takes, the most the wire gives.
    bool raggiunge = false;
    QString motivo;                    // set when the wire has no figures at all (missing data, no room)
    double spireTotali = 0;            // N
    int strati = 0;                    // layers, the last one possibly partial
    int spireUltimoStrato = 0;         // turns of the last layer, packed from the flange
    double induttanza = 0;             // mH, exact
    double filo_m = 0;                 // wire length, m
    std::optional<double> resistenzaT; // ohm at the temperature
    std::optional<double> massa;       // g
    double riempimento = 0;            // % of the turns the bobbin takes
    Metodo metodo = Metodo::SommaDiretta;
    // The winding's self-capacitance (pF) and self-resonant frequency (Hz), or why there are
    // none (a single layer, enamel outside the model).
    std::optional<double> capacita, risonanza;
    QString motivoCapacita;
};

struct TabellaObiettivo
{
    QString motivo;          // why there is no table (bad target, design the rules cannot compute, cancelled)
    double obiettivo = 0;    // mH
    double temperatura = 20; // C
    // Wires reaching the target by ascending resistance, then those that cannot by what
    // they give (most first), then those lacking data.
    std::vector<RigaObiettivo> righe;
};

// The smallest total turns N, layers filled one after the other and the last one packed
// from the flange, whose exact inductance reaches `obiettivo` (mH): N - 1 turns stay below.
// Only the bobbin (H as typed, B, D1), the temperature and the style of `dati` are used.
// Under 1 s for the shipped catalogue on ordinary bobbins; see Avanzamento.
// `permittivita` is the enamel's, for the capacitance.
TabellaObiettivo ProgettoDaInduttanza(const DatiAnalisi &dati, const QList<FiloRame> &catalogo, double obiettivo,
                                      const Avanzamento &avanzamento = {},
                                      double permittivita = PermittivitaSmaltoPredefinita);

// The same for one wire on one bobbin (mm, C): the search's step, for tests and windows.
RigaObiettivo ProgettaFilo(const Rocchetto &rocchetto, const FiloRame &filo, double obiettivo, double temperatura,
                           Stile stile, const Avanzamento &avanzamento = {},
                           double permittivita = PermittivitaSmaltoPredefinita);

// Tab-separated text of the table, one header row, the given decimal separator,
// inductances in mH with 10 significant digits, the capacitance in pF with 2 decimals and
// f0 in kHz with 1.
QString TestoObiettivo(const TabellaObiettivo &t, const QString &separatore);

} // namespace windara::analisi
