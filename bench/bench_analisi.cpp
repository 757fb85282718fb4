// The winding analysis: the summary, the per-layer table, the design from a target over the
// shipped catalogue, the frequency chart, and the largest design the rules allow. Each figure
// is paired with the bare cost of the filament evaluations it made, timed in the same run
// (batched, at spread geometries): the ratio is the work around the evaluations.

#include "Banco.h"
#include "ProgettoBanco.h"

#include "analysis/Analisi.h"
#include "analysis/Capacita.h"
#include "analysis/Dowell.h"
#include "analysis/Filamenti.h"
#include "analysis/Obiettivo.h"

#include <QCoreApplication>

#include <chrono>
#include <random>
#include <string>

using namespace windara;
using namespace windara::analisi;

namespace {

QList<FiloRame> fili;

DatiAnalisi progetto(const QString &h, const QString &b, const QString &d1, const QString &d)
{
    return banco::Progetto(fili, h, b, d1, d);
}

// The filament evaluations fn makes.
unsigned long long conta(const std::function<void()> &fn)
{
    const unsigned long long prima = ValutazioniEseguite();
    fn();
    return ValutazioniEseguite() - prima;
}

// n batched evaluations of Maxwell's M over a spread of winding-like geometries.
std::function<void()> valutazioni(unsigned long long n)
{
    constexpr std::size_t Blocco = 4096;
    auto r1 = std::make_shared<std::vector<double>>(Blocco), r2 = std::make_shared<std::vector<double>>(Blocco),
         z = std::make_shared<std::vector<double>>(Blocco), m = std::make_shared<std::vector<double>>(Blocco);
    std::mt19937 caso(7);
    std::uniform_real_distribution<double> raggio(0.005, 0.05), distanza(0, 0.05);
    for (std::size_t i = 0; i < Blocco; ++i) {
        (*r1)[i] = raggio(caso);
        (*r2)[i] = raggio(caso);
        (*z)[i] = distanza(caso);
    }
    return [=] {
        for (unsigned long long fatte = 0; fatte < n; fatte += Blocco)
            MutuaFilamenti(r1->data(), r2->data(), z->data(), m->data(),
                           std::min<unsigned long long>(Blocco, n - fatte));
    };
}

// A figure against the evaluations it makes (at most `rapporto` times their bare cost), and
// its absolute median against the goal.
void figura(const std::string &nome, const std::function<void()> &fn, double obiettivoMicro, int ripetizioni,
            double rapporto = 3)
{
    const unsigned long long n = conta(fn);
    banco::coppia(nome, fn, std::to_string(n) + " valutazioni di M in blocco", valutazioni(n), rapporto, ripetizioni);
    banco::misura(nome, obiettivoMicro, ripetizioni, fn);
}

double secondi(std::chrono::steady_clock::time_point da)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - da).count();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    fili = banco::CatalogoRame();

    // The summary (rules' winding and real winding, both exact) of 5,000-turn designs: an
    // ordinary bobbin (100 x 50 turns of 0.5 mm), and the two extreme shapes the rules allow,
    // a disc of 5,000 layers of one turn (the slowest, worst when orthocyclic) and a single
    // layer of 5,000 turns.
    const DatiAnalisi ordinario = progetto("50", "27", "20", "0.5");
    const DatiAnalisi disco = progetto("1", "2802.1", "20", "0.56");
    const DatiAnalisi solenoide = progetto("2500", "2.6", "20", "0.5");
    DatiAnalisi discoOrtociclico = disco;
    discoOrtociclico.stile = Stile::Ortociclico;
    for (const auto &[nome, d] : {std::pair{"riepilogo di 5000 spire, 100 x 50", ordinario},
                                  std::pair{"riepilogo di 5000 spire, disco 1 x 5000", disco},
                                  std::pair{"riepilogo di 5000 spire, disco 1 x 5000 ortociclico", discoOrtociclico},
                                  std::pair{"riepilogo di 5000 spire, solenoide 5000 x 1", solenoide}}) {
        const Riepilogo r = CalcolaRiepilogo(d);
        if (r(Grandezza::SpireTotali, Colonna::StesseSpire).valore != 5000.0 || !r.esattaReale.valido)
            return 1;
        // A single layer needs few evaluations: there the summary's fixed work (the rules'
        // recomputation, the lengths, Wheeler's values) is most of it.
        figura(
            nome, [&d = d] { (void)CalcolaRiepilogo(d); }, 16000, 21, d.testi.b == "2.6" ? 6 : 3);
    }

    // The per-layer table of a real winding of 1,000 layers x 400 turns (0.2 mm, outer 0.226).
    const DatiAnalisi mille = progetto("90.5", "228.1", "20", "0.2");
    if (CalcolaTabellaStrati(mille).righe.size() != 1000 || mille.filo.DiametroEsternoMax != "0.226")
        return 1;
    figura(
        "tabella per strati 1000 x 400", [&] { (void)CalcolaTabellaStrati(mille); }, 2e6, 5);

    // The accelerated sum against every term summed, same winding (200 x 60).
    GeometriaAvvolgimento g;
    g.raggioNucleo = 5e-3;
    g.passo = 0.2e-3;
    g.diametroRame = 0.18e-3;
    g.spirePerStrato = 200;
    g.strati = 60;
    banco::coppia(
        "somma accelerata 200 x 60", [&] { (void)InduttanzaEsatta(g, Metodo::SommaAccelerata); },
        "somma diretta 200 x 60", [&] { (void)InduttanzaEsatta(g, Metodo::SommaDiretta); }, 1, 11);

    // The design from a target over the 57 wires of the catalogue, on the ordinary bobbin: a
    // target most wires reach, and one beyond every wire (each gives its fullest winding).
    const DatiAnalisi rocchetto = progetto("20", "10", "10", "0.5");
    // Reaching 1.5 mH takes a few layers per wire: the 57 windings' set-up weighs as much.
    figura(
        "progetto da 1,5 mH, 57 fili", [&] { (void)ProgettoDaInduttanza(rocchetto, fili, 1.5); }, 1e6, 11, 8);
    figura(
        "progetto da 1e6 mH (irraggiungibile), 57 fili", [&] { (void)ProgettoDaInduttanza(rocchetto, fili, 1e6); }, 1e6,
        5);

    // The frequency chart: 1,000 points from 10 Hz to 10 MHz, against Dowell's factor alone.
    const AvvolgimentoAc ac{0.5e-3, 0.544e-3, 14, 3.5, 4e-3, 20};
    banco::coppia(
        "spazzata in frequenza, 1000 punti", [&] { (void)SpazzataFrequenza(ac); }, "1000 fattori di Dowell",
        [] {
            volatile double s = 0;
            for (int i = 0; i < 1000; ++i)
                s = s + FattoreDowell(0.01 * (i + 1), 14);
        },
        3, 101);
    banco::misura("spazzata in frequenza, 1000 punti", 10000, 101, [&] { (void)SpazzataFrequenza(ac); });

    // The self-capacitance, closed form per pair of layers: on the ordinary 5,000-turn bobbin
    // against the exact inductance of the same winding, which the page computes anyway.
    const Riepilogo rOrdinario = CalcolaRiepilogo(ordinario);
    if (!CapacitaReale(rOrdinario).valido)
        return 1;
    banco::coppia(
        "capacità propria, 5000 spire", [&] { (void)CapacitaReale(rOrdinario); }, "induttanza esatta, stesse spire",
        [&] { (void)InduttanzaEsatta(rOrdinario.reale); }, 0.05, 21);

    // The largest design the rules allow (32,766 layers of 600 turns of 0.05 mm): its summary
    // (the continuous formula where the sums would take seconds) and the per-layer table of
    // its rules' winding, in one run, with the longest stretch between two progress calls.
    const DatiAnalisi massimo = progetto("30", "1640.32", "20", "0.05");
    banco::misura("progetto massimo: riepilogo", 1e6, 3, [&] { (void)CalcolaRiepilogo(massimo); });
    // Its capacitance (about 10^9 turns) against one pass over its layers, the wire's length.
    const Riepilogo rMassimo = CalcolaRiepilogo(massimo);
    if (!CapacitaReale(rMassimo).valido || rMassimo.reale.numeroStrati() < 20000)
        return 1;
    banco::coppia(
        "progetto massimo: capacità propria", [&] { (void)CapacitaReale(rMassimo); },
        "lunghezza del filo, un giro sugli strati", [&] { (void)LunghezzaFilo(rMassimo.reale); }, 5, 21);
    auto ultimo = std::chrono::steady_clock::now();
    double pausa = 0;
    const Avanzamento avanzamento{[&](double) {
                                      pausa = std::max(pausa, secondi(ultimo));
                                      ultimo = std::chrono::steady_clock::now();
                                      return true;
                                  },
                                  nullptr};
    const auto inizio = std::chrono::steady_clock::now();
    ultimo = inizio;
    const TabellaStrati t = CalcolaTabellaStrati(massimo, Colonna::StesseSpire, avanzamento);
    const double totale = secondi(inizio);
    if (t.righe.size() != 32766)
        return 1;
    banco::riporta("progetto massimo: tabella di 32766 strati x 600 spire", totale * 1e6, 60e6);
    banco::riporta("progetto massimo: pausa più lunga fra due avanzamenti", pausa * 1e6, 20000);
    return 0;
}
