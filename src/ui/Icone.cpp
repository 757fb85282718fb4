#include "ui/Icone.h"

#include "ui/Disegno.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QStyle>
#include <QStyleOption>
#include <QSvgRenderer>

#include <memory>

namespace windara::ui {

namespace {

// Where the drawings are compiled in, and beneath it those the build made ahead.
const QString CartellaDisegni = QStringLiteral(":/windara/");
const QString CartellaPronti = QStringLiteral(":/windara/pronti/");

// Parsed once for the program: every window asks for the same few drawings at each opening.
std::shared_ptr<QSvgRenderer> DisegnoCondiviso(const QString &percorso)
{
    static auto *disegni = new QHash<QString, std::shared_ptr<QSvgRenderer>>; // lives to the end
    std::shared_ptr<QSvgRenderer> &disegno = (*disegni)[percorso];
    if (!disegno)
        disegno = std::make_shared<QSvgRenderer>(percorso);
    return disegno;
}

// The drawing the build made ahead at this size and scale, when it has one; null if not.
QImage DisegnoPronto(const QString &percorso, QSize dimensione, qreal scala)
{
    const QString estensione = QStringLiteral(".svg");
    if (!percorso.startsWith(CartellaDisegni) || !percorso.endsWith(estensione))
        return {};
    const QString nome =
        percorso.mid(CartellaDisegni.size(), percorso.size() - CartellaDisegni.size() - estensione.size());
    const QResource risorsa(CartellaPronti + FileDisegnoPronto(nome, dimensione, scala));
    if (!risorsa.isValid())
        return {};
    QImage immagine = ImmagineDaPixel(risorsa.uncompressedData());
    if (immagine.size() != (QSizeF(dimensione) * scala).toSize())
        return {};
    immagine.setDevicePixelRatio(scala);
    return immagine;
}

// Our own engine rather than Qt's SVG icon plugin: it needs no plugin at run time, and it
// renders at the device pixel size asked for instead of scaling a bitmap. The drawing is
// read only for a size the build has not made.
class MotoreIconaSvg final : public QIconEngine
{
public:
    explicit MotoreIconaSvg(const QString &percorso) : m_percorso(percorso), m_esiste(QResource(percorso).isValid()) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scala = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, scaledPixmap(rect.size() * scala, mode, state, scala));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return scaledPixmap(size, mode, state, 1.0);
    }

    // Qt 6.4 hands over the size in device pixels, already multiplied by the scale.
    QPixmap scaledPixmap(const QSize &pixel, QIcon::Mode mode, QIcon::State, qreal scala) override
    {
        if (pixel.isEmpty())
            return {};
        const QString chiave =
            QStringLiteral("windara:%1:%2x%3:%4").arg(m_percorso).arg(pixel.width()).arg(pixel.height()).arg(int(mode));
        QPixmap immagine;
        if (!QPixmapCache::find(chiave, &immagine)) {
            QImage disegnata = DisegnoPronto(m_percorso, pixel, 1.0);
            if (disegnata.isNull()) {
                const std::shared_ptr<QSvgRenderer> disegno = DisegnoCondiviso(m_percorso);
                if (!disegno->isValid())
                    return {};
                disegnata = DisegnaIcona(*disegno, pixel);
            }
            immagine = QPixmap::fromImage(std::move(disegnata));
            if (mode != QIcon::Normal) {
                if (auto *app = qobject_cast<QApplication *>(QCoreApplication::instance())) {
                    QStyleOption opzioni;
                    opzioni.palette = QApplication::palette();
                    immagine = app->style()->generatedIconPixmap(mode, immagine, &opzioni);
                }
            }
            QPixmapCache::insert(chiave, immagine);
        }
        immagine.setDevicePixelRatio(scala);
        return immagine;
    }

    QIconEngine *clone() const override { return new MotoreIconaSvg(*this); }
    QString key() const override { return QStringLiteral("windara-svg"); }
    // The file's presence answers without reading the drawing.
    bool isNull() override { return !m_esiste; }
    // Scalable: no fixed sizes, so the platform asks for the ones it needs.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override { return {}; }

private:
    QString m_percorso;
    bool m_esiste;
};

} // namespace

QImage DisegnoSvg(const QString &percorso, QSize dimensione, qreal scala)
{
    // Few entries: one per picture of the program's fixed-size windows and screen scale.
    static QHash<QString, QImage> disegni;
    const QString chiave =
        QStringLiteral("%1:%2x%3@%4").arg(percorso).arg(dimensione.width()).arg(dimensione.height()).arg(scala);
    QImage &immagine = disegni[chiave];
    if (immagine.isNull())
        immagine = DisegnoPronto(percorso, dimensione, scala);
    if (immagine.isNull())
        immagine = DisegnaImmagine(*DisegnoCondiviso(percorso), dimensione, scala);
    return immagine;
}

QString PercorsoSvg(const QString &nome)
{
    return CartellaDisegni + nome + QStringLiteral(".svg");
}

QIcon IconaSvg(const QString &nome)
{
    auto *motore = new MotoreIconaSvg(PercorsoSvg(nome));
    if (motore->isNull()) {
        delete motore;
        return {};
    }
    return QIcon(motore);
}

Immagine::Immagine(const QString &percorso, QWidget *parent) : QWidget(parent), m_percorso(percorso)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

QSize Immagine::sizeHint() const
{
    return DisegnoCondiviso(m_percorso)->defaultSize();
}

void Immagine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawImage(QPoint(0, 0), DisegnoSvg(m_percorso, size(), devicePixelRatioF()));
}

Immagine *ImmagineSvg(const QString &nome, QWidget *parent)
{
    return new Immagine(PercorsoSvg(nome), parent);
}

} // namespace windara::ui
