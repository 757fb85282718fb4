#include "analysis/finestra/PaginaCorrente.h"

#include "analysis/finestra/Grafici.h"
#include "analysis/finestra/Ingressi.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QVBoxLayout>

#include <cmath>

namespace windara::analisi {

namespace {

// A text dark enough on the window's grey (over 4.5:1), like the main window's highlight.
const QColor ColoreAvviso(170, 0, 0);

const QString Assente = QStringLiteral("—");

// Only when the colour changes: a new palette polishes the label again.
void colora(QLabel *etichetta, bool avviso)
{
    const QColor colore = avviso ? ColoreAvviso : etichetta->parentWidget()->palette().color(QPalette::WindowText);
    if (etichetta->palette().color(QPalette::WindowText) == colore)
        return;
    QPalette p = etichetta->palette();
    p.setColor(QPalette::WindowText, colore);
    etichetta->setPalette(p);
}

} // namespace

PaginaCorrente::PaginaCorrente(const DatiAnalisi &dati, IngressiComuni *comuni, QWidget *parent)
    : QWidget(parent), m_dati(dati), m_comuni(comuni),
      m_corrente(new CampoIngresso(Ingresso::Corrente, "txtCorrente", QStringLiteral("1"), this)),
      m_ambiente(new CampoIngresso(Ingresso::Temperatura, "txtAmbiente", QLocale().toString(AmbienteNormale), this)),
      m_massima(
          new CampoIngresso(Ingresso::Temperatura, "txtTemperaturaMassima", QLocale().toString(MassimaNormale), this)),
      m_avvolgimento(new QLabel(this)), m_classi(new QComboBox(this)), m_avviso(new QLabel(this)),
      m_grafico(new GraficoCorrente(this))
{
    setObjectName(QStringLiteral("paginaCorrente"));
    m_avvolgimento->setObjectName(QStringLiteral("lblAvvolgimento"));
    m_avvolgimento->setWordWrap(true);
    m_corrente->casella()->setToolTip(
        QStringLiteral("Corrente continua in ampere; un prefisso dopo il numero: 300m, 1,5, 20 mA"));
    m_ambiente->casella()->setToolTip(QStringLiteral("Temperatura dell'aria ferma intorno all'avvolgimento"));
    m_massima->casella()->setToolTip(
        QStringLiteral("La temperatura che l'avvolgimento non deve superare: la classe "
                       "dello smalto è il limite del filo, non una temperatura di lavoro"));

    m_classi->setObjectName(QStringLiteral("cmbClasseSmalto"));
    m_classi->setToolTip(QStringLiteral("Le classi termiche degli smalti (IEC 60085, IEC 60317)"));
    m_classi->addItem(QStringLiteral("Classe dello smalto…"));
    // As wide as its first line: the list itself opens as wide as its longest class.
    m_classi->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_classi->setMinimumContentsLength(20);
    const QString descrizioni[ClassiSmalto.size()] = {{},
                                                      QStringLiteral(" (poliuretano, saldabile)"),
                                                      QStringLiteral(" (poliestere-immide)"),
                                                      QStringLiteral(" (con sovrasmalto di poliammide-immide)"),
                                                      QStringLiteral(" (con sovrasmalto di poliammide-immide)")};
    for (std::size_t i = 0; i < ClassiSmalto.size(); ++i)
        m_classi->addItem(QStringLiteral("%1 °C").arg(ClassiSmalto[i]) + descrizioni[i], ClassiSmalto[i]);
    connect(m_classi, &QComboBox::activated, this, [this](int indice) {
        if (indice > 0)
            m_massima->casella()->setText(QLocale().toString(m_classi->itemData(indice).toInt()));
        m_classi->setCurrentIndex(0);
    });

    // The current on its own line, the two temperatures and the classes below it: each
    // field keeps room for its widest echo.
    auto *ingressi = new QGridLayout;
    const auto campo = [&](const QString &testo, CampoIngresso *c, int riga, int colonna) {
        auto *etichetta = new QLabel(testo, this);
        etichetta->setBuddy(c->casella());
        ingressi->addWidget(etichetta, riga, colonna);
        ingressi->addWidget(c, riga, colonna + 1);
    };
    campo(QStringLiteral("&Corrente (A):"), m_corrente, 0, 0);
    campo(QStringLiteral("Temperatura a&mbiente (°C):"), m_ambiente, 1, 0);
    campo(QStringLiteral("Temperatura ma&ssima (°C):"), m_massima, 1, 2);
    ingressi->addWidget(m_classi, 1, 4);
    ingressi->setColumnMinimumWidth(1, 0);
    ingressi->setColumnStretch(5, 1);

    static const char *const nomi[NumeroGrandezzeCorrente] = {"Corrente", "Temperatura",  "Resistenza", "Potenza",
                                                              "Tensione", "Densita",      "Amperspire", "Campo",
                                                              "Energia",  "CostanteTempo"};
    auto *cifre = new QGridLayout;
    const auto intestazione = [&](const QString &testo, int colonna) {
        auto *l = new QLabel(QStringLiteral("<b>%1</b>").arg(testo), this);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        cifre->addWidget(l, 0, colonna);
    };
    intestazione(QStringLiteral("Alla corrente data"), 1);
    intestazione(QStringLiteral("Alla corrente massima"), 2);
    for (int g = 0; g < NumeroGrandezzeCorrente; ++g) {
        const auto grandezza = GrandezzaCorrente(g);
        auto *nome = new QLabel(NomeGrandezzaCorrente(grandezza) + u':', this);
        nome->setToolTip(MetodoGrandezzaCorrente(grandezza));
        cifre->addWidget(nome, g + 1, 0);
        for (auto [colonna, prefisso, indice] :
             {std::tuple{&m_data, "lblData", 1}, std::tuple{&m_alMassimo, "lblMassima", 2}}) {
            auto *v = new QLabel(this);
            v->setObjectName(QLatin1String(prefisso) + QLatin1String(nomi[g]));
            v->setToolTip(MetodoGrandezzaCorrente(grandezza));
            v->setTextInteractionFlags(Qt::TextSelectableByMouse);
            v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            v->setMinimumWidth(90);
            (*colonna)[g] = v;
            cifre->addWidget(v, g + 1, indice);
        }
        cifre->addWidget(new QLabel(UnitaGrandezzaCorrente(grandezza), this), g + 1, 3);
    }
    cifre->setRowStretch(NumeroGrandezzeCorrente + 1, 1);

    m_avviso->setObjectName(QStringLiteral("lblAvvisoCorrente"));
    m_avviso->setWordWrap(true);
    colora(m_avviso, true);
    auto *avvertenza = new QLabel(AvvertenzaCorrente(), this);
    avvertenza->setObjectName(QStringLiteral("lblAvvertenzaCorrente"));
    avvertenza->setWordWrap(true);
    QFont corsivo = avvertenza->font();
    corsivo.setItalic(true);
    avvertenza->setFont(corsivo);

    auto *sinistra = new QVBoxLayout;
    sinistra->addLayout(cifre);
    sinistra->addWidget(m_avviso);
    sinistra->addStretch(1);
    auto *centro = new QHBoxLayout;
    centro->addLayout(sinistra, 2);
    centro->addWidget(m_grafico, 3);
    auto *colonna = new QVBoxLayout(this);
    colonna->addLayout(ingressi);
    for (CampoIngresso *c : {m_corrente, m_ambiente, m_massima})
        colonna->addWidget(c->messaggio());
    colonna->addWidget(m_avvolgimento);
    colonna->addLayout(centro, 1);
    colonna->addWidget(avvertenza);

    // A few hundred roots of one equation: at every keystroke, with no wait.
    for (CampoIngresso *c : {m_corrente, m_ambiente, m_massima})
        connect(c, &CampoIngresso::cambiato, this, &PaginaCorrente::aggiorna);
    // The line naming the winding follows the window's style.
    connect(m_comuni, &IngressiComuni::stileCambiato, this, &PaginaCorrente::aggiorna);
}

PaginaCorrente::~PaginaCorrente() = default;

QWidget *PaginaCorrente::primoIngresso() const
{
    return m_corrente->casella();
}

void PaginaCorrente::impostaRiepilogo(const Riepilogo *r, const QString &motivo)
{
    m_motivo = motivo;
    if (r) {
        m_avvolgimentoCorrente = AvvolgimentoCorrenteReale(*r, &m_motivo);
    } else if (m_motivo.isEmpty()) {
        m_motivo = QStringLiteral("Il riepilogo è ancora in calcolo");
    }
    m_daAggiornare = !isVisible();
    if (!m_daAggiornare)
        aggiorna();
}

void PaginaCorrente::showEvent(QShowEvent *evento)
{
    QWidget::showEvent(evento);
    if (m_daAggiornare) {
        m_daAggiornare = false;
        aggiorna();
    }
}

QString PaginaCorrente::testoCopia() const
{
    if (!m_analisi.motivo.isEmpty())
        return {};
    return TestoCorrente(m_analisi, QLocale().decimalPoint());
}

SezioneScheda PaginaCorrente::sezioneScheda() const
{
    SezioneScheda s;
    s.titolo = QStringLiteral("Corrente e temperatura");
    const auto ingresso = [](const QString &nome, const CampoIngresso *c) {
        const QString eco = c->lettura().eco;
        return CifraScheda{nome, eco.isEmpty() ? c->casella()->text() : eco.mid(2), {}};
    };
    s.cifre << ingresso(QStringLiteral("Corrente"), m_corrente)
            << ingresso(QStringLiteral("Temperatura dell'aria"), m_ambiente)
            << ingresso(QStringLiteral("Temperatura massima dell'avvolgimento"), m_massima);
    if (!m_avviso->text().isEmpty())
        s.cifre << CifraScheda{m_avviso->text(), {}, {}};
    QStringList celle[NumeroGrandezzeCorrente];
    for (int g = 0; g < NumeroGrandezzeCorrente; ++g)
        celle[g] = {NomeGrandezzaCorrente(GrandezzaCorrente(g)), m_data[g]->text(), m_alMassimo[g]->text(),
                    UnitaGrandezzaCorrente(GrandezzaCorrente(g))};
    s.tabella = {{QStringLiteral("Grandezza"), QStringLiteral("Alla corrente data"),
                  QStringLiteral("Alla corrente massima"), QStringLiteral("Unità")},
                 NumeroGrandezzeCorrente,
                 [celle = std::vector<QStringList>(std::begin(celle), std::end(celle))](qsizetype i) {
                     return celle[size_t(i)];
                 },
                 true};
    s.grafico = DisegnoDi(DatiDaGrafico(*m_grafico->chart()));
    s.metodo = AvvertenzaCorrente();
    return s;
}

void PaginaCorrente::aggiorna()
{
    // The style and the wire: the copper's temperature here is the result, from its 20 °C.
    QStringList parti = m_comuni->descrizione(&m_dati.filo).split(QStringLiteral(" · "));
    parti.removeLast();
    parti << QStringLiteral("rame da 20 °C alla temperatura dell'avvolgimento");
    m_avvolgimento->setText(parti.join(QStringLiteral(" · ")));
    const std::optional<double> corrente = m_corrente->valore(), ambiente = m_ambiente->valore(),
                                massima = m_massima->valore();

    QStringList messaggi;
    if (!m_motivo.isEmpty()) {
        m_analisi = AnalisiCorrente{};
        m_analisi.motivo = m_motivo;
    } else if (!ambiente) {
        m_analisi = AnalisiCorrente{};
        m_analisi.motivo = m_ambiente->lettura().messaggio;
    } else {
        m_analisi = AnalizzaCorrente(m_avvolgimentoCorrente, corrente.value_or(NAN), *ambiente, massima.value_or(NAN));
        // What the fields refuse is said under them, in their own words.
        if (!corrente)
            m_analisi.data.motivo.clear();
        if (!massima)
            m_analisi.massima.motivo.clear();
    }
    // A refused field has said why under the inputs already.
    if (!m_analisi.motivo.isEmpty()) {
        if (ambiente || !m_motivo.isEmpty())
            messaggi << m_analisi.motivo;
    } else {
        if (m_analisi.oltreMassima)
            messaggi << m_analisi.avviso;
        else if (!m_analisi.data.valido && !m_analisi.data.motivo.isEmpty())
            messaggi << QStringLiteral("Alla corrente data: ") + m_analisi.data.motivo;
        if (!m_analisi.massima.valido && !m_analisi.massima.motivo.isEmpty())
            messaggi << QStringLiteral("Alla corrente massima: ") + m_analisi.massima.motivo;
    }
    mostraColonna(m_data, m_analisi.data, m_analisi.oltreMassima);
    mostraColonna(m_alMassimo, m_analisi.massima, false);
    m_avviso->setText(messaggi.join(u'\n'));
    m_avviso->setVisible(!messaggi.isEmpty());
    m_grafico->imposta(m_analisi.curva, m_analisi.data, m_analisi.massima);
}

void PaginaCorrente::mostraColonna(const std::array<QLabel *, NumeroGrandezzeCorrente> &colonna,
                                   const RisultatoCorrente &r, bool avviso)
{
    const QString s = QLocale().decimalPoint();
    for (int g = 0; g < NumeroGrandezzeCorrente; ++g) {
        const auto grandezza = GrandezzaCorrente(g);
        QLabel *etichetta = colonna[g];
        const std::optional<double> v = r.valido ? ValoreGrandezzaCorrente(r.punto, grandezza) : std::nullopt;
        etichetta->setText(v ? TestoValoreCorrente(grandezza, *v, s) : Assente);
        // A figure missing for want of the inductance says why where it would stand.
        const bool induttanza =
            grandezza == GrandezzaCorrente::Energia || grandezza == GrandezzaCorrente::CostanteTempo;
        etichetta->setToolTip(r.valido && !v && induttanza ? m_avvolgimentoCorrente.motivoInduttanza
                                                           : MetodoGrandezzaCorrente(grandezza));
        colora(etichetta, avviso);
    }
}

} // namespace windara::analisi
