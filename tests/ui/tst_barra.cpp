#include "ui/BarraStrumenti.h"
#include "ui/Icone.h"

#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace windara::ui;

namespace {

// The results window's bar: Salva, Stampa, separator, Finestra Precedente, dispatched
// the way every window does it.
struct Finestra
{
    QMainWindow finestra;
    BarraStrumenti *barra = new BarraStrumenti(420);
    QStringList eseguiti;

    Finestra()
    {
        barra->aggiungiPulsante(IconaSvg("tb-salva"), "Salva");
        barra->aggiungiPulsante(IconaSvg("tb-stampa"), "Stampa");
        barra->aggiungiSeparatore();
        barra->aggiungiPulsante(IconaSvg("tb-precedente"), "Finestra Precedente");
        finestra.addToolBar(Qt::TopToolBarArea, barra);
        QObject::connect(barra, &BarraStrumenti::ButtonClick, &finestra, [this](int indice) {
            SmistaPulsante(indice, {[this] { eseguiti << "salva"; }, [this] { eseguiti << "stampa"; }, nullptr,
                                    [this] { eseguiti << "precedente"; }});
        });
        finestra.show();
    }
};

} // namespace

class TstBarra : public QObject
{
    Q_OBJECT
private slots:
    void clic_data()
    {
        QTest::addColumn<bool>("mouse");
        QTest::addColumn<int>("indice");
        QTest::addColumn<QStringList>("eseguiti");
        for (bool mouse : {true, false}) {
            const char *come = mouse ? "mouse" : "premi";
            QTest::addRow("%s 1", come) << mouse << 1 << QStringList{"salva"};
            QTest::addRow("%s 2", come) << mouse << 2 << QStringList{"stampa"};
            QTest::addRow("%s separatore", come) << mouse << 3 << QStringList{};
            QTest::addRow("%s 4", come) << mouse << 4 << QStringList{"precedente"};
        }
    }
    // A mouse click on a position, or premi(), reaches the dispatch with its 1-based
    // index; the separator's reaches it too, and runs nothing.
    void clic()
    {
        QFETCH(bool, mouse);
        QFETCH(int, indice);
        QFETCH(QStringList, eseguiti);
        Finestra f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        QSignalSpy spia(f.barra, &BarraStrumenti::ButtonClick);
        if (mouse)
            QTest::mouseClick(f.barra->widgetPulsante(indice), Qt::LeftButton);
        else
            f.barra->premi(indice);
        QCOMPARE(spia.count(), 1);
        QCOMPARE(spia.at(0).at(0).toInt(), indice);
        QCOMPARE(f.eseguiti, eseguiti);
    }

    // A disabled button (Calcola before the inputs are filled) answers neither way.
    void disabilitato()
    {
        Finestra f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        QSignalSpy spia(f.barra, &BarraStrumenti::ButtonClick);
        f.barra->pulsante(1)->setEnabled(false);
        QTest::mouseClick(f.barra->widgetPulsante(1), Qt::LeftButton);
        f.barra->premi(1);
        QCOMPARE(spia.count(), 0);
        f.barra->pulsante(1)->setEnabled(true);
        f.barra->premi(1);
        QCOMPARE(f.eseguiti, QStringList{"salva"});
    }

    // Buttons carry a 16 px image and a tooltip, never text; the separator is no button.
    void posizioni()
    {
        Finestra f;
        QCOMPARE(f.barra->numeroPosizioni(), 4);
        const QStringList suggerimenti{"Salva", "Stampa", "", "Finestra Precedente"};
        for (int indice : {1, 2, 4}) {
            auto *pulsante = qobject_cast<QToolButton *>(f.barra->widgetPulsante(indice));
            QVERIFY(pulsante);
            QCOMPARE(pulsante->defaultAction(), f.barra->pulsante(indice));
            QCOMPARE(pulsante->toolTip(), suggerimenti[indice - 1]);
            QVERIFY(pulsante->text().isEmpty());
            QCOMPARE(pulsante->toolButtonStyle(), Qt::ToolButtonIconOnly);
            QCOMPARE(pulsante->iconSize(), QSize(16, 16));
        }
        QVERIFY(!f.barra->pulsante(3));
        QVERIFY(f.barra->widgetPulsante(3));
        for (int fuori : {0, 5}) {
            QVERIFY(!f.barra->pulsante(fuori));
            QVERIFY(!f.barra->widgetPulsante(fuori));
        }
    }

    void smista_data()
    {
        QTest::addColumn<int>("indice");
        QTest::addColumn<int>("eseguita");
        QTest::newRow("primo") << 1 << 1;
        QTest::newRow("ultimo") << 4 << 4;
        QTest::newRow("posto vuoto") << 3 << 0;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("oltre") << 5 << 0;
    }
    void smista()
    {
        QFETCH(int, indice);
        QFETCH(int, eseguita);
        QList<int> chi;
        auto segna = [&](int n) { return [&chi, n] { chi << n; }; };
        SmistaPulsante(indice, {segna(1), segna(2), {}, segna(4)});
        QCOMPARE(chi, eseguita ? QList<int>{eseguita} : QList<int>{});
    }

    // Docked at the top, fixed, as high as the twips say.
    void aggancio()
    {
        Finestra f;
        QCOMPARE(f.finestra.toolBarArea(f.barra), Qt::TopToolBarArea);
        QVERIFY(!f.barra->isMovable());
        QVERIFY(!f.barra->toggleViewAction()->isVisible());
        QCOMPARE(f.barra->height(), 28);
        QCOMPARE(BarraStrumenti(360).height(), 24);
    }
};

QTEST_MAIN(TstBarra)
#include "tst_barra.moc"
