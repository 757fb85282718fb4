#include "report/Stampa.h"

#include "report/Studio.h"
#include "ui/Messaggi.h"

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

QString AvvisoSalvareStampa()
{
    return QStringLiteral("Prima di stampare è necessario salvare le informazioni contenute nella finestra.");
}

void StampaStudio(QWidget *finestra, const StatoProgetto &s, Stampante &stampante)
{
    if (s.Salvato == Falso) {
        if (finestra)
            finestra->activateWindow();
        ui::MostraAvviso(finestra, AvvisoSalvareStampa());
        return;
    }
    int copie = 1;
    if (!stampante.Dialogo(finestra, copie))
        return;
    copie = qBound(-32768, copie, 32767);

    QFile file(s.NomeFile);
    if (!file.open(QIODevice::ReadOnly)) {
        ui::MostraErrore(finestra, QStringLiteral("Impossibile stampare: lo studio %1 non si può leggere (%2).")
                                       .arg(QDir::toNativeSeparators(s.NomeFile), file.errorString()));
        return;
    }
    // The report is read back in its own code page, line by line without the CR LF.
    QStringList righe = DaWindows1252(file.readAll()).split(QStringLiteral("\r\n"));
    if (!righe.isEmpty() && righe.last().isEmpty())
        righe.removeLast();
    file.close();

    stampante.ImpostaFont(QStringLiteral("courier new"), 10);
    for (int copia = 1; copia <= copie; ++copia) {
        for (const QString &riga : righe)
            stampante.Riga(riga);
        if (!stampante.FineDocumento()) {
            ui::MostraErrore(finestra, QStringLiteral("La stampa dello studio %1 non è riuscita: %2.")
                                           .arg(QDir::toNativeSeparators(s.NomeFile), stampante.Errore()));
            return;
        }
    }
    if (!stampante.FineStampa())
        ui::MostraErrore(finestra, QStringLiteral("La stampa dello studio %1 non è riuscita: %2.")
                                       .arg(QDir::toNativeSeparators(s.NomeFile), stampante.Errore()));
}

} // namespace windara
