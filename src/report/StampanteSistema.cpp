#include "report/StampanteSistema.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

namespace windara {

class StampanteSistema::Dettagli
{
public:
    QPrinter printer{QPrinter::HighResolution};
    QPainter painter;
    QFont font;
    qreal y = 0;
    bool aperto = false;
    bool fallito = false;
    bool copiaSeguente = false; // into a file: the next copy starts on a new page

    bool suFile() const { return !printer.outputFileName().isEmpty(); }
    bool chiudi()
    {
        if (!aperto)
            return !fallito;
        aperto = false;
        const bool riuscito = painter.end() && !fallito && printer.printerState() != QPrinter::Error;
        fallito = false;
        return riuscito;
    }

    bool apri()
    {
        if (aperto)
            return true;
        if (!painter.begin(&printer)) {
            fallito = true;
            return false;
        }
        aperto = true;
        painter.setFont(QFont(font, &printer));
        y = 0;
        return true;
    }
};

StampanteSistema::StampanteSistema() : d(new Dettagli)
{}

StampanteSistema::~StampanteSistema()
{
    d->chiudi();
    delete d;
}

QPrinter &StampanteSistema::printer()
{
    return d->printer;
}

bool StampanteSistema::Dialogo(QWidget *finestra, int &copie)
{
    QPrintDialog dialogo(&d->printer, finestra);
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    copie = d->printer.copyCount();
    // Every copy is a document of its own: the printer must not multiply them again.
    d->printer.setCopyCount(1);
    return true;
}

void StampanteSistema::ImpostaFont(const QString &nome, int punti)
{
    d->font = QFont(nome, punti);
    d->font.setStyleHint(QFont::TypeWriter);
    d->font.setFixedPitch(true);
}

void StampanteSistema::Riga(const QString &testo)
{
    if (!d->apri())
        return;
    const QFontMetricsF metriche(d->painter.font());
    const qreal altezzaPagina = d->printer.pageLayout().paintRectPixels(d->printer.resolution()).height();
    if (d->copiaSeguente || (d->y > 0 && d->y + metriche.height() > altezzaPagina)) {
        d->copiaSeguente = false;
        if (!d->printer.newPage())
            d->fallito = true;
        d->y = 0;
    }
    d->painter.drawText(QPointF(0, d->y + metriche.ascent()), testo);
    d->y += metriche.lineSpacing();
}

bool StampanteSistema::FineDocumento()
{
    // A document with no line still goes to the printer, as an empty page.
    if (!d->apri())
        return false;
    if (d->suFile()) {
        d->copiaSeguente = true;
        return !d->fallito;
    }
    return d->chiudi();
}

bool StampanteSistema::FineStampa()
{
    d->copiaSeguente = false;
    return d->chiudi();
}

QString StampanteSistema::Errore() const
{
    if (d->suFile())
        return QStringLiteral("impossibile scrivere il file %1")
            .arg(QDir::toNativeSeparators(d->printer.outputFileName()));
    return QStringLiteral("la stampante %1 non risponde").arg(d->printer.printerName());
}

} // namespace windara
