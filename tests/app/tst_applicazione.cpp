// The whole flow between the windows: the main window's commands open the results and
// wire table windows; from the results window a study is saved and printed.

#include "StampanteRegistrata.h"
#include "analysis/finestra/IngressoAnalisi.h"
#include "app/Applicazione.h"
#include "app/Moduli.h"
#include "catalogue/FrmTabella.h"
#include "design/FrmBobine.h"
#include "design/Module1.h"
#include "report/SalvaStudio.h"
#include "report/Stampa.h"
#include "report/StampanteSistema.h"
#include "table/FrmCalcoli.h"
#include "table/GrigliaMemoria.h"
#include "table/ModelloGriglia.h"
#include "ui/BarraStrumenti.h"
#include "ui/Icone.h"
#include "ui/Messaggi.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cmath>
#include <map>
#include <sys/stat.h>

using namespace windara;
using prova::StampanteRegistrata;

namespace {

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList righeGriglia(const frmCalcoli &f)
{
    const auto &g = f.modello().griglia();
    QStringList r;
    for (int i = 0; i < g.rows(); ++i) {
        QStringList riga;
        for (int c = 0; c < ColonneTabella; ++c)
            riga << g.text(i, c);
        r << riga.join(u'|');
    }
    return r;
}

// The WCAG 2 contrast ratio of two colours.
double contrasto(const QColor &a, const QColor &b)
{
    auto luminanza = [](const QColor &c) {
        auto l = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
        return 0.2126 * l(c.redF()) + 0.7152 * l(c.greenF()) + 0.0722 * l(c.blueF()) + 0.05;
    };
    return std::max(luminanza(a), luminanza(b)) / std::min(luminanza(a), luminanza(b));
}

// The colour of a region's text and its contrast: the ground is the region's commonest
// colour, the text the pixel that stands out most from it (a stroke's core).
std::pair<QColor, double> testo(const QImage &immagine, const QRect &zona)
{
    std::map<QRgb, int> conta;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            ++conta[immagine.pixel(x, y)];
    const QRgb fondo =
        std::max_element(conta.begin(), conta.end(), [](auto a, auto b) { return a.second < b.second; })->first;
    std::pair<QColor, double> piuDiverso{fondo, 1};
    for (const auto &[colore, volte] : conta)
        if (contrasto(colore, fondo) > piuDiverso.second)
            piuDiverso = {colore, contrasto(colore, fondo)};
    return piuDiverso;
}

// Where a window draws text, by name, with the ratio it must reach: 4.5:1, the toolbar
// pictures 3:1.
QList<std::tuple<QString, QRect, double>> zone(QWidget *finestra)
{
    QList<std::tuple<QString, QRect, double>> z;
    auto zona = [&](const QWidget *w, const QRect &r, const QString &nome, double minimo = 4.5) {
        z.append({nome, QRect(w->mapTo(finestra, r.topLeft()), r.size()), minimo});
    };
    for (QWidget *w : finestra->findChildren<QWidget *>()) {
        auto *etichetta = qobject_cast<QLabel *>(w);
        if (!w->isVisibleTo(finestra) || w->window() != finestra || (etichetta && etichetta->text().isEmpty()))
            continue;
        if (etichetta || qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w) ||
            qobject_cast<ui::Immagine *>(w))
            zona(w, w->rect().adjusted(4, 4, -4, -4), w->objectName());
        if (auto *g = qobject_cast<QGroupBox *>(w)) // the title, above the frame
            zona(g, QRect(0, 0, g->width(), g->fontMetrics().height()), g->objectName());
        if (auto *m = qobject_cast<QMenuBar *>(w))
            for (QAction *a : m->actions())
                zona(m, m->actionGeometry(a).adjusted(2, 2, -2, -2), a->text());
        if (auto *h = qobject_cast<QHeaderView *>(w); h && h->orientation() == Qt::Horizontal)
            for (int c = 0; c < h->count(); ++c)
                zona(h, QRect(h->sectionViewportPosition(c) + 2, 2, h->sectionSize(c) - 4, h->height() - 4),
                     h->model()->headerData(c, Qt::Horizontal).toString());
        if (auto *b = qobject_cast<ui::BarraStrumenti *>(w))
            for (int i : {1, 2, 4})
                zona(b->widgetPulsante(i), b->widgetPulsante(i)->rect(), b->pulsante(i)->toolTip(), 3);
    }
    return z;
}

} // namespace

class TstApplicazione : public QObject
{
    Q_OBJECT

    QTemporaryDir cartella; // a program folder of its own: Database/ and Studi/, no Moduli/
    Applicazione *app = nullptr;
    FrmBobine *f = nullptr;
    StampanteRegistrata *stampante = nullptr;

    QString studi() const { return cartella.path() + "/Studi"; }

    void scrivi(const char *nome, const QString &testo)
    {
        QLineEdit *c = f->findChild<QLineEdit *>(nome);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        // keyClicks knows ASCII only; another character comes as the text of a key.
        for (const QChar ch : testo) {
            if (ch.unicode() < 0x80)
                QTest::keyClick(c, ch.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, c, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        }
    }
    void progetto(const QString &h, const QString &b, const QString &d1, const QString &filo = "0.5")
    {
        QComboBox *lista = f->findChild<QComboBox *>("txtDiametro1");
        lista->setCurrentIndex(lista->findText(filo));
        scrivi("txtAltezza", h);
        scrivi("txtB", b);
        scrivi("txtL", d1);
    }

    // Opens a window from the main window and works in it while it is modal; the window
    // is closed whatever the checks find.
    template <class Finestra>
    void inFinestra(const std::function<void()> &apri, const std::function<void(Finestra &)> &azione)
    {
        bool vista = false;
        QTimer::singleShot(0, this, [&] {
            auto *w = qobject_cast<Finestra *>(QApplication::activeModalWidget());
            const auto chiudi = qScopeGuard([w] {
                if (w)
                    w->close();
            });
            QVERIFY(w);
            // Shortcuts reach only the active window.
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            vista = true;
            azione(*w);
        });
        apri();
        QVERIFY(vista);
    }
    void inCalcoli(const std::function<void(frmCalcoli &)> &azione)
    {
        inFinestra<frmCalcoli>([this] { f->findChild<QAction *>("mnuCrea")->trigger(); }, azione);
    }
    // The main window with a design, then the two windows it opens, each while it is open.
    void inOgniFinestra(const std::function<void(QWidget *)> &azione)
    {
        progetto("20", "3.5", "10");
        azione(f);
        inCalcoli([&](frmCalcoli &w) { azione(&w); });
        inFinestra<frmtabella>([this] { f->findChild<QAction *>("mnuvisualizza")->trigger(); },
                               [&](frmtabella &w) { azione(&w); });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(cartella.path()).mkpath("Database"));
        QVERIFY(QFile::copy(WINDARA_PROGRAM_DIR "/Database/Diametri.db", cartella.path() + "/Database/Diametri.db"));
    }
    void init()
    {
        // A dark palette, as a dark desktop theme hands it over before any window is built.
        const QColor chiaro(0xee, 0xee, 0xee), fondo(0x35, 0x35, 0x35), base(0x2a, 0x2a, 0x2a);
        QApplication::setPalette(QPalette(chiaro, fondo, fondo.lighter(150), fondo.darker(150), fondo.darker(130),
                                          chiaro, Qt::white, base, fondo));
        QVERIFY(QDir(cartella.path()).mkpath("Studi"));
        Module1() = StatoProgetto{};
        stampante = new StampanteRegistrata;
        app = new Applicazione(cartella.path());
        app->usaStampante(stampante);
        app->Avvia();
        f = &app->principale();
        QVERIFY(QTest::qWaitForWindowExposed(f));
    }
    void cleanup()
    {
        delete app;
        delete stampante;
        QDir(studi()).removeRecursively();
        QLocale::setDefault(QLocale::c());
    }

    // Every opening shows the table of the inputs on screen at that moment, unsaved.
    void calcolaMostraIlProgettoCorrente_data()
    {
        QTest::addColumn<bool>("daBarra");
        QTest::newRow("menu") << false;
        QTest::newRow("barra") << true;
    }
    void calcolaMostraIlProgettoCorrente()
    {
        QFETCH(bool, daBarra);
        auto apri = [&] {
            if (daBarra)
                f->findChild<ui::BarraStrumenti *>("Toolbar1")->premi(1);
            else
                f->findChild<QAction *>("mnuCrea")->trigger();
        };
        progetto("20", "3.5", "10");
        Module1().Salvato = Vero;
        inFinestra<frmCalcoli>(apri, [](frmCalcoli &w) {
            QCOMPARE(righeGriglia(w),
                     (QStringList{"N° Strati|N° Spire|A1|Filo necessario (m)|Induttanza (mH)|R teorica (Ohm)",
                                  "1|40|5.5|1.3816|0.0064|0.1213", "2|80|6|3.0144|0.0273|0.2647",
                                  "3|120|6.5|4.8984|0.0653|0.4301"}));
            QCOMPARE(Module1().Salvato, Falso);
        });
        scrivi("txtB", "4.5");
        Module1().Salvato = Vero;
        inFinestra<frmCalcoli>(apri, [](frmCalcoli &w) {
            QCOMPARE(w.modello().griglia().rows(), 6);
            QCOMPARE(Module1().Salvato, Falso);
        });
    }

    // A design with more layers than the table holds opens an empty table that still shows
    // its header row, and says why and what to change.
    void troppiStrati()
    {
        progetto("20", "1640.38", "10", "0.05");
        ui::CatturaMessaggi cattura;
        inCalcoli([](frmCalcoli &w) {
            QCOMPARE(righeGriglia(w),
                     QStringList{"N° Strati|N° Spire|A1|Filo necessario (m)|Induttanza (mH)|R teorica (Ohm)"});
            const auto *griglia = w.findChild<QTableView *>("MSFlexGrid1");
            QCOMPARE(griglia->model()->rowCount(), 0);
            QCOMPARE(griglia->model()->headerData(3, Qt::Horizontal).toString(), QString("Filo necessario (m)"));
            QCOMPARE(griglia->columnWidth(3), 120);
        });
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(cattura.messaggi().first().icona, QMessageBox::Warning);
        const QString testo = cattura.messaggi().first().testo;
        for (const char *parte : {"32767 strati", "al massimo 32766", "dimensione B", "filo più spesso"})
            QVERIFY2(testo.contains(QString::fromUtf8(parte)), qPrintable(testo));
    }

    void salva_data()
    {
        QTest::addColumn<int>("via");
        QTest::newRow("menu") << 0;
        QTest::newRow("Ctrl+S") << 1;
        QTest::newRow("barra") << 2;
    }
    // The saved bytes: the report text of the design on screen, and a fixed file.
    void salva()
    {
        QFETCH(int, via);
        progetto("30", "4.5", "20");
        inCalcoli([&](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            if (via == 0)
                w.findChild<QAction *>("MnuSalva")->trigger();
            if (via == 1)
                QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            if (via == 2)
                QTest::mouseClick(w.findChild<ui::BarraStrumenti *>("Toolbar1")->widgetPulsante(1), Qt::LeftButton);
            QVERIFY(cattura.messaggi().isEmpty());
            QCOMPARE(Module1().Salvato, Vero);
        });
        const QString percorso = studi() + "/30x20-0_5.txt";
        QCOMPARE(Module1().NomeFile, percorso);
        StatoProgetto copia = Module1();
        QCOMPARE(contenuto(percorso), TestoStudio(f->testiStudio(), copia, ImpostazioniUtente()));
        const QString oggi = QLocale().toString(QDate::currentDate(), QLocale::ShortFormat);
        QCOMPARE(contenuto(percorso),
                 contenuto(WINDARA_SOURCE_DIR "/tests/app/dati/30x20-0_5.txt").replace("@DATA@", oggi.toLatin1()));
    }

    void salvaSostituisceOAggiunge()
    {
        progetto("30", "4.5", "20");
        inCalcoli([](frmCalcoli &w) { w.findChild<QAction *>("MnuSalva")->trigger(); });
        scrivi("txtB", "3.5");
        ui::CatturaMessaggi cattura;
        cattura.rispondi(true);
        inCalcoli([](frmCalcoli &w) { w.findChild<QAction *>("MnuSalva")->trigger(); });
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(QDir(studi()).entryList(QDir::Files), QStringList{"30x20-0_5.txt"});
        QVERIFY(contenuto(studi() + "/30x20-0_5.txt").contains("strati consentiti---------------  3\r\n"));
        scrivi("txtL", "21");
        inCalcoli([](frmCalcoli &w) { w.findChild<QAction *>("MnuSalva")->trigger(); });
        QCOMPARE(QDir(studi()).entryList(QDir::Files), (QStringList{"30x20-0_5.txt", "30x21-0_5.txt"}));
    }

    // Over a study with other bytes the save asks first, naming it; No (the default) keeps
    // it. The same design saved again replaces it without a question.
    void sostituzioneChiesta_data()
    {
        QTest::addColumn<bool>("si");
        QTest::newRow("No") << false;
        QTest::newRow("Sì") << true;
    }
    void sostituzioneChiesta()
    {
        QFETCH(bool, si);
        const QString percorso = studi() + "/30x20-0_5.txt";
        progetto("30", "4.5", "20");
        inCalcoli([](frmCalcoli &w) { w.findChild<QAction *>("MnuSalva")->trigger(); });
        const QByteArray prima = contenuto(percorso);
        ui::CatturaMessaggi cattura;
        scrivi("txtB", "3.5");
        cattura.rispondi(si);
        inCalcoli([](frmCalcoli &w) { QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier); });
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(cattura.messaggi().first().icona, QMessageBox::Question);
        QVERIFY2(cattura.messaggi().first().testo.contains("30x20-0_5.txt") &&
                     cattura.messaggi().first().testo.contains("andrà perso"),
                 qPrintable(cattura.messaggi().first().testo));
        QCOMPARE(Module1().Salvato, si ? Vero : Falso);
        QCOMPARE(contenuto(percorso) == prima, !si);
        const QByteArray salvato = contenuto(percorso);
        inCalcoli([](frmCalcoli &w) { QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier); });
        QCOMPARE(cattura.messaggi().size(), si ? 1 : 2);
        QCOMPARE(contenuto(percorso), salvato);
        QCOMPARE(QDir(studi()).entryList(QDir::Files | QDir::Hidden), QStringList{"30x20-0_5.txt"});
    }

    // A run stopped early, or a design that holds no winding, is said under the captions,
    // which stay as the rules leave them, and above the table; Salva refuses, writing nothing.
    // The line goes once the design is one again.
    void figureSenzaProgetto_data()
    {
        QTest::addColumn<QString>("casella");
        QTest::addColumn<QString>("testo");
        QTest::addColumn<bool>("incolla");
        QTest::addColumn<QString>("causa");
        QTest::newRow("H 100000") << "txtAltezza"
                                  << "100000" << false << "l'altezza H";
        QTest::newRow("H 1e5") << "txtAltezza"
                               << "1e5" << false << "l'altezza H";
        QTest::newRow("H incollata") << "txtAltezza"
                                     << "100000" << true << "±32767 mm";
        QTest::newRow("H 0") << "txtAltezza"
                             << "0" << false << "nessuna spira completa";
        QTest::newRow("B 20000") << "txtB"
                                 << "20000" << false << "32767 strati";
        QTest::newRow("B 1") << "txtB"
                             << "1" << false << "nessuno strato completo: B (1 mm)";
        QTest::newRow("B -10") << "txtB"
                               << "-10" << false << "B (-10 mm)";
        QTest::newRow("D1 -30") << "txtL"
                                << "-30" << false << "D1 (-30 mm) è negativa";
    }
    void figureSenzaProgetto()
    {
        QFETCH(QString, casella);
        QFETCH(QString, testo);
        QFETCH(bool, incolla);
        QFETCH(QString, causa);
        const QString percorso = studi() + "/30x20-0_05.txt";
        progetto("20", "10", "20", "0.05");
        scrivi("txtAltezza", "30");
        inCalcoli([](frmCalcoli &w) { w.findChild<QAction *>("MnuSalva")->trigger(); });
        const QByteArray buono = contenuto(percorso);
        auto *avviso = f->findChild<QLabel *>("Avviso");
        QVERIFY(!avviso->isVisible());
        const QString prima = f->findChild<QLineEdit *>(qPrintable(casella))->text();
        if (incolla) {
            scrivi(qPrintable(casella), "");
            QGuiApplication::clipboard()->setText(testo);
            QTest::keyClick(f->findChild<QLineEdit *>(qPrintable(casella)), Qt::Key_V, Qt::ControlModifier);
        } else {
            scrivi(qPrintable(casella), testo);
        }
        // Whole in its room: a notice cut would be no better than the figures it explains.
        auto intero = [](const QLabel *l) { return l->heightForWidth(l->width()) <= l->height(); };
        QVERIFY2(avviso->isVisible() && avviso->text().contains(causa) && intero(avviso), qPrintable(avviso->text()));
        QCOMPARE(QAccessible::queryAccessibleInterface(avviso)->text(QAccessible::Description), avviso->text());
        ui::CatturaMessaggi cattura;
        inCalcoli([&](frmCalcoli &w) {
            QVERIFY2(w.avviso().contains(causa), qPrintable(w.avviso()));
            QVERIFY(w.findChild<QLabel *>("Avviso")->isVisible() && intero(w.findChild<QLabel *>("Avviso")));
            QTest::keyClick(&w, Qt::Key_S, Qt::ControlModifier);
            QCOMPARE(Module1().Salvato, Falso);
        });
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(cattura.messaggi().first().icona, QMessageBox::Critical);
        QVERIFY(cattura.messaggi().first().testo.startsWith("Impossibile salvare lo studio: "));
        QCOMPARE(QDir(studi()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"30x20-0_05.txt"});
        QCOMPARE(contenuto(percorso), buono);
        scrivi(qPrintable(casella), prima);
        QVERIFY(!avviso->isVisible() && avviso->text().isEmpty());
        inCalcoli([](frmCalcoli &w) { QVERIFY(w.avviso().isEmpty()); });
    }

    // A save that cannot be done is told, changes nothing and the program goes on.
    void salvataggioImpossibile_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<bool>("senzaStudi");
        QTest::newRow("Studi mancante") << "30" << true;
        QTest::newRow("nome rifiutato") << "3:0" << false;
        QTest::newRow("barra") << "3/0" << false;
        QTest::newRow("risale") << "../30" << false;
        QTest::newRow("fuori da Windows-1252") << "3ω0" << false;
    }
    void salvataggioImpossibile()
    {
        QFETCH(QString, h);
        QFETCH(bool, senzaStudi);
        progetto("30", "4.5", "20");
        inCalcoli([](frmCalcoli &w) { w.findChild<QAction *>("MnuSalva")->trigger(); });
        const QByteArray prima = contenuto(studi() + "/30x20-0_5.txt");
        if (senzaStudi)
            QVERIFY(QDir(studi()).removeRecursively());
        scrivi("txtAltezza", h);
        inCalcoli([&](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            w.findChild<QAction *>("MnuSalva")->trigger();
            QCOMPARE(cattura.messaggi().size(), 1);
            QCOMPARE(cattura.messaggi().first().icona, QMessageBox::Critical);
            QCOMPARE(Module1().Salvato, Falso);
            QVERIFY(w.isVisible());
        });
        QCOMPARE(Module1().NomeFile, studi() + "/30x20-0_5.txt");
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Files), QStringList{});
        QCOMPARE(QDir(cartella.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot),
                 senzaStudi ? QStringList{"Database"} : (QStringList{"Database", "Studi"}));
        if (!senzaStudi) {
            QCOMPARE(QDir(studi()).entryList(QDir::Files), QStringList{"30x20-0_5.txt"});
            QCOMPARE(contenuto(studi() + "/30x20-0_5.txt"), prima);
        }
    }

    // A link at the report's path or in place of Studi: the save is refused with a message,
    // nothing is written through the link, and the window goes on.
    void salvataggioAttraversoUnCollegamento_data()
    {
        QTest::addColumn<bool>("studi");
        QTest::newRow("collegamento allo studio") << false;
        QTest::newRow("Studi collegamento") << true;
    }
    void salvataggioAttraversoUnCollegamento()
    {
        QFETCH(bool, studi);
        QTemporaryDir altrove;
        const QString altrui = altrove.path() + "/altrui.txt";
        QVERIFY(QFile::copy(WINDARA_SOURCE_DIR "/tests/app/dati/30x20-0_5.txt", altrui));
        const auto togli = qScopeGuard([this] {
            if (QFileInfo(this->studi()).isSymLink())
                QFile::remove(this->studi());
        });
        if (studi)
            QVERIFY(QDir(this->studi()).removeRecursively() && QFile::link(altrove.path(), this->studi()));
        else
            QVERIFY(QFile::link(altrui, this->studi() + "/30x20-0_5.txt"));
        progetto("30", "4.5", "20");
        inCalcoli([&](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            w.findChild<QAction *>("MnuSalva")->trigger();
            QCOMPARE(cattura.messaggi().size(), 1);
            QVERIFY(cattura.messaggi().first().testo.contains("collegamento simbolico"));
            QVERIFY(w.isVisible());
        });
        QCOMPARE(QDir(altrove.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"altrui.txt"});
        QCOMPARE(contenuto(altrui), contenuto(WINDARA_SOURCE_DIR "/tests/app/dati/30x20-0_5.txt"));
    }

    // Print warns before a save, prints after it, and warns again after reopening.
    void stampa()
    {
        progetto("30", "4.5", "20");
        inCalcoli([this](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            QTest::keyClick(&w, Qt::Key_T, Qt::ControlModifier);
            QCOMPARE(cattura.messaggi().size(), 1);
            QCOMPARE(cattura.messaggi().first().testo, AvvisoSalvareStampa());
            QCOMPARE(stampante->dialoghi, 0);
            w.findChild<ui::BarraStrumenti *>("Toolbar1")->premi(1);
            stampante->copie = 2;
            w.findChild<ui::BarraStrumenti *>("Toolbar1")->premi(2);
            QCOMPARE(stampante->documenti.size(), 2);
            QCOMPARE(cattura.messaggi().size(), 1);
        });
        const QStringList righe = QString::fromLatin1(contenuto(Module1().NomeFile)).split("\r\n").mid(0, 26);
        QCOMPARE(stampante->documenti.size(), 2);
        QCOMPARE(stampante->documenti.first(), righe);
        QCOMPARE(stampante->documenti.last(), righe);
        stampante->dialoghi = 0;
        inCalcoli([this](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            w.findChild<QAction *>("MnuStampa")->trigger();
            QCOMPARE(cattura.messaggi().size(), 1);
            QCOMPARE(stampante->dialoghi, 0);
        });
    }

    // A long print: the question before more than 50 pages, then the progress, whose cancel
    // stops the print before the next page and tells what had already gone out.
    void stampaLunga_data()
    {
        QTest::addColumn<int>("copie");
        QTest::addColumn<QString>("risposta");
        QTest::addColumn<bool>("annullaInCorso");
        QTest::addColumn<int>("documenti");
        QTest::newRow("domanda, annulla") << 2 << "Annulla" << false << 0;
        QTest::newRow("domanda, stampa") << 2 << "Stampa" << false << 2;
        QTest::newRow("annullata durante la stampa") << 1 << "" << true << 0;
    }
    void stampaLunga()
    {
        QFETCH(int, copie);
        QFETCH(QString, risposta);
        QFETCH(bool, annullaInCorso);
        QFETCH(int, documenti);
        stampante->righePerPagina = 1; // 26 pages a copy
        stampante->copie = copie;
        stampante->uscito = "3 pagine erano già state inviate alla stampante";
        progetto("30", "4.5", "20");
        inCalcoli([&](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            w.findChild<QAction *>("MnuSalva")->trigger();
            QString domanda;
            int pagineViste = 0;
            QTimer utente;
            connect(&utente, &QTimer::timeout, &w, [&] {
                if (auto *box = w.findChild<QMessageBox *>(); box && box->isVisible()) {
                    domanda = box->text();
                    for (QAbstractButton *b : box->buttons())
                        if (b->text() == risposta)
                            b->click();
                } else if (auto *p = w.findChild<QProgressDialog *>(); p && p->isVisible()) {
                    pagineViste = p->value() + 1;
                    if (annullaInCorso)
                        p->findChild<QPushButton *>()->click();
                }
            });
            utente.start(0);
            w.findChild<QAction *>("MnuStampa")->trigger();
            utente.stop();
            QCOMPARE(domanda.isEmpty(), risposta.isEmpty());
            if (!domanda.isEmpty())
                QVERIFY2(domanda.contains("occupa 26 pagine") && domanda.contains("52 pagine in tutto"),
                         qPrintable(domanda));
            QCOMPARE(stampante->documenti.size(), documenti);
            QCOMPARE(stampante->annullata, annullaInCorso);
            QCOMPARE(pagineViste > 0, documenti > 0 || annullaInCorso);
            QCOMPARE(cattura.messaggi().size(), annullaInCorso ? 1 : 0);
            if (annullaInCorso)
                QVERIFY(stampante->corrente.size() < 26 &&
                        cattura.messaggi().first().testo.contains(stampante->uscito));
            QVERIFY(w.isVisible());
        });
    }

    // A report gone or replaced by a named pipe: printing returns at once with a message.
    void stampaDiUnoStudioCancellato_data()
    {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("cancellato") << false;
        QTest::newRow("pipe con nome") << true;
    }
    void stampaDiUnoStudioCancellato()
    {
        QFETCH(bool, pipe);
        progetto("30", "4.5", "20");
        inCalcoli([&](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            w.findChild<QAction *>("MnuSalva")->trigger();
            QVERIFY(QFile::remove(Module1().NomeFile));
            if (pipe)
                QCOMPARE(mkfifo(QFile::encodeName(Module1().NomeFile).constData(), 0600), 0);
            w.findChild<QAction *>("MnuStampa")->trigger();
            QCOMPARE(cattura.messaggi().size(), 1);
            QVERIFY(cattura.messaggi().first().testo.contains("30x20-0_5.txt"));
            QVERIFY(stampante->documenti.isEmpty());
            QVERIFY(w.isVisible());
        });
    }

    // The analysis window and the system printer come from Moduli/ of the program folder at
    // their first use. Missing or broken, each is told in Italian, naming the file, and the
    // rest goes on: without the printer a study is still saved, and Stampa says why not.
    void moduliDifettosi_data()
    {
        QTest::addColumn<QByteArray>("dentro"); // each module file's bytes; none: no file
        QTest::addColumn<QString>("inizio");
        QTest::newRow("mancanti") << QByteArray() << "Manca il file Moduli/%1 nella cartella del programma";
        QTest::newRow("guasti") << QByteArray("non una libreria")
                                << "Il file Moduli/%1 della cartella del programma non si può usare";
    }
    void moduliDifettosi()
    {
        QFETCH(QByteArray, dentro);
        QFETCH(QString, inizio);
        QDir moduli(cartella.path() + "/Moduli");
        QVERIFY(moduli.mkpath("."));
        const auto togli = qScopeGuard([&] { moduli.removeRecursively(); });
        for (const char *file : {analisi::ModuloAnalisi, ModuloStampa}) {
            QFile modulo(moduli.filePath(file));
            QVERIFY(dentro.isEmpty() || (modulo.open(QIODevice::WriteOnly) && modulo.write(dentro) == dentro.size()));
        }
        // The printer as the program has it: its own, not the recording one.
        delete app;
        app = new Applicazione(cartella.path());
        app->Avvia();
        f = &app->principale();
        progetto("30", "4.5", "20");
        {
            ui::CatturaMessaggi cattura;
            f->findChild<QAction *>("mnuAnalisi")->trigger();
            QCOMPARE(cattura.messaggi().size(), 1);
            QVERIFY2(cattura.messaggi().first().testo.startsWith(inizio.arg(analisi::ModuloAnalisi)),
                     qPrintable(cattura.messaggi().first().testo));
            QVERIFY(!QApplication::activeModalWidget());
        }
        inCalcoli([&](frmCalcoli &w) {
            ui::CatturaMessaggi cattura;
            w.findChild<QAction *>("MnuSalva")->trigger();
            QVERIFY(cattura.messaggi().isEmpty());
            w.findChild<QAction *>("MnuStampa")->trigger();
            QCOMPARE(cattura.messaggi().size(), 1);
            QVERIFY(cattura.messaggi().first().testo.startsWith(inizio.arg(ModuloStampa)));
            QVERIFY(w.isVisible());
        });
        QVERIFY(QFile::exists(studi() + "/30x20-0_5.txt"));
    }
    // The modules the build lays out load, and the analysis window opens from the main one.
    void moduliDelProgramma()
    {
        QDir moduli(cartella.path() + "/Moduli");
        QVERIFY(moduli.mkpath("."));
        const auto togli = qScopeGuard([&] { moduli.removeRecursively(); });
        for (const char *file : {analisi::ModuloAnalisi, ModuloStampa})
            QVERIFY(QFile::copy(QStringLiteral(WINDARA_PROGRAM_DIR "/Moduli/") + file, moduli.filePath(file)));
        QString errore;
        auto *nuova = FunzioneModulo<NuovaStampante>(cartella.path(), ModuloStampa, VoceNuovaStampante, errore);
        QVERIFY2(nuova, qPrintable(errore));
        QVERIFY(std::unique_ptr<Stampante>(nuova()));
        progetto("30", "4.5", "20");
        QString titolo;
        inFinestra<QDialog>([this] { f->findChild<QAction *>("mnuAnalisi")->trigger(); },
                            [&](QDialog &w) { titolo = w.windowTitle(); });
        QCOMPARE(titolo, QString("Analisi dell'avvolgimento"));
    }

    void visualizza()
    {
        inFinestra<frmtabella>([this] { f->findChild<QAction *>("mnuvisualizza")->trigger(); }, [](frmtabella &) {});
        // The lookups of the main window go on over the reopened connection.
        QComboBox *lista = f->findChild<QComboBox *>("txtDiametro1");
        lista->setCurrentIndex(lista->findText("0.25"));
        QCOMPARE(Module1().ResistenzaMetro, QString("0.3512"));
    }

    void fuocoRestituito_data()
    {
        QTest::addColumn<int>("destra"); // from Calcola to the entry that opens the window
        QTest::newRow("txtB") << 0;
        QTest::newRow("txtDiametro1") << 0;
        QTest::newRow("txtL") << 1;
    }
    // A window opened with Alt, the arrows and Enter and closed from the keyboard (Ctrl+P,
    // Alt+P) gives the keyboard back to the control that had it.
    void fuocoRestituito()
    {
        QFETCH(int, destra);
        progetto("20", "3.5", "10");
        QWidget *c = f->findChild<QWidget *>(QTest::currentDataTag());
        QApplication::setActiveWindow(f);
        c->setFocus();
        QTimer::singleShot(0, this, [&] {
            QWidget *w = QApplication::activeModalWidget();
            QApplication::setActiveWindow(w);
            QTest::keyClick(w, Qt::Key_P, destra == 0 ? Qt::ControlModifier : Qt::AltModifier);
            if (w->isVisible())
                w->close();
        });
        QTest::keyClick(f, Qt::Key_Alt);
        for (int i = 0; i < destra; ++i)
            QTest::keyClick(f->menuBar(), Qt::Key_Right);
        QTest::keyClick(f->menuBar(), Qt::Key_Return);
        QApplication::setActiveWindow(f); // as the window manager does when the modal window goes
        QCOMPARE(QApplication::focusWidget(), c);
    }

    // Every control the keyboard reaches, in each of the three windows, has a name for a
    // screen reader to say.
    void nomiAccessibili()
    {
        QStringList senzaNome;
        inOgniFinestra([&](QWidget *finestra) {
            for (QWidget *w : finestra->findChildren<QWidget *>()) {
                const QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
                if (w->focusPolicy() != Qt::NoFocus && w->window() == finestra && w->isVisibleTo(finestra) &&
                    a->text(QAccessible::Name).trimmed().isEmpty())
                    senzaNome << finestra->objectName() + u'/' + w->objectName();
            }
        });
        QVERIFY2(senzaNome.isEmpty(), qPrintable(senzaNome.join(QStringLiteral("; "))));
    }

    // Under the dark palette of init every text of the three windows, as drawn, stands
    // out from its ground by at least 4.5:1 (the toolbar pictures 3:1). The red captions and
    // results keep their red, which reaches 4.5:1 on no light ground, and the 3:1 of large text.
    void leggibiliSuTemaScuro()
    {
        QStringList scarsi;
        inOgniFinestra([&](QWidget *finestra) {
            const QImage immagine = finestra->grab().toImage();
            for (const auto &[nome, zona, minimo] : zone(finestra)) {
                const auto [colore, rapporto] = testo(immagine, zona);
                const bool rosso = QStringList{"Frame2", "SpireTotali", "Centro", "ind"}.contains(nome);
                if (rapporto < (rosso ? 3 : minimo) || (rosso && contrasto(colore, Qt::red) > 1.05))
                    scarsi << QStringLiteral("%1: %2, %3:1").arg(nome, colore.name()).arg(rapporto, 0, 'f', 2);
            }
        });
        QVERIFY2(scarsi.isEmpty(), qPrintable(scarsi.join(QStringLiteral("; "))));
    }

    // A catalogue damaged while the program runs: no resistance from another wire's
    // resistance per metre is shown, printed in the table or saved; the user is told once;
    // everything recovers by itself once the file is good again. A fresh connection that
    // fails leaves the main window's working one in place.
    void catalogoGuastoMentreGira()
    {
        const QString db = cartella.path() + "/Database/Diametri.db";
        const QByteArray buono = contenuto(db);
        auto sovrascrivi = [&](const QByteArray &byte) {
            QFile file(db); // the same file, as a damage in place would be
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.write(byte) == byte.size());
        };
        const auto rimetti = qScopeGuard([&] {
            QFile::remove(db);
            QFile file(db);
            if (file.open(QIODevice::WriteOnly))
                file.write(buono);
        });
        QComboBox *lista = f->findChild<QComboBox *>("txtDiametro1");
        QLabel *centro = f->findChild<QLabel *>("Centro");
        progetto("30", "4.5", "20");
        const QString prima = centro->text();

        ui::CatturaMessaggi cattura;
        sovrascrivi(QByteArray(buono.size(), 'x'));
        lista->setCurrentIndex(lista->findText("0.25"));
        QCOMPARE(centro->text(), QString("n.d."));
        QCOMPARE(f->esitoLimiti().passo, 16);
        QCOMPARE(cattura.messaggi().size(), 1);
        QVERIFY(cattura.messaggi().first().testo.contains("0.25"));
        scrivi("txtL", "21");
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(centro->text(), QString("n.d."));
        inCalcoli([&](frmCalcoli &w) {
            QCOMPARE(w.modello().griglia().text(1, 5), QString("n.d."));
            w.findChild<QAction *>("MnuSalva")->trigger();
            QCOMPARE(cattura.messaggi().size(), 2);
            QVERIFY(cattura.messaggi().last().testo.contains("resistenza per metro"));
        });
        QCOMPARE(QDir(studi()).entryList(QDir::Files), QStringList{});

        sovrascrivi(buono);
        scrivi("txtL", "20");
        QCOMPARE(Module1().ResistenzaMetro, QString("0.3512"));
        QVERIFY(f->esitoLimiti().completo());
        QVERIFY(centro->text() != prima && centro->text() != "n.d.");

        // A new file in its place, not a database: the wire table window cannot list it and
        // says so in Italian; the main window goes on with the connection it had.
        QVERIFY(QFile::remove(db));
        {
            QFile file(db);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(QByteArray(4096, 'x'));
        }
        f->findChild<QAction *>("mnuvisualizza")->trigger();
        QCOMPARE(cattura.messaggi().size(), 3);
        QVERIFY(cattura.messaggi().last().testo.contains("non è un database"));
        lista->setCurrentIndex(lista->findText("0.5"));
        QCOMPARE(centro->text(), prima);
        QCOMPARE(cattura.messaggi().size(), 3);
    }

    // A catalogue held by another program makes a lookup wait; the edits that follow must
    // not each wait again, yet the program still recovers by itself once it is free.
    void catalogoBloccatoMentreSiScrive()
    {
        QComboBox *lista = f->findChild<QComboBox *>("txtDiametro1");
        QLabel *centro = f->findChild<QLabel *>("Centro");
        progetto("30", "4.5", "20");
        const QString db = cartella.path() + "/Database/Diametri.db";
        const QString altroProgramma = QStringLiteral("altro programma");
        {
            QSqlDatabase blocco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), altroProgramma);
            blocco.setDatabaseName(db);
            QVERIFY(blocco.open() && QSqlQuery(blocco).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        }
        auto libera = [&] {
            if (!QSqlDatabase::contains(altroProgramma))
                return;
            QSqlDatabase::database(altroProgramma).close();
            QSqlDatabase::removeDatabase(altroProgramma);
        };
        const auto inOgniCaso = qScopeGuard(libera);
        ui::CatturaMessaggi cattura;
        lista->setCurrentIndex(lista->findText("0.3"));
        QCOMPARE(centro->text(), QString("n.d."));
        QCOMPARE(cattura.messaggi().size(), 1);

        libera();
        scrivi("txtL", "21"); // right after a slow try: not tried again yet
        QCOMPARE(centro->text(), QString("n.d."));
        QTest::qWait(2100);
        scrivi("txtL", "20");
        QCOMPARE(Module1().ResistenzaMetro, QString("0.2439"));
        QVERIFY(centro->text() != "n.d.");
        QCOMPARE(cattura.messaggi().size(), 1);
    }

    void visualizzaSenzaCatalogo()
    {
        const QString db = cartella.path() + "/Database/Diametri.db";
        QVERIFY(QFile::rename(db, db + ".via"));
        const auto rimetti = qScopeGuard([&] { QFile::rename(db + ".via", db); });
        ui::CatturaMessaggi cattura;
        f->findChild<QAction *>("mnuvisualizza")->trigger();
        QCOMPARE(cattura.messaggi().size(), 1);
        QVERIFY(cattura.messaggi().first().testo.contains("Diametri.db"));
        QVERIFY(!QFile::exists(db));
        QVERIFY(f->isVisible());
    }
};

QTEST_MAIN(TstApplicazione)
#include "tst_applicazione.moc"
