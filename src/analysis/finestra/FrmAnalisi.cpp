#include "analysis/finestra/FrmAnalisi.h"

#include "analysis/Csv.h"
#include "analysis/finestra/BarraLavoro.h"
#include "analysis/finestra/EsportaAnalisi.h"
#include "analysis/finestra/Ingressi.h"
#include "analysis/finestra/Lavoratore.h"
#include "analysis/finestra/PaginaCorrente.h"
#include "analysis/finestra/PaginaFrequenza.h"
#include "analysis/finestra/PaginaObiettivo.h"
#include "analysis/finestra/PaginaRiepilogo.h"
#include "report/SalvaStudio.h"
#include "ui/BarraStrumenti.h"
#include "ui/Icone.h"
#include "ui/Messaggi.h"

#include <QApplication>
#include <QChartView>
#include <QClipboard>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPdfWriter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

namespace windara {

using namespace analisi;

namespace {

// 1000 x 700 pixels: room for the summary beside its chart and the tables below, on a
// 1024 x 768 screen.
constexpr int LarghezzaClienteTwips = 15000;
constexpr int AltezzaClienteTwips = 10500;
// It may be made smaller down to 800 x 560 pixels or what its pages need whole, whichever
// is larger, or maximised: the tables and the charts take the room.
constexpr int LarghezzaMinimaTwips = 12000;
constexpr int AltezzaMinimaTwips = 8400;

} // namespace

frmAnalisi::frmAnalisi(const IngressoAnalisi &ingresso, QWidget *parent)
    : ui::FinestraSecondaria("frmAnalisi", QStringLiteral("Analisi dell'avvolgimento"), QStringLiteral("icona-calcoli"),
                             LarghezzaClienteTwips, AltezzaClienteTwips, parent),
      m_ingresso(ingresso)
{
    creaControlli(ingresso);
    // Ctrl+C must reach the copy command from any control of the window: see eventFilter.
    qApp->installEventFilter(this);
}

frmAnalisi::~frmAnalisi()
{
    qApp->removeEventFilter(this);
}

void frmAnalisi::creaControlli(const IngressoAnalisi &ingresso)
{
    QMenu *file = barraMenu()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    MnuCopia = ui::VoceMenu(file, "MnuCopia", QStringLiteral("&Copia"), QKeySequence::Copy);
    file->addSeparator();
    MnuScheda =
        ui::VoceMenu(file, "MnuScheda", QStringLiteral("&Salva scheda PDF…"), QKeySequence(Qt::CTRL | Qt::Key_S));
    MnuAnteprima = ui::VoceMenu(file, "MnuAnteprima", QStringLiteral("&Anteprima di stampa…"),
                                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    MnuGrafico = ui::VoceMenu(file, "MnuGrafico", QStringLiteral("Salva &grafico…"));
    MnuTabella = ui::VoceMenu(file, "MnuTabella", QStringLiteral("Salva &tabella CSV…"));
    file->addSeparator();
    MnuPrecedente =
        ui::VoceMenu(file, "MnuPrecedente", QStringLiteral("P&recedente"), QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(MnuCopia, &QAction::triggered, this, &frmAnalisi::Copia);
    connect(MnuPrecedente, &QAction::triggered, this, &QDialog::close);

    QWidget *cliente = this->cliente();
    Toolbar1 = new ui::BarraStrumenti(420, cliente);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->aggiungiPulsante(ui::IconaSvg(QStringLiteral("tb-copia")),
                               QStringLiteral("Copia le tabelle della pagina (Ctrl+C)"));
    Toolbar1->aggiungiSeparatore();
    Toolbar1->aggiungiPulsante(ui::IconaSvg(QStringLiteral("tb-precedente")), QStringLiteral("Finestra Precedente"));
    connect(Toolbar1, &ui::BarraStrumenti::ButtonClick, this, &frmAnalisi::Toolbar1_ButtonClick);

    // One temperature and one winding style for every page, above them.
    m_comuni = new IngressiComuni(cliente);
    m_riepilogo = new PaginaRiepilogo(ingresso.dati, ingresso.motivoFilo, m_comuni);
    m_obiettivo = new PaginaObiettivo(ingresso.dati, ingresso.catalogo, ingresso.motivoCatalogo, m_comuni);
    m_frequenza = new PaginaFrequenza(ingresso.dati, m_comuni);
    m_corrente = new PaginaCorrente(ingresso.dati, m_comuni);
    m_pagine = new QTabWidget(cliente);
    m_pagine->setObjectName(QStringLiteral("pagine"));
    m_pagine->addTab(m_riepilogo, QStringLiteral("Riepilogo"));
    m_pagine->addTab(m_obiettivo, QStringLiteral("Progetto da induttanza"));
    m_pagine->addTab(m_frequenza, QStringLiteral("Frequenza"));
    m_pagine->addTab(m_corrente, QStringLiteral("Corrente e temperatura"));

    auto *colonna = new QVBoxLayout(cliente);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    colonna->addWidget(Toolbar1);
    colonna->addWidget(m_comuni);
    m_scrittura = new Lavoratore(this);
    m_barraScrittura = new BarraLavoro(m_scrittura, cliente);
    m_barraScrittura->setObjectName(QStringLiteral("barraScrittura"));
    colonna->addWidget(m_barraScrittura);
    colonna->addWidget(m_pagine, 1);

    const auto frequenza = [this] {
        const auto &r = m_riepilogo->riepilogo();
        m_frequenza->impostaRiepilogo(r ? &*r : nullptr, m_riepilogo->motivo());
        m_corrente->impostaRiepilogo(r ? &*r : nullptr, m_riepilogo->motivo());
    };
    connect(m_riepilogo, &PaginaRiepilogo::riepilogoCambiato, this, frequenza);
    frequenza();
    connect(m_pagine, &QTabWidget::currentChanged, this, &frmAnalisi::paginaAperta);

    creaEsportazioni();
    m_riepilogo->primoIngresso()->setFocus();
    ui::CentraSulloSchermo(this);
    rendiRidimensionabile(LarghezzaMinimaTwips, AltezzaMinimaTwips);
    m_riepilogo->attendiRiepilogo();
}

void frmAnalisi::paginaAperta(int indice)
{
    QWidget *pagina = m_pagine->widget(indice);
    QWidget *primo = pagina == m_obiettivo   ? m_obiettivo->primoIngresso()
                     : pagina == m_frequenza ? m_frequenza->primoIngresso()
                     : pagina == m_corrente  ? m_corrente->primoIngresso()
                                             : m_riepilogo->primoIngresso();
    primo->setFocus(Qt::TabFocusReason);
    // Typing replaces what the field holds, as when it is reached with Tab.
    if (auto *campo = qobject_cast<QLineEdit *>(primo))
        campo->selectAll();
}

void frmAnalisi::Copia()
{
    QWidget *pagina = m_pagine->currentWidget();
    const QString testo = pagina == m_obiettivo   ? m_obiettivo->testoCopia()
                          : pagina == m_frequenza ? m_frequenza->testoCopia()
                          : pagina == m_corrente  ? m_corrente->testoCopia()
                                                  : m_riepilogo->testoCopia();
    if (!testo.isEmpty())
        QApplication::clipboard()->setText(testo);
}

void frmAnalisi::creaEsportazioni()
{
    connect(MnuScheda, &QAction::triggered, this, &frmAnalisi::SalvaScheda);
    connect(MnuAnteprima, &QAction::triggered, this, &frmAnalisi::AnteprimaScheda);
    connect(MnuGrafico, &QAction::triggered, this, [this] { SalvaGrafico(); });
    connect(MnuTabella, &QAction::triggered, this, [this] { SalvaTabella(); });
    // Every chart and table of the pages offers its own file from its context menu.
    for (QChartView *grafico : m_pagine->findChildren<QChartView *>()) {
        auto *voce = new QAction(QStringLiteral("Salva grafico…"), grafico);
        connect(voce, &QAction::triggered, this, [this, grafico] { SalvaGrafico(grafico); });
        grafico->addAction(voce);
        grafico->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
    for (QTableView *tabella : m_pagine->findChildren<QTableView *>()) {
        auto *voce = new QAction(QStringLiteral("Salva tabella CSV…"), tabella);
        connect(voce, &QAction::triggered, this, [this, tabella] { SalvaTabella(tabella); });
        tabella->addAction(voce);
        tabella->setContextMenuPolicy(Qt::ActionsContextMenu);
    }
}

DocumentoScheda frmAnalisi::documentoScheda() const
{
    DocumentoScheda d;
    d.titolo = QStringLiteral("Analisi dell'avvolgimento %1").arg(NomeEsportazione(m_ingresso.dati.testi, QString()));
    d.data = ImpostazioniUtente().data;
    d.progetto = m_riepilogo->progettoScheda();
    if (const auto *er = m_frequenza->findChild<QLineEdit *>(QStringLiteral("txtPermittivita")))
        d.progetto << CifraScheda{QStringLiteral("Permittività dello smalto ε_r"), er->text(), {}};
    d.sezioni = m_riepilogo->sezioniScheda();
    // The frequency figures before the long table, which closes the pages of the summary.
    d.sezioni.insert(1, m_frequenza->sezioneScheda());
    d.sezioni.insert(2, m_corrente->sezioneScheda());
    d.sezioni << SezioneFonti();
    return d;
}

QString frmAnalisi::scegliFile(const QString &titolo, const QString &nome, const QString &filtri) const
{
    const QString proposta = CartellaStudi(m_ingresso.cartellaProgramma) + u'/' + nome;
    if (m_sceltaFile)
        return m_sceltaFile(titolo, proposta, filtri);
    return QFileDialog::getSaveFileName(const_cast<frmAnalisi *>(this), titolo, proposta, filtri);
}

void frmAnalisi::scriviInSfondo(const QString &fase, const QString &percorso,
                                std::function<bool(QIODevice &, const Avanzamento &)> scrivi)
{
    const QString studi = CartellaStudi(m_ingresso.cartellaProgramma);
    m_scrittura->avvia([this, fase, percorso, studi, scrivi = std::move(scrivi)](const Lavoratore::Contesto &c) {
        c.consegna([this, fase] { m_barraScrittura->fase(fase); });
        const QString errore = ScriviFile(
            studi, percorso, [&](QIODevice &file) { return scrivi(file, c.avanzamento()) && !c.annullato(); });
        // A cancelled write says nothing: the user asked for it, and nothing was left.
        if (!errore.isEmpty() && !c.annullato())
            c.consegna([this, errore] { ui::MostraErrore(this, errore); });
    });
}

void frmAnalisi::SalvaScheda()
{
    const QString percorso = scegliFile(QStringLiteral("Salva scheda PDF"),
                                        NomeEsportazione(m_ingresso.dati.testi, QStringLiteral("-analisi.pdf")),
                                        QStringLiteral("Documento PDF (*.pdf)"));
    if (percorso.isEmpty())
        return;
    // Built here, from the widgets; painted on the worker from plain data.
    auto documento = std::make_shared<const DocumentoScheda>(documentoScheda());
    scriviInSfondo(QStringLiteral("Scheda PDF"), percorso, [documento](QIODevice &file, const Avanzamento &a) {
        QPdfWriter pdf(&file);
        pdf.setTitle(documento->titolo);
        pdf.setCreator(QStringLiteral("Windara"));
        pdf.setResolution(600);
        return DisegnaScheda(pdf, *documento, a).completa;
    });
}

void frmAnalisi::AnteprimaScheda()
{
    if (!m_ingresso.anteprima) {
        ui::MostraAvviso(this,
                         QStringLiteral("L'anteprima di stampa non è disponibile: manca la stampante di sistema."));
        return;
    }
    const DocumentoScheda documento = documentoScheda();
    qsizetype righe = 0;
    for (const SezioneScheda &s : documento.sezioni)
        righe += s.tabella.righe;
    // The preview lays out every page at once, and the window waits meanwhile: a long one
    // is asked first, as a long print is.
    constexpr qsizetype RigheSenzaDomanda = 3000;
    if (righe > RigheSenzaDomanda &&
        QMessageBox::question(this, ui::TitoloMessaggi(),
                              QStringLiteral("La scheda ha %1 righe di tabella, circa %2 pagine: l'anteprima le "
                                             "prepara tutte e la finestra resterà ferma qualche secondo. "
                                             "Continuare?")
                                  .arg(righe)
                                  .arg(righe / 55 + 2)) != QMessageBox::Yes)
        return;
    m_ingresso.anteprima(
        documento.titolo, [&documento](QPagedPaintDevice &d) { DisegnaScheda(d, documento); }, this);
}

void frmAnalisi::SalvaGrafico(QChartView *grafico)
{
    if (!grafico) {
        const auto grafici = m_pagine->currentWidget()->findChildren<QChartView *>();
        for (QChartView *g : grafici)
            if (!grafico || g->hasFocus())
                grafico = g;
    }
    if (!grafico) {
        ui::MostraAvviso(this, QStringLiteral("Questa pagina non ha grafici da salvare."));
        return;
    }
    const QString svg = QStringLiteral("Immagine SVG (*.svg)"), png = QStringLiteral("Immagine PNG (*.png)");
    const QString coda = u'-' + grafico->objectName() + QStringLiteral(".svg");
    QString percorso = scegliFile(QStringLiteral("Salva grafico"), NomeEsportazione(m_ingresso.dati.testi, coda),
                                  svg + QStringLiteral(";;") + png);
    if (percorso.isEmpty())
        return;
    const bool comePng = percorso.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive);
    if (!comePng && !percorso.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive))
        percorso += QStringLiteral(".svg");
    // A chart is drawn in milliseconds: here, from the chart itself, as it shows.
    const QByteArray byte = comePng ? PngGrafico(*grafico) : SvgGrafico(*grafico);
    const QString errore = ScriviFile(CartellaStudi(m_ingresso.cartellaProgramma), percorso,
                                      [&](QIODevice &file) { return file.write(byte) == byte.size(); });
    if (!errore.isEmpty())
        ui::MostraErrore(this, errore);
}

void frmAnalisi::SalvaTabella(QTableView *tabella)
{
    if (!tabella) {
        QWidget *fuoco = focusWidget();
        for (QTableView *t : m_pagine->currentWidget()->findChildren<QTableView *>())
            if (!tabella || t == fuoco)
                tabella = t;
    }
    if (!tabella || !tabella->model()) {
        ui::MostraAvviso(this, QStringLiteral("Questa pagina non ha tabelle da salvare."));
        return;
    }
    QString percorso =
        scegliFile(QStringLiteral("Salva tabella CSV"),
                   NomeEsportazione(m_ingresso.dati.testi, u'-' + tabella->objectName() + QStringLiteral(".csv")),
                   QStringLiteral("Testo CSV (*.csv)"));
    if (percorso.isEmpty())
        return;
    // The rows are written on the worker: the per-layer table may have tens of thousands.
    auto t = std::make_shared<const TabellaScheda>(TabellaDaModello(*tabella->model()));
    scriviInSfondo(QStringLiteral("Tabella CSV"), percorso,
                   [t, separatore = QLocale().decimalPoint()](QIODevice &file, const Avanzamento &a) {
                       Sorvegliante s(a);
                       std::vector<QStringList> righe;
                       righe.reserve(size_t(t->righe));
                       for (qsizetype i = 0; i < t->righe; ++i) {
                           righe.push_back(t->riga(i));
                           if (!s.continua(double(i) / double(t->righe)))
                               return false;
                       }
                       const QByteArray byte = TestoCsv(t->intestazione, righe, separatore).toUtf8();
                       return file.write(byte) == byte.size();
                   });
}

void frmAnalisi::Toolbar1_ButtonClick(int indice)
{
    ui::SmistaPulsante(indice, {[this] { Copia(); }, nullptr, [this] { close(); }});
}

void frmAnalisi::cambiaPagina(int verso)
{
    const int n = m_pagine->count();
    m_pagine->setCurrentIndex((m_pagine->currentIndex() + verso + n) % n);
}

bool frmAnalisi::eventFilter(QObject *oggetto, QEvent *evento)
{
    // Ctrl+Tab and Ctrl+Shift+Tab change page from every control of the window: a list, the
    // inputs above the pages and the tables would otherwise keep the key or do nothing.
    if (evento->type() == QEvent::KeyPress || evento->type() == QEvent::ShortcutOverride) {
        const auto *tasto = static_cast<QKeyEvent *>(evento);
        auto *w = qobject_cast<QWidget *>(oggetto);
        const bool tab = tasto->key() == Qt::Key_Tab || tasto->key() == Qt::Key_Backtab;
        if (tab && (tasto->modifiers() & Qt::ControlModifier) && w && w->window() == this) {
            if (evento->type() == QEvent::KeyPress) {
                const bool indietro = tasto->key() == Qt::Key_Backtab || (tasto->modifiers() & Qt::ShiftModifier);
                cambiaPagina(indietro ? -1 : 1);
            }
            evento->accept();
            return true;
        }
    }
    // A line edit or a table asks to keep Ctrl+C for its own selection before the shortcut is
    // looked up; in this window it is the page's copy wherever the focus is, so the request
    // is refused.
    if (evento->type() == QEvent::ShortcutOverride && static_cast<QKeyEvent *>(evento)->matches(QKeySequence::Copy)) {
        auto *w = qobject_cast<QWidget *>(oggetto);
        if (w && w->window() == this) {
            evento->ignore();
            return true;
        }
    }
    return ui::FinestraSecondaria::eventFilter(oggetto, evento);
}

void analisi::ApriFinestraAnalisi(const IngressoAnalisi &ingresso, QWidget *padre)
{
    frmAnalisi finestra(ingresso, padre);
    finestra.exec();
}

} // namespace windara
