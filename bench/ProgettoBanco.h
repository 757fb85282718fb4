#pragma once

// The shipped catalogue and a design typed as the main window takes it, for the analysis
// benchmarks.

#include "analysis/Analisi.h"
#include "catalogue/Catalogo.h"
#include "design/Errori.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace banco {

// Every wire of the shipped catalogue; without it no figure means anything.
inline QList<windara::FiloRame> CatalogoRame()
{
    using namespace windara;
    try {
        ApriCatalogo(QStringLiteral(WINDARA_PROGRAM_DIR), QStringLiteral("banco"));
        QList<FiloRame> fili = ElencoRame(QStringLiteral("banco"));
        ChiudiCatalogo(QStringLiteral("banco"));
        return fili;
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        std::exit(1);
    }
}

// H, B, D1 and the nominal diameter of a wire of `fili`, as typed.
inline windara::analisi::DatiAnalisi Progetto(const QList<windara::FiloRame> &fili, const QString &h, const QString &b,
                                              const QString &d1, const QString &d)
{
    windara::analisi::DatiAnalisi a;
    a.testi = windara::TestiLimiti{h, b, d1, d, d};
    const auto filo = std::find_if(fili.begin(), fili.end(), [&](const auto &f) { return f.DiametroNominale == d; });
    if (filo == fili.end())
        std::abort();
    a.filo = *filo;
    a.resistenzaMetro = a.filo.Resistenza;
    return a;
}

} // namespace banco
