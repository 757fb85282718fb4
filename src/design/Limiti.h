#pragma once

#include "design/Errori.h"
#include "design/Module1.h"

#include <QString>

#include <array>
#include <optional>

namespace windara {

// The texts the recomputation reads from the main window.
struct TestiLimiti
{
    QString altezza;        // txtAltezza, H
    QString b;              // txtB, B
    QString d1;             // txtL, D1
    QString sceltaDiametro; // the text of the wire list txtDiametro1 (only its emptiness counts)
    QString diametro;       // the caption of txtDiametro, the wire diameter in use
};

// The wire lookup that goes with a wire choice, made by the window and handed in as data.
struct EsitoRicerca
{
    enum class Stato { NessunaRicerca, Trovata, Fallita };
    Stato stato = Stato::NessunaRicerca;
    QString valore; // Trovata: the resistance per metre, as the catalogue writes it
    QString errore; // Fallita: the cause, in Italian

    static EsitoRicerca trovata(const QString &valore) { return {Stato::Trovata, valore, {}}; }
    static EsitoRicerca fallita(const QString &errore) { return {Stato::Fallita, {}, errore}; }
};

// The six result labels, in the order the recomputation writes them.
enum class Risultato { SpireStrato, NumeroStrati, SpireTotali, Ltot, Ind, Centro };
constexpr int NumeroRisultati = 6;

// What the main window shows of the limits: the six captions, with the negative-value rule
// applied as they are set, and whether Calcola is available. The window paints its labels
// from this record.
struct DidascalieLimiti
{
    bool calcola = false;
    std::array<QString, NumeroRisultati> testi;

    // Sets one caption; NumeroStrati, SpireTotali and Centro turn a caption holding '-'
    // anywhere into "0".
    void imposta(Risultato r, const QString &testo);
    const QString &operator[](Risultato r) const { return testi[static_cast<int>(r)]; }
};

// The caption of the maximum resistance while the wire's resistance per metre is unknown.
QString ResistenzaNonDisponibile();

// What the user is told, once, when the resistance per metre of the chosen wire cannot be
// read from the catalogue.
QString MessaggioResistenzaIgnota(const QString &diametro, const QString &causa);

// How far a recomputation went.
struct EsitoLimiti
{
    int passo = 0;                       // the step that stopped the run, 1 to 17; 0 when every step ran
    std::optional<ErroreRuntime> errore; // why it stopped

    bool completo() const { return passo == 0; }
};

// Calcola is available exactly when the four texts are all non-empty.
bool CalcolaAbilitato(const TestiLimiti &t);

// The live recomputation of the winding limits, in its 17 steps. A step that fails stops
// the run: what was written before it stays written, the rest keeps its previous value, and
// the result names the step and the error. A lookup found goes into the design state before
// the first step; while the resistance per metre of the wire in use is unknown (a lookup
// failed), step 16 stops the run and the maximum resistance shows as not available.
EsitoLimiti RecalcoloLimiti(const TestiLimiti &t, const EsitoRicerca &ricerca, StatoProgetto &s, DidascalieLimiti &d);

} // namespace windara
