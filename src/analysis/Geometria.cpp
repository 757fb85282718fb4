#include "analysis/Geometria.h"

#include <cmath>

namespace windara::analisi {

namespace {
constexpr double Pi = 3.14159265358979323846;
// Beyond these the exact sums would run for hours: the rules themselves stop at 32,767 layers.
constexpr int MassimoStrati = 1 << 20;
constexpr int MassimoSpire = 1 << 24;
} // namespace

double GeometriaAvvolgimento::passoRadiale() const
{
    return stile == Stile::Ortociclico ? passo * (std::sqrt(3.0) / 2) : passo;
}

int GeometriaAvvolgimento::numeroStrati() const
{
    return strati + (spireUltimoStrato > 0 ? 1 : 0);
}

bool GeometriaAvvolgimento::spostato(int strato) const
{
    return stile == Stile::Ortociclico && strato % 2 == 0;
}

int GeometriaAvvolgimento::spireStrato(int strato) const
{
    if (strato > strati)
        return strato == strati + 1 ? spireUltimoStrato : 0;
    return spostato(strato) ? spireStratoSpostato : spirePerStrato;
}

double GeometriaAvvolgimento::raggioStrato(int strato) const
{
    return raggioNucleo + (strato - 0.5) * passoRadiale();
}

double GeometriaAvvolgimento::spireFinoA(int fino) const
{
    const int pieni = std::min(fino, strati);
    double n = 0;
    if (stile == Stile::Ortociclico)
        n = double(pieni - pieni / 2) * spirePerStrato + double(pieni / 2) * spireStratoSpostato;
    else
        n = double(pieni) * spirePerStrato;
    if (fino > strati)
        n += spireUltimoStrato;
    return n;
}

QString MotivoGeometria(const GeometriaAvvolgimento &g)
{
    if (!std::isfinite(g.raggioNucleo) || g.raggioNucleo <= 0)
        return QStringLiteral("Il diametro D1 del nucleo deve essere maggiore di zero");
    if (!std::isfinite(g.passo) || g.passo <= 0)
        return QStringLiteral("Il passo delle spire deve essere maggiore di zero");
    if (!std::isfinite(g.diametroRame) || g.diametroRame <= 0)
        return QStringLiteral("Il diametro del filo deve essere maggiore di zero");
    if (g.diametroRame > g.passo * (1 + 1e-12))
        return QStringLiteral("Il filo è più grosso del passo delle spire");
    if (g.strati < 0 || g.spirePerStrato < 0 || g.spireStratoSpostato < 0 || g.spireUltimoStrato < 0)
        return QStringLiteral("Spire e strati non possono essere negativi");
    if (g.strati > MassimoStrati || g.spirePerStrato > MassimoSpire || g.spireUltimoStrato > MassimoSpire)
        return QStringLiteral("Avvolgimento troppo grande per il calcolo esatto");
    if (g.numeroStrati() == 0)
        return QStringLiteral("Nessuno strato: lo spazio B non basta per un diametro di filo oltre i 2 mm liberi");
    for (int k = 1; k <= std::min(g.numeroStrati(), 2); ++k)
        if (g.spireStrato(k) == 0)
            return QStringLiteral("Nessuna spira: l'altezza H è minore del diametro del filo");
    return {};
}

GeometriaAvvolgimento RiempiRocchetto(const Rocchetto &r, double passo, double diametroRame, Stile stile)
{
    GeometriaAvvolgimento g;
    g.stile = stile;
    g.raggioNucleo = r.diametroD1 / 2 * 1e-3;
    g.passo = passo * 1e-3;
    g.diametroRame = diametroRame * 1e-3;
    const auto intero = [](double v) {
        const double t = std::trunc(v);
        return t >= 0 && t <= MassimoSpire + 1.0 ? int(t) : (t < 0 ? 0 : MassimoSpire + 1);
    };
    g.spirePerStrato = intero(r.altezza / passo);
    g.spireStratoSpostato = stile == Stile::Ortociclico ? intero((r.altezza - passo / 2) / passo) : 0;
    const double passoRadiale = stile == Stile::Ortociclico ? passo * (std::sqrt(3.0) / 2) : passo;
    g.strati = intero((r.dimensioneB - 2) / passoRadiale);
    return g;
}

double LunghezzaFilo(const GeometriaAvvolgimento &g, int fino)
{
    double l = 0;
    for (int k = 1; k <= fino; ++k)
        l += g.spireStrato(k) * std::hypot(2 * Pi * g.raggioStrato(k), g.passo);
    return l;
}

} // namespace windara::analisi
