// Starts the program's start-up and a bare Qt window alternately, many times, in one run,
// and prints the medians with the goal of 1.5 times the bare window; then peak memory.
//   misura_avvio <path of avvio_finestra> [runs]

#include "Banco.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

extern char **environ;

namespace {

long long adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// One start; gives the time to the window shown and idle (µs) and the peak memory (kB).
bool avvia(const std::string &programma, const char *modo, double &micro, long &memoria)
{
    int tubo[2];
    if (pipe(tubo) != 0)
        return false;
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_adddup2(&azioni, tubo[1], 1);
    posix_spawn_file_actions_addclose(&azioni, tubo[0]);
    const std::string lancio = std::to_string(adesso());
    char *argv[] = {const_cast<char *>(programma.c_str()), const_cast<char *>(modo), const_cast<char *>(lancio.c_str()),
                    nullptr};
    pid_t pid = 0;
    const int e = posix_spawn(&pid, programma.c_str(), &azioni, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&azioni);
    close(tubo[1]);
    if (e != 0)
        return false;
    std::string uscita;
    char buf[256];
    for (ssize_t n; (n = read(tubo[0], buf, sizeof buf)) > 0;)
        uscita.append(buf, size_t(n));
    close(tubo[0]);
    int stato = 0;
    waitpid(pid, &stato, 0);
    return std::sscanf(uscita.c_str(), "AVVIO|%lf\nMEMORIA|%ld", &micro, &memoria) == 2 && WIFEXITED(stato) &&
           WEXITSTATUS(stato) == 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const std::string programma = argv[1];
    const int giri = argc > 2 ? std::atoi(argv[2]) : 15;
    std::vector<double> windara, vuota;
    long memWindara = 0, memVuota = 0, memTabella = 0;
    double t = 0;
    long m = 0;
    for (int i = 0; i <= giri; ++i) {
        // The first round warms the caches of both and is not counted.
        if (!avvia(programma, "vuota", t, m))
            return 1;
        if (i > 0)
            vuota.push_back(t);
        memVuota = m;
        if (!avvia(programma, "windara", t, m))
            return 1;
        if (i > 0)
            windara.push_back(t);
        memWindara = m;
    }
    if (!avvia(programma, "tabella", t, memTabella))
        return 1;
    const double bare = banco::mediana(vuota);
    banco::riporta("avvio di una finestra Qt vuota (riferimento)", bare, bare);
    banco::riporta("avvio fino alla finestra principale pronta (1.5 x vuota)", banco::mediana(windara), 1.5 * bare);
    std::printf("MEMORIA|finestra Qt vuota|%ld\nMEMORIA|finestra principale|%ld\n"
                "MEMORIA|finestra dei risultati di 32766 strati aperta|%ld\n",
                memVuota, memWindara, memTabella);
    return 0;
}
