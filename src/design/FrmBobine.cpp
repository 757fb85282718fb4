#include "design/FrmBobine.h"

#include "catalogue/Catalogo.h"
#include "design/Avvisi.h"
#include "design/Errori.h"
#include "design/Module1.h"
#include "ui/Accessibilita.h"
#include "ui/BarraStrumenti.h"
#include "ui/EtichettaValore.h"
#include "ui/Finestra.h"
#include "ui/Icone.h"
#include "ui/Messaggi.h"
#include "ui/Stile.h"
#include "ui/Twips.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScopeGuard>
#include <QStatusBar>

#include <limits>

namespace windara {

using ui::PosizionaTwips;

namespace {

constexpr int LarghezzaClienteTwips = 10335;
constexpr int AltezzaClienteTwips = 7335;

QLabel *etichetta(QWidget *padre, const char *nome, const QString &testo, int l, int t, int w, int h)
{
    auto *e = new QLabel(testo, padre);
    e->setObjectName(QLatin1String(nome));
    e->setFont(ui::FontArial(9));
    PosizionaTwips(e, l, t, w, h);
    return e;
}

// A result label: white (or coloured) with a single border.
ui::EtichettaValore *valore(QWidget *padre, const char *nome, int l, int t, int w, int h, const QString &suggerimento,
                            quint32 sfondo = 0x00FFFFFF, bool evidenziato = false)
{
    auto *d = new ui::EtichettaValore(padre);
    d->setObjectName(QLatin1String(nome));
    d->setFont(ui::FontArial(9, evidenziato));
    d->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    d->setLineWidth(1);
    d->setAutoFillBackground(true);
    QPalette p = d->palette();
    p.setColor(QPalette::Window, ui::ColoreVB(sfondo));
    p.setColor(QPalette::WindowText, evidenziato ? QColor(255, 0, 0) : QColor(0, 0, 0));
    d->setPalette(p);
    d->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    PosizionaTwips(d, l, t, w, h);
    d->impostaSuggerimento(suggerimento);
    return d;
}

QLineEdit *casella(QWidget *padre, const char *nome, int l, int t, int w, int h)
{
    auto *c = new QLineEdit(padre);
    c->setObjectName(QLatin1String(nome));
    c->setFont(ui::FontArial(8.25));
    // Any text, any length: the computation reads it with Val. The largest length a line
    // edit takes stands for no limit (its default, 32767, cuts a longer paste short).
    c->setMaxLength(std::numeric_limits<int>::max());
    PosizionaTwips(c, l, t, w, h);
    return c;
}

QGroupBox *cornice(QWidget *padre, const char *nome, const QString &titolo, const QColor &colore, int l, int t, int w,
                   int h)
{
    auto *g = new QGroupBox(titolo, padre);
    g->setObjectName(QLatin1String(nome));
    g->setFont(ui::FontArial(9));
    g->setStyleSheet(QStringLiteral("QGroupBox#%1::title { color: %2; }").arg(QLatin1String(nome), colore.name()));
    PosizionaTwips(g, l, t, w, h);
    return g;
}

} // namespace

FrmBobine::FrmBobine(const QString &cartellaProgramma, QWidget *parent)
    : QMainWindow(parent), m_cartella(cartellaProgramma)
{
    creaControlli();
}

FrmBobine::~FrmBobine() = default;

void FrmBobine::creaControlli()
{
    setObjectName(QStringLiteral("FrmBobine"));
    setWindowTitle(QStringLiteral("Windara - Versione 1.0"));
    setWindowIcon(ui::IconaSvg(QStringLiteral("icona-bobine")));
    // Single fixed border, minimise allowed, no maximise.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    mnuCrea = ui::VoceMenu(menuBar(), "mnuCrea", QStringLiteral("Calcola"));
    mnuvisualizza = ui::VoceMenu(menuBar(), "mnuvisualizza", QStringLiteral("Visualizza"));
    // A command on the bar itself, not a menu: Alt+A opens the analysis at once.
    mnuAnalisi = ui::VoceMenu(menuBar(), "mnuAnalisi", QStringLiteral("&Analisi"));
    MnuEsci = ui::VoceMenu(menuBar(), "MnuEsci", QStringLiteral("Esci"));
    connect(mnuCrea, &QAction::triggered, this, &FrmBobine::Calcola);
    connect(mnuvisualizza, &QAction::triggered, this, &FrmBobine::Visualizza);
    connect(mnuAnalisi, &QAction::triggered, this, &FrmBobine::Analisi);
    connect(MnuEsci, &QAction::triggered, this, &FrmBobine::Esci);
    ui::EvidenziaVociMenu(menuBar());

    auto *cliente = new QWidget(this);
    cliente->setObjectName(QStringLiteral("cliente"));
    cliente->setFixedSize(ui::Pixel(LarghezzaClienteTwips), ui::Pixel(AltezzaClienteTwips));
    setCentralWidget(cliente);

    Toolbar1 = ui::BarraFinestra(cliente, 360, {"tb-bobina", QStringLiteral("Calcola i valori di induttanza")},
                                 {"tb-tabella", QStringLiteral("Visualizza tabella diametri filo di rame")},
                                 {"tb-esci", QStringLiteral("Esce dall'applicazione")});
    connect(Toolbar1, &ui::BarraStrumenti::ButtonClick, this, &FrmBobine::Toolbar1_ButtonClick);

    etichetta(cliente, "Label2", QStringLiteral("Diametro Filo (D) mm: "), 240, 1635, 1935, 255);
    // The label lies under the text part of the list, so the list's own text is what shows.
    txtDiametro = valore(cliente, "txtDiametro", 2280, 1560, 855, 345, QString());
    txtDiametro->setFont(ui::FontArial(9));
    txtDiametro1 = new QComboBox(cliente);
    txtDiametro1->setObjectName(QStringLiteral("txtDiametro1"));
    txtDiametro1->setEditable(false);
    txtDiametro1->setFont(ui::FontArial(9));
    ui::LimitaElenco(txtDiametro1, 20);
    PosizionaTwips(txtDiametro1, 2280, 1560, 1095, 345);
    txtDiametro1->raise();

    etichetta(cliente, "Label1", QStringLiteral("Altezza (H) mm:"), 240, 2640, 1455, 255);
    txtAltezza = casella(cliente, "txtAltezza", 2280, 2520, 1095, 375);
    txtAltezza->setToolTip(QStringLiteral("Nell'altezza sono escluse le flangie"));
    etichetta(cliente, "Label4", QStringLiteral("Dimensione (B) mm:"), 240, 3510, 1815, 255);
    txtB = casella(cliente, "txtB", 2280, 3480, 1095, 375);
    etichetta(cliente, "Label7", QStringLiteral("Dimensione (D1) mm:"), 240, 4500, 1935, 255);
    txtL = casella(cliente, "txtL", 2280, 4440, 1095, 375);

    QGroupBox *frame2 = cornice(cliente, "Frame2", QStringLiteral("Dimensioni Rocchetto in mm"), QColor(255, 0, 0),
                                4080, 480, 6135, 5175);
    ui::Immagine *image1 = ui::ImmagineSvg(QStringLiteral("bobina"), frame2);
    image1->setObjectName(QStringLiteral("Image1"));
    PosizionaTwips(image1, 720, 240, 5250, 4695);

    QGroupBox *frame1 = cornice(cliente, "Frame1", QStringLiteral("Dati Costruttivi Rocchetto"), QColor(0, 0, 255), 120,
                                5760, 10095, 1455);
    etichetta(frame1, "Label3", QStringLiteral("Spire per strato:"), 120, 480, 1455, 255);
    etichetta(frame1, "Label6", QStringLiteral("Numero di strati Max.:"), 3360, 480, 1815, 255);
    etichetta(frame1, "Label5", QStringLiteral("Spire Totali Max.:"), 6720, 480, 1455, 255);
    etichetta(frame1, "Label9", QStringLiteral("Dimensione (L) mm:"), 120, 1035, 1815, 255);
    etichetta(frame1, "Label8", QStringLiteral("Resistenza Max. Ohm:"), 3360, 1035, 1935, 255);
    etichetta(frame1, "Label11", QStringLiteral("Induttanza Max. (mH):"), 6720, 1035, 1815, 255);
    constexpr quint32 giallino = 0x0080FFFF, giallo = 0x0000FFFF;
    auto &r = m_risultati;
    r[int(Risultato::SpireStrato)] =
        valore(frame1, "SpireStrato", 2040, 405, 975, 375, QStringLiteral("Valore in funzione dell'altezza H"));
    r[int(Risultato::NumeroStrati)] = valore(frame1, "NumeroStrati", 5400, 405, 975, 375,
                                             QStringLiteral("Valore in funzione delle dimensioni assunte da B"));
    r[int(Risultato::SpireTotali)] =
        valore(frame1, "SpireTotali", 8640, 405, 975, 375,
               QStringLiteral("Valore in funzione del diametro del filo utilizzato"), giallino, true);
    r[int(Risultato::Ltot)] =
        valore(frame1, "Ltot", 2040, 960, 975, 375, QStringLiteral("Larghezza totale rocchetto 2B+D1"));
    r[int(Risultato::Centro)] =
        valore(frame1, "Centro", 5400, 960, 975, 375, QStringLiteral("Centro dell'avvolgimento:"), giallo, true);
    r[int(Risultato::Ind)] =
        valore(frame1, "ind", 8640, 960, 1335, 375,
               QStringLiteral("Valore Max di induttanza in funzione del quadrato delle spire"), giallino, true);

    // What a screen reader hears: each control and each result after its caption.
    auto didascalia = [this](const char *nome) { return findChild<QLabel *>(QLatin1String(nome)); };
    ui::NomeDaDidascalia(didascalia("Label2"), txtDiametro1);
    ui::NomeDaDidascalia(didascalia("Label1"), txtAltezza);
    ui::NomeDaDidascalia(didascalia("Label4"), txtB);
    ui::NomeDaDidascalia(didascalia("Label7"), txtL);
    ui::FuoriDaAccessibilita(txtDiametro);
    const char *const didascalieRisultati[NumeroRisultati] = {"Label3", "Label6",  "Label5",
                                                              "Label9", "Label11", "Label8"};
    for (int i = 0; i < NumeroRisultati; ++i)
        ui::RisultatoDaDidascalia(didascalia(didascalieRisultati[i]), m_risultati[i]);

    connect(txtDiametro1, &QComboBox::currentIndexChanged, this, [this] { txtDiametro1_Click(); });
    for (QLineEdit *c : {txtAltezza, txtB, txtL})
        connect(c, &QLineEdit::textChanged, this, [this] {
            // While the resistance per metre is unknown every edit tries the catalogue again,
            // so the program recovers by itself when the file can be read; a catalogue that
            // made the last try wait (locked by another program) is tried at most every 2 s,
            // so typing does not stall.
            const bool riprova = Module1().ResistenzaMetroIgnota && m_prossimoTentativo.hasExpired();
            Ricalcola(riprova ? CercaResistenza() : EsitoRicerca{});
        });

    setTabOrder(txtAltezza, txtB);
    setTabOrder(txtB, txtL);
    setTabOrder(txtL, Toolbar1);
    setTabOrder(Toolbar1, txtDiametro1);

    // Under the client area the rules lay out, a strip of two lines for the notice that the
    // figures are not those of the values typed.
    auto *striscia = new QStatusBar(this);
    striscia->setObjectName(QStringLiteral("Striscia"));
    striscia->setSizeGripEnabled(false);
    Avviso = ui::EtichettaAvviso(striscia);
    striscia->addWidget(Avviso, 1);
    striscia->setContentsMargins(ui::Pixel(120) - 2, 0, ui::Pixel(120), 0);
    striscia->setFixedHeight(2 * Avviso->fontMetrics().lineSpacing() + 6);
    setStatusBar(striscia);

    // The client area is fixed; the window is the menu bar's and the strip's height taller.
    setFixedSize(cliente->width(), cliente->height() + menuBar()->sizeHint().height() + striscia->height());
    ui::CentraSulloSchermo(this);
}

void FrmBobine::Form_Load()
{
    m_didascalie = DidascalieLimiti{};
    for (int r = 0; r < NumeroRisultati; ++r)
        m_didascalie.testi[r] = QStringLiteral("0");
    dipingi();

    StatoProgetto &s = Module1();
    s.DatabaseFili = ApriCatalogo(m_cartella);
    const QList<FiloRame> fili = ElencoRame(s.DatabaseFili);
    m_numeroRecord = int(fili.size());
    {
        const QSignalBlocker blocco(txtDiametro1);
        txtDiametro1->clear();
        for (const FiloRame &f : fili)
            txtDiametro1->addItem(f.DiametroNominale);
        txtDiametro1->setCurrentIndex(0);
    }
    txtDiametro1_Click();
    m_didascalie.calcola = false;
    dipingi();
    txtAltezza->setFocus();
}

void FrmBobine::txtDiametro1_Click()
{
    txtDiametro->setText(txtDiametro1->currentText());
    txtDiametro_Change();
}

void FrmBobine::txtDiametro_Change()
{
    Ricalcola(CercaResistenza());
}

EsitoRicerca FrmBobine::CercaResistenza()
{
    StatoProgetto &s = Module1();
    m_diametroSelezionato = txtDiametro1->currentText();
    auto cerca = [this](const QString &connessione) {
        return ResistenzaMetroDi(CercaRame(connessione, m_diametroSelezionato), connessione);
    };
    QElapsedTimer durata;
    durata.start();
    const auto rimanda = qScopeGuard([&] { m_prossimoTentativo = QDeadlineTimer(durata.elapsed() > 50 ? 2000 : 0); });
    try {
        return EsitoRicerca::trovata(cerca(s.DatabaseFili));
    } catch (const ErroreRuntime &errore) {
        // The file may have been repaired or replaced since the connection was opened: a
        // fresh connection reads what is there now, and takes over only if it works.
        QString nuova;
        try {
            nuova = ApriCatalogo(m_cartella, NuovaConnessione(QStringLiteral("DatabaseFili")));
            const QString valore = cerca(nuova);
            ChiudiCatalogo(s.DatabaseFili);
            s.DatabaseFili = nuova;
            return EsitoRicerca::trovata(valore);
        } catch (const ErroreRuntime &) {
            if (!nuova.isEmpty())
                ChiudiCatalogo(nuova);
        }
        return EsitoRicerca::fallita(errore.testo());
    }
}

void FrmBobine::Ricalcola(const EsitoRicerca &ricerca)
{
    StatoProgetto &s = Module1();
    const TestiLimiti testi = testiLimiti();
    m_esito = RecalcoloLimiti(testi, ricerca, s, m_didascalie);
    m_arresto = CausaArresto(m_esito, s);
    m_avviso = AvvisoLimiti(testi, m_esito, s);
    dipingi();
    // Told once: every edit while the catalogue stays unreadable tries again in silence.
    if (ricerca.stato == EsitoRicerca::Stato::Fallita && !m_ricercaSegnalata) {
        m_ricercaSegnalata = true;
        ui::MostraAvviso(this, MessaggioResistenzaIgnota(m_diametroSelezionato, ricerca.errore));
    } else if (!s.ResistenzaMetroIgnota) {
        m_ricercaSegnalata = false;
    }
}

void FrmBobine::dipingi()
{
    for (int r = 0; r < NumeroRisultati; ++r)
        m_risultati[r]->imposta(m_didascalie.testi[r]);
    if (Avviso->text() != m_avviso) {
        Avviso->setText(m_avviso);
        Avviso->setAccessibleDescription(m_avviso);
        Avviso->setVisible(!m_avviso.isEmpty());
        // Said as it comes, wherever the focus is: the user is typing elsewhere.
        if (!m_avviso.isEmpty()) {
            QAccessibleEvent avviso(Avviso, QAccessible::Alert);
            QAccessible::updateAccessibility(&avviso);
        }
    }
    Toolbar1->pulsante(1)->setEnabled(m_didascalie.calcola);
    mnuCrea->setEnabled(m_didascalie.calcola);
    mnuAnalisi->setEnabled(m_didascalie.calcola);
}

TestiLimiti FrmBobine::testiLimiti() const
{
    return TestiLimiti{txtAltezza->text(), txtB->text(), txtL->text(), txtDiametro1->currentText(),
                       txtDiametro->text()};
}

TestiStudio FrmBobine::testiStudio() const
{
    auto r = [this](Risultato q) { return m_didascalie[q]; };
    return TestiStudio{txtAltezza->text(),
                       txtL->text(),
                       txtDiametro1->currentText(),
                       txtDiametro->text(),
                       r(Risultato::Ltot),
                       r(Risultato::NumeroStrati),
                       r(Risultato::SpireStrato),
                       r(Risultato::SpireTotali),
                       r(Risultato::Ind)};
}

void FrmBobine::Toolbar1_ButtonClick(int indice)
{
    ui::SmistaPulsante(indice,
                       {[this] { emit Calcola(); }, [this] { emit Visualizza(); }, nullptr, [this] { emit Esci(); }});
}

void FrmBobine::closeEvent(QCloseEvent *evento)
{
    evento->accept();
    emit Esci();
}

} // namespace windara
