#include "app/PreparazioneAvvio.h"

#include "catalogue/Catalogo.h"
#include "ui/Stile.h"

namespace windara {

PreparazioneAvvio::PreparazioneAvvio() : m_caratteri(m_caratteriPronti.get_future())
{
    m_filo = std::thread([this, applicazione = m_applicazione.get_future()]() mutable {
        ui::PreparaCaratteri();
        m_caratteriPronti.set_value();
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
