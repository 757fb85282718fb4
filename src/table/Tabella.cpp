#include "table/Tabella.h"

#include "design/Avvolgimento.h"
#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"

namespace windara {

using namespace avvolgimento;

QString MessaggioTroppiStrati(int strati)
{
    return QStringLiteral("Il progetto ha %1 strati, ma la tabella ne può contenere al massimo %2: "
                          "la tabella non è stata calcolata.\n\n"
                          "Ridurre la dimensione B o scegliere un filo più spesso, poi premere di nuovo Calcola.")
        .arg(strati)
        .arg(StratiTabellaMax);
}

QString TestoGenerale(double v, const QString &separatore)
{
    const Decimale15 d = Decimale15::da(v);
    const QString c = cifre(d, FormaTesto{separatore, true});
    return negativo(d) ? u'-' + c : c;
}

QString TestoFisso(const Valuta &v, const QString &separatore)
{
    const QString c = cifre(v, FormaTesto{separatore, true});
    return negativo(v) ? u'-' + c : c;
}

namespace {

// The texts of the cells, written into the grid as the fill hands them over.
class ScritturaGriglia final : public DestinazioneTabella
{
public:
    ScritturaGriglia(GrigliaFlex &g, const QString &separatore) : m_g(g), m_sep(separatore) {}

    void righe(int righe) override { m_g.setRows(righe); }
    void intestazione(int colonna, const QString &testo, bool allinea) override { cella(colonna, 0, testo, allinea); }
    void larghezza(int colonna, int twips) override { m_g.setColWidth(colonna, twips); }
    void strato(int riga) override { cella(0, riga, QString::number(riga), true); }
    void generale(int colonna, int riga, double v) override { cella(colonna, riga, TestoGenerale(v, m_sep), true); }
    void fisso(int colonna, int riga, double v) override
    {
        cella(colonna, riga, TestoFisso(Valuta::da(v), m_sep), true);
    }
    void resistenza(int colonna, int riga, double filo, double resistenzaMetro) override
    {
        cella(colonna, riga, TestoFisso(Resistenza(filo, resistenzaMetro), m_sep), true);
    }
    void nonDisponibile(int colonna, int riga) override { cella(colonna, riga, ResistenzaNonDisponibile(), true); }

private:
    void cella(int colonna, int riga, const QString &testo, bool allinea)
    {
        m_g.setCol(colonna);
        m_g.setRow(riga);
        m_g.setText(testo);
        if (allinea)
            m_g.setCellAlignment(AllineamentoCentroAlto);
    }

    GrigliaFlex &m_g;
    const QString &m_sep;
};

} // namespace

void RiempiTabella(StatoProgetto &s, DestinazioneTabella &d)
{
    if (s.StratiMax > StratiTabellaMax)
        throw ErroreRuntime::overflow();
    // A row count below one would leave no row for the headers: keep the header row.
    d.righe(s.StratiMax < 1 ? 1 : s.StratiMax + 1);

    auto riga = [&](double n) { return static_cast<int>(n); };

    d.intestazione(0, QStringLiteral("N° Strati"), false);
    PerOgniStrato(s, [&](double n) { d.strato(riga(n)); });

    d.intestazione(1, QStringLiteral("N° Spire"), false);
    PerOgniStrato(s, [&](double n) { d.generale(1, riga(n), SpireTotali(n, s.SpirePerStrato)); });

    d.intestazione(2, QStringLiteral("A1"), true);
    PerOgniStrato(s, [&](double n) { d.generale(2, riga(n), RaggioEsterno(n, s.DiametroFilo, s.DiametroD1)); });

    d.larghezza(3, LarghezzaColonnaTwips);
    d.intestazione(3, QStringLiteral("Filo necessario (m)"), false);
    PerOgniStrato(s,
                  [&](double n) { d.generale(3, riga(n), Filo(n, s.DiametroFilo, s.DiametroD1, s.SpirePerStrato)); });

    d.intestazione(4, QStringLiteral("Induttanza (mH)"), true);
    d.larghezza(4, LarghezzaColonnaTwips);
    PerOgniStrato(s, [&](double n) { d.fisso(4, riga(n), InduttanzaStrato(n, s)); });

    d.intestazione(5, QStringLiteral("R teorica (Ohm)"), true);
    d.larghezza(5, LarghezzaColonnaTwips);
    const double r = Val(s.ResistenzaMetro);
    PerOgniStrato(s, [&](double n) {
        // Another wire's resistance per metre would give a plausible, wrong column.
        if (s.ResistenzaMetroIgnota)
            d.nonDisponibile(5, riga(n));
        else
            d.resistenza(5, riga(n), Filo(n, s.DiametroFilo, s.DiametroD1, s.SpirePerStrato), r);
    });
}

void CompilaTabella(StatoProgetto &s, GrigliaFlex &g, const QString &sep)
{
    ScritturaGriglia scrittura(g, sep);
    RiempiTabella(s, scrittura);
}

} // namespace windara
