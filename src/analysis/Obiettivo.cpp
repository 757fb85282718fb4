#include "analysis/Obiettivo.h"

#include "analysis/Dowell.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace windara::analisi {

namespace {

// The figures of a winding of the search.
void figure(RigaObiettivo &r, const GeometriaAvvolgimento &g, double henry, double spireMassime, double temperatura,
            double permittivita)
{
    r.spireTotali = g.spireTotali();
    r.strati = g.numeroStrati();
    r.spireUltimoStrato = g.spireStrato(r.strati);
    r.induttanza = henry * 1e3;
    r.filo_m = LunghezzaFilo(g);
    if (const auto ohm = ValoreCatalogo(r.filo.Resistenza); ohm && TemperaturaValida(temperatura))
        r.resistenzaT = ResistenzaATemperatura(r.filo_m * *ohm, temperatura);
    if (const auto grammi = ValoreCatalogo(r.filo.Peso))
        r.massa = r.filo_m * *grammi;
    r.riempimento = spireMassime > 0 ? r.spireTotali / spireMassime * 100 : 0;
    const RisultatoCapacita c = CapacitaPropria(g, permittivita);
    if (c.valido) {
        r.capacita = c.farad * 1e12;
        r.risonanza = FrequenzaRisonanza(henry, c.farad);
    }
    if (!r.risonanza)
        r.motivoCapacita = c.valido ? QStringLiteral("Manca l'induttanza per la risonanza") : c.motivo;
}

} // namespace

RigaObiettivo ProgettaFilo(const Rocchetto &rocchetto, const FiloRame &filo, double obiettivo, double temperatura,
                           Stile stile, const Avanzamento &avanzamento, double permittivita)
{
    RigaObiettivo r;
    r.filo = filo;
    const auto esterno = ValoreCatalogo(filo.DiametroEsternoMax);
    const auto nominale = ValoreCatalogo(filo.DiametroNominale);
    if (!nominale) {
        r.motivo = QStringLiteral("Manca il diametro nominale del filo nel catalogo");
        return r;
    }
    if (!esterno) {
        r.motivo = QStringLiteral("Manca il diametro esterno del filo nel catalogo");
        return r;
    }
    const GeometriaAvvolgimento pieno = RiempiRocchetto(rocchetto, *esterno, *nominale, stile);
    r.motivo = MotivoGeometria(pieno);
    if (!r.motivo.isEmpty())
        return r;
    r.metodo = MetodoAutomatico(pieno, false);
    const double henry = obiettivo * 1e-3;

    // The full layers until one reaches the target.
    int raggiunto = 0;
    const RisultatoInduttanza strati = InduttanzaPerStrati(pieno, r.metodo, avanzamento, [&](int k, double l) {
        if (l >= henry)
            raggiunto = k;
        return raggiunto == 0;
    });
    if (!strati.valido) {
        r.motivo = strati.motivo;
        return r;
    }
    if (raggiunto == 0) {
        figure(r, pieno, strati.henry, pieno.spireTotali(), temperatura, permittivita);
        return r;
    }
    // The fewest turns of layer `raggiunto` on top of the full layers below: the inductance
    // grows with every turn, so a bisection finds them.
    GeometriaAvvolgimento sotto = pieno;
    sotto.strati = raggiunto - 1;
    const double base = raggiunto > 1 ? strati.perStrato[raggiunto - 2] : 0;
    int basso = 0, alto = pieno.spireStrato(raggiunto); // L(basso) < target <= L(alto)
    double lAlto = strati.perStrato[raggiunto - 1];
    while (alto - basso > 1) {
        const int mezzo = basso + (alto - basso) / 2;
        const double l = base + InduttanzaAggiunta(sotto, mezzo, r.metodo);
        if (l >= henry) {
            alto = mezzo;
            lAlto = l;
        } else {
            basso = mezzo;
        }
    }
    GeometriaAvvolgimento trovato = sotto;
    if (alto == pieno.spireStrato(raggiunto))
        trovato.strati = raggiunto;
    else
        trovato.spireUltimoStrato = alto;
    r.raggiunge = true;
    figure(r, trovato, lAlto, pieno.spireTotali(), temperatura, permittivita);
    return r;
}

TabellaObiettivo ProgettoDaInduttanza(const DatiAnalisi &dati, const QList<FiloRame> &catalogo, double obiettivo,
                                      const Avanzamento &avanzamento, double permittivita)
{
    TabellaObiettivo t;
    t.obiettivo = obiettivo;
    t.temperatura = dati.temperatura;
    if (!(obiettivo > 0) || !std::isfinite(obiettivo)) {
        t.motivo = QStringLiteral("L'induttanza obiettivo deve essere un numero maggiore di zero");
        return t;
    }
    if (const QString motivo = MotivoPermittivita(permittivita); !motivo.isEmpty()) {
        t.motivo = motivo;
        return t;
    }
    // The bobbin as the rules read it; a design they cannot compute has none.
    if (!CalcolaAbilitato(dati.testi)) {
        t.motivo = QStringLiteral("Mancano dati nella finestra principale: servono H, B e D1");
        return t;
    }
    Rocchetto rocchetto;
    {
        // Only the bobbin is needed: the resistance per metre plays no part here.
        StatoProgetto s;
        DidascalieLimiti v;
        const EsitoLimiti esito = RecalcoloLimiti(dati.testi, EsitoRicerca::trovata(QStringLiteral("0")), s, v);
        if (!esito.completo()) {
            t.motivo = QStringLiteral(
                           "Le regole non calcolano questo progetto (%1): correggi i dati nella finestra principale")
                           .arg(esito.errore->testo());
            return t;
        }
        // Every wire of the catalogue is tried: only sizes that no wire can take stop here.
        t.motivo = MotivoDimensioni(dati.testi, s, false);
        if (!t.motivo.isEmpty())
            return t;
        rocchetto = {Val(dati.testi.altezza), s.DimensioneB, s.DiametroD1};
    }
    Sorvegliante sorvegliante(avanzamento);
    for (int i = 0; i < catalogo.size(); ++i) {
        Avanzamento parte;
        parte.annulla = avanzamento.annulla;
        parte.progresso = [&](double f) { return sorvegliante.continua((i + f) / catalogo.size()); };
        if (!sorvegliante.continua(double(i) / catalogo.size())) {
            t.motivo = QStringLiteral("Calcolo annullato");
            t.righe.clear();
            return t;
        }
        t.righe.push_back(
            ProgettaFilo(rocchetto, catalogo[i], obiettivo, dati.temperatura, dati.stile, parte, permittivita));
        if (sorvegliante.fermato() || t.righe.back().motivo == QStringLiteral("Calcolo annullato")) {
            t.motivo = QStringLiteral("Calcolo annullato");
            t.righe.clear();
            return t;
        }
    }
    sorvegliante.fine();
    const auto classe = [](const RigaObiettivo &r) { return !r.motivo.isEmpty() ? 2 : r.raggiunge ? 0 : 1; };
    std::stable_sort(t.righe.begin(), t.righe.end(), [&](const RigaObiettivo &a, const RigaObiettivo &b) {
        if (classe(a) != classe(b))
            return classe(a) < classe(b);
        if (classe(a) == 0)
            return a.resistenzaT.value_or(INFINITY) < b.resistenzaT.value_or(INFINITY);
        if (classe(a) == 1)
            return a.induttanza > b.induttanza;
        return false;
    });
    if (std::none_of(t.righe.begin(), t.righe.end(), [](const RigaObiettivo &r) { return r.raggiunge; }) &&
        !t.righe.empty())
        t.motivo = QStringLiteral("Nessun filo del catalogo raggiunge l'obiettivo su questo rocchetto");
    return t;
}

QString TestoObiettivo(const TabellaObiettivo &t, const QString &separatore)
{
    QStringList righe;
    righe << QStringLiteral("Filo (mm)\tDiametro esterno (mm)\tRaggiunge\tSpire totali\tStrati\tSpire dell'ultimo "
                            "strato\tInduttanza (mH)\tFilo (m)\t%1\tMassa (g)\tRiempimento (%)\t"
                            "Capacità propria (pF)\tf0 (kHz)")
                 .arg(TestoResistenzaA(t.temperatura));
    for (const RigaObiettivo &r : t.righe) {
        const QString d = QString(r.filo.DiametroNominale).replace(u'.', separatore);
        const QString e = QString(r.filo.DiametroEsternoMax).replace(u'.', separatore);
        if (!r.motivo.isEmpty()) {
            righe << QStringList{d, e, r.motivo}.join(u'\t');
            continue;
        }
        righe << QStringList{d,
                             e,
                             r.raggiunge ? QStringLiteral("sì") : QStringLiteral("no, al massimo"),
                             TestoNumero(r.spireTotali, 0, separatore),
                             QString::number(r.strati),
                             QString::number(r.spireUltimoStrato),
                             TestoNumero(r.induttanza, -1, separatore),
                             TestoNumero(r.filo_m, 3, separatore),
                             r.resistenzaT ? TestoNumero(*r.resistenzaT, 4, separatore) : QString(),
                             r.massa ? TestoNumero(*r.massa, 2, separatore) : QString(),
                             TestoNumero(r.riempimento, 1, separatore),
                             r.capacita ? TestoNumero(*r.capacita, 2, separatore) : QString(),
                             r.risonanza ? TestoNumero(*r.risonanza / 1e3, 1, separatore) : QString()}
                     .join(u'\t');
    }
    return righe.join(u'\n') + u'\n';
}

} // namespace windara::analisi
