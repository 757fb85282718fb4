#include "ui/Disegno.h"
#include "ui/Icone.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QResource>
#include <QSvgRenderer>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using namespace windara::ui;

namespace {

QStringList elencoQrc()
{
    QFile qrc(QStringLiteral(WINDARA_SOURCE_DIR "/resources/windara.qrc"));
    if (!qrc.open(QIODevice::ReadOnly))
        return {};
    QStringList nomi;
    const QString testo = QString::fromUtf8(qrc.readAll());
    for (const auto &m : QRegularExpression("<file>([^<]+)</file>").globalMatch(testo))
        nomi << m.captured(1);
    return nomi;
}

// How much of the image is drawn (not transparent).
int pixelDisegnati(const QImage &immagine)
{
    int n = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            n += qAlpha(immagine.pixel(x, y)) > 0;
    return n;
}

} // namespace

class TstRisorse : public QObject
{
    Q_OBJECT
private slots:
    void disegni_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QSize>("dimensione");
        QTest::newRow("bobina") << "bobina" << QSize(350, 313);
        QTest::newRow("formula-induttanza") << "formula-induttanza" << QSize(208, 60);
        QTest::newRow("formula-spire") << "formula-spire" << QSize(249, 73);
        for (const char *icona : {"icona-bobine", "icona-calcoli", "icona-tabella"})
            QTest::newRow(icona) << icona << QSize(32, 32);
        for (const char *barra : {"tb-bobina", "tb-tabella", "tb-esci", "tb-salva", "tb-stampa", "tb-precedente",
                                  "tb-crescente", "tb-decrescente", "tb-copia"})
            QTest::newRow(barra) << barra << QSize(16, 16);
    }
    // Each picture is compiled in, parses, has its size, and is vector only.
    void disegni()
    {
        QFETCH(QString, nome);
        QFETCH(QSize, dimensione);
        QFile file(PercorsoSvg(nome));
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
        const QByteArray svg = file.readAll();
        QVERIFY(!svg.contains("<image"));
        QVERIFY(svg.contains("viewBox=\"0 0 " + QByteArray::number(dimensione.width()) + ' ' +
                             QByteArray::number(dimensione.height()) + '"'));
        QSvgRenderer disegno(svg);
        QVERIFY(disegno.isValid());
        QCOMPARE(disegno.defaultSize(), dimensione);
        QCOMPARE(disegno.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(dimensione)));
    }

    // The list the build compiles and the pictures in the folder are the same set,
    // and both are what the table above expects.
    void elenco()
    {
        QStringList nelQrc = elencoQrc();
        QVERIFY(!nelQrc.isEmpty());
        QStringList nellaCartella =
            QDir(QStringLiteral(WINDARA_SOURCE_DIR "/resources")).entryList({"*.svg"}, QDir::Files);
        QStringList compilati = QDir(QStringLiteral(":/windara")).entryList({"*.svg"}, QDir::Files);
        nelQrc.sort();
        QCOMPARE(nellaCartella, nelQrc);
        QCOMPARE(compilati, nelQrc);
        QCOMPARE(nelQrc.size(), 15);
    }

    void icone_data()
    {
        QTest::addColumn<QString>("nome");
        for (const char *nome :
             {"icona-bobine", "icona-calcoli", "icona-tabella", "tb-bobina", "tb-tabella", "tb-esci", "tb-salva",
              "tb-stampa", "tb-precedente", "tb-crescente", "tb-decrescente", "tb-copia"})
            QTest::newRow(nome) << nome;
    }
    // Drawn at each size and device pixel ratio, never a scaled bitmap: made ahead by the
    // build at the sizes the windows ask for (the toolbars 16 px, the window manager up to
    // 128 px, each at scales 1 and 2), the same pixels as drawn at any other.
    void icone()
    {
        QFETCH(QString, nome);
        const QIcon icona = IconaSvg(nome);
        QVERIFY(!icona.isNull());
        QSvgRenderer disegno(PercorsoSvg(nome));
        for (int lato : {16, 24, 32, 48, 64, 128}) {
            const QPixmap pm = icona.pixmap(QSize(lato, lato));
            QCOMPARE(pm.size(), QSize(lato, lato));
            QVERIFY2(pixelDisegnati(pm.toImage()) > lato * lato / 8, qPrintable(QString::number(lato)));
            QCOMPARE(pm.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                     DisegnaIcona(disegno, QSize(lato, lato)));
        }
        const bool finestra = nome.startsWith("icona-");
        const QList<QSize> pronte = finestra ? QList<QSize>{{16, 16}, {32, 32}, {64, 64}, {128, 128}, {256, 256}}
                                             : QList<QSize>{{16, 14}, {32, 28}, {16, 16}, {32, 32}};
        for (const QSize pixel : pronte)
            QVERIFY(QResource(":/windara/pronti/" + FileDisegnoPronto(nome, pixel, 1)).isValid());
        // As a toolbar shows it, in a button lower than wide.
        QCOMPARE(icona.pixmap(QSize(16, 14)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 DisegnaIcona(disegno, QSize(16, 14)));
        const QPixmap doppio = icona.pixmap(QSize(16, 16), 2.0);
        QCOMPARE(doppio.size(), QSize(32, 32));
        QCOMPARE(doppio.devicePixelRatio(), 2.0);
        // The same pixels as a 32 px icon: the drawing at full resolution, not a 16 px one enlarged.
        QImage fitto = doppio.toImage().convertToFormat(QImage::Format_ARGB32);
        fitto.setDevicePixelRatio(1.0);
        QCOMPARE(fitto, icona.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32));
        // A disabled button looks different from an enabled one.
        QVERIFY(icona.pixmap(QSize(16, 16), QIcon::Disabled).toImage() !=
                icona.pixmap(QSize(16, 16), QIcon::Normal).toImage());
    }

    void iconaInesistente()
    {
        QVERIFY(IconaSvg("inesistente").isNull());
        QVERIFY(IconaSvg("inesistente").pixmap(16, 16).isNull());
    }

    void immagini_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::addColumn<QSize>("dimensione");
        QTest::addColumn<bool>("trasparente");
        QTest::newRow("bobina, fondo bianco") << "bobina" << QSize(350, 313) << false;
        QTest::newRow("formula induttanza") << "formula-induttanza" << QSize(208, 60) << true;
        QTest::newRow("formula spire") << "formula-spire" << QSize(249, 73) << true;
    }
    // The formulas let the frame's colour through their ground; the drawing has its own.
    void immagini()
    {
        QFETCH(QString, nome);
        QFETCH(QSize, dimensione);
        QFETCH(bool, trasparente);
        QWidget cornice;
        cornice.setAutoFillBackground(true);
        QPalette tavolozza = cornice.palette();
        const QColor fondo(10, 200, 30);
        tavolozza.setColor(QPalette::Window, fondo);
        cornice.setPalette(tavolozza);
        Immagine *immagine = ImmagineSvg(nome, &cornice);
        QCOMPARE(immagine->sizeHint(), dimensione);
        immagine->setGeometry(QRect(QPoint(5, 5), dimensione));
        cornice.resize(dimensione + QSize(10, 10));
        const QImage vista = cornice.grab().toImage();
        const QColor angolo = vista.pixelColor(6, 6);
        QCOMPARE(angolo == fondo, trasparente);
        if (!trasparente)
            QCOMPARE(angolo, QColor(Qt::white));
        // Something is drawn in the middle band, in near-black or dark ink.
        bool scuro = false;
        for (int x = 5; x < 5 + dimensione.width() && !scuro; ++x)
            for (int y = 5; y < 5 + dimensione.height() && !scuro; ++y)
                scuro = qGray(vista.pixel(x, y)) < 40;
        QVERIFY(scuro);

        // Made ahead by the build at the common scales, it is there to load.
        for (const qreal scala : {1.0, 2.0})
            QVERIFY(QResource(":/windara/pronti/" + FileDisegnoPronto(nome, dimensione, scala)).isValid());
        // Made ahead or drawn once and kept, it shows what the drawing itself paints there,
        // scale after scale.
        for (const qreal scala : {1.0, 1.5, 2.0}) {
            QImage attesa((QSizeF(dimensione) * scala).toSize(), QImage::Format_ARGB32_Premultiplied);
            attesa.setDevicePixelRatio(scala);
            attesa.fill(fondo);
            QImage memorizzata = attesa;
            {
                QPainter p(&attesa);
                QSvgRenderer(PercorsoSvg(nome)).render(&p);
                QPainter(&memorizzata).drawImage(QPoint(0, 0), DisegnoSvg(PercorsoSvg(nome), dimensione, scala));
            }
            int scarto = 0;
            for (int y = 0; y < attesa.height(); ++y)
                for (int x = 0; x < attesa.width(); ++x) {
                    const QRgb a = attesa.pixel(x, y), v = memorizzata.pixel(x, y);
                    scarto = std::max({scarto, std::abs(qRed(a) - qRed(v)), std::abs(qGreen(a) - qGreen(v)),
                                       std::abs(qBlue(a) - qBlue(v))});
                }
            // A drawing with a ground of its own is the same to the bit; one through which
            // the frame shows is blended once more, within a unit of rounding.
            QVERIFY2(scarto <= (trasparente ? 1 : 0), qPrintable(QString::number(scarto)));
        }
    }

    // What the build stores is read back as it was drawn; anything else is no picture.
    void pixel_data()
    {
        QImage disegno(7, 3, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 7; ++x)
                disegno.setPixel(x, y, qPremultiply(qRgba(30 * x, 80 * y, 200, 40 * x + 10)));
        const QByteArray buoni = PixelDisegno(disegno);
        QTest::addColumn<QByteArray>("pixel");
        QTest::addColumn<bool>("valida");
        QTest::newRow("come scritti") << buoni << true;
        QTest::newRow("vuoti") << QByteArray() << false;
        QTest::newRow("solo intestazione") << buoni.left(16) << false;
        QTest::newRow("un byte in meno") << buoni.chopped(1) << false;
        QTest::newRow("un byte in più") << buoni + 'x' << false;
        QByteArray etichetta = buoni;
        etichetta[3] = '2';
        QTest::newRow("altra etichetta") << etichetta << false;
        QByteArray formato = buoni;
        formato[12] = char(QImage::Format_Indexed8);
        QTest::newRow("altro formato") << formato << false;
        QByteArray enorme = buoni;
        enorme[7] = char(0x7f);
        QTest::newRow("larghezza enorme") << enorme << false;
    }
    void pixel()
    {
        QFETCH(QByteArray, pixel);
        QFETCH(bool, valida);
        const QImage letta = ImmagineDaPixel(pixel);
        QCOMPARE(!letta.isNull(), valida);
        if (valida) {
            QCOMPARE(letta.size(), QSize(7, 3));
            QCOMPARE(letta.format(), QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(letta.pixel(6, 2), qPremultiply(qRgba(180, 160, 200, 250)));
            // An opaque picture is kept without alpha.
            QCOMPARE(ImmagineDaPixel(PixelDisegno(letta.convertToFormat(QImage::Format_RGB32))).format(),
                     QImage::Format_RGB32);
        }
    }

    // The leading symbol is the only red ink of each formula.
    void colori_formule()
    {
        for (const char *nome : {"formula-induttanza", "formula-spire"}) {
            QSvgRenderer disegno(PercorsoSvg(nome));
            QImage immagine(disegno.defaultSize(), QImage::Format_ARGB32);
            immagine.fill(Qt::transparent);
            QPainter p(&immagine);
            disegno.render(&p);
            p.end();
            int rossiASinistra = 0, rossiAltrove = 0;
            for (int y = 0; y < immagine.height(); ++y)
                for (int x = 0; x < immagine.width(); ++x) {
                    const QColor c = immagine.pixelColor(x, y);
                    if (c.alpha() > 200 && c.red() > 200 && c.green() < 90 && c.blue() < 60)
                        ++(x < immagine.width() / 4 ? rossiASinistra : rossiAltrove);
                }
            QVERIFY2(rossiASinistra > 10, nome);
            QCOMPARE(rossiAltrove, 0);
        }
    }
};

QTEST_MAIN(TstRisorse)
#include "tst_risorse.moc"
