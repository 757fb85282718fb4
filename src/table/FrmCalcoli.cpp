#include "table/FrmCalcoli.h"

#include "design/Avvisi.h"
#include "design/Errori.h"
#include "design/Module1.h"
#include "report/SalvaStudio.h"
#include "report/Stampa.h"
#include "table/AvanzamentoFinestra.h"
#include "table/ModelloGriglia.h"
#include "ui/Appunti.h"
#include "ui/BarraStrumenti.h"
#include "ui/Finestra.h"
#include "ui/Icone.h"
#include "ui/Messaggi.h"
#include "ui/Stile.h"
#include "ui/Twips.h"

#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTableView>

namespace windara {

using ui::Pixel;
using ui::PosizionaTwips;

namespace {

constexpr int LarghezzaClienteTwips = 10335;
constexpr int AltezzaClienteTwips = 7335;
// The widths of the columns the fill leaves alone, and the height of a row.
constexpr int LarghezzaPredefinitaTwips = 960;
constexpr int AltezzaRigaTwips = 255;

// A FlexGrid shows dark grey where there are no cells.
class VistaGriglia : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    void paintEvent(QPaintEvent *evento) override
    {
        QTableView::paintEvent(evento);
        const int destra = horizontalHeader()->length() - horizontalOffset();
        const int basso = verticalHeader()->length() - verticalOffset();
        const QRect area = viewport()->rect();
        QPainter p(viewport());
        const QColor fondo(128, 128, 128);
        if (destra < area.right() + 1)
            p.fillRect(QRect(destra, 0, area.width() - destra, area.height()), fondo);
        if (basso < area.bottom() + 1)
            p.fillRect(QRect(0, basso, qMin(destra, area.width()), area.height() - basso), fondo);
    }
};

} // namespace

frmCalcoli::frmCalcoli(const QString &cartellaProgramma, const TestiStudio &testi, Stampante *stampante,
                       const QString &arresto, QWidget *parent)
    : ui::FinestraSecondaria("frmCalcoli", QStringLiteral("Calcolo Induttanza"), QStringLiteral("icona-calcoli"),
                             LarghezzaClienteTwips, AltezzaClienteTwips, parent),
      m_cartella(cartellaProgramma), m_testi(testi), m_stampante(stampante), m_arresto(arresto)
{
    creaControlli();
    Form_Load();
}

frmCalcoli::~frmCalcoli() = default;

void frmCalcoli::creaControlli()
{
    QMenu *file = barraMenu()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    MnuSalva = ui::VoceMenu(file, "MnuSalva", QStringLiteral("S&alva"), QKeySequence(Qt::CTRL | Qt::Key_S));
    MnuStampa = ui::VoceMenu(file, "MnuStampa", QStringLiteral("S&tampa"), QKeySequence(Qt::CTRL | Qt::Key_T));
    file->addSeparator()->setObjectName(QStringLiteral("mnuline"));
    MnuPrecedente =
        ui::VoceMenu(file, "MnuPrecedente", QStringLiteral("P&recedente"), QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(MnuSalva, &QAction::triggered, this, &frmCalcoli::Salva);
    connect(MnuStampa, &QAction::triggered, this, &frmCalcoli::Stampa);
    connect(MnuPrecedente, &QAction::triggered, this, &QDialog::close);

    QWidget *cliente = this->cliente();
    m_modello = new ModelloGriglia(this);
    MSFlexGrid1 = new VistaGriglia(cliente);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(QStringLiteral("Valori di induttanza strato per strato"));
    MSFlexGrid1->setModel(m_modello);
    MSFlexGrid1->setFont(ui::FontArial(9));
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setWordWrap(false);
    ui::CopiaSelezione(MSFlexGrid1);
    ui::ColoreGriglia(MSFlexGrid1, QColor(192, 192, 192));
    // No fixed column; the fixed row is the header, which stays in view while scrolling.
    MSFlexGrid1->verticalHeader()->hide();
    QHeaderView *verticale = MSFlexGrid1->verticalHeader();
    verticale->setMinimumSectionSize(1);
    verticale->setDefaultSectionSize(Pixel(AltezzaRigaTwips));
    verticale->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView *intestazione = MSFlexGrid1->horizontalHeader();
    // Set on its own: below a widget with a style sheet, the header takes the desktop's font.
    intestazione->setFont(ui::FontArial(9));
    intestazione->setMinimumSectionSize(1);
    intestazione->setDefaultSectionSize(Pixel(LarghezzaPredefinitaTwips));
    intestazione->setSectionResizeMode(QHeaderView::Fixed);
    intestazione->setSectionsClickable(false);
    intestazione->setHighlightSections(false);
    PosizionaTwips(MSFlexGrid1, 840, 600, 8745, 5055);

    auto *frame1 =
        new QGroupBox(QStringLiteral("Valori di induttanza calcolati con la seguente formula di Wheeler"), cliente);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setFont(ui::FontArial(9));
    frame1->setStyleSheet(QStringLiteral("QGroupBox#Frame1::title { color: rgb(0, 0, 255); }"));
    PosizionaTwips(frame1, 840, 5880, 8745, 1335);
    ui::Immagine *image1 = ui::ImmagineSvg(QStringLiteral("formula-induttanza"), frame1);
    image1->setObjectName(QStringLiteral("Image1"));
    PosizionaTwips(image1, 240, 240, 3120, 900);
    ui::Immagine *image2 = ui::ImmagineSvg(QStringLiteral("formula-spire"), frame1);
    image2->setObjectName(QStringLiteral("Image2"));
    PosizionaTwips(image2, 4800, 120, 3735, 1095);

    Toolbar1 =
        ui::BarraFinestra(cliente, 420, {"tb-salva", QStringLiteral("Salva")}, {"tb-stampa", QStringLiteral("Stampa")},
                          {"tb-precedente", QStringLiteral("Finestra Precedente")});
    connect(Toolbar1, &ui::BarraStrumenti::ButtonClick, this, &frmCalcoli::Toolbar1_ButtonClick);

    // Above the grid, right of the toolbar's buttons, on the toolbar's empty part.
    Avviso = ui::EtichettaAvviso(cliente);
    PosizionaTwips(Avviso, 1560, 0, 8655, 600);

    setTabOrder(MSFlexGrid1, Toolbar1);
    MSFlexGrid1->setFocus();

    ui::CentraSulloSchermo(this);
}

void frmCalcoli::Form_Load()
{
    StatoProgetto &s = Module1();
    s.Salvato = Falso;
    QString errore;
    try {
        m_modello->Compila(s, QLocale().decimalPoint());
    } catch (const ErroreRuntime &e) {
        errore = e.testo();
    }
    const GrigliaValori &g = m_modello->griglia();
    for (int c = 0; c < ColonneTabella; ++c)
        if (g.colWidth(c) > 0)
            MSFlexGrid1->setColumnWidth(c, Pixel(g.colWidth(c)));
    const QString avviso = AvvisoTabella(m_arresto, s);
    Avviso->setText(avviso);
    Avviso->setAccessibleDescription(avviso);
    Avviso->setVisible(!avviso.isEmpty());
    // The grid is what a screen reader reaches first: it carries the notice too.
    if (!avviso.isEmpty())
        MSFlexGrid1->setAccessibleDescription(avviso);
    if (g.troppiStrati())
        ui::MostraAvviso(this, MessaggioTroppiStrati(s.StratiMax));
    else if (!errore.isEmpty())
        ui::MostraErrore(this, QStringLiteral("Il calcolo della tabella si è interrotto: %1.\n"
                                              "La tabella mostra le righe calcolate fino a quel punto.")
                                   .arg(errore));
}

void frmCalcoli::Toolbar1_ButtonClick(int indice)
{
    ui::SmistaPulsante(indice, {[this] { Salva(); }, [this] { Stampa(); }, nullptr, [this] { close(); }});
}

QString frmCalcoli::avviso() const
{
    return Avviso->text();
}

void frmCalcoli::Salva()
{
    // A header that disagrees with its rows, or a study of no winding, is never written.
    // Told as every other refused save is.
    if (const QString rifiuto = RifiutoStudio(m_arresto, Module1()); !rifiuto.isEmpty()) {
        ui::MostraErrore(this, rifiuto);
        return;
    }
    try {
        SalvaStudio(m_cartella, m_testi, Module1(), ImpostazioniUtente(), [this](const QString &percorso) {
            return ui::ChiediConferma(this, DomandaSostituzione(percorso));
        });
    } catch (const ErroreRuntime &e) {
        ui::MostraErrore(this, e.testo());
    }
}

void frmCalcoli::Stampa()
{
    if (!m_stampante) {
        ui::MostraErrore(this, QStringLiteral("Nessuna stampante è disponibile per questa finestra."));
        return;
    }
    EsitoStampa esito;
    {
        AvanzamentoFinestra avanzamento(this, QFileInfo(Module1().NomeFile).fileName());
        esito = StampaStudio(this, Module1(), *m_stampante, &avanzamento);
    }
    switch (esito.stato) {
    case EsitoStampa::Stato::DaSalvare:
        activateWindow();
        ui::MostraAvviso(this, esito.messaggio);
        break;
    case EsitoStampa::Stato::Fallita:
        ui::MostraErrore(this, esito.messaggio);
        break;
    case EsitoStampa::Stato::Annullata:
        // Said only when part of it had already gone out to the printer.
        if (!esito.messaggio.isEmpty())
            ui::MostraAvviso(this, esito.messaggio);
        break;
    case EsitoStampa::Stato::Stampata:
        break;
    }
}

} // namespace windara
