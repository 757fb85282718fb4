// Build tool: makes the program's pictures ahead of time, at their own size and at the
// screen scales 1 and 2, so that the first paint of a window loads a picture instead of
// drawing its vectors and lettering.
//   windara_disegnipronti <output folder> <drawing.svg>...
// Writes <output folder>/<name>@1.pixel and <name>@2.pixel for each drawing.

#include "ui/Disegno.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSvgRenderer>

#include <cstdio>

namespace {

bool Opaca(const QImage &immagine)
{
    for (int y = 0; y < immagine.height(); ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(immagine.constScanLine(y));
        for (int x = 0; x < immagine.width(); ++x)
            if (qAlpha(riga[x]) != 255)
                return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    // Lettering needs the font database, which comes with a GUI application.
    QGuiApplication app(argc, argv);
    const QStringList argomenti = app.arguments();
    if (argomenti.size() < 3) {
        std::fprintf(stderr, "uso: windara_disegnipronti <cartella> <disegno.svg>...\n");
        return 2;
    }
    const QDir cartella(argomenti.at(1));
    for (const QString &svg : argomenti.mid(2)) {
        QSvgRenderer disegno(svg);
        if (!disegno.isValid()) {
            std::fprintf(stderr, "windara_disegnipronti: %s non è un disegno SVG valido\n", qPrintable(svg));
            return 1;
        }
        const QString nome = QFileInfo(svg).completeBaseName();
        for (const qreal scala : {1.0, 2.0}) {
            QImage immagine = windara::ui::DisegnaSvg(disegno, disegno.defaultSize(), scala);
            // An opaque picture is kept without alpha: it is then drawn by a plain copy.
            if (Opaca(immagine))
                immagine.convertTo(QImage::Format_RGB32);
            const QString uscita = cartella.filePath(windara::ui::FileDisegnoPronto(nome, scala));
            QFile file(uscita);
            if (!file.open(QIODevice::WriteOnly) || file.write(windara::ui::PixelDisegno(immagine)) < 0 ||
                !file.flush()) {
                std::fprintf(stderr, "windara_disegnipronti: impossibile scrivere %s\n", qPrintable(uscita));
                return 1;
            }
        }
    }
    return 0;
}
