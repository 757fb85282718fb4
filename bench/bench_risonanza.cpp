// The resonance in the analysis window. The page "Frequenza": a frequency typed (now below
// the winding's f0, now above it, where the winding turns capacitive) until the page is
// painted again, on a 5,000-turn design against painting the page alone and within a frame;
// on the largest design the rules allow against a small one, with the slowest of 41
// keystrokes against the 50 ms the window may ever stand still. The page "Progetto da
// induttanza": a target typed until its worker has filled the table of every catalogue wire,
// self-capacitance and f0 included, and the page is painted, against the same search called
// directly with the page painted as often, and against the 200 ms it may take.

#include "Banco.h"
#include "PaginaBanco.h"
#include "ProgettoBanco.h"

#include "analysis/Capacita.h"
#include "analysis/Lettura.h"
#include "analysis/Obiettivo.h"
#include "analysis/finestra/PaginaFrequenza.h"
#include "analysis/finestra/PaginaObiettivo.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace windara;
using namespace windara::analisi;

namespace {

using Pagina = banco::PaginaBanco<PaginaFrequenza>;

// Half and twice the winding's f0, as the field reads them.
Pagina SullaRisonanza(const DatiAnalisi &dati)
{
    return Pagina(dati, QStringLiteral("txtFrequenza"), [](const Riepilogo &r) {
        const RisultatoCapacita c = CapacitaReale(r);
        const std::optional<double> f0 =
            c.valido ? FrequenzaRisonanza(AvvolgimentoAcReale(r).induttanza, c.farad) : std::nullopt;
        if (!f0) {
            std::fprintf(stderr, "nessuna f0: %s\n", qPrintable(c.motivo));
            std::abort();
        }
        QStringList testi{QString::number(*f0 * 0.5, 'g', 6), QString::number(*f0 * 2, 'g', 6)};
        for (const QString &t : testi)
            if (!LeggiIngresso(Ingresso::Frequenza, t).valore) {
                std::fprintf(stderr, "frequenza rifiutata: %s\n", qPrintable(t));
                std::abort();
            }
        return testi;
    });
}

// The page "Progetto da induttanza" on a bobbin, and the same search without the page.
struct Obiettivi
{
    DatiAnalisi dati;
    QList<FiloRame> fili;
    IngressiComuni comuni;
    std::unique_ptr<PaginaObiettivo> pagina;
    QLineEdit *casella;
    QAbstractItemModel *tabella;
    QStringList testi;
    // Wakes the wait now and then, so that a table that never comes is said, not waited for.
    QTimer battito;
    int tasti = 0, diretti = 0;

    Obiettivi(const DatiAnalisi &d, const QList<FiloRame> &catalogo, const QStringList &obiettivi)
        : dati(d), fili(catalogo), pagina(std::make_unique<PaginaObiettivo>(d, catalogo, QString(), &comuni)),
          casella(pagina->findChild<QLineEdit *>(QStringLiteral("txtObiettivo"))),
          tabella(pagina->findChild<QTableView *>(QStringLiteral("tblObiettivo"))->model()), testi(obiettivi)
    {
        // As on the Frequenza page: the pause after typing is not work.
        for (QTimer *t : pagina->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
            t->setInterval(0);
        pagina->resize(1200, 700);
        pagina->show();
        battito.start(20);
        QApplication::processEvents();
    }
    bool inAttesa() const
    {
        for (const QTimer *t : pagina->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
            if (t->isActive())
                return true;
        return false;
    }
    // A new target typed, until the table holds every wire and is painted.
    void tasto()
    {
        casella->setText(testi[++tasti % testi.size()]);
        // The keystroke must have started the wait, or the table below could be the last one.
        if (!inAttesa()) {
            std::fprintf(stderr, "l'obiettivo %s non ha fatto ripartire la pagina\n", qPrintable(casella->text()));
            std::abort();
        }
        QElapsedTimer attesa;
        attesa.start();
        do {
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
            if (attesa.elapsed() > 120000) {
                std::fprintf(stderr, "la tabella per %s mH non è arrivata in 2 minuti\n", qPrintable(casella->text()));
                std::abort();
            }
        } while (inAttesa() || tabella->rowCount() != fili.size());
        pagina->repaint();
    }
    // The same target searched directly, at the page's temperature and style, and the page
    // painted as a keystroke paints it: what is left between the two is the page's own work.
    void diretto()
    {
        DatiAnalisi d = dati;
        d.temperatura = comuni.gradi();
        d.stile = comuni.stile();
        const TabellaObiettivo t = ProgettoDaInduttanza(d, fili, testi[++diretti % testi.size()].toDouble());
        if (t.righe.size() != size_t(fili.size())) {
            std::fprintf(stderr, "la ricerca diretta: %zu righe su %lld fili (%s)\n", t.righe.size(),
                         qlonglong(fili.size()), qPrintable(t.motivo));
            std::abort();
        }
        pagina->update();
        QApplication::processEvents();
        pagina->repaint();
    }
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QList<FiloRame> fili = banco::CatalogoRame();

    banco::MisuraPagina<Pagina>("pagina frequenza", fili, SullaRisonanza);

    // Every catalogue wire on the 5,000-turn bobbin, 10 mH and 40 mH in turn.
    Obiettivi obiettivi(banco::Progetto(fili, "50", "27", "20", "0.5"), fili,
                        {QStringLiteral("10"), QStringLiteral("40")});
    const std::string fili_ = std::to_string(fili.size()) + " fili";
    banco::coppia(
        "progetto da induttanza, " + fili_ + ": un obiettivo fino alla tabella dipinta", [&] { obiettivi.tasto(); },
        "progetto da induttanza, " + fili_ + ": la ricerca chiamata direttamente e la pagina ridisegnata",
        [&] { obiettivi.diretto(); }, 1.5, 11);
    std::vector<double> tempi;
    for (int i = 0; i < 11; ++i)
        tempi.push_back(banco::durata([&] { obiettivi.tasto(); }));
    banco::riporta("progetto da induttanza, " + fili_ + ": un obiettivo fino alla tabella dipinta",
                   banco::mediana(tempi), 200000);
    return 0;
}
