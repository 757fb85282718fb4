// Pictures of the windows for the documentation, taken of the real windows with a design
// typed into the main window:
//   xvfb-run -s "-screen 0 1024x768x24" windara_schermate <folder>
// writes main-window.png, results-window.png, wire-table-window.png and, of the analysis
// window, analysis-summary.png, analysis-target.png and analysis-frequency.png.

#include "analysis/FrmAnalisi.h"
#include "app/Applicazione.h"
#include "catalogue/FrmTabella.h"
#include "design/Errori.h"
#include "design/FrmBobine.h"
#include "table/FrmCalcoli.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPixmap>
#include <QTabWidget>
#include <QTest>

#include <cstdio>

using namespace windara;

namespace {

bool fotografa(QWidget &f, const QString &file)
{
    f.show();
    if (!QTest::qWaitForWindowExposed(&f))
        return false;
    QTest::qWait(200);
    return f.grab().save(file);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: windara_schermate <cartella>\n");
        return 2;
    }
    const QDir uscita(QString::fromLocal8Bit(argv[1]));
    const QString cartella = QStringLiteral(WINDARA_PROGRAM_DIR);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    try {
        FrmBobine principale(cartella);
        principale.Form_Load();
        principale.show();
        // H 20, B 10, D1 10 with the 0.5 mm wire: 40 turns a layer, 16 layers.
        auto *lista = principale.findChild<QComboBox *>(QStringLiteral("txtDiametro1"));
        lista->setCurrentIndex(lista->findText(QStringLiteral("0.5")));
        for (const char *nome : {"txtAltezza", "txtB", "txtL"}) {
            auto *casella = principale.findChild<QLineEdit *>(QLatin1String(nome));
            QTest::keyClicks(casella, QString::fromLatin1(nome[3] == 'A' ? "20" : "10"));
        }
        if (!fotografa(principale, uscita.filePath(QStringLiteral("main-window.png"))))
            return 1;
        frmCalcoli calcoli(cartella, principale.testiStudio(), nullptr, &principale);
        frmtabella tabella(cartella, &principale);
        const bool fatto = fotografa(calcoli, uscita.filePath(QStringLiteral("results-window.png"))) &&
                           fotografa(tabella, uscita.filePath(QStringLiteral("wire-table-window.png")));
        if (!fatto)
            return 1;

        // The analysis of the same design: its summary with the chart, the wires that reach
        // 2 mH on this bobbin, and the winding at 100 kHz.
        frmAnalisi analisi(IngressoAnalisiDi(principale), &principale);
        auto *pagine = analisi.findChild<QTabWidget *>(QStringLiteral("pagine"));
        if (!fotografa(analisi, uscita.filePath(QStringLiteral("analysis-summary.png"))))
            return 1;
        pagine->setCurrentIndex(1);
        QTest::keyClicks(analisi.findChild<QLineEdit *>(QStringLiteral("txtObiettivo")), QStringLiteral("2"));
        auto *messaggio = analisi.findChild<QLabel *>(QStringLiteral("lblMessaggioObiettivo"));
        if (!QTest::qWaitFor([&] { return messaggio->text().contains(QStringLiteral("raggiungono")); }, 10000) ||
            !fotografa(analisi, uscita.filePath(QStringLiteral("analysis-target.png"))))
            return 1;
        pagine->setCurrentIndex(2);
        return fotografa(analisi, uscita.filePath(QStringLiteral("analysis-frequency.png"))) ? 0 : 1;
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        return 1;
    }
}
