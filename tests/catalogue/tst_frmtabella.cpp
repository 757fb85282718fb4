#include "catalogue/Catalogo.h"
#include "catalogue/FrmTabella.h"
#include "design/Module1.h"
#include "ui/BarraStrumenti.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QSqlDatabase>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace windara;

namespace {

const QString Cartella = QStringLiteral(WINDARA_PROGRAM_DIR);

QTableView *griglia(const frmtabella &f)
{
    return f.findChild<QTableView *>(QStringLiteral("DBGrid1"));
}
ui::BarraStrumenti *barra(const frmtabella &f)
{
    return f.findChild<ui::BarraStrumenti *>(QStringLiteral("Toolbar1"));
}

// The rows the grid shows, and its captions as a last row.
QList<QStringList> righe(const frmtabella &f)
{
    const QAbstractItemModel *m = griglia(f)->model();
    QList<QStringList> r;
    for (int i = 0; i <= m->rowCount(); ++i) {
        r << QStringList();
        for (int c = 0; c < m->columnCount(); ++c)
            r.last() << (i < m->rowCount() ? m->index(i, c).data() : m->headerData(c, Qt::Horizontal)).toString();
    }
    return r;
}

// The catalogue as the access library lists it, under the grid's captions.
QList<QStringList> elenco(Ordinamento ordine)
{
    QList<QStringList> r;
    for (const FiloRame &f : ElencoRame(ApriCatalogo(Cartella, "confronto"), ordine))
        r << QStringList{f.DiametroNominale, f.DiametroEsternoMax, f.Sezione, f.Resistenza, f.Peso};
    ChiudiCatalogo("confronto");
    return r << QStringList{"Diametro Nominale", "Diametro Esterno Max", "Sezione mm²",
                            "Resistenza nominale a 20°C Ohm/m", "Peso g/m"};
}

enum Modo { Pulsante, Menu, Scorciatoia };

} // namespace

class TstFrmTabella : public QObject
{
    Q_OBJECT
private slots:
    // As at start-up: the main window's connection is open before the window loads.
    void initTestCase() { Module1().DatabaseFili = ApriCatalogo(Cartella); }

    void ordina_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("pulsanti") << int(Pulsante);
        QTest::newRow("menu") << int(Menu);
        QTest::newRow("scorciatoie") << int(Scorciatoia);
    }
    // Load lists every row ascending; descending reverses it, ascending gives back the
    // load's order; column 2 keeps its caption and all five columns fit the grid.
    void ordina()
    {
        QFETCH(int, modo);
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        auto comando = [&](int indice, const char *voce, Qt::Key tasto) {
            switch (Modo(modo)) {
            case Pulsante:
                QTest::mouseClick(barra(f)->widgetPulsante(indice), Qt::LeftButton);
                break;
            case Menu:
                f.findChild<QAction *>(voce)->trigger();
                break;
            case Scorciatoia:
                QTest::keyClick(&f, tasto, Qt::ControlModifier);
                break;
            }
        };
        const QList<QStringList> crescenti = elenco(Ordinamento::Predefinito);
        QList<QStringList> decrescenti = crescenti;
        std::reverse(decrescenti.begin(), decrescenti.end() - 1);
        QCOMPARE(righe(f), crescenti);
        comando(2, "MnuDecrescente", Qt::Key_D);
        QCOMPARE(righe(f), decrescenti);
        comando(1, "MnuCrescente", Qt::Key_T);
        QCOMPARE(righe(f), crescenti);
        QCOMPARE(griglia(f)->viewport()->width(), 103 + 123 + 103 + 183 + 103);
        QCOMPARE(griglia(f)->columnWidth(3), 183);
    }

    // Every opening starts ascending, whatever the previous one was left at.
    void riapertura()
    {
        {
            frmtabella f(Cartella);
            f.findChild<QAction *>("MnuDecrescente")->trigger();
        }
        frmtabella f(Cartella);
        QCOMPARE(righe(f), elenco(Ordinamento::Crescente));
    }

    void chiusura_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("pulsante 4") << 0;
        QTest::newRow("menu Precedente") << 1;
        QTest::newRow("casella di chiusura") << 2;
    }
    // Every way back ends the modal run; afterwards the main window's lookups work on the
    // connection the window reopened, and the window's own connection is gone.
    void chiusura()
    {
        QFETCH(int, modo);
        const QString resistenza = ResistenzaMetroDi(CercaRame(Module1().DatabaseFili, "0.5"));
        auto *f = new frmtabella(Cartella);
        const QString propria = f->connessioneGriglia();
        bool chiusa = false;
        QTimer::singleShot(0, f, [&] {
            QVERIFY(QTest::qWaitForWindowActive(f));
            switch (modo) {
            case 0:
                QTest::mouseClick(barra(*f)->widgetPulsante(4), Qt::LeftButton);
                break;
            case 1:
                f->findChild<QAction *>("MnuPrecedente")->trigger();
                break;
            case 2:
                f->close();
                break;
            }
            chiusa = !f->isVisible();
            if (!chiusa)
                f->done(-1); // the modal run must not outlive the test
        });
        QCOMPARE(f->exec(), int(QDialog::Rejected));
        QVERIFY(chiusa);
        delete f;
        QVERIFY(!QSqlDatabase::contains(propria));
        QCOMPARE(ResistenzaMetroDi(CercaRame(Module1().DatabaseFili, "0.5")), resistenza);
    }

    // The separator and Escape do nothing.
    void inerti()
    {
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.findChild<QAction *>("MnuDecrescente")->trigger();
        const QList<QStringList> prima = righe(f);
        QTest::mouseClick(barra(f)->widgetPulsante(3), Qt::LeftButton);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(f.isVisible());
        QCOMPARE(righe(f), prima);
    }

    // The grid's model keeps Qt's rules through the sorts.
    void modelloCoerente()
    {
        frmtabella f(Cartella);
        QAbstractItemModelTester tester(griglia(f)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
        f.findChild<QAction *>("MnuDecrescente")->trigger();
        f.findChild<QAction *>("MnuCrescente")->trigger();
        QCOMPARE(griglia(f)->model()->rowCount(), 57);
    }

    // Ctrl+A and Ctrl+C copy the whole table under its header row, tab-separated.
    void copia()
    {
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClick(griglia(f), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(griglia(f), Qt::Key_C, Qt::ControlModifier);
        QList<QStringList> attese = righe(f);
        attese.prepend(attese.takeLast()); // righe() gives the captions last
        QString atteso;
        for (const QStringList &riga : attese)
            atteso += riga.join(u'\t') + u'\n';
        QCOMPARE(QGuiApplication::clipboard()->text(), atteso);
    }

    // Tab walks the row's columns and leaves the grid at its end; the arrows stay put.
    void tasti()
    {
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTableView *v = griglia(f);
        // Away from every edge, so that no arrow is stopped by the end of a row or column.
        v->setCurrentIndex(v->model()->index(3, 2));
        for (Qt::Key freccia : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
            QTest::keyClick(v, freccia);
            QCOMPARE(v->currentIndex(), v->model()->index(3, 2));
        }
        QTest::keyClick(v, Qt::Key_Tab);
        QTest::keyClick(v, Qt::Key_Tab);
        QCOMPARE(v->currentIndex(), v->model()->index(3, 4));
        QTest::keyClick(v, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(v->currentIndex(), v->model()->index(3, 3));
        QTest::keyClick(v, Qt::Key_Tab);
        QVERIFY(v->hasFocus());
        QTest::keyClick(v, Qt::Key_Tab);
        QVERIFY(!v->hasFocus());
        QCOMPARE(v->currentIndex(), v->model()->index(3, 4));
    }
};

QTEST_MAIN(TstFrmTabella)
#include "tst_frmtabella.moc"
