#pragma once

// The worked examples the tests share, in one place.

#include "design/Module1.h"
#include "report/Studio.h"
#include "table/GrigliaMemoria.h"

#include <QList>
#include <QStringList>

namespace windara::prova {

// A design state as the main window leaves it.
inline StatoProgetto progetto(int h, double spire, double d, double d1, int strati, const QString &r)
{
    StatoProgetto p;
    p.Altezza = std::int16_t(h);
    p.SpirePerStrato = spire;
    p.DiametroFilo = d;
    p.DiametroD1 = d1;
    p.StratiMax = std::int16_t(strati);
    p.ResistenzaMetro = r;
    return p;
}

// The example study: H 30, D1 20, a 0.50 mm wire, 5 layers of 60 turns, 0.0894 ohm/m.
inline StatoProgetto progettoStudio()
{
    return progetto(30, 60, 0.5, 20, 5, QStringLiteral("0.0894"));
}

inline TestiStudio testiStudio(const QString &h = QStringLiteral("30"), const QString &d1 = QStringLiteral("20"),
                               const QString &diametro = QStringLiteral("0.50"))
{
    return TestiStudio{h,
                       d1,
                       diametro,
                       QStringLiteral("0.50"),
                       QStringLiteral(" 29"),
                       QStringLiteral(" 5"),
                       QStringLiteral(" 60"),
                       QStringLiteral(" 300"),
                       QStringLiteral(" .9898")};
}

// The headers of the inductance table.
inline const QStringList intestazioni{
    QStringLiteral("N° Strati"),           QStringLiteral("N° Spire"),        QStringLiteral("A1"),
    QStringLiteral("Filo necessario (m)"), QStringLiteral("Induttanza (mH)"), QStringLiteral("R teorica (Ohm)")};

// Every row of a grid, header row first.
inline QList<QStringList> righe(const GrigliaMemoria &g)
{
    QList<QStringList> r;
    for (int i = 0; i < g.rows(); ++i) {
        QStringList riga;
        for (int c = 0; c < ColonneTabella; ++c)
            riga << g.text(i, c);
        r << riga;
    }
    return r;
}

} // namespace windara::prova
