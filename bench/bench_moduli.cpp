// The first use of a module: the printer's when the first results window opens, the
// analysis window's at the first Alt+A. Each is timed in a process of its own, forked from
// one that has the program's Qt libraries already, as the program has them by then, against
// loading in the same way only the Qt libraries the module brings in: the floor of any
// loading on first use. The difference is the module's own code.

#include "Banco.h"
#include "analysis/finestra/IngressoAnalisi.h"
#include "app/Moduli.h"
#include "report/StampanteSistema.h"

#include <QApplication>

#include <dlfcn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

namespace {

// Microseconds `fn` takes in a fresh child process; negative if it failed.
double inUnFiglio(const std::function<bool()> &fn)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return -1;
    const pid_t figlio = fork();
    if (figlio == 0) {
        close(tubo[0]);
        const auto t0 = std::chrono::steady_clock::now();
        const bool riuscito = fn();
        const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
        const double esito = riuscito ? us : -1;
        const bool scritto = write(tubo[1], &esito, sizeof esito) == sizeof esito;
        _exit(scritto ? 0 : 1);
    }
    close(tubo[1]);
    double us = -1;
    if (figlio < 0 || read(tubo[0], &us, sizeof us) != sizeof us)
        us = -1;
    close(tubo[0]);
    if (figlio > 0)
        waitpid(figlio, nullptr, 0);
    return us;
}

void primoUso(const char *nome, const char *modulo, const char *voce, const char *libreriaQt)
{
    const auto carica = [modulo, voce] {
        QString errore;
        return windara::VoceModulo(QStringLiteral(WINDARA_PROGRAM_DIR), modulo, voce, errore) != nullptr;
    };
    const auto pavimento = [libreriaQt] { return dlopen(libreriaQt, RTLD_NOW) != nullptr; };
    std::vector<double> tempi, tempiRif;
    for (int r = 0; r < 21; ++r) {
        const double t = inUnFiglio(carica), tr = inUnFiglio(pavimento);
        if (t < 0 || tr < 0) {
            std::fprintf(stderr, "bench_moduli: %s non si carica\n", modulo);
            std::exit(1);
        }
        tempi.push_back(t);
        tempiRif.push_back(tr);
    }
    // The module's own code at most as much again as the Qt library it brings in.
    banco::riportaCoppia(nome, tempi, std::string("solo ") + libreriaQt, tempiRif, 2.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    primoUso("primo uso del modulo della stampante", windara::ModuloStampa, windara::VoceNuovaStampante,
             "libQt6PrintSupport.so.6");
    primoUso("primo uso del modulo dell'analisi", windara::analisi::ModuloAnalisi, windara::analisi::VoceApriAnalisi,
             "libQt6Charts.so.6");
    return 0;
}
