// The two secondary windows, from the command to the window on screen and back, each in turn
// with a plain QTableView dialog of the same size and rows: the results window with the
// largest table the program makes (32,766 layers: B about 1640 mm with a 0.05 mm wire),
// opening and closing, and the memory it leaves behind; the wire table window, opening.

#include "Banco.h"

#include "catalogue/FrmTabella.h"
#include "design/Errori.h"
#include "design/Module1.h"
#include "table/FrmCalcoli.h"
#include "table/ModelloGriglia.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFile>
#include <QTableView>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace windara;

namespace {

double microDa(std::chrono::steady_clock::time_point t0)
{
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count();
}

// Opening (built, shown, painted) and closing (destroyed, events handled), timed apart.
template <class Crea>
std::pair<double, double> apriEChiudi(Crea crea)
{
    const auto t0 = std::chrono::steady_clock::now();
    std::unique_ptr<QDialog> f = crea();
    f->show();
    QApplication::processEvents();
    const double apertura = microDa(t0);
    const auto t1 = std::chrono::steady_clock::now();
    f.reset();
    QApplication::processEvents();
    return {apertura, microDa(t1)};
}

// The floor: a table of the same rows and columns whose texts cost nothing to make.
class ModelloSemplice : public QAbstractTableModel
{
public:
    ModelloSemplice(int righe, int colonne) : m_righe(righe), m_colonne(colonne) {}
    int rowCount(const QModelIndex &) const override { return m_righe; }
    int columnCount(const QModelIndex &) const override { return m_colonne; }
    QVariant data(const QModelIndex &i, int ruolo) const override
    {
        return ruolo == Qt::DisplayRole ? QVariant(QString::number(i.row() * m_colonne + i.column())) : QVariant();
    }

private:
    int m_righe, m_colonne;
};

// VmRSS in kB as it stands: what the allocator keeps after a window is freed counts, as it
// does for the user.
long residente()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &riga : f.readAll().split('\n'))
        if (riga.startsWith("VmRSS:"))
            return riga.mid(6).trimmed().split(' ').first().toLong();
    return 0;
}

// The plain reference of a window: a dialog of its outer size with a QTableView over
// `modello` where the window has its grid `griglia`.
template <class Crea>
std::function<std::unique_ptr<QDialog>()> DialogoSimile(Crea crea, const char *griglia, QAbstractItemModel &modello)
{
    QSize dimensione;
    QRect posto;
    {
        auto f = crea();
        f->show();
        QApplication::processEvents();
        dimensione = f->size();
        auto *g = f->template findChild<QTableView *>(QLatin1String(griglia));
        posto = QRect(g->mapTo(f.get(), QPoint(0, 0)), g->size());
    }
    QApplication::processEvents();
    return [=, &modello] {
        auto d = std::make_unique<QDialog>();
        d->setFixedSize(dimensione);
        auto *vista = new QTableView(d.get());
        vista->setModel(&modello);
        vista->setGeometry(posto);
        return d;
    };
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString cartella = QStringLiteral(WINDARA_PROGRAM_DIR);

    StatoProgetto &s = Module1();
    s.Altezza = 20;
    s.DiametroFilo = 0.05;
    s.SpirePerStrato = 400;
    s.DimensioneB = 1640;
    s.DiametroD1 = 10;
    s.StratiMax = 32766;
    s.ResistenzaMetro = QStringLiteral("8.781");
    auto risultati = [&] {
        auto f = std::make_unique<frmCalcoli>(cartella, TestiStudio{}, nullptr);
        if (f->modello().rowCount() != 32766)
            std::abort();
        return f;
    };
    QApplication::processEvents();
    ModelloSemplice semplice(32766, 6);
    const auto dialogo = DialogoSimile(risultati, "MSFlexGrid1", semplice);

    apriEChiudi(dialogo);
    const long prima = residente();
    std::vector<double> apre, apreRif, chiude, chiudeRif;
    for (int r = 0; r < 31; ++r) {
        const bool primaIlRiferimento = r % 2;
        if (primaIlRiferimento) {
            const auto [a, c] = apriEChiudi(dialogo);
            apreRif.push_back(a);
            chiudeRif.push_back(c);
        }
        const auto [a, c] = apriEChiudi(risultati);
        apre.push_back(a);
        chiude.push_back(c);
        if (!primaIlRiferimento) {
            const auto [ar, cr] = apriEChiudi(dialogo);
            apreRif.push_back(ar);
            chiudeRif.push_back(cr);
        }
    }
    const long dopo = residente();
    banco::riportaCoppia("apertura della finestra dei risultati, 32766 strati", apre,
                         "dialogo con QTableView semplice della stessa misura", apreRif, 2.0);
    banco::riportaCoppia("chiusura della finestra dei risultati, 32766 strati", chiude,
                         "chiusura del dialogo con QTableView semplice", chiudeRif, 2.0);
    {
        auto f = risultati();
        f->show();
        QApplication::processEvents();
        banco::memoria("finestra dei risultati di 32766 strati aperta (VmRSS)", residente());
    }
    QApplication::processEvents();
    banco::memoria("lasciata dopo 31 aperture e chiusure dei risultati (VmRSS)", dopo - prima, 5 * 1024);

    try {
        s.DatabaseFili = ApriCatalogo(cartella);
        auto tabellaFili = [&] {
            auto f = std::make_unique<frmtabella>(cartella);
            if (f->findChild<QTableView *>(QStringLiteral("DBGrid1"))->model()->rowCount() != 57)
                std::abort();
            return f;
        };
        ModelloSemplice fili(57, 5);
        const auto dialogoFili = DialogoSimile(tabellaFili, "DBGrid1", fili);
        std::vector<double> tempi, tempiRif;
        for (int r = 0; r <= 41; ++r) {
            const double rif1 = r % 2 ? apriEChiudi(dialogoFili).first : 0;
            const double t = apriEChiudi(tabellaFili).first;
            const double rif2 = r % 2 ? 0 : apriEChiudi(dialogoFili).first;
            if (r > 0) {
                tempi.push_back(t);
                tempiRif.push_back(rif1 + rif2);
            }
        }
        banco::riportaCoppia("apertura della finestra della tabella dei fili", tempi,
                             "dialogo con QTableView semplice di 57 righe", tempiRif, 2.0);
    } catch (const ErroreRuntime &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.testo()));
        return 1;
    }
    return 0;
}
