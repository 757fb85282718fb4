#include "ui/Stile.h"
#include "ui/Twips.h"

#include <QFontInfo>
#include <QTest>

using namespace windara::ui;

// The conversion is usable where the layout tables are written as constants.
static_assert(Pixel(10335) == 689);
static_assert(RettangoloTwips(720, 240, 5250, 4695) == QRect(48, 16, 350, 313));

class TstMisure : public QObject
{
    Q_OBJECT
private slots:
    // Nearest pixel; 15 is odd, so there is never a tie to break.
    void pixel_data()
    {
        QTest::addColumn<int>("twips");
        QTest::addColumn<int>("pixel");
        QTest::newRow("larghezza finestra") << 10335 << 689;
        QTest::newRow("altezza finestra") << 7335 << 489;
        QTest::newRow("larghezza casella") << 1095 << 73;
        QTest::newRow("altezza elenco") << 345 << 23;
        QTest::newRow("larghezza disegno") << 5250 << 350;
        QTest::newRow("altezza disegno") << 4695 << 313;
        QTest::newRow("altezza griglia catalogo") << 6580 << 439;
        QTest::newRow("barra 360") << 360 << 24;
        QTest::newRow("barra 420") << 420 << 28;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("resto 7 per difetto") << 22 << 1;
        QTest::newRow("resto 8 per eccesso") << 23 << 2;
        QTest::newRow("negativo simmetrico") << -23 << -2;
        QTest::newRow("negativo resto 7") << -22 << -1;
    }
    void pixel()
    {
        QFETCH(int, twips);
        QFETCH(int, pixel);
        QCOMPARE(Pixel(twips), pixel);
    }

    // Each number converted alone: two controls of the same width in twips keep the
    // same width in pixels wherever they stand.
    void rettangolo()
    {
        QCOMPARE(RettangoloTwips(2280, 1560, 855, 345), QRect(152, 104, 57, 23));
        QCOMPARE(RettangoloTwips(8, 8, 1095, 345).size(), RettangoloTwips(2280, 2520, 1095, 345).size());
        QCOMPARE(DimensioneTwips(10305, 7620), QSize(687, 508));
        QWidget w;
        PosizionaTwips(&w, 840, 600, 8745, 5055);
        QCOMPARE(w.geometry(), QRect(56, 40, 583, 337));
    }

    void coloreVB_data()
    {
        QTest::addColumn<quint32>("bbggrr");
        QTest::addColumn<QColor>("colore");
        QTest::newRow("giallo chiaro") << quint32(0x0080FFFF) << QColor(255, 255, 128);
        QTest::newRow("giallo") << quint32(0x0000FFFF) << QColor(255, 255, 0);
        QTest::newRow("grigio maschera") << quint32(0x00C0C0C0) << QColor(192, 192, 192);
        QTest::newRow("rosso nel byte basso") << quint32(0x000000FF) << QColor(255, 0, 0);
        QTest::newRow("blu nel byte alto") << quint32(0x00FF0000) << QColor(0, 0, 255);
    }
    void coloreVB()
    {
        QFETCH(quint32, bbggrr);
        QFETCH(QColor, colore);
        QCOMPARE(ColoreVB(bbggrr), colore);
    }

    // What the system draws with must have Arial's metrics.
    void fontArial()
    {
        const QFont font = FontArial(9, true);
        QCOMPARE(font.pointSizeF(), 9.0);
        QVERIFY(font.bold());
        QVERIFY(!FontArial(8.25).bold());
        const QString famiglia = QFontInfo(font).family();
        QVERIFY2(famiglia == "Arial" || famiglia == "Liberation Sans", qPrintable(famiglia));
    }
};

QTEST_MAIN(TstMisure)
#include "tst_misure.moc"
