#pragma once

#include "analysis/Avanzamento.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace windara::analisi {

// One computation at a time on a thread of its own, so that a window never waits on the
// core: starting a computation cancels the one before, whose late results are dropped.
// What a computation hands back runs on the window's thread, in the order it was handed.
// Destroying the Lavoratore cancels every computation and joins its thread.
class Lavoratore : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Lavoratore)

    struct Stato;

public:
    // What a computation receives: the core's progress and cancellation, and the way back.
    class Contesto
    {
    public:
        Q_DISABLE_COPY_MOVE(Contesto)
        const Avanzamento &avanzamento() const { return m_avanzamento; }
        bool annullato() const;
        // `f` runs on the window's thread, unless this computation has been cancelled or
        // replaced by then.
        void consegna(std::function<void()> f) const;
        // What has been handed back so far is enough to show: attendi() need not wait for
        // the rest.
        void primiRisultati() const;

    private:
        friend class Lavoratore;
        Contesto(Lavoratore *l, std::shared_ptr<Stato> s);
        Lavoratore *m_l;
        std::shared_ptr<Stato> m_s;
        Avanzamento m_avanzamento;
    };
    using Lavoro = std::function<void(const Contesto &)>;

    explicit Lavoratore(QObject *parent = nullptr);
    ~Lavoratore() override;

    void avvia(Lavoro lavoro);
    // Cancels the current computation; nothing more of it arrives.
    void annulla();
    bool inCorso() const { return m_corrente != nullptr; }
    // Waits at most `millisecondi` for the current computation to end or to give its first
    // results, then runs what it has handed back so far. True when it ended.
    bool attendi(int millisecondi);

signals:
    void avviato();
    // The current computation was cancelled (by annulla(), or by avvia() starting another).
    void annullato();
    void progresso(double frazione);
    // The current computation ended by itself; `errore` says why it broke off, if it did.
    void terminato(const QString &errore);

private:
    void svuota(const std::shared_ptr<Stato> &s);
    void raccogli();

    std::shared_ptr<Stato> m_corrente;
    // Computations cancelled or ended whose threads have not been joined yet.
    std::vector<std::shared_ptr<Stato>> m_daUnire;
};

} // namespace windara::analisi
