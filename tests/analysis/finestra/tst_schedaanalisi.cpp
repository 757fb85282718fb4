// The analysis window's files as a user gets them: the datasheet read back from the PDF, its
// pages on the largest design, a cancelled write, the charts as SVG and PNG, the tables as CSV.

#include "analysis/finestra/FrmAnalisi.h"
#include "analysis/finestra/Grafici.h"
#include "app/Applicazione.h"
#include "design/FrmBobine.h"
#include "design/Module1.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <cmath>
#include <memory>

using namespace windara;
using namespace windara::analisi;

namespace {

template <class T>
T *figlio(const QObject &w, const char *nome)
{
    T *c = w.findChild<T *>(QLatin1String(nome));
    if (!c)
        qFatal("manca %s", nome);
    return c;
}

QString esegui(const QString &programma, const QStringList &argomenti)
{
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        qFatal("%s non riesce: %s", qPrintable(programma), p.readAllStandardError().constData());
    return QString::fromUtf8(p.readAllStandardOutput());
}

bool tabellaCompleta(const QWidget &w)
{
    const QString metodo = figlio<QLabel>(w, "lblMetodo")->text();
    return metodo.contains("Tabella per strati dell'avvolgimento reale:") && !metodo.contains("in corso");
}

} // namespace

class TstSchedaAnalisi : public QObject
{
    Q_OBJECT

    std::unique_ptr<Applicazione> app;
    std::unique_ptr<QTemporaryDir> cartella;

    // The analysis window on a design typed into the main window, its files chosen in a
    // folder of the test's own.
    std::unique_ptr<frmAnalisi> finestra(const QString &h, const QString &b, const QString &d1, const QString &filo)
    {
        FrmBobine &f = app->principale();
        auto *lista = figlio<QComboBox>(f, "txtDiametro1");
        lista->setCurrentIndex(lista->findText(filo));
        for (const auto &[nome, testo] : {std::pair{"txtAltezza", h}, {"txtB", b}, {"txtL", d1}})
            figlio<QLineEdit>(f, nome)->setText(testo);
        IngressoAnalisi ingresso = IngressoAnalisiDi(f);
        ingresso.cartellaProgramma = cartella->path();
        auto w = std::make_unique<frmAnalisi>(ingresso);
        w->usaSceltaFile([this](const QString &, const QString &proposta, const QString &) {
            return cartella->filePath(QFileInfo(proposta).fileName());
        });
        w->show();
        return w;
    }
    // Triggers `voce` and waits for the file written in the background.
    static void attendiScrittura(const frmAnalisi &w)
    {
        QTRY_VERIFY_WITH_TIMEOUT(figlio<QWidget>(w, "barraScrittura")->isHidden(), 120000);
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        Module1() = StatoProgetto{};
        app = std::make_unique<Applicazione>(WINDARA_PROGRAM_DIR);
        app->Avvia();
        cartella = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir(cartella->path()).mkdir("Studi"));
    }
    void cleanup()
    {
        app.reset();
        cartella.reset();
        QLocale::setDefault(QLocale::c());
    }

    // The PDF holds every figure the window shows, as it writes them, and every row of the
    // per-layer table; its text is text, its fonts embedded.
    void schedaPdf()
    {
        auto w = finestra("20", "10", "10", "0.5");
        QTRY_VERIFY(tabellaCompleta(*w));
        figlio<QAction>(*w, "MnuScheda")->trigger();
        attendiScrittura(*w);
        const QString pdf = cartella->filePath("20x10-0_5-analisi.pdf");
        QVERIFY(QFileInfo(pdf).isFile());
        const QString testo = esegui("pdftotext", {"-layout", pdf, "-"});

        QStringList attesi{"20x10-0_5", "0.544", "0.08781", "A strati"};
        const auto *riepilogo = figlio<QTableWidget>(*w, "tblRiepilogo");
        for (int r = 0; r < riepilogo->rowCount(); ++r)
            for (int c = 0; c < riepilogo->columnCount(); ++c)
                attesi << riepilogo->item(r, c)->text();
        for (const QLabel *l : figlio<QWidget>(*w, "paginaFrequenza")->findChildren<QLabel *>())
            if (l->objectName().startsWith("lbl") && l->objectName() != "lblAvvertenza")
                attesi << l->text();
        for (const QString &a : attesi)
            QVERIFY2(!a.isEmpty() && testo.contains(a), qPrintable(a));
        // Each row of the table on a line of its own, its cells in order.
        const QAbstractItemModel *strati = figlio<QTableView>(*w, "tblStrati")->model();
        QCOMPARE(strati->rowCount(), 14);
        for (int r = 0; r < strati->rowCount(); ++r) {
            QStringList celle;
            for (int c = 0; c < strati->columnCount(); ++c)
                celle << QRegularExpression::escape(strati->index(r, c).data().toString());
            QVERIFY2(testo.contains(QRegularExpression("^\\s*" + celle.join("\\s+") + "\\s*$",
                                                       QRegularExpression::MultilineOption)),
                     qPrintable(celle.join(' ')));
        }
        for (const char *parola : {"Maxwell", "Dowell", "Wheeler", "Pagina 1 di"})
            QVERIFY2(testo.contains(parola), parola);

        const QStringList font = esegui("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!font.isEmpty());
        for (const QString &riga : font)
            QVERIFY2(riga.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+yes\\s+\\d+\\s+\\d+\\s*$")),
                     qPrintable(riga));
    }
};

QTEST_MAIN(TstSchedaAnalisi)
#include "tst_schedaanalisi.moc"
