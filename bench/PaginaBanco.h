#pragma once

// A page of the analysis window on a design, driven as the user drives it: a text typed in
// one of its fields until the page is painted again, against painting it alone.

#include "Banco.h"
#include "ProgettoBanco.h"

#include "analysis/Analisi.h"
#include "analysis/finestra/Ingressi.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

namespace banco {

// How long f() takes, µs.
// The longest gap between two ticks of a 1 ms timer until `fatto`, in microseconds: how long
// the window could not answer the user.
inline double pausaPiuLunga(const std::function<bool()> &fatto)
{
    QElapsedTimer orologio;
    orologio.start();
    qint64 ultimo = orologio.nsecsElapsed(), pausa = 0;
    QTimer battito;
    battito.setTimerType(Qt::PreciseTimer);
    QObject::connect(&battito, &QTimer::timeout, [&] {
        const qint64 adesso = orologio.nsecsElapsed();
        pausa = std::max(pausa, adesso - ultimo);
        ultimo = adesso;
    });
    battito.start(1);
    while (!fatto())
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    return double(pausa) / 1e3;
}

// A deadline `secondi` from now, for pausaPiuLunga over a fixed time.
inline QDeadlineTimer Fine(double secondi)
{
    return QDeadlineTimer(qint64(secondi * 1e3), Qt::PreciseTimer);
}

inline double durata(const std::function<void()> &f)
{
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

// `P` is built as (dati, &comuni) and takes the design's summary through impostaRiepilogo.
// Each keystroke types the next of `testi` in the field named `campo`. A page that waits for
// the user to stop typing waits no more here: that pause is on purpose, not work; what is
// timed is what the keystroke then costs.
template <class P>
struct PaginaBanco
{
    windara::analisi::Riepilogo riepilogo;
    windara::analisi::IngressiComuni comuni;
    std::unique_ptr<P> pagina;
    QLineEdit *casella;
    QStringList testi;
    int tasti = 0;

    // `scelta` gives the texts to type, from the summary.
    PaginaBanco(const windara::analisi::DatiAnalisi &dati, const QString &campo,
                const std::function<QStringList(const windara::analisi::Riepilogo &)> &scelta)
        : riepilogo(windara::analisi::CalcolaRiepilogo(dati)), pagina(std::make_unique<P>(dati, &comuni)),
          casella(pagina->template findChild<QLineEdit *>(campo))
    {
        if (!casella)
            std::abort();
        for (QTimer *t : pagina->template findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
            t->setInterval(0);
        pagina->resize(1000, 640);
        pagina->show();
        pagina->impostaRiepilogo(&riepilogo, {});
        testi = scelta(riepilogo);
        if (testi.isEmpty())
            std::abort();
        QApplication::processEvents();
    }
    // A new text typed, and the page as the next frame shows it.
    void tasto()
    {
        casella->setText(testi[++tasti % testi.size()]);
        QApplication::processEvents();
        while (inAttesa())
            QApplication::processEvents();
        pagina->repaint();
    }
    void ridisegno()
    {
        pagina->update();
        QApplication::processEvents();
        pagina->repaint();
    }

private:
    bool inAttesa() const
    {
        for (const QTimer *t : pagina->template findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly))
            if (t->isActive())
                return true;
        return false;
    }
};

// What a page that follows the keyboard must show: on a 100 x 50 design a keystroke until the
// page is painted again, against painting alone and against a frame; on the largest design
// the rules allow, against a 40 x 16 one, and its slowest keystroke against the 50 ms the
// window may ever stand still. `sulla` makes the page on a design.
template <class Pagina, class Costruttore>
void MisuraPagina(const std::string &nome, const QList<windara::FiloRame> &fili, Costruttore sulla)
{
    Pagina ordinaria = sulla(Progetto(fili, "50", "27", "20", "0.5"));
    coppia(
        nome + " 100 x 50: un tasto fino alla pagina ridisegnata", [&] { ordinaria.tasto(); },
        nome + " 100 x 50: solo il ridisegno", [&] { ordinaria.ridisegno(); }, 5, 41);
    std::vector<double> tempi;
    for (int i = 0; i < 41; ++i)
        tempi.push_back(durata([&] { ordinaria.tasto(); }));
    riporta(nome + " 100 x 50: un tasto fino alla pagina ridisegnata (un fotogramma)", mediana(tempi), 16667);

    // 32,766 layers of 600 turns of 0.05 mm.
    Pagina massima = sulla(Progetto(fili, "30", "1640.32", "20", "0.05"));
    Pagina piccola = sulla(Progetto(fili, "20", "10", "10", "0.5"));
    coppia(
        nome + ", progetto massimo: un tasto fino alla pagina ridisegnata", [&] { massima.tasto(); },
        nome + ", 40 x 16: un tasto fino alla pagina ridisegnata", [&] { piccola.tasto(); }, 1.5, 41);
    double peggiore = 0;
    for (int i = 0; i < 41; ++i)
        peggiore = std::max(peggiore, durata([&] { massima.tasto(); }));
    riporta(nome + ", progetto massimo: il tasto più lento di 41", peggiore, 50000);
}

} // namespace banco
