#include "analysis/finestra/FrmAnalisi.h"

#include "analysis/finestra/Ingressi.h"
#include "analysis/finestra/PaginaFrequenza.h"
#include "analysis/finestra/PaginaObiettivo.h"
#include "analysis/finestra/PaginaRiepilogo.h"
#include "ui/BarraStrumenti.h"
#include "ui/Icone.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace windara {

using namespace analisi;

namespace {

// 1000 x 700 pixels: room for the summary beside its chart and the tables below, on a
// 1024 x 768 screen.
constexpr int LarghezzaClienteTwips = 15000;
constexpr int AltezzaClienteTwips = 10500;
// It may be made smaller down to 800 x 560 pixels, or maximised: the tables and the charts
// take the room.
constexpr int LarghezzaMinimaTwips = 12000;
constexpr int AltezzaMinimaTwips = 8400;

} // namespace

frmAnalisi::frmAnalisi(const IngressoAnalisi &ingresso, QWidget *parent)
    : ui::FinestraSecondaria("frmAnalisi", QStringLiteral("Analisi dell'avvolgimento"), QStringLiteral("icona-calcoli"),
                             LarghezzaClienteTwips, AltezzaClienteTwips, parent)
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
    m_pagine = new QTabWidget(cliente);
    m_pagine->setObjectName(QStringLiteral("pagine"));
    m_pagine->addTab(m_riepilogo, QStringLiteral("Riepilogo"));
    m_pagine->addTab(m_obiettivo, QStringLiteral("Progetto da induttanza"));
    m_pagine->addTab(m_frequenza, QStringLiteral("Frequenza"));

    auto *colonna = new QVBoxLayout(cliente);
    colonna->setContentsMargins(0, 0, 0, 0);
    colonna->setSpacing(0);
    colonna->addWidget(Toolbar1);
    colonna->addWidget(m_comuni);
    colonna->addWidget(m_pagine, 1);

    const auto frequenza = [this] {
        const auto &r = m_riepilogo->riepilogo();
        m_frequenza->impostaRiepilogo(r ? &*r : nullptr, m_riepilogo->motivo());
    };
    connect(m_riepilogo, &PaginaRiepilogo::riepilogoCambiato, this, frequenza);
    frequenza();
    connect(m_pagine, &QTabWidget::currentChanged, this, &frmAnalisi::paginaAperta);

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
                                                  : m_riepilogo->testoCopia();
    if (!testo.isEmpty())
        QApplication::clipboard()->setText(testo);
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
