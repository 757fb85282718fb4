#include "analysis/finestra/PaginaFrequenza.h"

#include "analysis/Dowell.h"
#include "analysis/finestra/Grafici.h"
#include "analysis/finestra/Ingressi.h"

#include <QChart>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QRegularExpression>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace windara::analisi {

PaginaFrequenza::PaginaFrequenza(const DatiAnalisi &dati, IngressiComuni *comuni, QWidget *parent)
    : QWidget(parent), m_dati(dati), m_comuni(comuni), m_attesa(new QTimer(this)),
      m_frequenza(new CampoIngresso(Ingresso::Frequenza, "txtFrequenza", QStringLiteral("100000"), this)),
      m_avvolgimento(new QLabel(this)), m_grafico(new GraficoFrequenza(this))
{
    setObjectName(QStringLiteral("paginaFrequenza"));
    m_avvolgimento->setObjectName(QStringLiteral("lblAvvolgimento"));
    m_avvolgimento->setWordWrap(true);

    auto *ingressi = new QHBoxLayout;
    auto *etichettaF = new QLabel(QStringLiteral("&Frequenza (Hz):"), this);
    etichettaF->setBuddy(m_frequenza->casella());
    ingressi->addWidget(etichettaF);
    ingressi->addWidget(m_frequenza);
    ingressi->addSpacing(16);
    ingressi->addWidget(m_avvolgimento, 1);

    static const char *const nomi[NumeroValori] = {"lblInduttanza", "lblResistenzaCc", "lblProfondita", "lblDelta",
                                                   "lblFattore",    "lblResistenzaAc", "lblQ"};
    const QString titoli[NumeroValori] = {QStringLiteral("Induttanza esatta (mH)"),
                                          QStringLiteral("Resistenza in continua (Ω)"),
                                          QStringLiteral("Profondità di penetrazione δ (mm)"),
                                          QStringLiteral("Δ di Dowell"),
                                          QStringLiteral("Fattore di resistenza F_R"),
                                          QStringLiteral("Resistenza in alternata R_ac (Ω)"),
                                          QStringLiteral("Q = 2πfL / R_ac")};
    const QString metodi[NumeroValori] = {
        QStringLiteral("L'induttanza esatta dell'avvolgimento reale, dal riepilogo"),
        QStringLiteral("La resistenza dell'avvolgimento reale alla temperatura, IEC 60028"),
        QStringLiteral("δ = √(ρ / (π f µ0)), ρ del rame alla temperatura"),
        QStringLiteral("Δ = (π/4)^¾ (d / δ) √(d / p), d il diametro nudo, p il passo"),
        QStringLiteral("Dowell (1966): F_R per m strati"),
        QStringLiteral("R_ac = F_R × resistenza in continua"),
        QStringLiteral("Q = 2π f L / R_ac")};
    auto *valori = new QGridLayout;
    for (int v = 0; v < NumeroValori; ++v) {
        auto *titolo = new QLabel(titoli[v] + u':', this);
        m_valori[v] = new QLabel(this);
        m_valori[v]->setObjectName(QLatin1String(nomi[v]));
        m_valori[v]->setToolTip(metodi[v]);
        m_valori[v]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_valori[v]->setWordWrap(true);
        m_valori[v]->setMinimumWidth(160);
        valori->addWidget(titolo, v, 0);
        valori->addWidget(m_valori[v], v, 1);
    }
    valori->setRowStretch(NumeroValori, 1);

    auto *avvertenza = new QLabel(AvvertenzaDowell(), this);
    avvertenza->setObjectName(QStringLiteral("lblAvvertenza"));
    avvertenza->setWordWrap(true);
    QFont corsivo = avvertenza->font();
    corsivo.setItalic(true);
    avvertenza->setFont(corsivo);

    auto *centro = new QHBoxLayout;
    centro->addLayout(valori, 2);
    centro->addWidget(m_grafico, 3);
    auto *colonna = new QVBoxLayout(this);
    colonna->addLayout(ingressi);
    colonna->addWidget(m_frequenza->messaggio());
    colonna->addLayout(centro, 1);
    colonna->addWidget(avvertenza);

    m_attesa->setSingleShot(true);
    m_attesa->setInterval(AttesaDigitazione);
    connect(m_attesa, &QTimer::timeout, this, &PaginaFrequenza::aggiorna);
    connect(m_frequenza, &CampoIngresso::cambiato, m_attesa, qOverload<>(&QTimer::start));
    connect(m_comuni, &IngressiComuni::temperaturaCambiata, m_attesa, qOverload<>(&QTimer::start));
}

PaginaFrequenza::~PaginaFrequenza() = default;

QWidget *PaginaFrequenza::primoIngresso() const
{
    return m_frequenza->casella();
}

void PaginaFrequenza::impostaRiepilogo(const Riepilogo *r, const QString &motivo)
{
    m_motivo = motivo;
    if (r) {
        const Cifra &l = (*r)(Grandezza::Induttanza, Colonna::Reale);
        const Cifra &r20 = (*r)(Grandezza::Resistenza20, Colonna::Reale);
        if (!r->motivo.isEmpty())
            m_motivo = r->motivo;
        else if (!l.valore)
            m_motivo = l.motivo;
        else if (!r20.valore)
            m_motivo = r20.motivo;
        else {
            m_motivo.clear();
            m_avvolgimentoAc = AvvolgimentoAcReale(*r);
            m_resistenza20 = *r20.valore;
        }
    }
    m_daAggiornare = !isVisible();
    if (!m_daAggiornare)
        aggiorna();
}

void PaginaFrequenza::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (m_daAggiornare) {
        m_daAggiornare = false;
        aggiorna();
    }
}

void PaginaFrequenza::aggiorna()
{
    m_attesa->stop();
    const double temperatura = m_comuni->gradi();
    m_avvolgimento->setText(m_comuni->descrizione(&m_dati.filo));
    if (!m_motivo.isEmpty())
        return mostraMotivo(m_motivo);
    const QString s = QLocale().decimalPoint();
    m_valori[Induttanza]->setText(TestoNumero(m_avvolgimentoAc.induttanza * 1e3, -1, s));
    if (!TemperaturaValida(temperatura)) {
        for (int v = ResistenzaCc; v < NumeroValori; ++v)
            m_valori[v]->setText(MotivoTemperatura());
        m_grafico->imposta({});
        return;
    }
    AvvolgimentoAc a = m_avvolgimentoAc;
    a.temperatura = temperatura;
    a.resistenzaCc = ResistenzaATemperatura(m_resistenza20, temperatura);
    const QString motivo = MotivoAvvolgimentoAc(a);
    if (!motivo.isEmpty())
        return mostraMotivo(motivo);

    m_valori[ResistenzaCc]->setText(TestoNumero(a.resistenzaCc, 4, s));
    // A frequency the field refuses: its message stands under the field, whole.
    const std::optional<double> frequenza = m_frequenza->valore();
    const RisultatoFrequenza r = frequenza ? AnalisiFrequenza(a, *frequenza) : RisultatoFrequenza{};
    if (r.valido) {
        const PuntoFrequenza &p = r.punto;
        m_valori[Profondita]->setText(TestoNumero(p.profondita * 1e3, 4, s));
        m_valori[Delta]->setText(TestoNumero(p.delta, 4, s));
        m_valori[Fattore]->setText(TestoNumero(p.fattore, 4, s));
        m_valori[ResistenzaAc]->setText(TestoNumero(p.resistenzaAc, 4, s));
        m_valori[Q]->setText(TestoNumero(p.q, 2, s));
    } else {
        for (int v = Profondita; v < NumeroValori; ++v)
            m_valori[v]->setText(frequenza ? r.motivo : QStringLiteral("n.d."));
    }
    m_grafico->imposta(SpazzataFrequenza(a));
}

void PaginaFrequenza::mostraMotivo(const QString &motivo)
{
    for (QLabel *v : m_valori)
        v->setText(motivo);
    m_grafico->imposta({});
}

SezioneScheda PaginaFrequenza::sezioneScheda()
{
    // A summary that came while the page was hidden: its figures first.
    if (m_daAggiornare) {
        m_daAggiornare = false;
        aggiorna();
    }
    SezioneScheda s;
    s.titolo = QStringLiteral("Frequenza");
    // "Caption (unit)" split in two.
    static const QRegularExpression conUnita(QStringLiteral("^(.*) \\(([^()]*)\\):?$"));
    const auto cifra = [](QString titolo, const QString &valore) {
        const QRegularExpressionMatch m = conUnita.match(titolo);
        if (titolo.endsWith(u':'))
            titolo.chop(1);
        return m.hasMatch() ? CifraScheda{m.captured(1), valore, m.captured(2)} : CifraScheda{titolo, valore, {}};
    };
    // An input as the page read it ("100 000 Hz"), or as typed when it was refused.
    const auto ingresso = [](const QString &nome, const CampoIngresso *c) {
        const QString eco = c->lettura().eco;
        return CifraScheda{nome, eco.isEmpty() ? c->casella()->text() : eco.mid(2), {}};
    };
    s.cifre << ingresso(QStringLiteral("Frequenza"), m_frequenza)
            << ingresso(QStringLiteral("Temperatura del rame"), m_comuni->temperatura());
    // Every figure of the page's grid, caption beside value, in the order shown.
    QStringList metodi;
    if (const auto *griglia = findChild<QGridLayout *>()) {
        for (int r = 0; r < griglia->rowCount(); ++r) {
            QLayoutItem *titolo = griglia->itemAtPosition(r, 0), *valore = griglia->itemAtPosition(r, 1);
            const auto *t = titolo ? qobject_cast<QLabel *>(titolo->widget()) : nullptr;
            const auto *v = valore ? qobject_cast<QLabel *>(valore->widget()) : nullptr;
            if (!t || !v)
                continue;
            s.cifre << cifra(t->text(), v->text());
            if (!v->toolTip().isEmpty())
                metodi << s.cifre.last().nome + QStringLiteral(": ") + v->toolTip();
        }
    }
    s.grafico = DisegnoDi(DatiDaGrafico(*m_grafico->chart()));
    metodi << AvvertenzaDowell();
    s.metodo = metodi.join(u'\n');
    return s;
}

} // namespace windara::analisi
