// The analysis window's files as a user gets them: the datasheet read back from the PDF, its
// pages on the largest design, a cancelled write, the charts as SVG and PNG, the tables as CSV.

#include "analysis/finestra/FrmAnalisi.h"
#include "analysis/finestra/Grafici.h"
#include "analysis/finestra/SchedaAnalisi.h"
#include "app/Applicazione.h"
#include "design/FrmBobine.h"
#include "design/Module1.h"
#include "ui/Messaggi.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
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

// The fields of a CSV line: quoted ones unquoted, their doubled quotes single.
QStringList campi(const QString &riga, QChar separatore)
{
    QStringList r{QString()};
    bool virgolette = false;
    for (qsizetype i = 0; i < riga.size(); ++i) {
        const QChar c = riga[i];
        if (c == u'"' && virgolette && i + 1 < riga.size() && riga[i + 1] == u'"')
            r.last() += riga[++i];
        else if (c == u'"')
            virgolette = !virgolette;
        else if (c == separatore && !virgolette)
            r << QString();
        else
            r.last() += c;
    }
    return r;
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
        // The preview's pages go to a PDF of their own, as they would go to the printer.
        ingresso.anteprima = [this](const QString &, const std::function<void(QPagedPaintDevice &)> &pagine,
                                    QWidget *) {
            QPdfWriter pdf(cartella->filePath("anteprima.pdf"));
            pagine(pdf);
        };
        auto w = std::make_unique<frmAnalisi>(ingresso);
        // The file offered: in Studi/, named after the study.
        w->usaSceltaFile([](const QString &, const QString &proposta, const QString &) { return proposta; });
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
        const QString pdf = cartella->filePath("Studi/20x10-0_5-analisi.pdf");
        QVERIFY(QFileInfo(pdf).isFile());
        const QString testo = esegui("pdftotext", {"-layout", pdf, "-"});

        QStringList attesi{"20x10-0_5", "0.544", "0.08781", "A strati"};
        const auto *riepilogo = figlio<QTableWidget>(*w, "tblRiepilogo");
        for (int r = 0; r < riepilogo->rowCount(); ++r)
            for (int c = 0; c < riepilogo->columnCount(); ++c)
                attesi << riepilogo->item(r, c)->text();
        QStringList eco;
        for (const QLabel *l : figlio<QWidget>(*w, "paginaFrequenza")->findChildren<QLabel *>())
            if (l->objectName().startsWith("lblEco"))
                eco << l->text().mid(2); // "= 100 000 Hz": the value as read
            else if (l->objectName().startsWith("lbl") && l->objectName() != "lblAvvertenza" &&
                     !l->objectName().startsWith("lblErrore") && l->objectName() != "lblAvvolgimento" &&
                     !l->objectName().startsWith("lblModello"))
                attesi << l->text();
        for (const QString &a : attesi)
            QVERIFY2(!a.isEmpty() && testo.contains(a), qPrintable(a));
        // Its digits grouped by a narrow blank, which a text extraction may drop.
        const auto senzaSpazi = [](QString t) {
            return t.remove(QRegularExpression(QStringLiteral("[\\s\\x{202F}\\x{A0}]")));
        };
        for (const QString &e : eco)
            QVERIFY2(!e.isEmpty() && senzaSpazi(testo).contains(senzaSpazi(e)), qPrintable(e));
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

        // Ctrl+Shift+P: the same pages in the preview.
        QTest::keyClick(w.get(), Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(esegui("pdftotext", {"-layout", cartella->filePath("anteprima.pdf"), "-"}).simplified(),
                 testo.simplified());

        const QStringList font = esegui("pdffonts", {pdf}).split('\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!font.isEmpty());
        for (const QString &riga : font)
            QVERIFY2(riga.contains(QRegularExpression("\\byes\\s+(yes|no)\\s+yes\\s+\\d+\\s+\\d+\\s*$")),
                     qPrintable(riga));
    }

    // Studi/ or the datasheet's own name a link: nothing is written through it, and the
    // message names the cause.
    void collegamenti_data()
    {
        QTest::addColumn<QString>("collegamento");
        QTest::newRow("Studi") << "Studi";
        QTest::newRow("scheda") << "Studi/20x10-0_5-analisi.pdf";
    }
    void collegamenti()
    {
        QFETCH(QString, collegamento);
        QTemporaryDir altrove;
        QVERIFY(QDir(cartella->path()).rmdir("Studi") && QDir(cartella->path()).mkdir("Studi"));
        if (collegamento == "Studi")
            QVERIFY(QDir(cartella->path()).rmdir("Studi"));
        QVERIFY(QFile::link(altrove.filePath("bersaglio"), cartella->filePath(collegamento)));
        auto w = finestra("20", "10", "10", "0.5");
        QTRY_VERIFY(tabellaCompleta(*w));
        ui::CatturaMessaggi messaggi;
        figlio<QAction>(*w, "MnuScheda")->trigger();
        attendiScrittura(*w);
        QTRY_COMPARE(messaggi.messaggi().size(), 1);
        QVERIFY2(messaggi.messaggi().first().testo.contains("collegamento simbolico"),
                 qPrintable(messaggi.messaggi().first().testo));
        QCOMPARE(QDir(altrove.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
        QVERIFY(QFileInfo(cartella->filePath(collegamento)).isSymLink());
    }

    // A chart saved from its context menu: the SVG as the chart shows, each curve a path
    // through its points where the chart places them; the PNG at twice the size on screen.
    void grafico()
    {
        auto w = finestra("20", "10", "10", "0.5");
        QTRY_VERIFY(tabellaCompleta(*w));
        auto *vista = figlio<GraficoStrati>(*w, "graficoStrati");
        QTRY_COMPARE(vista->punti(Colonna::StesseSpire, false).size(), 16);
        QCOMPARE(vista->actions().size(), 1);
        vista->actions().first()->trigger();
        QFile file(cartella->filePath("Studi/20x10-0_5-graficoStrati.svg"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader svg(&file);
        // Every vertex of every line, where it lands once the groups' offsets are applied.
        QList<QPointF> vertici, spostamenti{QPointF()};
        const QRegularExpression matrice("matrix\\(1,0,0,1,([-\\d.e]+),([-\\d.e]+)\\)");
        while (!svg.atEnd()) {
            const auto elemento = svg.readNext();
            if (elemento == QXmlStreamReader::EndElement && svg.name() == u"g")
                spostamenti.removeLast();
            if (elemento != QXmlStreamReader::StartElement)
                continue;
            if (svg.name() == u"g") {
                const auto m = matrice.match(svg.attributes().value("transform").toString());
                spostamenti << spostamenti.last() + (m.hasMatch()
                                                         ? QPointF(m.captured(1).toDouble(), m.captured(2).toDouble())
                                                         : QPointF());
            }
            if (svg.name() != u"polyline" && svg.name() != u"path")
                continue;
            const QStringList numeri = svg.attributes()
                                           .value(svg.name() == u"polyline" ? "points" : "d")
                                           .toString()
                                           .split(QRegularExpression("[\\s,MLC]+"), Qt::SkipEmptyParts);
            for (qsizetype i = 0; i + 1 < numeri.size(); i += 2)
                vertici << spostamenti.last() + QPointF(numeri[i].toDouble(), numeri[i + 1].toDouble());
        }
        QVERIFY2(!svg.hasError(), qPrintable(svg.errorString()));
        QChart *c = vista->chart();
        QCOMPARE(c->series().size(), 4);
        for (QAbstractSeries *serie : c->series())
            for (const QPointF &p : static_cast<QLineSeries *>(serie)->points()) {
                const QPointF atteso = c->mapToPosition(p, serie);
                QVERIFY2(std::any_of(vertici.begin(), vertici.end(),
                                     [&](const QPointF &v) { return (v - atteso).manhattanLength() < 0.02; }),
                         qPrintable(QString("%1 (%2, %3)").arg(serie->name()).arg(p.x()).arg(p.y())));
            }

        w->usaSceltaFile([this](const QString &, const QString &, const QString &) {
            return cartella->filePath("Studi/grafico.png");
        });
        w->findChild<QTabWidget *>("pagine")->setCurrentIndex(2);
        figlio<QAction>(*w, "MnuGrafico")->trigger();
        const QImage png(cartella->filePath("Studi/grafico.png"));
        QCOMPARE(png.size(), figlio<QWidget>(*w, "graficoFrequenza")->size() * 2);
    }

    // Each table saved as CSV reads back as the window shows it: UTF-8, a header row with
    // the units, the user's decimal separator and the field separator that goes with it.
    void csv_data()
    {
        QTest::addColumn<QLocale>("lingua");
        QTest::addColumn<QString>("tabella");
        QTest::addColumn<QString>("separatore");
        const QLocale italiano(QLocale::Italian, QLocale::Italy), inglese(QLocale::English, QLocale::UnitedKingdom);
        QTest::newRow("strati, italiano") << italiano << "tblStrati"
                                          << ";";
        QTest::newRow("strati, inglese") << inglese << "tblStrati"
                                         << ",";
        QTest::newRow("riepilogo, italiano") << italiano << "tblRiepilogo"
                                             << ";";
        QTest::newRow("obiettivo, inglese") << inglese << "tblObiettivo"
                                            << ",";
    }
    void csv()
    {
        QFETCH(QLocale, lingua);
        QFETCH(QString, tabella);
        QFETCH(QString, separatore);
        QLocale::setDefault(lingua);
        auto w = finestra("20", "10", "10", "0.5");
        QTRY_VERIFY(tabellaCompleta(*w));
        auto *vista = figlio<QTableView>(*w, qPrintable(tabella));
        if (tabella == "tblObiettivo") {
            w->findChild<QTabWidget *>("pagine")->setCurrentIndex(1);
            figlio<QLineEdit>(*w, "txtObiettivo")->setText("2");
            QTRY_VERIFY(vista->model()->rowCount() > 0 && !vista->model()->index(0, 3).data().toString().isEmpty());
        }
        QCOMPARE(vista->actions().size(), 1);
        vista->actions().first()->trigger();
        attendiScrittura(*w);
        QFile file(cartella->filePath("Studi/20x10-0_5-" + tabella + ".csv"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList righe = QString::fromUtf8(file.readAll()).split("\r\n");
        QCOMPARE(righe.takeLast(), QString());

        // The summary's rows carry their names in the first field.
        const QAbstractItemModel *m = vista->model();
        const bool nomi = tabella == "tblRiepilogo";
        QStringList intestazione = nomi ? QStringList{"Grandezza"} : QStringList();
        for (int c = 0; c < m->columnCount(); ++c)
            intestazione << m->headerData(c, Qt::Horizontal).toString().replace('\n', ' ');
        QCOMPARE(righe.size(), m->rowCount() + 1);
        QCOMPARE(campi(righe.first(), separatore[0]), intestazione);
        if (tabella == "tblStrati")
            QVERIFY(righe.first().contains("Induttanza esatta (mH)") && righe.first().contains("(Ω)"));
        for (int r = 0; r < m->rowCount(); ++r) {
            QStringList attesa = nomi ? QStringList{m->headerData(r, Qt::Vertical).toString()} : QStringList();
            for (int c = 0; c < m->columnCount(); ++c)
                attesa << m->index(r, c).data().toString();
            QCOMPARE(campi(righe[r + 1], separatore[0]), attesa);
        }
        QVERIFY(righe.join(' ').contains(lingua.decimalPoint()));
    }

    // Whatever a section holds stays on the paper whole: a reason in place of a figure wraps
    // in its cell, a table wider than the page is written smaller, never cut; every word
    // lies within the margins.
    void impaginazione_data()
    {
        QTest::addColumn<int>("colonne");
        QTest::addColumn<QString>("cella");
        QTest::newRow("motivo lungo") << 3
                                      << QString("La resistenza per metro del filo non si legge dal catalogo: "
                                                 "ripristinare il file Database/Diametri.db e riaprire l'analisi");
        QTest::newRow("tabella larga") << 16 << QString("-123456,789012345");
    }
    void impaginazione()
    {
        QFETCH(int, colonne);
        QFETCH(QString, cella);
        DocumentoScheda d{"Prova", "oggi", {{"Altezza H", "20", "mm"}}, {}};
        SezioneScheda s;
        s.titolo = "Sezione";
        s.cifre = {{"Induttanza", cella, "mH"}};
        for (int c = 0; c < colonne; ++c)
            s.tabella.intestazione << QString("Colonna %1 (Ω)").arg(c);
        s.tabella.righe = 200;
        s.tabella.riga = [colonne, cella](qsizetype i) {
            QStringList r{QString::number(i + 1)};
            while (r.size() < colonne)
                r << cella;
            return r;
        };
        d.sezioni << s;
        const QString percorso = cartella->filePath("prova.pdf");
        {
            QPdfWriter pdf(percorso);
            const ImpaginazioneScheda esito = DisegnaScheda(pdf, d);
            QVERIFY(esito.completa);
            QVERIFY(esito.righePerPagina > 20);
        }
        const QString testo = esegui("pdftotext", {percorso, "-"}).simplified();
        // Each word of the cell as often as the cell is written: a cell cut short loses its last ones.
        const int volte = 1 + 200 * (colonne - 1);
        for (const QString &p : cella.split(' '))
            QVERIFY2(testo.count(p) >= volte, qPrintable(QString("%1: %2").arg(p).arg(testo.count(p))));
        // A4 in points, less the 15 mm margins (42.5 pt) a little worn by rounding.
        const QString riquadri = esegui("pdftotext", {"-bbox", percorso, "-"});
        const QRegularExpression parola("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                        "yMax=\"([\\d.]+)\">([^<]*)<");
        int parole = 0;
        for (auto i = parola.globalMatch(riquadri); i.hasNext(); ++parole) {
            const auto m = i.next();
            QVERIFY2(m.captured(1).toDouble() >= 41 && m.captured(3).toDouble() <= 595.3 - 41 &&
                         m.captured(2).toDouble() >= 41 && m.captured(4).toDouble() <= 841.9 - 41,
                     qPrintable(m.captured(0)));
        }
        QVERIFY(parole > 200);

        // Cancelled before it begins: nothing painted is complete.
        std::atomic<bool> annulla{true};
        QPdfWriter scarto(cartella->filePath("annullata.pdf"));
        QVERIFY(!DisegnaScheda(scarto, d, Avanzamento{{}, &annulla}).completa);
    }

    // The largest design the rules allow: every layer in the datasheet, the header again on
    // each page, as many pages as the rows take; written in the background, and a write
    // cancelled midway leaves nothing, not even its temporary file.
    void schedaGrande()
    {
        auto w = finestra("30", "1640.32", "20", "0.05");
        QTRY_VERIFY_WITH_TIMEOUT(tabellaCompleta(*w), 300000);
        const int strati = figlio<QTableView>(*w, "tblStrati")->model()->rowCount();
        QVERIFY2(strati > 20000, qPrintable(QString::number(strati)));

        auto *barra = figlio<QWidget>(*w, "barraScrittura");
        figlio<QAction>(*w, "MnuScheda")->trigger();
        QTRY_VERIFY(barra->isVisible());
        QTest::mouseClick(figlio<QPushButton>(*barra, "annulla"), Qt::LeftButton);
        attendiScrittura(*w);
        QTRY_COMPARE(QDir(cartella->filePath("Studi")).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
                     QStringList());

        figlio<QAction>(*w, "MnuScheda")->trigger();
        attendiScrittura(*w);
        const QString pdf = cartella->filePath("Studi/30x20-0_05-analisi.pdf");
        const QStringList pagine = esegui("pdftotext", {"-layout", pdf, "-"}).split('\f');
        const QString info = esegui("pdfinfo", {pdf});
        QCOMPARE(QRegularExpression("Pages:\\s+(\\d+)").match(info).captured(1).toInt(), pagine.size() - 1);

        // Rows of the table page by page: a line that starts with a layer and holds eight figures.
        const QRegularExpression riga("^ *(\\d+) +\\d+ +\\d+ +[\\d,]+ +[\\d,]+ +-?[\\d,]+ +[\\d,]+ +[\\d,]+ *$",
                                      QRegularExpression::MultilineOption);
        QList<int> perPagina;
        int atteso = 1;
        for (const QString &pagina : pagine) {
            int n = 0;
            for (auto m = riga.globalMatch(pagina); m.hasNext(); ++n)
                QCOMPARE(m.next().captured(1).toInt(), atteso++);
            if (n > 0) {
                perPagina << n;
                QVERIFY(pagina.contains("Resistenza a"));
            }
        }
        QCOMPARE(atteso - 1, strati);
        // Every page of the table full but its first and its last; so many pages.
        const int piene = perPagina.size() > 2 ? perPagina[1] : 0;
        QVERIFY(piene > 40);
        for (int i = 1; i + 1 < perPagina.size(); ++i)
            QCOMPARE(perPagina[i], piene);
        const int resto = strati - perPagina.first();
        QCOMPARE(perPagina.size(), 1 + (resto + piene - 1) / piene);
    }
};

QTEST_MAIN(TstSchedaAnalisi)
#include "tst_schedaanalisi.moc"
