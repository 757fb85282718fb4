// The entry of the module libwindara_stampa.so, which the program loads when the first
// results window opens.

#include "report/StampanteSistema.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT windara::Stampante *windara_NuovaStampante()
{
    return new windara::StampanteSistema;
}
static_assert(std::is_same_v<decltype(windara_NuovaStampante), windara::NuovaStampante>);

extern "C" Q_DECL_EXPORT void
windara_Anteprima(const QString &titolo, const std::function<void(QPagedPaintDevice &)> &pagine, QWidget *finestra)
{
    windara::AnteprimaStampa(titolo, pagine, finestra);
}
static_assert(std::is_same_v<decltype(windara_Anteprima), windara::Anteprima>);
