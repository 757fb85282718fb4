#include "BarraStrumenti.h"
#include "FrmCalcoli.h"
#include "Messaggi.h"
#include "Module1.h"
#include "SalvaStudio.h"
#include "Stampa.h"
#include "Stile.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QSvgRenderer>
#include <QSvgWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace windara;

namespace {

void progetto(int h, double s, double d, double d1, int strati, const QString &r)
{
    StatoProgetto &p = Module1();
    p.Altezza = std::int16_t(h);
    p.SpirePerStrato = s;
    p.DiametroFilo = d;
    p.DiametroD1 = d1;
    p.StratiMax = std::int16_t(strati);
    p.ResistenzaMetro = r;
    p.Salvato = Vero;
}

// The worked example: H 20, B 3.5, D1 10, wire 0.5 mm.
void esempio() { progetto(20, 40, 0.5, 10, 3, QStringLiteral("0.0872")); }

TestiStudio testiEsempio()
{
    return TestiStudio{"20", "10", "0.5", "0.5", " 17", " 3", " 40", " 120", " .0653"};
}

QTableView *griglia(const frmCalcoli &f) { return f.findChild<QTableView *>(QStringLiteral("MSFlexGrid1")); }
ui::BarraStrumenti *barra(const frmCalcoli &f) { return f.findChild<ui::BarraStrumenti *>(QStringLiteral("Toolbar1")); }
QAction *azione(const frmCalcoli &f, const char *nome) { return f.findChild<QAction *>(QLatin1String(nome)); }

// What the grid shows: the fixed row (the header), then every data row.
QList<QStringList> righe(const QTableView *v)
{
    const QAbstractItemModel *m = v->model();
    QList<QStringList> r;
    QStringList intestazione;
    for (int c = 0; c < m->columnCount(); ++c) intestazione << m->headerData(c, Qt::Horizontal).toString();
    r << intestazione;
    for (int i = 0; i < m->rowCount(); ++i) {
        QStringList riga;
        for (int c = 0; c < m->columnCount(); ++c) riga << m->index(i, c).data().toString();
        r << riga;
    }
    return r;
}

const QStringList intestazioni{"N° Strati", "N° Spire", "A1", "Filo necessario (m)", "Induttanza (mH)",
                               "R teorica (Ohm)"};

struct Locale
{
    explicit Locale(const QLocale &l) { QLocale::setDefault(l); }
    ~Locale() { QLocale::setDefault(QLocale::c()); }
};

} // namespace

class TstFrmCalcoli : public QObject
{
    Q_OBJECT
private slots:
    void tabella_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<QStringList>>("attese");
        QTest::newRow("punto") << QLocale::c() << QList<QStringList>{
            intestazioni,
            {"1", "40", "5.5", "1.3816", "0.0064", "0.1205"},
            {"2", "80", "6", "3.0144", "0.0273", "0.2629"},
            {"3", "120", "6.5", "4.8984", "0.0653", "0.4271"}};
        QTest::newRow("virgola") << QLocale(QLocale::Italian, QLocale::Italy) << QList<QStringList>{
            intestazioni,
            {"1", "40", "5,5", "1,3816", "0,0064", "0,1205"},
            {"2", "80", "6", "3,0144", "0,0273", "0,2629"},
            {"3", "120", "6,5", "4,8984", "0,0653", "0,4271"}};
    }
    // Opening fills the grid from the design state in the user's separator, unsaved.
    void tabella()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<QStringList>, attese);
        const Locale l(locale);
        esempio();
        frmCalcoli f(QString(), testiEsempio);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(righe(griglia(f)), attese);
        QCOMPARE(Module1().Salvato, Falso);
    }

    void strati_data()
    {
        QTest::addColumn<int>("strati");
        QTest::newRow("zero") << 0;
        QTest::newRow("negativi") << -3;
    }
    // No layer to show: the fixed row alone, still with its headers and widths.
    void strati()
    {
        QFETCH(int, strati);
        progetto(20, 40, 0.5, 10, strati, "0.0872");
        ui::CatturaMessaggi cattura;
        frmCalcoli f(QString(), testiEsempio);
        f.show();
        QCOMPARE(righe(griglia(f)), QList<QStringList>{intestazioni});
        QVERIFY(griglia(f)->horizontalHeader()->isVisible());
        for (int c = 3; c <= 5; ++c) QCOMPARE(griglia(f)->columnWidth(c), 120);
        QVERIFY(cattura.messaggi().isEmpty());
    }

    // Each opening is a fresh fill: 5 layers, then 2 leave the fixed row and two rows.
    void riapertura()
    {
        progetto(30, 42, 0.71, 16, 5, "0.0435");
        {
            frmCalcoli f(QString(), testiEsempio);
            QCOMPARE(griglia(f)->model()->rowCount(), 5);
            QCOMPARE(griglia(f)->model()->index(0, 3).data().toString(), "2.2973496");
        }
        Module1().StratiMax = 2;
        Module1().Salvato = Vero;
        frmCalcoli f(QString(), testiEsempio);
        const QList<QStringList> r = righe(griglia(f));
        QCOMPARE(r.size(), 3);
        QCOMPARE(r[2][0], "2");
        QCOMPARE(r[2][4], "0.0501");
        QCOMPARE(Module1().Salvato, Falso);
    }

    // The grid's look: centred-top cells and headers 2, 4, 5; 120-pixel columns 3 to 5;
    // read-only; header visible while scrolling a long table.
    void formato()
    {
        progetto(20, 40, 0.5, 10, 400, "0.0872");
        frmCalcoli f(QString(), testiEsempio);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTableView *v = griglia(f);
        const QAbstractItemModel *m = v->model();
        const int centroAlto = int(Qt::AlignHCenter | Qt::AlignTop);
        for (int c = 0; c < 6; ++c) {
            QCOMPARE(m->index(0, c).data(Qt::TextAlignmentRole).toInt(), centroAlto);
            QCOMPARE(m->headerData(c, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
                     c == 2 || c >= 4 ? centroAlto : 0);
            QCOMPARE(m->index(0, c).flags() & Qt::ItemIsEditable, Qt::NoItemFlags);
            QCOMPARE(v->columnWidth(c), c >= 3 ? 120 : 64);
        }
        QVERIFY(!v->verticalHeader()->isVisible());
        QCOMPARE(v->font().family(), ui::FontArial(9).family());
        v->scrollToBottom();
        QVERIFY(v->horizontalHeader()->isVisible());
        QVERIFY(v->rowAt(v->viewport()->height() - 1) > 390);
        QCOMPARE(v->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    // The window itself: caption, fixed client of 689 x 489, no minimise or maximise,
    // the two formulas in the blue-captioned frame, the File menu.
    void finestra()
    {
        esempio();
        frmCalcoli f(QString(), testiEsempio);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(f.windowTitle(), "Calcolo Induttanza");
        QCOMPARE(f.findChild<QWidget *>("cliente")->size(), QSize(689, 489));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(f.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!f.windowIcon().isNull());
        auto *frame = f.findChild<QGroupBox *>("Frame1");
        QCOMPARE(frame->title(), "Valori di induttanza calcolati con la seguente formula di Wheeler");
        QCOMPARE(f.findChild<QSvgWidget *>("Image1")->parentWidget(), frame);
        QCOMPARE(f.findChild<QSvgWidget *>("Image1")->size(), QSize(208, 60));
        QCOMPARE(f.findChild<QSvgWidget *>("Image2")->size(), QSize(249, 73));
        QVERIFY(f.findChild<QSvgWidget *>("Image1")->renderer()->isValid());
        QVERIFY(f.findChild<QSvgWidget *>("Image2")->renderer()->isValid());
        const QStringList voci{"S&alva", "S&tampa", QString(), "P&recedente"};
        QStringList lette;
        for (QAction *a : f.findChild<QMenu *>("MnuFile")->actions()) lette << a->text();
        QCOMPARE(lette, voci);
        QCOMPARE(azione(f, "MnuSalva")->shortcut(), QKeySequence("Ctrl+S"));
        QCOMPARE(azione(f, "MnuStampa")->shortcut(), QKeySequence("Ctrl+T"));
        QCOMPARE(azione(f, "MnuPrecedente")->shortcut(), QKeySequence("Ctrl+P"));
        QVERIFY(azione(f, "mnuline")->isSeparator());
        QStringList suggerimenti;
        for (int i : {1, 2, 4}) suggerimenti << barra(f)->pulsante(i)->toolTip();
        QCOMPARE(suggerimenti, (QStringList{"Salva", "Stampa", "Finestra Precedente"}));
        QVERIFY(!barra(f)->pulsante(3));
        QCOMPARE(QApplication::focusWidget(), griglia(f));
    }

    void chiusura_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("pulsante 4") << 0;
        QTest::newRow("menu Precedente") << 1;
        QTest::newRow("Ctrl+P") << 2;
        QTest::newRow("casella di chiusura") << 3;
    }
    // Every way back ends the modal run of the window.
    void chiusura()
    {
        QFETCH(int, modo);
        esempio();
        frmCalcoli f(QString(), testiEsempio);
        bool chiusa = false;
        QTimer::singleShot(0, &f, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&f));
            switch (modo) {
            case 0: QTest::mouseClick(barra(f)->widgetPulsante(4), Qt::LeftButton); break;
            case 1: azione(f, "MnuPrecedente")->trigger(); break;
            case 2: QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier); break;
            case 3: f.close(); break;
            }
            chiusa = !f.isVisible();
            // Whatever happened, the modal run must not outlive the test.
            if (!chiusa) f.done(-1);
        });
        QCOMPARE(f.exec(), int(QDialog::Rejected));
        QVERIFY(chiusa);
    }

    // Neither the separator nor Escape does anything.
    void inerti()
    {
        esempio();
        ui::CatturaMessaggi cattura;
        frmCalcoli f(QString(), testiEsempio);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::mouseClick(barra(f)->widgetPulsante(3), Qt::LeftButton);
        barra(f)->premi(3);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(f.isVisible());
        QVERIFY(cattura.messaggi().isEmpty());
        QCOMPARE(Module1().Salvato, Falso);
    }

    void salvaStampa_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("pulsanti") << 0;
        QTest::newRow("menu") << 1;
        QTest::newRow("scorciatoie") << 2;
    }
    // Printing before a save only warns; saving writes the study into Studi and marks it.
    void salvaStampa()
    {
        QFETCH(int, modo);
        QTemporaryDir cartella;
        QVERIFY(QDir(cartella.path()).mkdir("Studi"));
        esempio();
        ui::CatturaMessaggi cattura;
        frmCalcoli f(cartella.path(), testiEsempio);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        auto comando = [&](int indice, const char *voce, Qt::Key tasto) {
            switch (modo) {
            case 0: QTest::mouseClick(barra(f)->widgetPulsante(indice), Qt::LeftButton); break;
            case 1: azione(f, voce)->trigger(); break;
            case 2: QTest::keyClick(&f, tasto, Qt::ControlModifier); break;
            }
        };
        comando(2, "MnuStampa", Qt::Key_T);
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(cattura.messaggi()[0].testo, AvvisoSalvareStampa());
        comando(1, "MnuSalva", Qt::Key_S);
        QCOMPARE(Module1().Salvato, Vero);
        QCOMPARE(Module1().NomeFile, cartella.filePath("Studi/20x10-0_5.txt"));
        QVERIFY(QFile::exists(Module1().NomeFile));
        QCOMPARE(cattura.messaggi().size(), 1);
        QVERIFY(f.isVisible());
    }

    // A fill that stops keeps what it wrote and says why, in Italian; the window stays.
    void errore()
    {
        progetto(20, 40, 1e308, 10, 3, "0.0872");
        ui::CatturaMessaggi cattura;
        frmCalcoli f(QString(), testiEsempio);
        QCOMPARE(cattura.messaggi().size(), 1);
        QCOMPARE(cattura.messaggi()[0].icona, QMessageBox::Critical);
        QVERIFY(cattura.messaggi()[0].testo.startsWith("Il calcolo della tabella si è interrotto: Overflow."));
        const QList<QStringList> r = righe(griglia(f));
        QCOMPARE(r[0], (QStringList{"N° Strati", "N° Spire", "A1", "", "", ""}));
        QCOMPARE(r[1].mid(0, 2), (QStringList{"1", "40"}));
        QVERIFY(!r[1][2].isEmpty());
        QCOMPARE(r[1].mid(3), (QStringList{"", "", ""}));
        QCOMPARE(r[2], (QStringList{"2", "80", "", "", "", ""}));
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QVERIFY(f.isVisible());
    }
};

QTEST_MAIN(TstFrmCalcoli)
#include "tst_frmcalcoli.moc"
