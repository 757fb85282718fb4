// One start of the program as its main() does it, or of a bare Qt main window, timed
// from the launch (the launcher's clock, passed in) to the window shown and idle; then
// the peak memory. With "tabella" the 32,766-row results window is opened as well.
//   avvio_finestra windara|vuota|tabella <launch time in ns, CLOCK_MONOTONIC>

#include "design/FrmBobine.h"
#include "design/Module1.h"
#include "table/FrmCalcoli.h"
#include "ui/Traduzioni.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

using namespace windara;

namespace {

long long adesso()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

long picco()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &riga : f.readAll().split('\n'))
        if (riga.startsWith("VmHWM:"))
            return riga.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 3)
        return 2;
    const QByteArray modo = argv[1];
    const long long lancio = std::atoll(argv[2]);
    QApplication app(argc, argv);

    std::unique_ptr<QMainWindow> finestra;
    std::unique_ptr<frmCalcoli> risultati;
    if (modo == "vuota") {
        finestra = std::make_unique<QMainWindow>();
        finestra->setWindowTitle(QStringLiteral("Vuota"));
        finestra->resize(689, 510);
    } else {
        ui::CaricaTraduzioniQt(app);
        auto f = std::make_unique<FrmBobine>(QStringLiteral(WINDARA_PROGRAM_DIR));
        f->Form_Load();
        finestra = std::move(f);
    }
    finestra->show();

    QTimer::singleShot(0, &app, [&] {
        const long long pronto = adesso();
        if (modo == "tabella") {
            auto *f = static_cast<FrmBobine *>(finestra.get());
            auto *lista = f->findChild<QComboBox *>(QStringLiteral("txtDiametro1"));
            lista->setCurrentIndex(lista->findText(QStringLiteral("0.05")));
            f->findChild<QLineEdit *>(QStringLiteral("txtAltezza"))->setText(QStringLiteral("30"));
            f->findChild<QLineEdit *>(QStringLiteral("txtB"))->setText(QStringLiteral("1640.32"));
            f->findChild<QLineEdit *>(QStringLiteral("txtL"))->setText(QStringLiteral("20"));
            risultati = std::make_unique<frmCalcoli>(f->cartellaProgramma(), f->testiStudio(), nullptr, f);
            risultati->show();
            QApplication::processEvents();
            if (Module1().StratiMax != 32766)
                std::abort();
        }
        std::printf("AVVIO|%.3f\nMEMORIA|%ld\n", double(pronto - lancio) / 1000.0, picco());
        std::fflush(stdout);
        QCoreApplication::exit(0);
    });
    return app.exec();
}
