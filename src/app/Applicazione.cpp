#include "app/Applicazione.h"

#include "analysis/finestra/IngressoAnalisi.h"
#include "app/Moduli.h"
#include "catalogue/Catalogo.h"
#include "catalogue/FrmTabella.h"
#include "design/Errori.h"
#include "design/FrmBobine.h"
#include "design/Module1.h"
#include "report/StampanteSistema.h"
#include "table/FrmCalcoli.h"
#include "ui/Finestra.h"
#include "ui/Icone.h"
#include "ui/Messaggi.h"
#include "ui/Stile.h"

#include <QApplication>

namespace windara {

namespace {

// Stands for the system printer when its module cannot be loaded: saving still works, and
// Stampa says why it cannot print instead of printing.
class StampanteMancante final : public Stampante
{
public:
    explicit StampanteMancante(const QString &motivo) : m_motivo(motivo) {}

    bool Dialogo(QWidget *finestra, int &) override
    {
        ui::MostraErrore(finestra, m_motivo);
        return false;
    }
    void ImpostaFont(const QString &, int) override {}
    void Riga(const QString &) override {}
    bool FineDocumento() override { return false; }
    QString Errore() const override { return m_motivo; }

private:
    QString m_motivo;
};

} // namespace

Applicazione::Applicazione(const QString &cartellaProgramma, QObject *parent)
    : QObject(parent), m_cartella(cartellaProgramma)
{
    // Any window without an icon of its own, such as the error box of a failed start-up,
    // shows the program's.
    QApplication::setWindowIcon(ui::IconaSvg(QStringLiteral("icona-bobine")));
    // On the application, and before any window is built: a widget below one with a style
    // sheet (the frames, the grids) keeps the palette it was built with.
    QApplication::setPalette(ui::PaletteChiara());
    m_principale = std::make_unique<FrmBobine>(cartellaProgramma);
    m_fuoco = new ui::MemoriaFuoco(m_principale.get());
    connect(m_principale.get(), &FrmBobine::Calcola, this, &Applicazione::apriCalcoli);
    connect(m_principale.get(), &FrmBobine::Visualizza, this, &Applicazione::apriTabella);
    connect(m_principale.get(), &FrmBobine::Analisi, this, &Applicazione::apriAnalisi);
    // At once: nothing is saved or asked.
    connect(m_principale.get(), &FrmBobine::Esci, this, [] { QCoreApplication::exit(0); });
}

Applicazione::~Applicazione() = default;

void Applicazione::Avvia()
{
    m_principale->Form_Load();
    m_principale->show();
}

void Applicazione::apriCalcoli()
{
    if (!m_stampante) {
        // Made on first use: the printer system costs nothing at start-up.
        QString errore;
        if (auto *nuova = FunzioneModulo<NuovaStampante>(m_cartella, ModuloStampa, VoceNuovaStampante, errore))
            m_stampanteSistema.reset(nuova());
        else
            m_stampanteSistema = std::make_unique<StampanteMancante>(errore);
        m_stampante = m_stampanteSistema.get();
    }
    // The main window is blocked while this window is open, so its texts are taken now,
    // and so is whether the design state stands for the design typed.
    frmCalcoli finestra(m_cartella, m_principale->testiStudio(), m_stampante, m_principale->causaArresto(),
                        m_principale.get());
    finestra.exec();
    m_fuoco->ripristina();
}

void Applicazione::apriTabella()
{
    try {
        frmtabella finestra(m_cartella, m_principale.get());
        finestra.exec();
        m_fuoco->ripristina();
    } catch (const ErroreRuntime &e) {
        // The main window keeps its own connection: tell the user and go on.
        ui::MostraErrore(m_principale.get(), e.testo());
    }
}

void Applicazione::apriAnalisi()
{
    if (!m_apriAnalisi) {
        QString errore;
        m_apriAnalisi =
            FunzioneModulo<analisi::ApriAnalisi>(m_cartella, analisi::ModuloAnalisi, analisi::VoceApriAnalisi, errore);
        if (!m_apriAnalisi) {
            ui::MostraErrore(m_principale.get(), errore);
            return;
        }
    }
    analisi::IngressoAnalisi ingresso = IngressoAnalisiDi(*m_principale);
    ingresso.cartellaProgramma = m_cartella;
    // The preview comes with the printer's module, loaded the first time it is asked for.
    ingresso.anteprima = [cartella = m_cartella](const QString &titolo,
                                                 const std::function<void(QPagedPaintDevice &)> &pagine,
                                                 QWidget *finestra) {
        static Anteprima *voce = nullptr;
        QString errore;
        if (!voce)
            voce = FunzioneModulo<Anteprima>(cartella, ModuloStampa, VoceAnteprima, errore);
        if (!voce)
            return ui::MostraErrore(finestra, errore);
        voce(titolo, pagine, finestra);
    };
    m_apriAnalisi(ingresso, m_principale.get());
    m_fuoco->ripristina();
}

analisi::IngressoAnalisi IngressoAnalisiDi(const FrmBobine &principale)
{
    const StatoProgetto &s = Module1();
    analisi::IngressoAnalisi ingresso;
    ingresso.dati.testi = principale.testiLimiti();
    ingresso.dati.resistenzaMetro = s.ResistenzaMetro;
    ingresso.dati.resistenzaIgnota = s.ResistenzaMetroIgnota;
    const QString &filo = ingresso.dati.testi.sceltaDiametro;
    try {
        const QList<FiloRame> righe = CercaRame(s.DatabaseFili, filo);
        if (righe.isEmpty())
            ingresso.motivoFilo = QStringLiteral("Il filo %1 non è nel catalogo").arg(filo);
        else
            ingresso.dati.filo = righe.first();
    } catch (const ErroreRuntime &e) {
        ingresso.motivoFilo = e.testo();
    }
    try {
        ingresso.catalogo = ElencoRame(s.DatabaseFili);
    } catch (const ErroreRuntime &e) {
        ingresso.motivoCatalogo = e.testo();
    }
    return ingresso;
}

} // namespace windara
