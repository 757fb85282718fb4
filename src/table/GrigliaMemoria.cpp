#include "table/GrigliaMemoria.h"

namespace windara {

void GrigliaMemoria::setRows(int righe)
{
    // Rows kept keep their cells until the fill rewrites them; surplus rows go.
    for (auto &colonna : m_celle)
        colonna.resize(righe);
}

} // namespace windara
