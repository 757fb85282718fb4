// Start-up as a user meets it: the program and the reference window, each a whole process,
// from exec to its main window drawn on the X server, started in turn many times in one run.
//   misura_avvio <program> <reference> [rounds]      (under an X server: avvio.sh)
//
// "Drawn" is seen by the X server, not by the program: this harness is an X client that puts
// a DAMAGE object on every top-level window the started process creates, and stops the clock
// when the window, mapped, has had its whole area drawn into (Qt flushes its first frame in
// one image). Neither program carries any code for being measured, and both are timed the
// same way; polling with xdotool or xwininfo would see only the mapping, which comes before
// any pixel, and add its own delay.

#include "Banco.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

extern char **environ;

namespace {

struct Finestra
{
    int larghezza = 0, altezza = 0;
    bool mappata = false;
    // The bounding box of what has been drawn so far.
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;

    bool disegnata() const { return mappata && x0 <= 0 && y0 <= 0 && x1 >= larghezza && y1 >= altezza; }
};

class Osservatore
{
public:
    bool apri()
    {
        m_x = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(m_x))
            return false;
        const xcb_query_extension_reply_t *danno = xcb_get_extension_data(m_x, &xcb_damage_id);
        if (!danno || !danno->present)
            return false;
        m_primoEventoDanno = danno->first_event;
        xcb_damage_query_version_reply_t *v =
            xcb_damage_query_version_reply(m_x, xcb_damage_query_version(m_x, 1, 1), nullptr);
        if (!v)
            return false;
        std::free(v);
        m_radice = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
        const uint32_t maschera = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_x, m_radice, XCB_CW_EVENT_MASK, &maschera);
        xcb_flush(m_x);
        return true;
    }

    // One start: microseconds from just before exec to the window drawn, and the peak memory
    // of the process (kB) at that moment; the process is then ended.
    bool avvia(const std::string &programma, double &micro, long &memoria)
    {
        m_finestre.clear();
        posix_spawn_file_actions_t azioni;
        posix_spawn_file_actions_init(&azioni);
        posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
        char *argv[] = {const_cast<char *>(programma.c_str()), nullptr};
        pid_t pid = 0;
        const auto t0 = std::chrono::steady_clock::now();
        const int e = posix_spawn(&pid, programma.c_str(), &azioni, nullptr, argv, environ);
        posix_spawn_file_actions_destroy(&azioni);
        if (e != 0)
            return false;
        const bool disegnata = attendiDisegno(t0, pid, micro);
        memoria = picco(pid);
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        // The windows of a process that has gone: their last events are of no use.
        while (xcb_generic_event_t *ev = xcb_poll_for_event(m_x))
            std::free(ev);
        return disegnata;
    }

private:
    bool attendiDisegno(std::chrono::steady_clock::time_point t0, pid_t pid, double &micro)
    {
        const auto limite = t0 + std::chrono::seconds(20);
        pollfd pfd{xcb_get_file_descriptor(m_x), POLLIN, 0};
        while (std::chrono::steady_clock::now() < limite) {
            xcb_generic_event_t *ev = xcb_poll_for_event(m_x);
            if (!ev) {
                if (xcb_connection_has_error(m_x) || waitpid(pid, nullptr, WNOHANG) == pid)
                    return false;
                poll(&pfd, 1, 100);
                continue;
            }
            const bool fatto = evento(ev);
            std::free(ev);
            if (fatto) {
                micro = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
                return true;
            }
        }
        return false;
    }

    // True when this event completes the first frame of a mapped window.
    bool evento(const xcb_generic_event_t *ev)
    {
        const uint8_t tipo = ev->response_type & 0x7f;
        if (tipo == XCB_CREATE_NOTIFY) {
            const auto *c = reinterpret_cast<const xcb_create_notify_event_t *>(ev);
            if (c->parent != m_radice)
                return false;
            m_finestre[c->window] = Finestra{c->width, c->height};
            // An input-only window refuses it with an error event, which is ignored.
            xcb_damage_create(m_x, xcb_generate_id(m_x), c->window, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
            xcb_flush(m_x);
        } else if (tipo == XCB_CONFIGURE_NOTIFY) {
            const auto *c = reinterpret_cast<const xcb_configure_notify_event_t *>(ev);
            if (auto f = m_finestre.find(c->window); f != m_finestre.end()) {
                f->second.larghezza = c->width;
                f->second.altezza = c->height;
            }
        } else if (tipo == XCB_MAP_NOTIFY) {
            const auto *m = reinterpret_cast<const xcb_map_notify_event_t *>(ev);
            if (auto f = m_finestre.find(m->window); f != m_finestre.end())
                f->second.mappata = true;
        } else if (tipo == m_primoEventoDanno + XCB_DAMAGE_NOTIFY) {
            const auto *d = reinterpret_cast<const xcb_damage_notify_event_t *>(ev);
            auto f = m_finestre.find(d->drawable);
            if (f == m_finestre.end())
                return false;
            Finestra &w = f->second;
            w.x0 = std::min<int>(w.x0, d->area.x);
            w.y0 = std::min<int>(w.y0, d->area.y);
            w.x1 = std::max<int>(w.x1, d->area.x + d->area.width);
            w.y1 = std::max<int>(w.y1, d->area.y + d->area.height);
            return w.disegnata();
        }
        return false;
    }

    static long picco(pid_t pid)
    {
        std::ifstream stato("/proc/" + std::to_string(pid) + "/status");
        for (std::string riga; std::getline(stato, riga);)
            if (riga.rfind("VmHWM:", 0) == 0)
                return std::atol(riga.c_str() + 6);
        return 0;
    }

    xcb_connection_t *m_x = nullptr;
    xcb_window_t m_radice = 0;
    uint8_t m_primoEventoDanno = 0;
    std::map<xcb_window_t, Finestra> m_finestre;
};

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const std::string programma = argv[1], riferimento = argv[2];
    const int giri = argc > 3 ? std::atoi(argv[3]) : 21;
    Osservatore x;
    if (!x.apri()) {
        std::fprintf(stderr, "misura_avvio: no X server with the DAMAGE extension\n");
        return 1;
    }
    std::vector<double> tempi, tempiRif;
    long memoria = 0, memoriaRif = 0;
    for (int i = 0; i <= giri; ++i) {
        // The first round warms the caches of both and is not counted; then they take turns
        // at going first.
        double t = 0, tr = 0;
        const bool primaIlRiferimento = i % 2;
        if (primaIlRiferimento && !x.avvia(riferimento, tr, memoriaRif))
            return 1;
        if (!x.avvia(programma, t, memoria))
            return 1;
        if (!primaIlRiferimento && !x.avvia(riferimento, tr, memoriaRif))
            return 1;
        if (i > 0) {
            tempi.push_back(t);
            tempiRif.push_back(tr);
        }
    }
    banco::riportaCoppia("avvio fino alla finestra principale disegnata", tempi,
                         "finestra Qt con menu, etichetta e casella", tempiRif, 1.3);
    banco::memoria("avvio: finestra principale disegnata (VmHWM)", memoria);
    banco::memoria("avvio: finestra Qt di riferimento disegnata (VmHWM)", memoriaRif);
    return 0;
}
