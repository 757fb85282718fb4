#include "ui/Disegno.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cstring>

namespace windara::ui {

namespace {

QImage Trasparente(QSize pixel)
{
    QImage immagine(pixel, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    return immagine;
}

} // namespace

QImage DisegnaImmagine(QSvgRenderer &disegno, QSize dimensione, qreal scala)
{
    QImage immagine = Trasparente((QSizeF(dimensione) * scala).toSize());
    immagine.setDevicePixelRatio(scala);
    QPainter p(&immagine);
    disegno.render(&p);
    return immagine;
}

QImage DisegnaIcona(QSvgRenderer &disegno, QSize pixel)
{
    QImage immagine = Trasparente(pixel);
    // Keep the drawing's proportions inside a non-square request.
    const QSizeF dentro = QSizeF(disegno.defaultSize()).scaled(QSizeF(pixel), Qt::KeepAspectRatio);
    const QPointF angolo((pixel.width() - dentro.width()) / 2, (pixel.height() - dentro.height()) / 2);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    disegno.render(&p, QRectF(angolo, dentro));
    return immagine;
}

QString FileDisegnoPronto(const QString &nome, QSize dimensione, qreal scala)
{
    return QStringLiteral("%1-%2x%3@%4.pixel").arg(nome).arg(dimensione.width()).arg(dimensione.height()).arg(scala);
}

namespace {

struct Intestazione
{
    char etichetta[4];
    quint32 larghezza, altezza, formato;
};

constexpr char Etichetta[4] = {'W', 'D', 'I', '1'};

} // namespace

QByteArray PixelDisegno(const QImage &immagine)
{
    const QImage::Format formato =
        immagine.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    const QImage pronta = immagine.convertToFormat(formato);
    const Intestazione testa{{Etichetta[0], Etichetta[1], Etichetta[2], Etichetta[3]},
                             quint32(pronta.width()),
                             quint32(pronta.height()),
                             quint32(formato)};
    QByteArray pixel(reinterpret_cast<const char *>(&testa), sizeof testa);
    const qsizetype riga = qsizetype(pronta.width()) * 4;
    for (int y = 0; y < pronta.height(); ++y)
        pixel.append(reinterpret_cast<const char *>(pronta.constScanLine(y)), riga);
    return pixel;
}

QImage ImmagineDaPixel(const QByteArray &pixel)
{
    Intestazione testa;
    if (pixel.size() < qsizetype(sizeof testa))
        return {};
    std::memcpy(&testa, pixel.constData(), sizeof testa);
    if (std::memcmp(testa.etichetta, Etichetta, sizeof Etichetta) != 0 || testa.larghezza > 16384 ||
        testa.altezza > 16384 ||
        (testa.formato != QImage::Format_RGB32 && testa.formato != QImage::Format_ARGB32_Premultiplied) ||
        pixel.size() != qsizetype(sizeof testa) + qsizetype(testa.larghezza) * testa.altezza * 4)
        return {};
    // The image keeps its own reference to the bytes, which are read-only.
    auto *tenuti = new QByteArray(pixel);
    return QImage(
        reinterpret_cast<const uchar *>(tenuti->constData() + sizeof testa), int(testa.larghezza), int(testa.altezza),
        qsizetype(testa.larghezza) * 4, QImage::Format(testa.formato),
        [](void *dati) { delete static_cast<QByteArray *>(dati); }, tenuti);
}

} // namespace windara::ui
