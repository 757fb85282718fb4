#pragma once

#include <future>
#include <thread>

namespace windara {

// Start-up work that needs neither the X connection nor a window, done on a thread of its own
// beside them, on a second core where there is one: the font configuration, which the first
// font would wait for, the image format plugins, which the first tool bar or menu bar would
// wait for, and, once the application object exists, the catalogue's database driver, which
// the main window's load would wait for.
//   PreparazioneAvvio preparazione;          // before QApplication
//   QApplication app(argc, argv);
//   preparazione.applicazionePronta();
//   preparazione.attendiCaratteri();         // before the first font
//   ...                                      // the main window
//   preparazione.attendi();                  // before the application object goes
class PreparazioneAvvio
{
public:
    PreparazioneAvvio();
    ~PreparazioneAvvio();
    PreparazioneAvvio(const PreparazioneAvvio &) = delete;
    PreparazioneAvvio &operator=(const PreparazioneAvvio &) = delete;

    void applicazionePronta();
    // Two readers of the configuration at once would each read it whole.
    void attendiCaratteri();
    void attendi();

private:
    void lascia(bool driver);

    std::promise<bool> m_applicazione; // true: the driver may be loaded
    bool m_applicazioneDetta = false;
    std::promise<void> m_caratteriPronti;
    std::future<void> m_caratteri;
    std::thread m_filo;
};

} // namespace windara
