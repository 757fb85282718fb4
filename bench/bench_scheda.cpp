// The analysis datasheet: the PDF of a 5,000-turn design against the same pages drawn by a
// bare QPdfWriter loop (the same texts at fixed places, the same curves, the same page
// breaks, nothing measured); and on the largest design, the longest the window stands still
// while its datasheet is written in the background.

#include "Banco.h"
#include "PaginaBanco.h"
#include "ProgettoBanco.h"

#include "analysis/finestra/FrmAnalisi.h"
#include "analysis/finestra/SchedaAnalisi.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QChartView>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QPainter>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <QTimer>

#include <chrono>

using namespace windara;
using namespace windara::analisi;

namespace {

QList<FiloRame> fili;

IngressoAnalisi ingresso(const QString &h, const QString &b, const QString &d1, const QString &d,
                         const QString &cartella = {})
{
    return IngressoAnalisi{banco::Progetto(fili, h, b, d1, d), fili, {}, {}, cartella, {}};
}

// Events until the per-layer table is complete.
void finoAllaFine(const QWidget &w)
{
    const QLabel *metodo = w.findChild<QLabel *>(QStringLiteral("lblMetodo"));
    const auto completa = [&] {
        const QString t = metodo->text();
        return t.contains(QStringLiteral("Tabella per strati dell'avvolgimento reale:")) && !t.contains(u"in corso");
    };
    while (!completa())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

// The same texts and curves, each at a fixed place, a new page every `righe` rows.
void paginePiane(const DocumentoScheda &d, const QList<DatiGrafico> &grafici, int righe)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    QPainter p(&pdf);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 8));
    const double passo = pdf.height() / double(righe + 2), colonna = pdf.width() / 8.0;
    int riga = 0;
    const auto scrivi = [&](const QStringList &celle) {
        if (++riga > righe) {
            pdf.newPage();
            riga = 1;
        }
        for (qsizetype c = 0; c < celle.size(); ++c)
            p.drawText(QPointF(c * colonna, riga * passo), celle[c]);
    };
    scrivi({d.titolo, d.data});
    for (const CifraScheda &c : d.progetto)
        scrivi({c.nome, c.valore, c.unita});
    for (const SezioneScheda &s : d.sezioni) {
        scrivi({s.titolo});
        for (const CifraScheda &c : s.cifre)
            scrivi({c.nome, c.valore, c.unita});
        for (qsizetype i = 0; i < s.tabella.righe; ++i)
            scrivi(s.tabella.riga(i));
        for (const QString &paragrafo : s.metodo.split(u'\n'))
            scrivi({paragrafo});
    }
    for (const DatiGrafico &g : grafici)
        for (const CurvaGrafico &c : g.curve)
            p.drawPolyline(c.punti);
}

void scheda(const DocumentoScheda &d)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setResolution(600);
    DisegnaScheda(pdf, d);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fili = banco::CatalogoRame();

    // 100 turns x 50 layers of 0.5 mm.
    {
        frmAnalisi w(ingresso("50", "27", "20", "0.5"));
        w.show();
        finoAllaFine(w);
        const DocumentoScheda d = w.documentoScheda();
        QList<DatiGrafico> grafici;
        for (const char *nome : {"graficoStrati", "graficoFrequenza"})
            grafici << DatiDaGrafico(*w.findChild<QChartView *>(QLatin1String(nome))->chart());
        banco::coppia(
            "scheda PDF 100 x 50", [&] { scheda(d); }, "le stesse pagine, QPdfWriter senza impaginazione",
            [&] { paginePiane(d, grafici, 58); }, 4, 7);
        banco::misura("scheda PDF 100 x 50, in assoluto", 1e6, 5, [&] { scheda(d); });
    }

    // The largest design: its datasheet of some 470 pages written while the window answers.
    QTemporaryDir cartella;
    QDir(cartella.path()).mkdir(QStringLiteral("Studi"));
    frmAnalisi w(ingresso("30", "1640.32", "20", "0.05", cartella.path()));
    w.usaSceltaFile([&](const QString &, const QString &, const QString &) {
        return cartella.filePath(QStringLiteral("Studi/scheda.pdf"));
    });
    w.show();
    finoAllaFine(w);
    w.findChild<QAction *>(QStringLiteral("MnuScheda"))->trigger();
    const QWidget *barra = w.findChild<QWidget *>(QStringLiteral("barraScrittura"));
    const auto t0 = std::chrono::steady_clock::now();
    const double pausa = banco::pausaPiuLunga([&] { return barra->isHidden(); });
    const double durata = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
    banco::riporta("scheda PDF, progetto massimo: pausa più lunga della finestra", pausa, 100000);
    banco::riporta("scheda PDF, progetto massimo: scrittura in sottofondo", durata, 30e6);
    return 0;
}
