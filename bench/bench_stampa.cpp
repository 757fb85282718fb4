// Printing the largest study the program makes (32,766 layers: B 1640.32 mm, H 30, D1 20, a
// 0.05 mm wire) into a PDF file, against a minimal QPainter loop drawing the same lines
// into a PDF file of the same page layout; and the longest stretch of that print without
// a turn for the window's events.

#include "Banco.h"

#include "StampantePdf.h"
#include "design/Limiti.h"
#include "report/SalvaStudio.h"
#include "report/Stampa.h"
#include "report/StampanteSistema.h"
#include "report/Studio.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace windara;
using prova::StampantePdf;

namespace {

using Orologio = std::chrono::steady_clock;

// The longest time between two turns the window would get: before the first page, between
// pages, and after the last one until the print returns.
class Pause : public AvanzamentoStampa
{
public:
    bool Conferma(int, int) override { return true; }
    bool Pagina(int, int) override
    {
        segna();
        return true;
    }
    void inizia() { m_ultimo = Orologio::now(); }
    void segna()
    {
        const auto ora = Orologio::now();
        massima = std::max(massima, std::chrono::duration<double, std::micro>(ora - m_ultimo).count());
        m_ultimo = ora;
    }
    double massima = 0;

private:
    Orologio::time_point m_ultimo;
};

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    StatoProgetto s;
    DidascalieLimiti v;
    RecalcoloLimiti(TestiLimiti{"30", "1640.32", "20", "0.05", "0.05"}, EsitoRicerca::trovata("8.781"), s, v);
    if (s.StratiMax != 32766)
        return 1;
    QTemporaryDir cartella;
    QDir(cartella.path()).mkdir(QStringLiteral("Studi"));
    const TestiStudio ts{"30", "20", "0.05", "0.05", " 3320.6", " 32766", " 600", " 19659600", " 1"};
    SalvaStudio(cartella.path(), ts, s, ImpostazioniStudio{QStringLiteral("07/12/2026"), QStringLiteral(".")});

    // The reference draws the lines of the same report, read beforehand.
    QFile salvato(s.NomeFile);
    if (!salvato.open(QIODevice::ReadOnly))
        return 1;
    QStringList righe = DaWindows1252(salvato.readAll()).split(QStringLiteral("\r\n"));
    righe.removeLast();

    const QString pdf = cartella.path() + QStringLiteral("/studio.pdf");
    StampantePdf stampante(pdf);
    int copie = 1;
    stampante.Dialogo(nullptr, copie);
    stampante.ImpostaFont(QStringLiteral("courier new"), 10);
    const int perPagina = stampante.RighePerPagina();
    const QPageLayout impaginazione = stampante.printer().pageLayout();
    const int risoluzione = stampante.printer().resolution();
    QFont carattere(QStringLiteral("courier new"), 10);
    carattere.setStyleHint(QFont::TypeWriter);
    carattere.setFixedPitch(true);

    std::vector<double> pause;
    const auto stampa = [&] {
        Pause p;
        p.inizia();
        if (StampaStudio(nullptr, s, stampante, &p).stato != EsitoStampa::Stato::Stampata)
            std::abort();
        p.segna();
        pause.push_back(p.massima);
    };
    const QString pdfRiferimento = cartella.path() + QStringLiteral("/riferimento.pdf");
    const auto riferimento = [&] {
        QPdfWriter scrittore(pdfRiferimento);
        scrittore.setResolution(risoluzione);
        scrittore.setPageLayout(impaginazione);
        QPainter painter(&scrittore);
        painter.setFont(QFont(carattere, &scrittore));
        const QFontMetricsF metriche(painter.font());
        qreal y = 0;
        int sullaPagina = 0;
        for (const QString &riga : righe) {
            if (sullaPagina == perPagina) {
                scrittore.newPage();
                y = 0;
                sullaPagina = 0;
            }
            painter.drawText(QPointF(0, y + metriche.ascent()), riga);
            y += metriche.lineSpacing();
            ++sullaPagina;
        }
    };
    banco::coppia("stampa dello studio di 32766 strati in PDF", stampa, "ciclo QPainter minimo, stesse righe",
                  riferimento, 1.5, 3);
    banco::riporta("stampa: pausa più lunga senza eventi", banco::mediana(pause), 100000);
    return 0;
}
