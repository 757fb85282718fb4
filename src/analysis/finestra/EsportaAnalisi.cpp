#include "analysis/finestra/EsportaAnalisi.h"

#include "analysis/finestra/ModelliAnalisi.h"
#include "report/FileSicuri.h"
#include "report/Studio.h"

#include <QBuffer>
#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QPainter>
#include <QSvgGenerator>

#include <cerrno>
#include <memory>

namespace windara::analisi {

QString NomeEsportazione(const TestiLimiti &testi, const QString &coda)
{
    TestiStudio t;
    t.altezza = testi.altezza;
    t.d1 = testi.d1;
    t.sceltaDiametro = testi.sceltaDiametro;
    StatoProgetto s; // the name's working fields only
    QString nome = NomeStudio(t, s);
    if (nome.endsWith(QStringLiteral(".txt")))
        nome.chop(4);
    return nome + coda;
}

namespace {

QString causa(const ScritturaAtomica &file, const QString &cartella, const QString &percorso)
{
    const GuastoFile &g = file.guasto();
    const QString nativo = QDir::toNativeSeparators(percorso);
    const QString dove = QDir::toNativeSeparators(cartella);
    switch (file.fase()) {
    case ScritturaAtomica::Fase::Cartella:
        if (g.trovato == TipoFile::Collegamento)
            return QStringLiteral("Impossibile salvare %1: la cartella %2 è un collegamento simbolico, e i file "
                                  "degli studi non si scrivono mai attraverso un collegamento. Mettere al suo posto "
                                  "una cartella e salvare di nuovo.")
                .arg(nativo, dove);
        if (g.trovato != TipoFile::Nessuno)
            return QStringLiteral("Impossibile salvare %1: %2 è %3, non una cartella.")
                .arg(nativo, dove, DescriviTipo(g.trovato));
        if (g.codice == ENOENT)
            return QStringLiteral("Impossibile salvare %1: la cartella %2 non esiste. Sceglierne un'altra.")
                .arg(nativo, dove);
        return QStringLiteral("Impossibile salvare %1: la cartella %2 non si apre: %3.")
            .arg(nativo, dove, CausaSistema(g.codice));
    case ScritturaAtomica::Fase::Destinazione:
        if (g.trovato != TipoFile::Nessuno)
            return QStringLiteral("Impossibile salvare %1: al suo posto c'è %2, e il file si scrive solo come file a "
                                  "sé, mai attraverso un collegamento. Rimuoverlo o scegliere un altro nome.")
                .arg(nativo, DescriviTipo(g.trovato));
        break;
    case ScritturaAtomica::Fase::Scrittura:
        break;
    }
    return QStringLiteral("Impossibile salvare %1: %2.").arg(nativo, CausaSistema(g.codice));
}

} // namespace

QString ScriviFile(const QString &cartellaStudi, const QString &percorso,
                   const std::function<bool(QIODevice &)> &scrivi)
{
    const QFileInfo info(percorso);
    const QString cartella = info.absolutePath();
    // Studi/ is the program's: a link in its place is never followed. Elsewhere the user
    // chose the folder, links and all.
    const bool studi = QDir::cleanPath(cartella) == QDir::cleanPath(QFileInfo(cartellaStudi).absoluteFilePath());
    ScritturaAtomica file(cartella, info.fileName(), studi);
    if (file.guasto().fallito())
        return causa(file, cartella, percorso);
    if (!scrivi(file))
        return QStringLiteral("Salvataggio di %1 annullato: il file non è stato scritto.")
            .arg(QDir::toNativeSeparators(percorso));
    if (!file.Conferma())
        return causa(file, cartella, percorso);
    return {};
}

QByteArray SvgGrafico(QChartView &vista)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(vista.size());
    svg.setViewBox(QRect(QPoint(0, 0), vista.size()));
    svg.setTitle(vista.chart()->title());
    svg.setDescription(QStringLiteral("Windara"));
    {
        QPainter p(&svg);
        vista.scene()->render(&p, QRectF(QPointF(0, 0), vista.size()), vista.sceneRect());
    }
    return buffer.data();
}

QByteArray PngGrafico(QChartView &vista)
{
    QImage immagine(vista.size() * 2, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::white);
    {
        QPainter p(&immagine);
        p.setRenderHint(QPainter::Antialiasing);
        vista.scene()->render(&p, QRectF(QPointF(0, 0), QSizeF(immagine.size())), vista.sceneRect());
    }
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    immagine.save(&buffer, "PNG");
    return buffer.data();
}

TabellaScheda TabellaDaModello(const QAbstractItemModel &m)
{
    TabellaScheda t;
    for (int c = 0; c < m.columnCount(); ++c)
        t.intestazione << m.headerData(c, Qt::Horizontal).toString().replace(u'\n', u' ');
    if (const auto *strati = qobject_cast<const ModelloStrati *>(&m)) {
        const auto righe = std::make_shared<const std::vector<RigaStrato>>(strati->righe());
        t.righe = qsizetype(righe->size());
        t.riga = [righe, separatore = QLocale().decimalPoint()](qsizetype i) {
            return CelleRigaStrato((*righe)[size_t(i)], separatore);
        };
        return t;
    }
    // A table whose rows are named (the summary) keeps their names as its first column.
    const bool nomi = !m.headerData(0, Qt::Vertical).toString().isEmpty() &&
                      m.headerData(0, Qt::Vertical).toString() != QStringLiteral("1");
    if (nomi)
        t.intestazione.prepend(QStringLiteral("Grandezza"));
    std::vector<QStringList> celle;
    for (int r = 0; r < m.rowCount(); ++r) {
        QStringList riga;
        if (nomi)
            riga << m.headerData(r, Qt::Vertical).toString();
        for (int c = 0; c < m.columnCount(); ++c)
            riga << m.index(r, c).data().toString();
        celle.push_back(riga);
    }
    t.righe = qsizetype(celle.size());
    t.riga = [celle = std::move(celle)](qsizetype i) { return celle[size_t(i)]; };
    t.primaColonnaNomi = nomi;
    return t;
}

} // namespace windara::analisi
