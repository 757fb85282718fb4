#include "analysis/finestra/PaginaObiettivo.h"

#include "analysis/finestra/BarraLavoro.h"
#include "analysis/finestra/Ingressi.h"
#include "analysis/finestra/Lavoratore.h"
#include "analysis/finestra/ModelliAnalisi.h"

#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace windara::analisi {

PaginaObiettivo::PaginaObiettivo(const DatiAnalisi &dati, const QList<FiloRame> &catalogo, const QString &avviso,
                                 IngressiComuni *comuni, QWidget *parent)
    : QWidget(parent), m_dati(dati), m_catalogo(catalogo), m_avviso(avviso), m_lavoratore(new Lavoratore(this)),
      m_attesa(new QTimer(this)), m_comuni(comuni),
      m_obiettivo(new CampoIngresso(Ingresso::Induttanza, "txtObiettivo", QString(), this)),
      m_frequenzaLavoro(new CampoIngresso(Ingresso::Frequenza, "txtFrequenzaLavoro", QString(), this)),
      m_motivoLavoro(new QLabel(this)), m_avvolgimento(new QLabel(this)), m_barra(new BarraLavoro(m_lavoratore, this)),
      m_messaggio(new QLabel(this)), m_modello(new ModelloObiettivo(this)), m_ordine(new OrdineObiettivo(this)),
      m_tabella(new QTableView(this))
{
    setObjectName(QStringLiteral("paginaObiettivo"));
    m_obiettivo->casella()->setPlaceholderText(QStringLiteral("mH"));
    m_obiettivo->casella()->setToolTip(QStringLiteral("L'induttanza da raggiungere, in mH, o con l'unità (µH, nH, H)"));
    // The refusal stands where the table would: in the page's message.
    m_obiettivo->messaggioAltrove();
    m_frequenzaLavoro->casella()->setPlaceholderText(QStringLiteral("facoltativa"));
    m_frequenzaLavoro->casella()->setToolTip(QStringLiteral(
        "La frequenza a cui l'avvolgimento lavorerà: sono segnati i fili con f0 sotto tre volte questa frequenza"));
    // An empty field is no working frequency, not a mistake: the page says what is wrong.
    m_frequenzaLavoro->messaggioAltrove();
    m_motivoLavoro->setObjectName(QStringLiteral("lblMotivoLavoro"));
    m_motivoLavoro->setWordWrap(true);
    m_avvolgimento->setObjectName(QStringLiteral("lblAvvolgimento"));
    m_avvolgimento->setWordWrap(true);
    m_messaggio->setObjectName(QStringLiteral("lblMessaggioObiettivo"));
    m_messaggio->setWordWrap(true);

    m_ordine->setSourceModel(m_modello);
    m_tabella->setObjectName(QStringLiteral("tblObiettivo"));
    m_tabella->setModel(m_ordine);
    m_tabella->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_tabella->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tabella->setWordWrap(false);
    m_tabella->verticalHeader()->hide();
    m_tabella->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_tabella->verticalHeader()->setDefaultSectionSize(m_tabella->fontMetrics().height() + 6);
    m_tabella->setSortingEnabled(true);
    m_tabella->sortByColumn(ModelloObiettivo::Resistenza, Qt::AscendingOrder);
    connect(m_tabella->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, &PaginaObiettivo::adattaColonne);

    auto *ingressi = new QHBoxLayout;
    auto *etichettaL = new QLabel(QStringLiteral("&Induttanza obiettivo (mH):"), this);
    etichettaL->setBuddy(m_obiettivo->casella());
    ingressi->addWidget(etichettaL);
    ingressi->addWidget(m_obiettivo);
    ingressi->addSpacing(16);
    auto *etichettaF = new QLabel(QStringLiteral("&Frequenza di lavoro (Hz):"), this);
    etichettaF->setBuddy(m_frequenzaLavoro->casella());
    ingressi->addWidget(etichettaF);
    ingressi->addWidget(m_frequenzaLavoro);
    ingressi->addStretch(1);
    // The winding and the work's bar on a line of their own, as on the summary: beside the
    // fields they squeezed them to a few characters.
    auto *stato = new QHBoxLayout;
    stato->addWidget(m_avvolgimento, 1);
    stato->addSpacing(16);
    stato->addWidget(m_barra, 1);
    auto *colonna = new QVBoxLayout(this);
    colonna->addLayout(ingressi);
    colonna->addLayout(stato);
    colonna->addWidget(m_motivoLavoro);
    colonna->addWidget(m_messaggio);
    colonna->addWidget(m_tabella, 1);

    m_attesa->setSingleShot(true);
    m_attesa->setInterval(AttesaDigitazione);
    connect(m_attesa, &QTimer::timeout, this, &PaginaObiettivo::ricalcola);
    connect(m_obiettivo, &CampoIngresso::cambiato, m_attesa, qOverload<>(&QTimer::start));
    connect(m_frequenzaLavoro, &CampoIngresso::cambiato, this, &PaginaObiettivo::leggiFrequenzaLavoro);
    connect(m_comuni, &IngressiComuni::temperaturaCambiata, m_attesa, qOverload<>(&QTimer::start));
    connect(m_comuni, &IngressiComuni::stileCambiato, this, &PaginaObiettivo::ricalcola);
    connect(m_barra, &BarraLavoro::annullato, this,
            [this] { mostraMotivo(QStringLiteral("Calcolo annullato: cambia un dato per ricalcolare")); });
    ricalcola();
}

PaginaObiettivo::~PaginaObiettivo() = default;

QWidget *PaginaObiettivo::primoIngresso() const
{
    return m_obiettivo->casella();
}

void PaginaObiettivo::ricalcola()
{
    m_attesa->stop();
    m_lavoratore->annulla();
    DatiAnalisi d = m_dati;
    d.temperatura = m_comuni->gradi();
    d.stile = m_comuni->stile();
    m_avvolgimento->setText(m_comuni->descrizione(nullptr));
    if (!m_avviso.isEmpty())
        return mostraMotivo(m_avviso);
    if (m_obiettivo->casella()->text().trimmed().isEmpty())
        return mostraMotivo(QStringLiteral("Scrivi l'induttanza da raggiungere, in mH"));
    if (!m_obiettivo->valore())
        return mostraMotivo(m_obiettivo->lettura().messaggio);
    const double obiettivo = *m_obiettivo->valore();
    mostraMotivo(QStringLiteral("Calcolo in corso…"));
    m_lavoratore->avvia([this, d, catalogo = m_catalogo, obiettivo](const Lavoratore::Contesto &c) {
        c.consegna([this] { m_barra->fase(QStringLiteral("Fili del catalogo")); });
        const TabellaObiettivo t = ProgettoDaInduttanza(d, catalogo, obiettivo, c.avanzamento());
        if (!c.annullato())
            c.consegna([this, t] { mostra(t); });
    });
    m_lavoratore->attendi(AttesaDiretta);
}

void PaginaObiettivo::leggiFrequenzaLavoro()
{
    const bool vuota = m_frequenzaLavoro->casella()->text().trimmed().isEmpty();
    m_motivoLavoro->setText(vuota ? QString() : m_frequenzaLavoro->lettura().messaggio);
    m_motivoLavoro->setVisible(!m_motivoLavoro->text().isEmpty());
    m_modello->impostaFrequenzaLavoro(vuota ? std::nullopt : m_frequenzaLavoro->valore());
}

void PaginaObiettivo::adattaColonne()
{
    // Every column as wide as its figures and its caption's longest line, the sorted one with
    // room for its arrow (the style's own measure takes a caption as one line and keeps room
    // for an arrow on each column: thirteen would not fit). A wire's reason for having no figures may be longer than
    // its column: its tooltip holds all of it.
    const QFontMetrics cifre(m_tabella->font()), titoli(m_tabella->horizontalHeader()->font());
    for (int c = 0; c < ModelloObiettivo::NumeroColonne; ++c) {
        if (c == ModelloObiettivo::Raggiunge) {
            m_tabella->setColumnWidth(c, cifre.horizontalAdvance(QStringLiteral("no, al massimo")) + 30);
            continue;
        }
        int larghezza = 0;
        for (const QString &riga : m_modello->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().split(u'\n'))
            larghezza = std::max(larghezza, titoli.horizontalAdvance(riga));
        for (int r = 0; r < m_modello->rowCount(); ++r)
            larghezza = std::max(larghezza, cifre.horizontalAdvance(m_modello->index(r, c).data().toString()));
        m_tabella->setColumnWidth(c,
                                  larghezza + (c == m_tabella->horizontalHeader()->sortIndicatorSection() ? 36 : 18));
    }
}

void PaginaObiettivo::mostra(const TabellaObiettivo &t)
{
    m_modello->imposta(t);
    m_tabellaPronta = true;
    adattaColonne();
    if (!t.motivo.isEmpty()) {
        m_messaggio->setText(t.motivo);
        return;
    }
    const auto raggiungono = std::count_if(t.righe.begin(), t.righe.end(), [](const auto &r) { return r.raggiunge; });
    m_messaggio->setText(QStringLiteral("%1 fili del catalogo su %2 raggiungono %3 con l'avvolgimento reale. "
                                        "Clic su un'intestazione per ordinare.")
                             .arg(raggiungono)
                             .arg(t.righe.size())
                             .arg(TestoIngresso(Ingresso::Induttanza, t.obiettivo)));
}

void PaginaObiettivo::mostraMotivo(const QString &motivo)
{
    TabellaObiettivo vuota;
    vuota.temperatura = m_comuni->gradi();
    m_modello->imposta(vuota);
    m_tabellaPronta = false;
    adattaColonne();
    m_messaggio->setText(motivo);
}

QString PaginaObiettivo::testoCopia() const
{
    if (!m_tabellaPronta)
        return {};
    // In the order the user sees.
    TabellaObiettivo t = m_modello->tabella();
    t.righe.clear();
    for (int i = 0; i < m_ordine->rowCount(); ++i)
        t.righe.push_back(m_modello->tabella().righe[m_ordine->mapToSource(m_ordine->index(i, 0)).row()]);
    return TestoObiettivo(t, QLocale().decimalPoint());
}

} // namespace windara::analisi
