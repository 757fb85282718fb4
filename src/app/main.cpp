#include "app/Applicazione.h"
#include "app/PreparazioneAvvio.h"
#include "design/Errori.h"
#include "ui/Messaggi.h"
#include "ui/Traduzioni.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // Started before the application object, to work while it connects to the display.
    windara::PreparazioneAvvio preparazione;
    QApplication app(argc, argv);
    preparazione.applicazionePronta();
    windara::ui::CaricaTraduzioniQt(app);
    preparazione.attendiCaratteri();

    // Database/ and Studi/ lie beside the program, wherever it was started from.
    windara::Applicazione applicazione(QCoreApplication::applicationDirPath());
    try {
        applicazione.Avvia();
    } catch (const windara::ErroreRuntime &e) {
        preparazione.attendi();
        windara::ui::MostraErrore(nullptr, e.testo());
        return 1;
    }
    preparazione.attendi();
    return app.exec();
}
