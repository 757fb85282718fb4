// Pictures of the windows for the documentation, taken of the real windows with a design
// typed into the main window:
//   xvfb-run -s "-screen 0 1024x768x24" windara_schermate <folder> [<suffix> [scuro]]
// writes main-window<suffix>.png, results-window<suffix>.png and
// wire-table-window<suffix>.png; with "scuro", under a dark desktop palette. Run with
// QT_SCALE_FACTOR=2 for the pictures at 2x scaling. Without a suffix it also takes the
// analysis window: analysis-summary.png, analysis-target.png, analysis-frequency.png and
// analysis-current.png.

#include "analysis/finestra/FrmAnalisi.h"
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
        std::fprintf(stderr, "uso: windara_schermate <cartella> [<suffisso> [scuro]]\n");
        return 2;
    }
    const QDir uscita(QString::fromLocal8Bit(argv[1]));
    const QString suffisso = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    if (argc > 3 && QByteArray(argv[3]) == "scuro") {
        // As a dark desktop theme hands it over: light text on dark grounds.
        const QColor chiaro(0xee, 0xee, 0xee), fondo(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a);
        QApplication::setPalette(QPalette(chiaro, fondo, fondo.lighter(150), fondo.darker(150), fondo.darker(130),
                                          chiaro, Qt::white, base, fondo));
    }
    auto file = [&](const char *nome) { return uscita.filePath(QLatin1String(nome) + suffisso + ".png"); };
    const QString cartella = QStringLiteral(WINDARA_PROGRAM_DIR);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    try {
        // The main window as the program builds it, with the program's palette and icon.
        Applicazione applicazione(cartella);
        applicazione.Avvia();
        FrmBobine &principale = applicazione.principale();
        // H 20, B 10, D1 10 with the 0.5 mm wire: 40 turns a layer, 16 layers.
        auto *lista = principale.findChild<QComboBox *>(QStringLiteral("txtDiametro1"));
        lista->setCurrentIndex(lista->findText(QStringLiteral("0.5")));
        for (const char *nome : {"txtAltezza", "txtB", "txtL"}) {
            auto *casella = principale.findChild<QLineEdit *>(QLatin1String(nome));
            QTest::keyClicks(casella, QString::fromLatin1(nome[3] == 'A' ? "20" : "10"));
        }
        if (!fotografa(principale, file("main-window")))
            return 1;
        frmCalcoli calcoli(cartella, principale.testiStudio(), nullptr, principale.causaArresto(), &principale);
        frmtabella tabella(cartella, &principale);
        const bool fatto = fotografa(calcoli, file("results-window")) && fotografa(tabella, file("wire-table-window"));
        if (!fatto)
            return 1;
        if (!suffisso.isEmpty())
            return 0;

        // The analysis of the same design: its summary with the chart, the wires that reach
        // 2 mH on this bobbin, the winding at 100 kHz, and under 750 mA.
        frmAnalisi analisi(IngressoAnalisiDi(principale), &principale);
        auto *pagine = analisi.findChild<QTabWidget *>(QStringLiteral("pagine"));
        if (!fotografa(analisi, file("analysis-summary")))
            return 1;
        pagine->setCurrentIndex(1);
        QTest::keyClicks(analisi.findChild<QLineEdit *>(QStringLiteral("txtObiettivo")), QStringLiteral("2"));
        auto *messaggio = analisi.findChild<QLabel *>(QStringLiteral("lblMessaggioObiettivo"));
        if (!QTest::qWaitFor([&] { return messaggio->text().contains(QStringLiteral("raggiungono")); }, 10000) ||
            !fotografa(analisi, file("analysis-target")))
            return 1;
        pagine->setCurrentIndex(2);
        if (!fotografa(analisi, file("analysis-frequency")))
            return 1;
        pagine->setCurrentIndex(3);
        auto *corrente = analisi.findChild<QLineEdit *>(QStringLiteral("txtCorrente"));
        corrente->setText(QStringLiteral("750m"));
        return fotografa(analisi, file("analysis-current")) ? 0 : 1;
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        return 1;
    }
}
