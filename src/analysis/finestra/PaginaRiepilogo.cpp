#include "analysis/finestra/PaginaRiepilogo.h"

#include "analysis/finestra/BarraLavoro.h"
#include "analysis/finestra/Grafici.h"
#include "analysis/finestra/Ingressi.h"
#include "analysis/finestra/Lavoratore.h"
#include "analysis/finestra/ModelliAnalisi.h"
#include "design/Limiti.h"

#include <QChart>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTableView>
#include <QTableWidget>
#include <QTimer>

#include <chrono>
#include <cmath>
#include <memory>

namespace windara::analisi {

namespace {

const QString InCorso = QStringLiteral("Calcolo in corso…");

// A summary of up to 5,000 turns takes a few milliseconds: worth waiting for, so that it is on
// screen at once. The rules' own turns tell (the real winding has no more, give or take the
// millimetre H is rounded to); a design they cannot compute is answered at once anyway.
bool riepilogoRapido(const TestiLimiti &testi)
{
    StatoProgetto s;
    DidascalieLimiti d;
    RecalcoloLimiti(testi, EsitoRicerca::trovata(QStringLiteral("0")), s, d);
    return double(s.StratiMax) * s.SpirePerStrato <= 5000;
}

QString nomeRiga(Grandezza g, double temperatura)
{
    if (g == Grandezza::ResistenzaT && !std::isfinite(temperatura))
        return QStringLiteral("Resistenza alla temperatura scelta (Ω)");
    return NomeGrandezza(g, temperatura);
}

} // namespace

PaginaRiepilogo::PaginaRiepilogo(const DatiAnalisi &dati, const QString &avviso, IngressiComuni *comuni,
                                 QWidget *parent)
    : QWidget(parent), m_dati(dati), m_avviso(avviso), m_rapido(riepilogoRapido(dati.testi)),
      m_lavoratore(new Lavoratore(this)), m_attesa(new QTimer(this)), m_comuni(comuni),
      m_avvolgimento(new QLabel(this)), m_barra(new BarraLavoro(m_lavoratore, this)),
      m_cifre(new QTableWidget(NumeroGrandezze, NumeroColonne, this)), m_metodo(new QLabel(this)),
      m_modello(new ModelloStrati(this)), m_strati(new QTableView(this)), m_grafico(new GraficoStrati(this))
{
    setObjectName(QStringLiteral("paginaRiepilogo"));
    m_avvolgimento->setObjectName(QStringLiteral("lblAvvolgimento"));
    m_avvolgimento->setWordWrap(true);

    m_cifre->setObjectName(QStringLiteral("tblRiepilogo"));
    m_cifre->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A reason in a cell wraps as far as the cell goes; the line under the table holds it whole.
    m_cifre->setWordWrap(true);
    m_cifre->setTextElideMode(Qt::ElideNone);
    for (int c = 0; c < NumeroColonne; ++c)
        m_cifre->setHorizontalHeaderItem(c, new QTableWidgetItem(ACapo(NomeColonna(Colonna(c)))));
    m_cifre->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_cifre->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // The row captions as wide as the widest one the temperature can give, so that the
    // columns stand still while it is typed.
    const int titoli =
        m_cifre->verticalHeader()->fontMetrics().horizontalAdvance(NomeGrandezza(Grandezza::ResistenzaT, -59.9999)) +
        16;
    m_cifre->verticalHeader()->setFixedWidth(titoli);
    // Each column holds an inductance of ten significant digits down to 0.01 mH whole: a
    // narrower one wraps the figure at its separator and shows "3," for 3.247167296. The chart
    // beside gives up the room.
    const int cifra =
        m_cifre->fontMetrics().horizontalAdvance(TestoNumero(0.0123456789, -1, QLocale().decimalPoint())) + 16;
    m_cifre->horizontalHeader()->setMinimumSectionSize(cifra);
    m_cifre->setMinimumWidth(titoli + NumeroColonne * cifra + 2 * m_cifre->frameWidth());
    // And every row in sight: nine figures are not worth a scroll bar.
    m_cifre->setMinimumHeight(m_cifre->horizontalHeader()->sizeHint().height() +
                              NumeroGrandezze * (m_cifre->fontMetrics().height() + 4) + 2 * m_cifre->frameWidth());
    for (int g = 0; g < NumeroGrandezze; ++g)
        for (int c = 0; c < NumeroColonne; ++c) {
            auto *cella = new QTableWidgetItem;
            cella->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_cifre->setItem(g, c, cella);
        }

    m_metodo->setObjectName(QStringLiteral("lblMetodo"));
    m_metodo->setWordWrap(true);
    m_metodo->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_strati->setObjectName(QStringLiteral("tblStrati"));
    m_strati->setModel(m_modello);
    m_strati->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_strati->setWordWrap(false);
    m_strati->verticalHeader()->hide();
    // Uniform rows: tens of thousands of them scroll without measuring each.
    m_strati->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_strati->verticalHeader()->setDefaultSectionSize(m_strati->fontMetrics().height() + 6);
    m_strati->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);

    // Room for a readable plot beside the figures.
    m_grafico->setMinimumWidth(m_grafico->fontMetrics().horizontalAdvance(m_grafico->chart()->title()));

    auto *ingressi = new QHBoxLayout;
    ingressi->addWidget(m_avvolgimento, 1);
    ingressi->addSpacing(16);
    ingressi->addWidget(m_barra, 1);

    auto *griglia = new QGridLayout(this);
    griglia->addLayout(ingressi, 0, 0, 1, 2);
    griglia->addWidget(m_cifre, 1, 0);
    griglia->addWidget(m_grafico, 1, 1);
    griglia->addWidget(m_metodo, 2, 0, 1, 2);
    griglia->addWidget(m_strati, 3, 0, 1, 2);
    griglia->setColumnStretch(0, 5);
    griglia->setColumnStretch(1, 4);
    griglia->setRowStretch(1, 1);
    griglia->setRowStretch(3, 1);

    m_attesa->setSingleShot(true);
    m_attesa->setInterval(AttesaDigitazione);
    connect(m_attesa, &QTimer::timeout, this, [this] { ricalcola(); });
    connect(m_comuni, &IngressiComuni::temperaturaCambiata, m_attesa, qOverload<>(&QTimer::start));
    connect(m_comuni, &IngressiComuni::stileCambiato, this, [this] { ricalcola(); });
    connect(m_barra, &BarraLavoro::annullato, this, &PaginaRiepilogo::annullato);
    // The computation runs while the window builds its other pages; the window waits for
    // it once they are built.
    ricalcola(false);
}

PaginaRiepilogo::~PaginaRiepilogo() = default;

QWidget *PaginaRiepilogo::primoIngresso() const
{
    return m_comuni->temperatura()->casella();
}

Stile PaginaRiepilogo::stile() const
{
    return m_comuni->stile();
}

void PaginaRiepilogo::attendiRiepilogo()
{
    if (m_rapido)
        m_lavoratore->attendi(AttesaDiretta);
}

void PaginaRiepilogo::ricalcola(bool attendi)
{
    m_attesa->stop();
    m_lavoratore->annulla();
    m_riepilogo.reset();
    m_metodoTabella.clear();
    // A temperature the field refuses leaves out only the figures that depend on it.
    DatiAnalisi d = m_dati;
    d.temperatura = m_comuni->gradi();
    d.stile = stile();
    m_avvolgimento->setText(m_comuni->descrizione(&d.filo));
    m_modello->azzera(d.temperatura);
    m_grafico->azzera(0, 0);
    mostraMotivo(InCorso, d.temperatura);
    emit riepilogoCambiato();

    m_lavoratore->avvia([this, d](const Lavoratore::Contesto &c) {
        c.consegna([this] { m_barra->fase(QStringLiteral("Riepilogo")); });
        const Riepilogo r = CalcolaRiepilogo(d, c.avanzamento());
        if (c.annullato())
            return;
        c.consegna([this, r] { mostraRiepilogo(r); });
        c.primiRisultati();
        if (!r.motivo.isEmpty())
            return;
        // The real winding's table, then the rules' winding for the chart alone; the rows
        // travel in batches so that the window is not flooded with one call per layer.
        const auto tabella = [&](Colonna colonna, const QString &fase) {
            c.consegna([this, fase] { m_barra->fase(fase); });
            std::vector<RigaStrato> lotto;
            auto ultimo = std::chrono::steady_clock::now();
            const TabellaStrati t = CalcolaTabellaStrati(d, colonna, c.avanzamento(), [&](const RigaStrato &riga) {
                lotto.push_back(riga);
                const auto adesso = std::chrono::steady_clock::now();
                if (adesso - ultimo >= std::chrono::milliseconds(IntervalloLotti)) {
                    ultimo = adesso;
                    c.consegna([this, colonna, righe = std::move(lotto)] { aggiungiRighe(colonna, righe); });
                    lotto.clear();
                }
            });
            if (c.annullato())
                return;
            c.consegna([this, colonna, righe = std::move(lotto), metodo = t.metodo, motivo = t.motivo] {
                aggiungiRighe(colonna, righe);
                fineTabella(colonna, metodo, motivo);
            });
        };
        tabella(Colonna::Reale, QStringLiteral("Tabella per strati"));
        if (!c.annullato())
            tabella(Colonna::StesseSpire, QStringLiteral("Curve delle regole"));
    });
    if (attendi)
        attendiRiepilogo();
}

void PaginaRiepilogo::mostraMotivo(const QString &motivo, double temperatura)
{
    m_motivo = motivo;
    for (int g = 0; g < NumeroGrandezze; ++g) {
        m_cifre->setVerticalHeaderItem(g, new QTableWidgetItem(nomeRiga(Grandezza(g), temperatura)));
        for (int c = 0; c < NumeroColonne; ++c) {
            QTableWidgetItem *cella = m_cifre->item(g, c);
            cella->setText(motivo);
            cella->setToolTip(motivo);
        }
    }
    m_metodo->setText(m_avviso.isEmpty() ? motivo : m_avviso + u'\n' + motivo);
}

void PaginaRiepilogo::mostraRiepilogo(const Riepilogo &r)
{
    m_riepilogo = r;
    const QString separatore = QLocale().decimalPoint();
    for (int g = 0; g < NumeroGrandezze; ++g) {
        m_cifre->setVerticalHeaderItem(g, new QTableWidgetItem(nomeRiga(Grandezza(g), r.temperatura)));
        for (int c = 0; c < NumeroColonne; ++c) {
            const Cifra &cifra = r.cifre[g][c];
            QTableWidgetItem *cella = m_cifre->item(g, c);
            cella->setText(TestoCifra(Grandezza(g), cifra, separatore));
            // A missing figure: why, then how it would have been had.
            cella->setToolTip(cifra.valore             ? cifra.metodo
                              : cifra.metodo.isEmpty() ? cifra.motivo
                                                       : cifra.motivo + u'\n' + cifra.metodo);
        }
    }
    m_grafico->azzera(r.esattaRegole.valido ? r.regole.numeroStrati() : 0,
                      r.esattaReale.valido ? r.reale.numeroStrati() : 0);
    m_metodoTabella = r.motivo.isEmpty() ? InCorso : QString();
    scriviMetodo();
    emit riepilogoCambiato();
}

void PaginaRiepilogo::aggiungiRighe(Colonna colonna, const std::vector<RigaStrato> &righe)
{
    if (colonna == Colonna::Reale)
        m_modello->aggiungi(righe);
    m_grafico->aggiungi(colonna, righe);
}

void PaginaRiepilogo::fineTabella(Colonna colonna, Metodo metodo, const QString &motivo)
{
    if (colonna != Colonna::Reale)
        return;
    m_metodoTabella = motivo.isEmpty() ? NomeMetodo(metodo) : motivo;
    scriviMetodo();
}

void PaginaRiepilogo::annullato()
{
    const QString motivo = QStringLiteral("Calcolo annullato: cambia un dato per ricalcolare");
    if (!m_riepilogo) {
        mostraMotivo(motivo, m_comuni->gradi());
        emit riepilogoCambiato();
        return;
    }
    m_metodoTabella = m_modello->rowCount() > 0
                          ? QStringLiteral("calcolo annullato allo strato %1: cambia un dato per ricalcolare")
                                .arg(m_modello->rowCount())
                          : motivo;
    scriviMetodo();
}

void PaginaRiepilogo::scriviMetodo()
{
    if (!m_riepilogo)
        return;
    const Riepilogo &r = *m_riepilogo;
    QStringList righe;
    if (!m_avviso.isEmpty())
        righe << m_avviso;
    if (!r.motivo.isEmpty()) {
        righe << r.motivo;
    } else {
        const auto metodo = [](const RisultatoInduttanza &e, const Cifra &c) {
            return e.valido ? NomeMetodo(e.metodo) : c.motivo;
        };
        righe << QStringLiteral("Induttanza esatta: stesse spire — %1; avvolgimento reale — %2")
                     .arg(metodo(r.esattaRegole, r(Grandezza::Induttanza, Colonna::StesseSpire)),
                          metodo(r.esattaReale, r(Grandezza::Induttanza, Colonna::Reale)));
        if (!m_metodoTabella.isEmpty())
            righe << QStringLiteral("Tabella per strati dell'avvolgimento reale: %1").arg(m_metodoTabella);
        // Every reason of a missing figure, whole, once, with its column.
        for (int c = 0; c < NumeroColonne; ++c) {
            QStringList motivi;
            for (int g = 0; g < NumeroGrandezze; ++g) {
                const Cifra &cifra = r.cifre[g][c];
                if (!cifra.valore && !motivi.contains(cifra.motivo) && cifra.motivo != QStringLiteral("riferimento"))
                    motivi << cifra.motivo;
            }
            if (!motivi.isEmpty())
                righe << QStringLiteral("%1: %2").arg(NomeColonna(Colonna(c)), motivi.join(QStringLiteral("; ")));
        }
    }
    m_metodo->setText(righe.join(u'\n'));
}

QString PaginaRiepilogo::testoCopia() const
{
    if (!m_riepilogo)
        return {};
    const QString separatore = QLocale().decimalPoint();
    TabellaStrati t;
    t.righe = m_modello->righe();
    return TestoRiepilogo(*m_riepilogo, separatore) + TestoTabellaStrati(t, m_riepilogo->temperatura, separatore);
}

QList<CifraScheda> PaginaRiepilogo::progettoScheda() const
{
    const TestiLimiti &t = m_dati.testi;
    const FiloRame &f = m_dati.filo;
    return {{QStringLiteral("Altezza H"), t.altezza, QStringLiteral("mm")},
            {QStringLiteral("Spazio radiale B"), t.b, QStringLiteral("mm")},
            {QStringLiteral("Diametro del rocchetto D1"), t.d1, QStringLiteral("mm")},
            {QStringLiteral("Filo: diametro nominale"), t.sceltaDiametro, QStringLiteral("mm")},
            {QStringLiteral("Filo: diametro esterno massimo"), f.DiametroEsternoMax, QStringLiteral("mm")},
            {QStringLiteral("Filo: sezione"), f.Sezione, QStringLiteral("mm²")},
            {QStringLiteral("Filo: resistenza a 20 °C"), f.Resistenza, QStringLiteral("Ω/m")},
            {QStringLiteral("Filo: peso"), f.Peso, QStringLiteral("g/m")},
            {QStringLiteral("Temperatura del rame"), m_comuni->temperatura()->casella()->text(), QStringLiteral("°C")},
            {QStringLiteral("Avvolgimento"), m_comuni->casellaStile()->currentText(), QString()}};
}

QList<SezioneScheda> PaginaRiepilogo::sezioniScheda() const
{
    // The summary as the window writes it, cell by cell.
    SezioneScheda riepilogo;
    riepilogo.titolo = QStringLiteral("Riepilogo");
    QStringList intestazione{QStringLiteral("Grandezza")};
    for (int c = 0; c < NumeroColonne; ++c)
        intestazione << NomeColonna(Colonna(c));
    std::vector<QStringList> celle;
    for (int g = 0; g < NumeroGrandezze; ++g) {
        QStringList riga{m_cifre->verticalHeaderItem(g) ? m_cifre->verticalHeaderItem(g)->text() : QString()};
        for (int c = 0; c < NumeroColonne; ++c)
            riga << m_cifre->item(g, c)->text();
        celle.push_back(riga);
    }
    riepilogo.tabella = {intestazione, qsizetype(celle.size()), [celle](qsizetype i) { return celle[size_t(i)]; },
                         true};
    riepilogo.grafico = DisegnoDi(DatiDaGrafico(*m_grafico->chart()));
    riepilogo.metodo = m_metodo->text();

    // Every row the table holds, written when painted: tens of thousands of rows are never
    // held as text.
    SezioneScheda strati;
    strati.titolo = QStringLiteral("Tabella per strati dell'avvolgimento reale");
    const auto righe = std::make_shared<const std::vector<RigaStrato>>(m_modello->righe());
    const QString separatore = QLocale().decimalPoint();
    strati.tabella.intestazione =
        TestoTabellaStrati({}, m_comuni->gradi(), separatore).section(u'\n', 0, 0).split(u'\t');
    strati.tabella.righe = qsizetype(righe->size());
    strati.tabella.riga = [righe, separatore](qsizetype i) { return CelleRigaStrato((*righe)[size_t(i)], separatore); };
    strati.metodo =
        m_metodoTabella.isEmpty() ? QString() : QStringLiteral("Metodo della tabella: %1").arg(m_metodoTabella);
    return {riepilogo, strati};
}

} // namespace windara::analisi
