#include "design/Module1.h"

namespace windara {

StatoProgetto &Module1()
{
    static StatoProgetto stato;
    return stato;
}

} // namespace windara
