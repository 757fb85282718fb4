#pragma once

#include "design/Limiti.h"
#include "design/Module1.h"

#include <QString>

namespace windara {

// What the windows say beside figures that stand for no winding of the design typed. The
// captions, the table and the report stay as the limits and the row loop write them; these
// texts tell the user when they cannot be taken at their word.

// Why the design state is not the design typed: the recomputation stopped before the
// values of the table and of the report were all written (the height, the layers, a wire
// diameter read as 0, a value too large to write), naming the field and its limit. Empty
// when every step ran, and when only the wire's resistance per metre is missing (step 16:
// every dimension is written, the resistance shows as not available).
QString CausaArresto(const EsitoLimiti &esito, const StatoProgetto &s);

// Why the design holds no winding: the bobbin takes no complete layer or no complete turn,
// or D1 is negative. Empty when it holds one. Read only from a design state that stands
// for the design typed.
QString CausaSenzaAvvolgimento(const StatoProgetto &s);

// The line under the captions of the main window: why its figures are not those of the
// values typed, or, once the four inputs are all filled, why they stand for no winding;
// empty when they stand for the design.
QString AvvisoLimiti(const TestiLimiti &t, const EsitoLimiti &esito, const StatoProgetto &s);

// The line above the grid of the results window, opened on the design state `s` after a
// recomputation stopped for `arresto` (empty when it did not); empty when the table is
// that of the design typed and holds a winding.
QString AvvisoTabella(const QString &arresto, const StatoProgetto &s);

// Why the study cannot be saved: its header would disagree with its rows, or it would hold
// no winding. Empty when it can.
QString RifiutoStudio(const QString &arresto, const StatoProgetto &s);

} // namespace windara
