#include "Esempi.h"
#include "design/Errori.h"
#include "design/Module1.h"
#include "table/FrmCalcoli.h"
#include "table/ModelloGriglia.h"
#include "ui/BarraStrumenti.h"
#include "ui/Messaggi.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTimer>

using namespace windara;

namespace {

// The design state the window reads, with a study marked saved so the load must clear it.
void progetto(int h, double s, double d, double d1, int strati, const QString &r)
{
    Module1() = prova::progetto(h, s, d, d1, strati, r);
    Module1().Salvato = Vero;
}

// The worked example: H 20, B 3.5, D1 10, wire 0.5 mm.
void esempio()
{
    progetto(20, 40, 0.5, 10, 3, QStringLiteral("0.0872"));
}

QTableView *griglia(const frmCalcoli &f)
{
    return f.findChild<QTableView *>(QStringLiteral("MSFlexGrid1"));
}
ui::BarraStrumenti *barra(const frmCalcoli &f)
{
    return f.findChild<ui::BarraStrumenti *>(QStringLiteral("Toolbar1"));
}

// What the grid shows: the fixed row (the header), then every data row.
QList<QStringList> righe(const frmCalcoli &f)
{
    const QAbstractItemModel *m = griglia(f)->model();
    QList<QStringList> r{{}};
    for (int c = 0; c < m->columnCount(); ++c)
        r[0] << m->headerData(c, Qt::Horizontal).toString();
    for (int i = 0; i < m->rowCount(); ++i) {
        r << QStringList();
        for (int c = 0; c < m->columnCount(); ++c)
            r.last() << m->index(i, c).data().toString();
    }
    return r;
}

using prova::intestazioni;

} // namespace

class TstFrmCalcoli : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // The model keeps Qt's rules through fills that grow, shrink, empty and stop half-way.
    void modelloCoerente()
    {
        ModelloGriglia m;
        QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::QtTest);
        StatoProgetto s = prova::progetto(20, 40, 0.5, 10, 3, QStringLiteral("0.0872"));
        for (int strati : {3, 40, 0, 2}) {
            s.StratiMax = std::int16_t(strati);
            m.Compila(s, QStringLiteral("."));
            QCOMPARE(m.rowCount(), strati);
        }
        s.DiametroD1 = 1e308;
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, m.Compila(s, QStringLiteral(".")));
        QCOMPARE(m.rowCount(), 2);
    }

    void tabella_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QList<QStringList>>("attese");
        QTest::newRow("punto") << QLocale::c()
                               << QList<QStringList>{intestazioni,
                                                     {"1", "40", "5.5", "1.3816", "0.0064", "0.1205"},
                                                     {"2", "80", "6", "3.0144", "0.0273", "0.2629"},
                                                     {"3", "120", "6.5", "4.8984", "0.0653", "0.4271"}};
        QTest::newRow("virgola") << QLocale(QLocale::Italian, QLocale::Italy)
                                 << QList<QStringList>{intestazioni,
                                                       {"1", "40", "5,5", "1,3816", "0,0064", "0,1205"},
                                                       {"2", "80", "6", "3,0144", "0,0273", "0,2629"},
                                                       {"3", "120", "6,5", "4,8984", "0,0653", "0,4271"}};
    }
    // Opening fills the grid from the design state in the user's separator, unsaved, with
    // columns 3 to 5 1800 twips wide and data cells centred at the top.
    void tabella()
    {
        QFETCH(QLocale, locale);
        QFETCH(QList<QStringList>, attese);
        QLocale::setDefault(locale);
        esempio();
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QCOMPARE(righe(f), attese);
        QCOMPARE(Module1().Salvato, Falso);
        for (int c = 3; c <= 5; ++c)
            QCOMPARE(griglia(f)->columnWidth(c), 120);
        QCOMPARE(griglia(f)->model()->index(2, 5).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignHCenter | Qt::AlignTop));
        // The grid lines, as drawn: light grey.
        const QImage vista = griglia(f)->viewport()->grab().toImage();
        QCOMPARE(vista.pixelColor(griglia(f)->columnWidth(0) - 1, 3), QColor(192, 192, 192));
    }

    // Under a desktop font larger than the grid's, as a GTK theme has, the header row is
    // still written like the grid, Arial 9 pt, and every caption fits its column.
    void intestazione()
    {
        const QFont desktop = QApplication::font();
        const auto rimetti = qScopeGuard([&] { QApplication::setFont(desktop); });
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
        esempio();
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        const QHeaderView *h = griglia(f)->horizontalHeader();
        QCOMPARE(QFontInfo(h->font()).family(), QFontInfo(griglia(f)->font()).family());
        QCOMPARE(h->font().pointSizeF(), 9.0);
        const int margini = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        for (int c = 0; c < h->count(); ++c) {
            const QString testo = h->model()->headerData(c, Qt::Horizontal).toString();
            QVERIFY2(h->fontMetrics().horizontalAdvance(testo) + margini <= h->sectionSize(c), qPrintable(testo));
        }
    }

    // Ctrl+C copies the selection, a block picked with the mouse or all of it after Ctrl+A,
    // under the header row as tab-separated text.
    void copia()
    {
        esempio();
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTableView *g = griglia(f);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(1, 2)).center());
        QTest::mouseClick(g->viewport(), Qt::LeftButton, Qt::ShiftModifier,
                          g->visualRect(g->model()->index(2, 3)).center());
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), "A1\tFilo necessario (m)\n6\t3.0144\n6.5\t4.8984\n");
        QTest::keyClick(g, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(g, Qt::Key_C, Qt::ControlModifier);
        QString tutto;
        for (const QStringList &riga : righe(f))
            tutto += riga.join(u'\t') + u'\n';
        QCOMPARE(QGuiApplication::clipboard()->text(), tutto);
    }

    void strati_data()
    {
        QTest::addColumn<int>("strati");
        QTest::newRow("zero") << 0;
        QTest::newRow("negativi") << -3;
    }
    void strati()
    {
        QFETCH(int, strati);
        progetto(20, 40, 0.5, 10, strati, "0.0872");
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        QCOMPARE(righe(f), QList<QStringList>{intestazioni});
        QCOMPARE(griglia(f)->columnWidth(4), 120);
    }

    // Each opening fills afresh: 5 layers, then 2 leave the fixed row and two rows.
    void riapertura()
    {
        progetto(30, 42, 0.71, 16, 5, "0.0435");
        QCOMPARE(righe(frmCalcoli(QString(), TestiStudio{}, nullptr)).size(), 6);
        Module1().StratiMax = 2;
        Module1().Salvato = Vero;
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        QCOMPARE(righe(f).size(), 3);
        QCOMPARE(righe(f)[2][4], "0.0501");
        QCOMPARE(Module1().Salvato, Falso);
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
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        bool chiusa = false;
        QTimer::singleShot(0, &f, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&f));
            switch (modo) {
            case 0:
                QTest::mouseClick(barra(f)->widgetPulsante(4), Qt::LeftButton);
                break;
            case 1:
                f.findChild<QAction *>("MnuPrecedente")->trigger();
                break;
            case 2:
                QTest::keyClick(&f, Qt::Key_P, Qt::ControlModifier);
                break;
            case 3:
                f.close();
                break;
            }
            chiusa = !f.isVisible();
            if (!chiusa)
                f.done(-1); // the modal run must not outlive the test
        });
        QCOMPARE(f.exec(), int(QDialog::Rejected));
        QVERIFY(chiusa);
    }

    // Neither the separator nor Escape does anything.
    void inerti()
    {
        esempio();
        ui::CatturaMessaggi cattura;
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::mouseClick(barra(f)->widgetPulsante(3), Qt::LeftButton);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(f.isVisible());
        QVERIFY(cattura.messaggi().isEmpty());
        QCOMPARE(Module1().Salvato, Falso);
    }

    // A fill that stops keeps what it wrote and says why, in Italian.
    void errore()
    {
        progetto(20, 40, 1e308, 10, 3, "0.0872");
        ui::CatturaMessaggi cattura;
        frmCalcoli f(QString(), TestiStudio{}, nullptr);
        QCOMPARE(cattura.messaggi().size(), 1);
        QVERIFY(cattura.messaggi()[0].testo.startsWith("Il calcolo della tabella si è interrotto: Overflow."));
        const QList<QStringList> r = righe(f);
        QCOMPARE(r[0], (QStringList{"N° Strati", "N° Spire", "A1", "", "", ""}));
        QCOMPARE(r[2], (QStringList{"2", "80", "", "", "", ""}));
    }
};

QTEST_MAIN(TstFrmCalcoli)
#include "tst_frmcalcoli.moc"
