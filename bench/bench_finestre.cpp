// The two secondary windows, from the command to the window on screen: the results window
// with the largest table the program makes (32,766 layers: B about 1640 mm with a 0.05 mm
// wire) and the wire table window.

#include "Banco.h"

#include "catalogue/FrmTabella.h"
#include "design/Errori.h"
#include "design/Module1.h"
#include "table/FrmCalcoli.h"
#include "table/ModelloGriglia.h"

#include <QApplication>
#include <QTableView>

#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

using namespace windara;

namespace {

// Builds, shows and paints a window; the destruction of the previous one is not counted.
template <class Crea>
void finestra(const std::string &nome, double obiettivoMicro, int ripetizioni, Crea crea)
{
    std::vector<double> tempi;
    for (int r = 0; r <= ripetizioni; ++r) {
        const auto t0 = std::chrono::steady_clock::now();
        std::unique_ptr<QDialog> f = crea();
        f->show();
        QApplication::processEvents();
        const auto t1 = std::chrono::steady_clock::now();
        if (r > 0)
            tempi.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
        f.reset();
        QApplication::processEvents();
    }
    banco::riporta(nome, banco::mediana(tempi), obiettivoMicro);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString cartella = QStringLiteral(WINDARA_PROGRAM_DIR);

    StatoProgetto &s = Module1();
    s.Altezza = 20;
    s.DiametroFilo = 0.05;
    s.SpirePerStrato = 400;
    s.DimensioneB = 1640;
    s.DiametroD1 = 10;
    s.StratiMax = 32766;
    s.ResistenzaMetro = QStringLiteral("8.781");
    finestra("finestra dei risultati, 32766 strati", 150000, 11, [&] {
        auto f = std::make_unique<frmCalcoli>(cartella, TestiStudio{}, nullptr);
        if (f->modello().rowCount() != 32766)
            std::abort();
        return f;
    });

    try {
        s.DatabaseFili = ApriCatalogo(cartella);
        finestra("finestra della tabella dei fili", 50000, 31, [&] {
            auto f = std::make_unique<frmtabella>(cartella);
            if (f->findChild<QTableView *>(QStringLiteral("DBGrid1"))->model()->rowCount() != 57)
                std::abort();
            return f;
        });
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        return 1;
    }
    return 0;
}
