// What the end-to-end scripts cannot get from xdotool alone:
//   aiuto posizioni <folder> <wire>       where to click in the windows, and the wire's
//                                         place in the list, as "name x y" lines
//   aiuto atteso <folder> <H> <B> <D1> <wire> <file>
//                                         the report bytes of that design, saved now
//   aiuto messaggio <folder> <file.png>   the error box of a missing catalogue, drawn
//   aiuto schermata <window id> <file.png>
//                                         a picture of any window of the X display
//   aiuto riepilogo <folder> <H> <B> <D1> <wire> <file>
//                                         what the analysis window copies for that design
//   aiuto obiettivo <folder> <H> <B> <D1> <wire> <mH> <file>
//                                         what its target page copies for that target
//   aiuto appunti <file>                  the text on the clipboard
// Positions come from the program's own windows built here on the same display, so the
// script clicks where a person would see the buttons whatever the style or font.

#include "analysis/Obiettivo.h"
#include "analysis/finestra/IngressoAnalisi.h"
#include "app/Applicazione.h"
#include "catalogue/Catalogo.h"
#include "catalogue/FrmTabella.h"
#include "design/Errori.h"
#include "design/FrmBobine.h"
#include "design/Limiti.h"
#include "design/Module1.h"
#include "report/Studio.h"
#include "ui/BarraStrumenti.h"
#include "ui/Messaggi.h"
#include "ui/Stile.h"
#include "ui/Traduzioni.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QTest>

#include <array>
#include <cstdio>

using namespace windara;

namespace {

int errore(const QString &testo)
{
    std::fprintf(stderr, "aiuto: %s\n", qPrintable(testo));
    return 1;
}

void stampa(const char *nome, QWidget *w, QPoint p)
{
    const QPoint q = w->mapTo(w->window(), p);
    std::printf("%s %d %d\n", nome, q.x(), q.y());
}

void centro(const char *nome, QWidget *w)
{
    stampa(nome, w, w->rect().center());
}

void voceMenu(const char *nome, QMenuBar *barra, const char *azione)
{
    auto *a = barra->window()->findChild<QAction *>(QLatin1String(azione));
    stampa(nome, barra, barra->actionGeometry(a).center());
}

bool mostra(QWidget &w)
{
    w.show();
    return QTest::qWaitForWindowExposed(&w);
}

int posizioni(const QString &cartella, const QString &filo)
{
    FrmBobine bobine(cartella);
    bobine.Form_Load();
    if (!mostra(bobine))
        return errore(QStringLiteral("la finestra principale non si vede"));
    auto *barra = bobine.findChild<ui::BarraStrumenti *>(QStringLiteral("Toolbar1"));
    centro("bobine.calcola", barra->widgetPulsante(1));
    centro("bobine.visualizza", barra->widgetPulsante(2));
    centro("bobine.esci", barra->widgetPulsante(4));
    voceMenu("bobine.menu_esci", bobine.menuBar(), "MnuEsci");
    auto *lista = bobine.findChild<QComboBox *>(QStringLiteral("txtDiametro1"));
    centro("bobine.filo", lista);
    const int indice = lista->findText(filo);
    if (indice < 0)
        return errore(QStringLiteral("il filo %1 non è nella lista").arg(filo));
    std::printf("bobine.filo_indice %d 0\n", indice);
    bobine.hide();

    frmtabella tabella(cartella);
    if (!mostra(tabella))
        return errore(QStringLiteral("la tabella dei fili non si vede"));
    centro("tabella.precedente",
           tabella.findChild<ui::BarraStrumenti *>(QStringLiteral("Toolbar1"))->widgetPulsante(4));
    return 0;
}

// The report as the builder writes it for the texts the main window would hold, with the
// resistance of the wire as the catalogue gives it and the user's date and decimal point.
int atteso(const QString &cartella, const QString &h, const QString &b, const QString &d1, const QString &filo,
           const QString &uscita)
{
    StatoProgetto &s = Module1();
    const QString connessione = ApriCatalogo(cartella);
    const EsitoRicerca ricerca = EsitoRicerca::trovata(ResistenzaMetroDi(CercaRame(connessione, filo), connessione));
    DidascalieLimiti d;
    RecalcoloLimiti(TestiLimiti{h, b, d1, filo, filo}, ricerca, s, d);
    const TestiStudio testi{h,
                            d1,
                            filo,
                            filo,
                            d[Risultato::Ltot],
                            d[Risultato::NumeroStrati],
                            d[Risultato::SpireStrato],
                            d[Risultato::SpireTotali],
                            d[Risultato::Ind]};
    const QLocale locale;
    const ImpostazioniStudio imp{locale.toString(QDate::currentDate(), QLocale::ShortFormat), locale.decimalPoint()};
    const QByteArray testo = TestoStudio(testi, s, imp);
    ChiudiCatalogo(connessione);
    QFile f(uscita);
    if (!f.open(QIODevice::WriteOnly) || f.write(testo) != testo.size())
        return errore(f.errorString());
    return 0;
}

int scrivi(const QString &uscita, const QString &testo)
{
    QFile f(uscita);
    const QByteArray byte = testo.toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(byte) != byte.size())
        return errore(f.errorString());
    return 0;
}

// What the analysis window starts from for the design typed into a main window, gathered
// as the program gathers it.
analisi::IngressoAnalisi ingresso(FrmBobine &bobine, const QStringList &progetto)
{
    bobine.Form_Load();
    auto *lista = bobine.findChild<QComboBox *>(QStringLiteral("txtDiametro1"));
    lista->setCurrentIndex(lista->findText(progetto[3]));
    for (int i = 0; i < 3; ++i)
        bobine.findChild<QLineEdit *>(QLatin1String(std::array{"txtAltezza", "txtB", "txtL"}[i]))->setText(progetto[i]);
    return IngressoAnalisiDi(bobine);
}

// The summary and the per-layer table at 20 C, as the analysis window copies them.
int riepilogo(const QString &cartella, const QStringList &progetto, const QString &uscita)
{
    FrmBobine bobine(cartella);
    const analisi::DatiAnalisi dati = ingresso(bobine, progetto).dati;
    const QString separatore = QLocale().decimalPoint();
    return scrivi(uscita, analisi::TestoRiepilogo(analisi::CalcolaRiepilogo(dati), separatore) +
                              analisi::TestoTabellaStrati(analisi::CalcolaTabellaStrati(dati), 20, separatore));
}

// The design from a target over the catalogue, as the target page copies it.
int obiettivo(const QString &cartella, const QStringList &progetto, double millihenry, const QString &uscita)
{
    FrmBobine bobine(cartella);
    const analisi::IngressoAnalisi i = ingresso(bobine, progetto);
    return scrivi(uscita, analisi::TestoObiettivo(analisi::ProgettoDaInduttanza(i.dati, i.catalogo, millihenry),
                                                  QLocale().decimalPoint()));
}

// Two grabs in a row alike: the window has finished painting.
QImage stabile(WId finestra)
{
    QImage prima, dopo = QGuiApplication::primaryScreen()->grabWindow(finestra).toImage();
    for (int i = 0; i < 50 && (prima.isNull() || prima != dopo); ++i) {
        QTest::qWait(50);
        prima = dopo;
        dopo = QGuiApplication::primaryScreen()->grabWindow(finestra).toImage();
    }
    return dopo;
}

// The box a missing catalogue must bring up: the catalogue's own message, which has to
// name the file, in the program's error box, drawn active with its button focused.
int messaggio(const QString &cartella, const QString &uscita)
{
    QString testo;
    try {
        ApriCatalogo(cartella);
        return errore(QStringLiteral("il catalogo di %1 si apre").arg(cartella));
    } catch (const ErroreRuntime &e) {
        testo = e.testo();
    }
    const QString file = QDir::toNativeSeparators(PercorsoCatalogo(cartella));
    if (!testo.contains(file))
        return errore(QStringLiteral("il messaggio «%1» non nomina %2").arg(testo, file));
    std::printf("%s\n", qPrintable(testo));

    QApplication::setPalette(ui::PaletteChiara()); // the program's, whatever the desktop's
    QMessageBox box(QMessageBox::Critical, ui::TitoloMessaggi(), testo, QMessageBox::Ok);
    box.show();
    box.activateWindow();
    if (!QTest::qWaitForWindowActive(&box))
        return errore(QStringLiteral("la finestra del messaggio non è attiva"));
    return stabile(box.winId()).save(uscita) ? 0 : errore(QStringLiteral("non scrivo %1").arg(uscita));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ui::CaricaTraduzioniQt(app);
    const QStringList a = app.arguments();
    const QString comando = a.value(1);
    try {
        if (comando == u"posizioni" && a.size() == 4)
            return posizioni(a[2], a[3]);
        if (comando == u"atteso" && a.size() == 8)
            return atteso(a[2], a[3], a[4], a[5], a[6], a[7]);
        if (comando == u"messaggio" && a.size() == 4)
            return messaggio(a[2], a[3]);
        if (comando == u"riepilogo" && a.size() == 8)
            return riepilogo(a[2], a.mid(3, 4), a[7]);
        if (comando == u"obiettivo" && a.size() == 9)
            return obiettivo(a[2], a.mid(3, 4), a[7].toDouble(), a[8]);
        if (comando == u"appunti" && a.size() == 3)
            return scrivi(a[2], QGuiApplication::clipboard()->text());
        if (comando == u"schermata" && a.size() == 4)
            return stabile(WId(a[2].toULongLong())).save(a[3]) ? 0 : errore(QStringLiteral("non scrivo ") + a[3]);
    } catch (const ErroreRuntime &e) {
        return errore(e.testo());
    }
    return errore(QStringLiteral("uso: aiuto posizioni|atteso|messaggio|schermata|riepilogo|obiettivo|appunti …"));
}
