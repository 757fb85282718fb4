#pragma once

#include <QString>

#include <cstdint>

namespace windara {

// The one shared record of the current design: the main window writes its inputs,
// the table and the report read them and use the geometric fields as per-row scratch.
// Flags hold -1 for true and 0 for false.
struct StatoProgetto
{
    std::int16_t Altezza = 0;   // mm, H rounded ties to even
    double SpirePerStrato = 0;  // turns, a whole number
    double DiametroFilo = 0;    // mm, nominal diameter of the chosen wire
    double DimensioneB = 0;     // mm
    double DiametroD1 = 0;      // mm
    std::int16_t StratiMax = 0; // layers
    std::int16_t Indice = 0;    // row counter of the table and report loops
    double RaggioEsterno = 0;   // mm
    double RaggioInterno = 0;   // mm
    double RaggioMedio = 0;     // cm
    double SpireAlQuadrato = 0; // turns squared
    double AltezzaPer9 = 0;     // cm, the 9b term of Wheeler's formula
    QString NomeFile;           // path of the last study written
    std::int16_t Salvato = 0;   // the study shown has been saved
    QString DatabaseFili;       // name of the open catalogue connection
    QString ResistenzaMetro;    // ohm per metre of the chosen wire, as text
    // The lookup for the wire in use failed: ResistenzaMetro belongs to another wire, and no
    // resistance may be worked out from it until a lookup succeeds again.
    bool ResistenzaMetroIgnota = false;

    // File-name working fields of the study save.
    std::int32_t PosizionePunto = 0;
    std::int16_t LunghezzaDiametro = 0;
    QString ParteIntera;
    QString ParteDecimale;
    QString DiametroNome;
};

constexpr std::int16_t Vero = -1;
constexpr std::int16_t Falso = 0;

// The process-wide instance.
StatoProgetto &Module1();

} // namespace windara
