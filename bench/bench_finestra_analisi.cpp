// The analysis window: opened on a 5,000-turn design until every figure, row and curve is in,
// against the same computations without a window; opened on the largest design the rules
// allow against opening on a small one; and on the largest design, the longest the user
// interface stands still while the workers compute, after a new input, during the search
// from a target, and when the window is closed in the middle of it.

#include "Banco.h"
#include "PaginaBanco.h"
#include "ProgettoBanco.h"

#include "analysis/finestra/FrmAnalisi.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabWidget>
#include <QTimer>

#include <chrono>
#include <memory>

using namespace windara;
using namespace windara::analisi;

namespace {

QList<FiloRame> fili;

IngressoAnalisi ingresso(const QString &h, const QString &b, const QString &d1, const QString &d)
{
    return IngressoAnalisi{banco::Progetto(fili, h, b, d1, d), fili, {}, {}, {}, {}};
}

// Events until the page's worker has nothing left to do.
void finoAllaFine(const QWidget &w)
{
    const QWidget *barra =
        w.findChild<QWidget *>(QStringLiteral("paginaRiepilogo"))->findChild<QWidget *>(QStringLiteral("barraLavoro"));
    while (!barra->isHidden())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    fili = banco::CatalogoRame();

    // 100 turns x 50 layers of 0.5 mm: the window, from its construction to the last curve,
    // against its computations alone (the summary and the two per-layer tables). Building the
    // three pages and two charts is fixed work of some 25 ms: it sets the ratio.
    const IngressoAnalisi ordinario = ingresso("50", "27", "20", "0.5");
    banco::coppia(
        "finestra di analisi 100 x 50: apertura fino all'ultima curva",
        [&] {
            frmAnalisi w(ordinario);
            w.show();
            finoAllaFine(w);
        },
        "riepilogo e due tabelle per strati, senza finestra",
        [&] {
            (void)CalcolaRiepilogo(ordinario.dati);
            (void)CalcolaTabellaStrati(ordinario.dati, Colonna::Reale);
            (void)CalcolaTabellaStrati(ordinario.dati, Colonna::StesseSpire);
        },
        8, 11);

    // The largest design (32,766 layers of 600 turns of 0.05 mm) takes seconds of work, none
    // of them on the window's thread: opening on it, up to the first picture and with the
    // closing that cancels the work, costs about what opening on a small design costs (the
    // window waits for no summary of over 5,000 turns; the workers share the two cores).
    const IngressoAnalisi massimo = ingresso("30", "1640.32", "20", "0.05");
    const IngressoAnalisi piccolo = ingresso("20", "10", "10", "0.5");
    const auto apri = [](const IngressoAnalisi &i) {
        return [&i] {
            frmAnalisi w(i);
            w.show();
            QApplication::processEvents();
        };
    };
    banco::coppia("finestra di analisi, progetto massimo: apertura e chiusura", apri(massimo),
                  "finestra di analisi, 40 x 16: apertura e chiusura", apri(piccolo), 2, 11);

    // Then the longest the window stands still: while the work runs, after a new input that
    // restarts it, during the search from a target over the catalogue, and when it closes.
    auto w = std::make_unique<frmAnalisi>(massimo);
    w->show();
    QApplication::processEvents();
    banco::riporta("finestra di analisi, progetto massimo: pausa più lunga in 3 s di calcolo",
                   banco::pausaPiuLunga([&, fine = banco::Fine(3)] { return fine.hasExpired(); }), 50000);
    w->findChild<QLineEdit *>(QStringLiteral("txtTemperatura"))->setText(QStringLiteral("25"));
    banco::riporta("finestra di analisi, progetto massimo: pausa più lunga dopo un nuovo dato",
                   banco::pausaPiuLunga([&, fine = banco::Fine(2)] { return fine.hasExpired(); }), 50000);
    w->findChild<QTabWidget *>(QStringLiteral("pagine"))->setCurrentIndex(1);
    w->findChild<QLineEdit *>(QStringLiteral("txtObiettivo"))->setText(QStringLiteral("5000"));
    banco::riporta("finestra di analisi, progetto massimo: pausa più lunga cercando 5 H",
                   banco::pausaPiuLunga([&, fine = banco::Fine(3)] { return fine.hasExpired(); }), 50000);
    const auto t0 = std::chrono::steady_clock::now();
    w.reset();
    banco::riporta("finestra di analisi, progetto massimo: chiusura durante il calcolo",
                   std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count(), 50000);
    return 0;
}
