// Pictures of the two secondary windows for the documentation:
//   xvfb-run -s "-screen 0 1024x768x24" schermate <folder>
// writes <folder>/results-window.png and <folder>/wire-table-window.png.

#include "Catalogo.h"
#include "Errori.h"
#include "FrmCalcoli.h"
#include "FrmTabella.h"
#include "Module1.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>
#include <QTest>

#include <cstdio>

using namespace windara;

namespace {

bool fotografa(QDialog &f, const QString &file)
{
    f.show();
    if (!QTest::qWaitForWindowExposed(&f)) return false;
    QTest::qWait(200);
    return f.grab().save(file);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: schermate <cartella>\n");
        return 2;
    }
    const QDir uscita(QString::fromLocal8Bit(argv[1]));
    const QString cartella = QStringLiteral(WINDARA_PROGRAM_DIR);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    // H 20, B 10, D1 10 with the 0.5 mm wire: 40 turns a layer, 20 layers.
    StatoProgetto &s = Module1();
    s.Altezza = 20;
    s.DiametroFilo = 0.5;
    s.SpirePerStrato = 40;
    s.DimensioneB = 10;
    s.DiametroD1 = 10;
    s.StratiMax = 20;
    try {
        s.DatabaseFili = ApriCatalogo(cartella);
        s.ResistenzaMetro = ResistenzaMetroDi(CercaRame(s.DatabaseFili, QStringLiteral("0.5")));
        frmCalcoli calcoli(cartella, [] { return TestiStudio{}; });
        frmtabella tabella(cartella);
        const bool fatto = fotografa(calcoli, uscita.filePath(QStringLiteral("results-window.png"))) &&
                           fotografa(tabella, uscita.filePath(QStringLiteral("wire-table-window.png")));
        return fatto ? 0 : 1;
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        return 1;
    }
}
