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
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

namespace windara::analisi {

PaginaFrequenza::PaginaFrequenza(const DatiAnalisi &dati, IngressiComuni *comuni, QWidget *parent)
    : QWidget(parent), m_dati(dati), m_comuni(comuni), m_attesa(new QTimer(this)),
      m_frequenza(new CampoIngresso(Ingresso::Frequenza, "txtFrequenza", QStringLiteral("100000"), this)),
      m_permittivita(new CampoIngresso(Ingresso::Permittivita, "txtPermittivita",
                                       TestoNumero(PermittivitaSmaltoPredefinita, 1, QLocale().decimalPoint()), this)),
      m_avvolgimento(new QLabel(this)), m_comportamento(new QLabel(this)), m_grafico(new GraficoFrequenza(this))
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
    auto *etichettaE = new QLabel(QStringLiteral("ε<sub>r</sub> dello &smalto:"), this);
    etichettaE->setTextFormat(Qt::RichText);
    etichettaE->setBuddy(m_permittivita->casella());
    m_permittivita->casella()->setToolTip(QStringLiteral("Permittività relativa dello smalto, da 1 a 10: poliuretano e "
                                                         "poliestere circa 3,5–3,7, poliammide-immide circa 4,2"));
    ingressi->addWidget(etichettaE);
    ingressi->addWidget(m_permittivita);
    ingressi->addSpacing(16);
    ingressi->addWidget(m_avvolgimento, 1);

    // Each figure: its label's name, its caption as a reader expects it (rich text), the same
    // in plain text with its unit for the copy, and how it is obtained.
    struct Voce
    {
        const char *nome;
        QString titolo, semplice, unita, metodo;
    };
    const Voce voci[NumeroValori] = {
        {"lblInduttanza", QStringLiteral("Induttanza esatta L (mH)"), QStringLiteral("Induttanza esatta L"),
         QStringLiteral("mH"), QStringLiteral("L'induttanza esatta dell'avvolgimento reale, dal riepilogo")},
        {"lblResistenzaCc", QStringLiteral("Resistenza in continua R<sub>cc</sub> (Ω)"),
         QStringLiteral("Resistenza in continua R_cc"), QStringLiteral("Ω"),
         QStringLiteral("La resistenza dell'avvolgimento reale alla temperatura, IEC 60028")},
        {"lblProfondita", QStringLiteral("Profondità di penetrazione δ (mm)"),
         QStringLiteral("Profondità di penetrazione δ"), QStringLiteral("mm"),
         QStringLiteral("δ = √(ρ / (π f µ0)), ρ del rame alla temperatura")},
        {"lblDelta", QStringLiteral("Δ di Dowell"), QStringLiteral("Δ di Dowell"), QString(),
         QStringLiteral("Δ = (π/4)^¾ (d / δ) √(d / p), d il diametro nudo, p il passo")},
        {"lblFattore", QStringLiteral("Fattore di resistenza F<sub>R</sub>"),
         QStringLiteral("Fattore di resistenza F_R"), QString(), QStringLiteral("Dowell (1966): F_R per m strati")},
        {"lblResistenzaAc", QStringLiteral("Resistenza in alternata R<sub>ac</sub> (Ω)"),
         QStringLiteral("Resistenza in alternata R_ac"), QStringLiteral("Ω"),
         QStringLiteral("R_ac = F_R × resistenza in continua")},
        {"lblQ", QStringLiteral("Q = 2πfL / R<sub>ac</sub>"), QStringLiteral("Q = 2πfL / R_ac"), QString(),
         QStringLiteral("Q = 2π f L / R_ac, senza la capacità propria: vale solo sotto f0")},
        {"lblCapacita", QStringLiteral("Capacità propria C<sub>s</sub> (pF)"), QStringLiteral("Capacità propria C_s"),
         QStringLiteral("pF"), ModelloCapacita()},
        {"lblRisonanza", QStringLiteral("Frequenza di risonanza f<sub>0</sub> (kHz)"),
         QStringLiteral("Frequenza di risonanza f0"), QStringLiteral("kHz"), QStringLiteral("f0 = 1 / (2π √(L C_s))")},
        {"lblModulo", QStringLiteral("Impedenza |Z| (Ω)"), QStringLiteral("Impedenza |Z|"), QStringLiteral("Ω"),
         QStringLiteral("Z = (R_ac + j2πfL) in parallelo a 1 / (j2πf C_s)")},
        {"lblFase", QStringLiteral("Fase di Z (°)"), QStringLiteral("Fase di Z"), QStringLiteral("°"),
         QStringLiteral("arg Z: positiva finché l'avvolgimento è induttivo")},
        {"lblInduttanzaEfficace", QStringLiteral("Induttanza efficace Im Z / ω (mH)"),
         QStringLiteral("Induttanza efficace Im Z / ω"), QStringLiteral("mH"),
         QStringLiteral("Im Z / (2πf): cresce verso f0, poi si annulla")},
        {"lblQEffettivo", QStringLiteral("Q con C<sub>s</sub> = Im Z / Re Z"),
         QStringLiteral("Q con C_s = Im Z / Re Z"), QString(),
         QStringLiteral("Q dell'impedenza con la capacità propria: si annulla a f0")},
    };
    for (int v = 0; v < NumeroValori; ++v) {
        m_semplici[v] = voci[v].semplice;
        m_unita[v] = voci[v].unita;
    }
    auto *valori = new QGridLayout;
    for (int v = 0; v < NumeroValori; ++v) {
        auto *titolo = new QLabel(voci[v].titolo + u':', this);
        titolo->setTextFormat(Qt::RichText);
        m_valori[v] = new QLabel(this);
        m_valori[v]->setTextFormat(Qt::PlainText);
        m_valori[v]->setObjectName(QLatin1String(voci[v].nome));
        m_valori[v]->setToolTip(voci[v].metodo);
        m_valori[v]->setTextInteractionFlags(Qt::TextSelectableByMouse);
        m_valori[v]->setWordWrap(true);
        m_valori[v]->setMinimumWidth(160);
        valori->addWidget(titolo, v, 0);
        valori->addWidget(m_valori[v], v, 1);
    }
    m_comportamento->setObjectName(QStringLiteral("lblComportamento"));
    m_comportamento->setWordWrap(true);
    valori->addWidget(m_comportamento, NumeroValori, 0, 1, 2);
    valori->setRowStretch(NumeroValori + 1, 1);

    auto *avvertenza = new QLabel(AvvertenzaDowell(), this);
    avvertenza->setObjectName(QStringLiteral("lblAvvertenza"));
    avvertenza->setWordWrap(true);
    QFont corsivo = avvertenza->font();
    corsivo.setItalic(true);
    avvertenza->setFont(corsivo);

    auto *modello = new QLabel(ModelloCapacita() + u' ' + AvvertenzaCapacita(), this);
    modello->setObjectName(QStringLiteral("lblModelloCapacita"));
    modello->setWordWrap(true);
    modello->setFont(corsivo);

    auto *centro = new QHBoxLayout;
    centro->addLayout(valori, 2);
    centro->addWidget(m_grafico, 3);
    auto *colonna = new QVBoxLayout(this);
    colonna->addLayout(ingressi);
    colonna->addWidget(m_frequenza->messaggio());
    colonna->addWidget(m_permittivita->messaggio());
    colonna->addLayout(centro, 1);
    colonna->addWidget(avvertenza);
    colonna->addWidget(modello);

    m_attesa->setSingleShot(true);
    m_attesa->setInterval(AttesaDigitazione);
    connect(m_attesa, &QTimer::timeout, this, &PaginaFrequenza::aggiorna);
    connect(m_frequenza, &CampoIngresso::cambiato, m_attesa, qOverload<>(&QTimer::start));
    connect(m_permittivita, &CampoIngresso::cambiato, m_attesa, qOverload<>(&QTimer::start));
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
            m_geometria = r->reale;
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
    m_comportamento->clear();
    m_punti.clear();
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
        for (int v = Profondita; v <= Q; ++v)
            m_valori[v]->setText(frequenza ? r.motivo : QStringLiteral("n.d."));
    }

    // The capacitance: the enamel's permittivity as its field reads it (a refusal stands
    // under the field), then the model's own domain.
    const std::optional<double> permittivita = m_permittivita->valore();
    RisultatoCapacita c;
    if (permittivita)
        c = analisi::CapacitaPropria(m_geometria, *permittivita);
    else
        c.motivo = QStringLiteral("n.d.");
    const std::optional<double> f0 = c.valido ? FrequenzaRisonanza(a.induttanza, c.farad) : std::nullopt;
    if (!f0) {
        const QString perche = c.valido ? QStringLiteral("Manca l'induttanza per la risonanza") : c.motivo;
        for (int v = CapacitaPropria; v < NumeroValori; ++v)
            m_valori[v]->setText(perche);
        // Without a capacitance the chart keeps Dowell's curves alone.
        for (const PuntoFrequenza &p : SpazzataFrequenza(a)) {
            PuntoImpedenza z;
            z.frequenza = p.frequenza;
            z.resistenzaAc = p.resistenzaAc;
            z.q = p.q;
            m_punti.push_back(z);
        }
        m_grafico->imposta(m_punti, std::nullopt, r.valido ? frequenza : std::nullopt);
        return;
    }
    m_valori[CapacitaPropria]->setText(TestoNumero(c.farad * 1e12, 2, s));
    m_valori[Risonanza]->setText(TestoNumero(*f0 / 1e3, 1, s));
    const RisultatoImpedenza z = r.valido ? AnalisiImpedenza(a, c.farad, *frequenza) : RisultatoImpedenza{};
    if (z.valido) {
        const PuntoImpedenza &p = z.punto;
        m_valori[Modulo]->setText(TestoNumero(p.modulo, 4, s));
        m_valori[Fase]->setText(TestoNumero(p.fase, 2, s));
        const QString capacitivo = QStringLiteral("nessuna: qui l'avvolgimento è capacitivo");
        m_valori[InduttanzaEfficace]->setText(p.induttanzaEfficace ? TestoNumero(*p.induttanzaEfficace * 1e3, -1, s)
                                                                   : capacitivo);
        m_valori[QEffettivo]->setText(p.q ? TestoNumero(*p.q, 2, s) : capacitivo);
        if (p.capacitivo) {
            // Past f0, 2 pi f L / R_ac describes an inductor that is not there.
            m_valori[Q]->setText(QStringLiteral("non vale oltre f0"));
            m_comportamento->setText(QStringLiteral("A %1 Hz l'avvolgimento è capacitivo: la frequenza è oltre la "
                                                    "sua risonanza, f0 = %2 kHz.")
                                         .arg(TestoNumero(*frequenza, -1, s), TestoNumero(*f0 / 1e3, 1, s)));
        } else {
            m_comportamento->setText(QStringLiteral("A questa frequenza l'avvolgimento è induttivo (sotto f0)."));
        }
    } else {
        for (int v = Modulo; v < NumeroValori; ++v)
            m_valori[v]->setText(frequenza ? (r.valido ? z.motivo : r.motivo) : QStringLiteral("n.d."));
    }
    m_punti = SpazzataImpedenza(a, c.farad);
    m_grafico->imposta(m_punti, f0, z.valido ? frequenza : std::nullopt);
}

void PaginaFrequenza::mostraMotivo(const QString &motivo)
{
    for (QLabel *v : m_valori)
        v->setText(motivo);
    m_punti.clear();
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
    s.titolo = QStringLiteral("Frequenza e risonanza");
    // An input as the page read it ("100 000 Hz"), or as typed when it was refused.
    const auto ingresso = [](const QString &nome, const CampoIngresso *c) {
        const QString eco = c->lettura().eco;
        return CifraScheda{nome, eco.isEmpty() ? c->casella()->text() : eco.mid(2), {}};
    };
    s.cifre << ingresso(QStringLiteral("Frequenza"), m_frequenza)
            << ingresso(QStringLiteral("Temperatura del rame"), m_comuni->temperatura())
            << ingresso(QStringLiteral("Permittività dello smalto"), m_permittivita);
    // The figures under the plain names the copy uses: the page's captions are rich text.
    QStringList metodi;
    for (int v = 0; v < NumeroValori; ++v) {
        s.cifre << CifraScheda{m_semplici[v], m_valori[v]->text(), m_unita[v]};
        if (!m_valori[v]->toolTip().isEmpty())
            metodi << m_semplici[v] + QStringLiteral(": ") + m_valori[v]->toolTip();
    }
    if (!m_comportamento->text().isEmpty())
        s.cifre << CifraScheda{m_comportamento->text(), {}, {}};
    s.grafico = DisegnoDi(DatiDaGrafico(*m_grafico->chart()));
    metodi << AvvertenzaDowell() << ModelloCapacita() << AvvertenzaCapacita();
    s.metodo = metodi.join(u'\n');
    return s;
}

QString PaginaFrequenza::testoCopia() const
{
    const QString s = QLocale().decimalPoint();
    QStringList righe;
    for (int v = 0; v < NumeroValori; ++v)
        righe << QStringList{m_semplici[v], m_valori[v]->text(), m_unita[v]}.join(u'\t');
    if (!m_comportamento->text().isEmpty())
        righe << m_comportamento->text();
    if (!m_punti.empty()) {
        righe << QString() << QStringLiteral("f (Hz)\tR_ac (Ω)\t|Z| (Ω)\tQ");
        for (const PuntoImpedenza &p : m_punti)
            righe << QStringList{TestoNumero(p.frequenza, -1, s), TestoNumero(p.resistenzaAc, -1, s),
                                 p.modulo > 0 ? TestoNumero(p.modulo, -1, s) : QString(),
                                 p.q ? TestoNumero(*p.q, -1, s) : QString()}
                         .join(u'\t');
    }
    return righe.join(u'\n') + u'\n';
}

} // namespace windara::analisi
