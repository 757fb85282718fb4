#include "app/Applicazione.h"
#include "design/Errori.h"
#include "ui/Messaggi.h"
#include "ui/Traduzioni.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    windara::ui::CaricaTraduzioniQt(app);

    // Database/ and Studi/ lie beside the program, wherever it was started from.
    windara::Applicazione applicazione(QCoreApplication::applicationDirPath());
    try {
        applicazione.Avvia();
    } catch (const windara::ErroreRuntime &e) {
        windara::ui::MostraErrore(nullptr, e.testo());
        return 1;
    }
    return app.exec();
}
