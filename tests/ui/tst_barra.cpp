#include "BarraStrumenti.h"
#include "Icone.h"

#include <QMainWindow>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace windara::ui;

namespace {

// The results window's bar: Salva, Stampa, separator, Finestra Precedente.
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
            SmistaPulsante(indice, {[this] { eseguiti << "salva"; }, [this] { eseguiti << "stampa"; },
                                    nullptr, [this] { eseguiti << "precedente"; }});
        });
        finestra.resize(300, 200);
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
        QTest::addColumn<int>("indice");
        QTest::addColumn<QStringList>("eseguiti");
        QTest::newRow("salva") << 1 << QStringList{"salva"};
        QTest::newRow("stampa") << 2 << QStringList{"stampa"};
        QTest::newRow("separatore") << 3 << QStringList{};
        QTest::newRow("precedente") << 4 << QStringList{"precedente"};
    }
    // A real mouse click on each position reaches the dispatch with its 1-based index.
    void clic()
    {
        QFETCH(int, indice);
        QFETCH(QStringList, eseguiti);
        Finestra f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        QSignalSpy spia(f.barra, &BarraStrumenti::ButtonClick);
        QWidget *w = f.barra->widgetPulsante(indice);
        QVERIFY(w);
        QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center());
        QCOMPARE(spia.count(), 1);
        QCOMPARE(spia.at(0).at(0).toInt(), indice);
        QCOMPARE(f.eseguiti, eseguiti);
    }
    // premi() goes the same way as the mouse.
    void premi()
    {
        QFETCH(int, indice);
        QFETCH(QStringList, eseguiti);
        Finestra f;
        QSignalSpy spia(f.barra, &BarraStrumenti::ButtonClick);
        f.barra->premi(indice);
        QCOMPARE(spia.count(), 1);
        QCOMPARE(spia.at(0).at(0).toInt(), indice);
        QCOMPARE(f.eseguiti, eseguiti);
    }
    void premi_data() { clic_data(); }

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
        QVERIFY(f.eseguiti.isEmpty());
        f.barra->pulsante(1)->setEnabled(true);
        f.barra->premi(1);
        QCOMPARE(f.eseguiti, QStringList{"salva"});
    }

    void posizioni_data()
    {
        QTest::addColumn<int>("indice");
        QTest::addColumn<QString>("suggerimento");
        QTest::newRow("1") << 1 << "Salva";
        QTest::newRow("2") << 2 << "Stampa";
        QTest::newRow("4") << 4 << "Finestra Precedente";
    }
    // Buttons carry an image and a tooltip, never text.
    void posizioni()
    {
        QFETCH(int, indice);
        QFETCH(QString, suggerimento);
        Finestra f;
        QAction *azione = f.barra->pulsante(indice);
        QVERIFY(azione);
        auto *pulsante = qobject_cast<QToolButton *>(f.barra->widgetPulsante(indice));
        QVERIFY(pulsante);
        QCOMPARE(pulsante->toolTip(), suggerimento);
        QVERIFY(pulsante->text().isEmpty());
        QVERIFY(azione->text().isEmpty());
        QCOMPARE(pulsante->toolButtonStyle(), Qt::ToolButtonIconOnly);
        QCOMPARE(pulsante->iconSize(), QSize(16, 16));
        QVERIFY(!pulsante->icon().isNull());
    }

    void fuoriDaiPulsanti()
    {
        Finestra f;
        QCOMPARE(f.barra->numeroPosizioni(), 4);
        QVERIFY(!f.barra->pulsante(3));
        QVERIFY(f.barra->widgetPulsante(3));
        for (int indice : {0, 5, -1}) {
            QVERIFY(!f.barra->pulsante(indice));
            QVERIFY(!f.barra->widgetPulsante(indice));
        }
        QSignalSpy spia(f.barra, &BarraStrumenti::ButtonClick);
        f.barra->premi(0);
        f.barra->premi(5);
        QCOMPARE(spia.count(), 0);
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
        QTest::newRow("negativo") << -2 << 0;
    }
    void smista()
    {
        QFETCH(int, indice);
        QFETCH(int, eseguita);
        int chi = 0;
        int volte = 0;
        auto segna = [&](int n) { return [&, n] { chi = n; ++volte; }; };
        SmistaPulsante(indice, {segna(1), segna(2), {}, segna(4)});
        QCOMPARE(chi, eseguita);
        QCOMPARE(volte, eseguita ? 1 : 0);
    }

    // Docked at the top, fixed, as high as the twips say.
    void aggancio()
    {
        Finestra f;
        QVERIFY(QTest::qWaitForWindowExposed(&f.finestra));
        QCOMPARE(f.finestra.toolBarArea(f.barra), Qt::TopToolBarArea);
        QVERIFY(!f.barra->isMovable());
        QVERIFY(!f.barra->isFloatable());
        QCOMPARE(f.barra->height(), 28);
        QCOMPARE(BarraStrumenti(360).height(), 24);
        QVERIFY(!f.barra->toggleViewAction()->isVisible());
    }
};

QTEST_MAIN(TstBarra)
#include "tst_barra.moc"
