#include "analysis/finestra/Lavoratore.h"

#include <QMetaObject>

#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

#include <sys/resource.h>
#include <unistd.h>

namespace windara::analisi {

namespace {
constexpr int PrioritaLavoro = 5; // nice
} // namespace

struct Lavoratore::Stato
{
    std::atomic<bool> annulla{false};
    std::thread filo;
    std::mutex mutex;
    std::condition_variable fatto;
    // Guarded by the mutex.
    bool finito = false;
    bool primi = false;
    bool svuotamentoInCoda = false;
    std::vector<std::function<void()>> posta;
};

Lavoratore::Contesto::Contesto(Lavoratore *l, std::shared_ptr<Stato> s) : m_l(l), m_s(std::move(s))
{
    m_avanzamento.annulla = &m_s->annulla;
    // The core calls this every few milliseconds at most: one queued call each time.
    m_avanzamento.progresso = [this](double frazione) {
        consegna([l = m_l, frazione] { emit l->progresso(frazione); });
        return !annullato();
    };
}

bool Lavoratore::Contesto::annullato() const
{
    return m_s->annulla.load(std::memory_order_relaxed);
}

void Lavoratore::Contesto::consegna(std::function<void()> f) const
{
    {
        const std::lock_guard blocco(m_s->mutex);
        m_s->posta.push_back(std::move(f));
        if (m_s->svuotamentoInCoda)
            return;
        m_s->svuotamentoInCoda = true;
    }
    // The Lavoratore outlives the thread (its destructor joins it), and Qt drops a queued
    // call whose object is gone.
    QMetaObject::invokeMethod(
        m_l, [l = m_l, s = m_s] { l->svuota(s); }, Qt::QueuedConnection);
}

void Lavoratore::Contesto::primiRisultati() const
{
    {
        const std::lock_guard blocco(m_s->mutex);
        m_s->primi = true;
    }
    m_s->fatto.notify_all();
}

Lavoratore::Lavoratore(QObject *parent) : QObject(parent)
{}

Lavoratore::~Lavoratore()
{
    annulla();
    for (const auto &s : m_daUnire)
        s->filo.join();
}

void Lavoratore::avvia(Lavoro lavoro)
{
    annulla();
    raccogli();
    auto s = std::make_shared<Stato>();
    m_corrente = s;
    emit avviato();
    s->filo = std::thread([this, s, lavoro = std::move(lavoro)] {
        // Below the window's thread (and the threads the core starts from this one inherit
        // it): on a machine of two cores, the window keeps its share while the work runs.
        setpriority(PRIO_PROCESS, gettid(), PrioritaLavoro);
        QString errore;
        {
            const Contesto c(this, s);
            try {
                lavoro(c);
            } catch (const std::exception &e) {
                errore = QString::fromLocal8Bit(e.what());
            }
            // Last in the queue: whatever the computation handed back has run by then.
            c.consegna([this, errore] {
                // Its thread is joined once it has returned.
                m_daUnire.push_back(std::move(m_corrente));
                emit terminato(errore);
            });
        }
        {
            const std::lock_guard blocco(s->mutex);
            s->finito = true;
        }
        s->fatto.notify_all();
    });
}

void Lavoratore::annulla()
{
    if (!m_corrente)
        return;
    m_corrente->annulla = true;
    m_daUnire.push_back(std::move(m_corrente));
    m_corrente = nullptr;
    emit annullato();
}

bool Lavoratore::attendi(int millisecondi)
{
    const std::shared_ptr<Stato> s = m_corrente;
    if (!s)
        return true;
    bool finito = false;
    {
        std::unique_lock blocco(s->mutex);
        s->fatto.wait_for(blocco, std::chrono::milliseconds(millisecondi), [&] { return s->finito || s->primi; });
        finito = s->finito;
    }
    svuota(s);
    return finito;
}

void Lavoratore::svuota(const std::shared_ptr<Stato> &s)
{
    while (s == m_corrente) {
        std::vector<std::function<void()>> posta;
        {
            const std::lock_guard blocco(s->mutex);
            posta.swap(s->posta);
            s->svuotamentoInCoda = false;
        }
        if (posta.empty())
            break;
        // Each step may start another computation: the rest of this one's then goes.
        for (auto &f : posta) {
            if (s != m_corrente)
                break;
            f();
        }
    }
    if (s != m_corrente)
        raccogli();
}

void Lavoratore::raccogli()
{
    // Joining a thread that has finished costs nothing; the others keep running until they
    // see the cancellation.
    std::erase_if(m_daUnire, [](const std::shared_ptr<Stato> &s) {
        {
            const std::lock_guard blocco(s->mutex);
            if (!s->finito)
                return false;
        }
        s->filo.join();
        return true;
    });
}

} // namespace windara::analisi
