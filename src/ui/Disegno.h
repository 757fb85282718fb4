#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QSvgRenderer;

namespace windara::ui {

// The drawing stretched over a whole picture of `dimensione` pixels (before scaling) at
// screen scale `scala`, as QSvgWidget shows it: the one way a picture is made, whether
// by the program or ahead of time by the build.
QImage DisegnaSvg(QSvgRenderer &disegno, QSize dimensione, qreal scala);

// The file of the picture `nome` that the build makes ahead at its own size and at
// `scala` (1 or 2): "<nome>@<scala>.pixel".
QString FileDisegnoPronto(const QString &nome, qreal scala);

// A picture made ahead is kept as its pixels, ready to draw: decoding even a PNG costs as
// much as drawing the vectors. The bytes are a header (the tag "WDI1", width, height and
// the QImage format, four 32-bit numbers in the machine's order) and the rows, 32 bits a
// pixel, opaque (RGB32) or premultiplied (ARGB32_Premultiplied).
QByteArray PixelDisegno(const QImage &immagine);
// The picture those bytes hold, sharing them; null if they are not such a picture.
QImage ImmagineDaPixel(const QByteArray &pixel);

} // namespace windara::ui
