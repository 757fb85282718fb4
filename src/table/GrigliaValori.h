#pragma once

#include "table/Tabella.h"

#include <QString>

#include <array>
#include <cstdint>
#include <memory>

namespace windara {

// The inductance table kept as the values of its cells: the fill computes every value, and
// stops where one fails, as it always does; a cell's text, and the four-decimal value it
// shows, are made only when it is read. A table of 32,766 rows holds 1.6 MB of numbers
// instead of 196,596 texts. Read as a GrigliaMemoria filled by CompilaTabella reads.
class GrigliaValori final : private DestinazioneTabella
{
public:
    GrigliaValori() = default;
    ~GrigliaValori();
    GrigliaValori(const GrigliaValori &) = delete;
    GrigliaValori &operator=(const GrigliaValori &) = delete;
    GrigliaValori &operator=(GrigliaValori &&) = default;
    // RiempiTabella from an empty grid; the texts take `separatore`. An ErroreRuntime goes to
    // the caller with the cells handed over before it in place and the rest empty. A design
    // with more layers than the table holds (troppiStrati) leaves only the header row, laid
    // out as usual, so the empty table still says what it would show.
    void Compila(StatoProgetto &s, const QString &separatore);

    int rows() const { return m_righe; }
    QString text(int riga, int colonna) const;
    int alignment(int riga, int colonna) const;
    // 0 while the column keeps the grid's default width.
    int colWidth(int colonna) const { return m_larghezze[colonna]; }
    bool troppiStrati() const { return m_troppiStrati; }

private:
    enum class Tipo : std::uint8_t { Strato, Generale, Fisso, Resistenza, NonDisponibile };

    void righe(int righe) override;
    // Gives the values' storage back for the next table.
    void restituisci();
    void intestazione(int colonna, const QString &testo, bool allinea) override;
    void larghezza(int colonna, int twips) override { m_larghezze[colonna] = twips; }
    void strato(int riga) override;
    void generale(int colonna, int riga, double v) override;
    void fisso(int colonna, int riga, double v) override;
    void resistenza(int colonna, int riga, double filo, double resistenzaMetro) override;
    void nonDisponibile(int colonna, int riga) override;

    // The fill hands cells over in order, column by column and row by row within a column,
    // so the last one handed over tells every cell written from every cell left empty.
    void segna(int colonna, int riga)
    {
        m_colonnaFine = colonna;
        m_rigaFine = riga;
    }
    bool scritta(int riga, int colonna) const
    {
        return colonna < m_colonnaFine || (colonna == m_colonnaFine && riga <= m_rigaFine);
    }
    double &valore(int colonna, int riga) { return m_valori[std::size_t(colonna * (m_righe - 1) + riga - 1)]; }

    int m_righe = 2; // as a fresh GrigliaMemoria
    // Column-major, rows 1 to n; a cell is read only once written, so the storage is left
    // uninitialised rather than zeroed, or as the table before left it. Room for
    // m_capacita values.
    std::unique_ptr<double[]> m_valori;
    std::size_t m_capacita = 0;
    std::array<Tipo, ColonneTabella> m_tipi{};
    std::array<double, ColonneTabella> m_resistenzeMetro{};
    std::array<QString, ColonneTabella> m_intestazioni;
    std::array<bool, ColonneTabella> m_intestazioneAllineata{};
    std::array<int, ColonneTabella> m_larghezze{};
    int m_colonnaFine = -1;
    int m_rigaFine = 0;
    QString m_separatore;
    bool m_troppiStrati = false;
};

} // namespace windara
