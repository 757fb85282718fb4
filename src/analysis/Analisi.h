#pragma once

#include "analysis/Avanzamento.h"
#include "analysis/Dowell.h"
#include "analysis/Geometria.h"
#include "analysis/Induttanza.h"
#include "catalogue/Catalogo.h"
#include "design/Limiti.h"

#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The winding analysis of a design: the summary beside the rules' figures and the per-layer
// table, with their texts for copying. Widget-free: a window shows what these return.
namespace windara::analisi {

// What the analysis starts from: the main window's texts, the resistance per metre it holds
// (StatoProgetto::ResistenzaMetro) and the chosen wire's catalogue row.
struct DatiAnalisi
{
    TestiLimiti testi;             // H, B, D1 and the wire as typed in the main window
    QString resistenzaMetro;       // ohm/m of the chosen wire as the main window uses it
    bool resistenzaIgnota = false; // the main window could not read it from the catalogue
    FiloRame filo;                 // the chosen wire's row: nominal and outer diameter, ohm/m, g/m
    double temperatura = 20;       // C, for the resistance
    Stile stile = Stile::AStrati;  // of the real winding
};

// The three columns of the summary.
enum class Colonna {
    Regole,      // the rules' own figures, as the main window shows them
    StesseSpire, // the exact value of the very winding the rules assume
    Reale        // the winding the enamelled wire really gives
};
inline constexpr int NumeroColonne = 3;

// The rows of the summary, in order.
enum class Grandezza {
    SpirePerStrato,
    Strati,
    SpireTotali,
    Induttanza,    // mH
    ScartoWheeler, // Wheeler's value against the exact one, %
    LunghezzaFilo, // m
    Resistenza20,  // ohm at 20 C
    ResistenzaT,   // ohm at the chosen temperature
    Massa          // g of copper
};
inline constexpr int NumeroGrandezze = 9;

// Which size of the main window makes no winding, in Italian ("L'altezza H (-5 mm) è
// negativa"): H, B or D1 negative or zero, H smaller than the wire, B too small for a layer
// beyond its 2 mm margin (these two only with `filo`: the main window's wire). Empty when the
// sizes are good. `s` is the rules' state of `testi`.
QString MotivoDimensioni(const TestiLimiti &testi, const StatoProgetto &s, bool filo = true);

// A temperature the copper's resistance can be taken to (finite, above -234 °C). With any
// other the figures that depend on it are missing, and only they.
bool TemperaturaValida(double temperatura);
// Why they are missing then.
QString MotivoTemperatura();
// "Resistenza a 20 °C (Ω)": the resistance column's caption in the copies.
QString TestoResistenzaA(double temperatura);

// The winding a page's figures are of, in words: "Avvolgimento a strati · filo 0,5 mm
// (esterno 0,544 mm) · rame a 20 °C". `filo` null: every wire of the catalogue.
QString DescrizioneAvvolgimento(Stile stile, const FiloRame *filo, double temperatura, const QString &separatore);

// The Italian captions of the rows (with their unit) and of the columns.
QString NomeGrandezza(Grandezza g, double temperatura);
QString NomeColonna(Colonna c);

// One figure: its value in the row's unit, or why there is none. Never NaN or infinite.
struct Cifra
{
    std::optional<double> valore;
    QString metodo; // how it was obtained, for a tooltip
    QString motivo; // why there is no value, in Italian
    // Shown in place of a missing value: on a design whose sizes are wrong or that the
    // rules stop on, the rules' own caption exactly as the main window shows it, or "n.d."
    // for a figure the main window does not show. Empty otherwise.
    QString testo;
};

// The text of a figure as the window and the copy show it: turns as integers, inductance in
// mH with 10 significant digits, the percentage with 2 decimals, metres with 3, ohms with 4,
// grams with 2; the given decimal separator; in place of a missing value its `testo`, or
// else the reason.
QString TestoCifra(Grandezza g, const Cifra &c, const QString &separatore);

struct Riepilogo
{
    // Set when the design cannot be analysed at all (the rules' recomputation stopped, the
    // main window lacks data, a size is wrong): then no figure has a value, and the rules'
    // column shows their captions as the main window does.
    QString motivo;
    std::array<std::array<Cifra, NumeroColonne>, NumeroGrandezze> cifre;
    // The two exact windings and their inductances (henry), for the chart and the table.
    GeometriaAvvolgimento regole, reale;
    RisultatoInduttanza esattaRegole, esattaReale;
    double temperatura = 20;
    double altezza = 0; // mm, H as typed: the length of the real winding

    const Cifra &operator()(Grandezza g, Colonna c) const { return cifre[int(g)][int(c)]; }
};

// The summary. A few milliseconds up to 5,000 turns (its goal is 16 ms); beyond, the exact
// inductance of a winding too large for the sums comes from the continuous formula (its
// tooltip says so). Takes an Avanzamento for the largest designs. When both windings are
// heavy the real one is computed on a second thread; `progresso` is only ever called from
// the calling thread.
Riepilogo CalcolaRiepilogo(const DatiAnalisi &dati, const Avanzamento &avanzamento = {});

// One row of the per-layer table of a winding: layers 1 .. strato.
struct RigaStrato
{
    int strato = 0;
    int spire = 0;                     // turns of this layer
    double spireTotali = 0;            // of layers 1 .. strato
    double esatta = 0;                 // mH, exact
    std::optional<double> wheeler;     // mH, Wheeler's formula for the same layers
    std::optional<double> scarto;      // %, (Wheeler - exact) / exact
    double filo = 0;                   // m, layers 1 .. strato
    std::optional<double> resistenzaT; // ohm at the temperature
};

struct TabellaStrati
{
    QString motivo; // why there is no table (or why it stopped), in Italian
    Metodo metodo = Metodo::SommaDiretta;
    std::vector<RigaStrato> righe;
    bool completa = false;
};

// The real winding as Dowell's model sees it: bare diameter, pitch, layers, the resistance at
// the summary's temperature and the exact inductance. Zeros where the summary has no value, so
// that AnalisiFrequenza answers with what is missing.
AvvolgimentoAc AvvolgimentoAcReale(const Riepilogo &r);

// The per-layer table of the real winding (or of the rules' winding, Colonna::StesseSpire,
// for the chart), k = 1 .. layers: always the discrete sum, row by row. `perRiga` receives
// each row as it is ready. Seconds on the largest designs: see Avanzamento.
TabellaStrati CalcolaTabellaStrati(const DatiAnalisi &dati, Colonna colonna = Colonna::Reale,
                                   const Avanzamento &avanzamento = {},
                                   const std::function<void(const RigaStrato &)> &perRiga = {});

// Tab-separated texts for a spreadsheet, one header row each, numbers with the given decimal
// separator, inductances in mH with 10 significant digits, a missing value as an empty cell.
QString TestoRiepilogo(const Riepilogo &r, const QString &separatore);
QString TestoTabellaStrati(const TabellaStrati &t, double temperatura, const QString &separatore);
// The cells of one row of that table, as the copy and the datasheet write them.
QStringList CelleRigaStrato(const RigaStrato &r, const QString &separatore);

// A number written by the user with '.' or the given separator, the whole text (blanks
// around it allowed); nothing when it is not a number.
std::optional<double> LeggiNumero(const QString &testo, const QString &separatore);

// A catalogue value that is a positive number, or nothing (empty, zero, unreadable).
std::optional<double> ValoreCatalogo(const QString &testo);

// Number writing shared by the copy texts: `decimali` fixed decimals, or 10 significant
// digits when negative.
QString TestoNumero(double v, int decimali, const QString &separatore);

} // namespace windara::analisi
