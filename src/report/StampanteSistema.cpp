#include "report/StampanteSistema.h"

#include "report/FileSicuri.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

#include <memory>

namespace windara {

class StampanteSistema::Dettagli
{
public:
    QPrinter printer{QPrinter::HighResolution};
    QString pdfProposto; // beside the report, named after it
    // Into a file: the PDF goes into a temporary file beside the one chosen, which it
    // replaces only once complete, written by the same engine QPrinter uses for a PDF.
    std::unique_ptr<ScritturaAtomica> file;
    std::unique_ptr<QPdfWriter> pdf;
    QPainter painter;
    QFont font;
    qreal y = 0;
    qreal ascesa = 0;
    qreal interlinea = 0;
    bool aperto = false;
    bool fallito = false;
    bool copiaSeguente = false; // into a file: the next copy starts on a new page
    QString causa;              // of a failed write to a file, in Italian
    int pagineUscite = 0;       // sent to the printer in this print
    int pagineDocumento = 0;

    bool suFile() const { return !printer.outputFileName().isEmpty(); }
    QPagedPaintDevice *dispositivo()
    {
        if (pdf)
            return pdf.get();
        return &printer;
    }

    bool apri()
    {
        if (aperto)
            return true;
        if (fallito)
            return false;
        if (suFile()) {
            const QFileInfo scelto(printer.outputFileName());
            file = std::make_unique<ScritturaAtomica>(scelto.absolutePath(), scelto.fileName(), false);
            if (file->guasto().fallito()) {
                causa = causaFile();
                file.reset();
                fallito = true;
                return false;
            }
            pdf = std::make_unique<QPdfWriter>(file.get());
            pdf->setResolution(printer.resolution());
            pdf->setPageLayout(printer.pageLayout());
            pdf->setTitle(printer.docName());
            pdf->setCreator(printer.creator());
        }
        if (!painter.begin(dispositivo())) {
            scarta();
            fallito = true;
            return false;
        }
        aperto = true;
        pagineDocumento = 1;
        painter.setFont(QFont(font, dispositivo()));
        const QFontMetricsF metriche(painter.font());
        ascesa = metriche.ascent();
        interlinea = metriche.lineSpacing();
        y = 0;
        return true;
    }

    // Ends the document and delivers it: to the printer, or renamed over the chosen file.
    bool chiudi()
    {
        if (!aperto)
            return !fallito;
        aperto = false;
        bool riuscito = painter.end() && !fallito;
        if (pdf) {
            pdf.reset();
            riuscito = riuscito && file->Conferma();
            if (!riuscito && file->guasto().fallito())
                causa = causaFile();
            file.reset();
        } else {
            riuscito = riuscito && printer.printerState() != QPrinter::Error;
            if (riuscito)
                pagineUscite += pagineDocumento;
        }
        fallito = false;
        return riuscito;
    }

    // Ends the document and drops it: a file being printed is removed, so what was chosen
    // stays as it was.
    void scarta()
    {
        if (painter.isActive())
            painter.end();
        pdf.reset();
        file.reset();
        aperto = false;
        copiaSeguente = false;
    }

    QString causaFile() const
    {
        const GuastoFile &g = file->guasto();
        if (g.trovato != TipoFile::Nessuno)
            return QStringLiteral("al suo posto c'è %1; scegliere un altro nome").arg(DescriviTipo(g.trovato));
        return CausaSistema(g.codice);
    }

    void salto()
    {
        if (!dispositivo()->newPage())
            fallito = true;
        y = 0;
        ++pagineDocumento;
    }
};

StampanteSistema::StampanteSistema() : d(new Dettagli)
{}

StampanteSistema::~StampanteSistema()
{
    d->scarta();
    delete d;
}

QPrinter &StampanteSistema::printer()
{
    return d->printer;
}

void StampanteSistema::Documento(const QString &percorsoStudio)
{
    const QFileInfo studio(percorsoStudio);
    d->printer.setDocName(studio.fileName());
    d->pdfProposto = studio.dir().filePath(studio.completeBaseName() + QStringLiteral(".pdf"));
}

bool StampanteSistema::Dialogo(QWidget *finestra, int &copie)
{
    d->pagineUscite = 0;
    d->causa.clear();
    // A print to a file is offered beside the report, named after it: through the printer
    // when the dialog opens on a file, through its file field when it opens on a printer.
    if (!d->pdfProposto.isEmpty() && d->printer.outputFormat() == QPrinter::PdfFormat)
        d->printer.setOutputFileName(d->pdfProposto);
    QPrintDialog dialogo(&d->printer, finestra);
    if (auto *campo = dialogo.findChild<QLineEdit *>(QStringLiteral("filename")); campo && !d->pdfProposto.isEmpty())
        campo->setText(QDir::toNativeSeparators(d->pdfProposto));
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

int StampanteSistema::RighePerPagina()
{
    const QFontMetricsF metriche(QFont(d->font, &d->printer));
    const qreal altezzaPagina = d->printer.pageLayout().paintRectPixels(d->printer.resolution()).height();
    // As the lines are laid: the first always, each next one while it ends within the page.
    int righe = 1;
    for (qreal y = metriche.lineSpacing(); y + metriche.height() <= altezzaPagina; y += metriche.lineSpacing())
        ++righe;
    return righe;
}

void StampanteSistema::NuovaPagina()
{
    if (d->apri())
        d->salto();
}

void StampanteSistema::Riga(const QString &testo)
{
    if (!d->apri())
        return;
    if (d->copiaSeguente) {
        d->copiaSeguente = false;
        d->salto();
    }
    d->painter.drawText(QPointF(0, d->y + d->ascesa), testo);
    d->y += d->interlinea;
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

QString StampanteSistema::Annulla()
{
    int uscite = d->pagineUscite;
    // A printer that cannot withdraw the document under way gets it when it ends.
    if (d->aperto && !d->pdf && !d->printer.abort())
        uscite += d->pagineDocumento;
    d->scarta();
    d->fallito = false;
    d->pagineUscite = 0;
    if (uscite == 0)
        return {};
    return QStringLiteral("%1 pagine erano già state inviate alla stampante %2")
        .arg(uscite)
        .arg(d->printer.printerName());
}

QString StampanteSistema::Errore() const
{
    if (d->suFile())
        return QStringLiteral("impossibile scrivere il file %1: %2")
            .arg(QDir::toNativeSeparators(d->printer.outputFileName()),
                 d->causa.isEmpty() ? QStringLiteral("il motore PDF non l'ha completato; riprovare") : d->causa);
    return QStringLiteral("la stampante %1 non risponde; controllare che sia accesa e collegata, poi stampare di nuovo")
        .arg(d->printer.printerName());
}

void AnteprimaStampa(const QString &titolo, const std::function<void(QPagedPaintDevice &)> &pagine, QWidget *finestra)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(titolo);
    QPrintPreviewDialog anteprima(&printer, finestra);
    anteprima.setWindowTitle(QStringLiteral("Anteprima di stampa — %1").arg(titolo));
    QObject::connect(&anteprima, &QPrintPreviewDialog::paintRequested, &anteprima,
                     [&pagine](QPrinter *p) { pagine(*p); });
    anteprima.exec();
}

} // namespace windara
