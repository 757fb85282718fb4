#include "table/GrigliaValori.h"

#include "design/Avvolgimento.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "table/GrigliaMemoria.h"

#include <cmath>
#include <mutex>

namespace windara {

namespace {

// Below this magnitude the 15-digit decimal of a value, or of a product, fits a four-decimal
// value (at most 922,337,203,685,477.5807), so making it cannot fail and may wait until the
// cell is read. Beyond it the value is made at once, so that an overflow stops the fill at
// that cell as it always has.
constexpr double MassimoSicuro = 9e14;

// The values of the largest table let go so far, kept for the next one: the results window
// is opened again and again while a design is tuned, and each opening would otherwise ask the
// system for up to 1.6 MB of fresh pages, which the allocator, at the close, now and then
// hands back there and then. A new table's cells are read only once written, so what the
// last one left in them is never seen.
struct Riserva
{
    std::mutex guardia;
    std::unique_ptr<double[]> valori;
    std::size_t quanti = 0;
};

Riserva &riserva()
{
    static Riserva r;
    return r;
}

} // namespace

GrigliaValori::~GrigliaValori()
{
    restituisci();
}

void GrigliaValori::restituisci()
{
    Riserva &r = riserva();
    const std::lock_guard<std::mutex> chiuso(r.guardia);
    if (m_valori && m_capacita > r.quanti) {
        r.valori = std::move(m_valori);
        r.quanti = m_capacita;
    }
    m_valori.reset();
    m_capacita = 0;
}

void GrigliaValori::Compila(StatoProgetto &s, const QString &separatore)
{
    restituisci();
    *this = GrigliaValori();
    m_separatore = separatore;
    if (s.StratiMax > StratiTabellaMax) {
        m_troppiStrati = true;
        // The header row of a table with no layers, from a copy: the design state stays as
        // the refused fill leaves it.
        StatoProgetto senzaStrati = s;
        senzaStrati.StratiMax = 0;
        try {
            RiempiTabella(senzaStrati, *this);
        } catch (const ErroreRuntime &) {
            // Only the resistance per metre can fail here, after the last header.
        }
    }
    RiempiTabella(s, *this);
}

QString GrigliaValori::text(int riga, int colonna) const
{
    if (!scritta(riga, colonna))
        return {};
    if (riga == 0)
        return m_intestazioni[colonna];
    const double v = m_valori[std::size_t(colonna * (m_righe - 1) + riga - 1)];
    switch (m_tipi[colonna]) {
    case Tipo::Strato:
        return QString::number(riga);
    case Tipo::Generale:
        return TestoGenerale(v, m_separatore);
    case Tipo::Fisso:
        return TestoFisso(Valuta::da(v), m_separatore);
    case Tipo::Resistenza:
        return TestoFisso(avvolgimento::Resistenza(v, m_resistenzeMetro[colonna]), m_separatore);
    case Tipo::NonDisponibile:
        return ResistenzaNonDisponibile();
    }
    return {};
}

int GrigliaValori::alignment(int riga, int colonna) const
{
    if (!scritta(riga, colonna) || (riga == 0 && !m_intestazioneAllineata[colonna]))
        return GrigliaMemoria::AllineamentoPredefinito;
    return AllineamentoCentroAlto;
}

void GrigliaValori::righe(int righe)
{
    m_righe = righe;
    const std::size_t quanti = righe > 1 ? std::size_t(righe - 1) * ColonneTabella : 0;
    Riserva &r = riserva();
    const std::lock_guard<std::mutex> chiuso(r.guardia);
    if (quanti > 0 && r.quanti >= quanti) {
        m_valori = std::move(r.valori);
        m_capacita = r.quanti;
        r.quanti = 0;
    } else {
        m_valori.reset(quanti > 0 ? new double[quanti] : nullptr);
        m_capacita = quanti;
    }
}

void GrigliaValori::intestazione(int colonna, const QString &testo, bool allinea)
{
    segna(colonna, 0);
    m_intestazioni[colonna] = testo;
    m_intestazioneAllineata[colonna] = allinea;
}

void GrigliaValori::strato(int riga)
{
    segna(0, riga);
    m_tipi[0] = Tipo::Strato;
}

void GrigliaValori::generale(int colonna, int riga, double v)
{
    segna(colonna, riga);
    m_tipi[colonna] = Tipo::Generale;
    valore(colonna, riga) = v;
}

void GrigliaValori::fisso(int colonna, int riga, double v)
{
    if (!(std::fabs(v) < MassimoSicuro))
        (void)Valuta::da(v);
    segna(colonna, riga);
    m_tipi[colonna] = Tipo::Fisso;
    valore(colonna, riga) = v;
}

void GrigliaValori::resistenza(int colonna, int riga, double filo, double resistenzaMetro)
{
    // The decimals of the two factors differ from the doubles by a few parts in 10^15.
    if (!(std::fabs(filo * resistenzaMetro) < MassimoSicuro))
        (void)avvolgimento::Resistenza(filo, resistenzaMetro);
    segna(colonna, riga);
    m_tipi[colonna] = Tipo::Resistenza;
    m_resistenzeMetro[colonna] = resistenzaMetro;
    valore(colonna, riga) = filo;
}

void GrigliaValori::nonDisponibile(int colonna, int riga)
{
    segna(colonna, riga);
    m_tipi[colonna] = Tipo::NonDisponibile;
}

} // namespace windara
