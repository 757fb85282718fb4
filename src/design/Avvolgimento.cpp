#include "design/Avvolgimento.h"

namespace windara::avvolgimento {

Valuta Resistenza(double filo, double resistenzaMetro)
{
    return Valuta::prodotto(filo, resistenzaMetro);
}

} // namespace windara::avvolgimento
