#include "ui/Disegno.h"

#include <QPainter>
#include <QSvgRenderer>

#include <cstring>

namespace windara::ui {

QImage DisegnaSvg(QSvgRenderer &disegno, QSize dimensione, qreal scala)
{
    QImage immagine((QSizeF(dimensione) * scala).toSize(), QImage::Format_ARGB32_Premultiplied);
    immagine.setDevicePixelRatio(scala);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    disegno.render(&p);
    return immagine;
}

QString FileDisegnoPronto(const QString &nome, qreal scala)
{
    return QStringLiteral("%1@%2.pixel").arg(nome).arg(scala);
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
