#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

class QSvgRenderer;

namespace windara::ui {

// How a drawing becomes pixels, whether the program draws it or the build makes it ahead
// (windara_disegnipronti): one function for each use, so that both give the same pixels.
// A picture: the drawing stretched over the whole of `dimensione` (pixels before scaling)
// at screen scale `scala`, as QSvgWidget shows it.
QImage DisegnaImmagine(QSvgRenderer &disegno, QSize dimensione, qreal scala);
// An icon: the drawing in its own proportions, centred in `pixel`.
QImage DisegnaIcona(QSvgRenderer &disegno, QSize pixel);

// The file of the drawing `nome` made ahead at `dimensione` and `scala` (an icon: its pixel
// size, at scale 1): "<nome>-<w>x<h>@<scala>.pixel".
QString FileDisegnoPronto(const QString &nome, QSize dimensione, qreal scala);

// A drawing made ahead is kept as its pixels, ready to draw: decoding even a PNG costs as
// much as drawing the vectors. The bytes are a header (the tag "WDI1", width, height and
// the QImage format, four 32-bit numbers in the machine's order) and the rows, 32 bits a
// pixel, opaque (RGB32) or premultiplied (ARGB32_Premultiplied).
QByteArray PixelDisegno(const QImage &immagine);
// The picture those bytes hold, sharing them; null if they are not such a picture.
QImage ImmagineDaPixel(const QByteArray &pixel);

} // namespace windara::ui
