// The entry of the module libwindara_analisi.so, which the program loads at the first Alt+A.

#include "analysis/finestra/FrmAnalisi.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT void windara_ApriAnalisi(const windara::analisi::IngressoAnalisi &ingresso, QWidget *padre)
{
    windara::analisi::ApriFinestraAnalisi(ingresso, padre);
}
static_assert(std::is_same_v<decltype(windara_ApriAnalisi), windara::analisi::ApriAnalisi>);
