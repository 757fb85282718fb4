// Build tool: makes the program's pictures and icons ahead of time, at the pixel sizes the
// windows ask for, so that a window's first paint loads pixels instead of drawing vectors
// and lettering.
//   windara_disegnipronti <output folder> {immagine|icona} <drawing.svg> <w>x<h>@<scale>[,...] ...
// Writes <output folder>/<name>-<w>x<h>@<scale>.pixel for each drawing and size; an icon's
// size is its pixel size, at scale 1.

#include "ui/Disegno.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
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

int Errore(const char *formato, const QString &cosa)
{
    std::fprintf(stderr, formato, qPrintable(cosa));
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // Lettering needs the font database, which comes with a GUI application.
    QGuiApplication app(argc, argv);
    const QStringList argomenti = app.arguments();
    if (argomenti.size() < 5 || (argomenti.size() - 2) % 3 != 0) {
        std::fprintf(
            stderr, "uso: windara_disegnipronti <cartella> {immagine|icona} <disegno.svg> <L>x<A>@<scala>[,...] ...\n");
        return 2;
    }
    const QDir cartella(argomenti.at(1));
    const QRegularExpression formaDimensione(QStringLiteral("^(\\d+)x(\\d+)@([12])$"));
    for (qsizetype i = 2; i < argomenti.size(); i += 3) {
        const QString &tipo = argomenti.at(i), &svg = argomenti.at(i + 1);
        if (tipo != QLatin1String("immagine") && tipo != QLatin1String("icona"))
            return Errore("windara_disegnipronti: tipo sconosciuto %s\n", tipo);
        QSvgRenderer disegno(svg);
        if (!disegno.isValid())
            return Errore("windara_disegnipronti: %s non è un disegno SVG valido\n", svg);
        for (const QString &testo : argomenti.at(i + 2).split(u',')) {
            const QRegularExpressionMatch dimensione = formaDimensione.match(testo);
            if (!dimensione.hasMatch())
                return Errore("windara_disegnipronti: dimensione non valida %s\n", testo);
            const QSize lati(dimensione.captured(1).toInt(), dimensione.captured(2).toInt());
            const int scala = dimensione.captured(3).toInt();
            const bool icona = tipo == QLatin1String("icona");
            if (icona && scala != 1)
                return Errore("windara_disegnipronti: un'icona ha la sua dimensione in pixel, a scala 1: %s\n", testo);
            QImage immagine =
                icona ? windara::ui::DisegnaIcona(disegno, lati) : windara::ui::DisegnaImmagine(disegno, lati, scala);
            // An opaque picture is kept without alpha: it is then drawn by a plain copy.
            if (Opaca(immagine))
                immagine.convertTo(QImage::Format_RGB32);
            const QString uscita =
                cartella.filePath(windara::ui::FileDisegnoPronto(QFileInfo(svg).completeBaseName(), lati, scala));
            QFile file(uscita);
            if (!file.open(QIODevice::WriteOnly) || file.write(windara::ui::PixelDisegno(immagine)) < 0 ||
                !file.flush())
                return Errore("windara_disegnipronti: impossibile scrivere %s\n", uscita);
        }
    }
    return 0;
}
