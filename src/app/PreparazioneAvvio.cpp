#include "app/PreparazioneAvvio.h"

#include "catalogue/Catalogo.h"
#include "ui/Stile.h"

#include <QThread>

namespace windara {

PreparazioneAvvio::PreparazioneAvvio() : m_caratteri(m_caratteriPronti.get_future())
{
    // Qt takes the first thread that asks for its own thread as the main one: this one must
    // ask before the helper makes any Qt object.
    QThread::currentThread();
    m_filo = std::thread([this, applicazione = m_applicazione.get_future()]() mutable {
        ui::PreparaCaratteri();
        m_caratteriPronti.set_value();
        ui::PreparaFormatiImmagine();
        if (applicazione.get())
            PreparaDriverCatalogo();
    });
}

PreparazioneAvvio::~PreparazioneAvvio()
{
    lascia(false);
    attendi();
}

void PreparazioneAvvio::applicazionePronta()
{
    lascia(true);
}

void PreparazioneAvvio::lascia(bool driver)
{
    if (!m_applicazioneDetta) {
        m_applicazioneDetta = true;
        m_applicazione.set_value(driver);
    }
}

void PreparazioneAvvio::attendiCaratteri()
{
    m_caratteri.wait();
}

void PreparazioneAvvio::attendi()
{
    if (m_filo.joinable())
        m_filo.join();
}

} // namespace windara
