// libFuzzer target: number reading and the live recomputation on arbitrary texts.
// The input is split at NUL bytes into the texts of H, B, D1, the wire and its
// resistance per metre.

#include "design/Errori.h"
#include "design/Limiti.h"
#include "design/Val.h"

#include <cmath>
#include <cstdlib>

using namespace windara;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *dati, size_t n)
{
    QString testi[5];
    int campo = 0;
    const QString tutto = QString::fromUtf8(reinterpret_cast<const char *>(dati), qsizetype(n));
    for (const QChar c : tutto) {
        if (c == QChar(0)) {
            if (++campo == 5)
                break;
            continue;
        }
        testi[campo] += c;
    }
    for (const QString &t : testi) {
        try {
            if (!std::isfinite(Val(t)))
                std::abort();
        } catch (const ErroreRuntime &) {
        }
    }
    StatoProgetto s;
    DidascalieLimiti v;
    RecalcoloLimiti(TestiLimiti{testi[0], testi[1], testi[2], testi[3], testi[3]}, EsitoRicerca::trovata(testi[4]), s,
                    v);
    for (Risultato q : {Risultato::NumeroStrati, Risultato::SpireTotali, Risultato::Centro})
        if (v[q].contains(u'-'))
            std::abort();
    return 0;
}
