#pragma once

// A page of the analysis window on a design, driven as the user drives it: a text typed in
// one of its fields until the page is painted again, against painting it alone.

#include "analysis/Analisi.h"
#include "analysis/finestra/Ingressi.h"

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

namespace banco {

// How long f() takes, µs.
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

} // namespace banco
