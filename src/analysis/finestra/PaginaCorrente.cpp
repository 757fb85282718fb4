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

// What one field holds: its value in the field's unit and the echo beside it, or why the text
// is refused.
struct LetturaCampo
{
    std::optional<double> valore;
    QString messaggio, eco;
};

// The current in ampere, an SI prefix (and the unit) allowed after the number: 300m, 1.5 A.
LetturaCampo leggiCorrente(const QLineEdit *c)
{
    LetturaCampo l;
    QString t = c->text().trimmed();
    if (t.endsWith(u'A'))
        t.chop(1);
    t = t.trimmed();
    double scala = 1;
    static const QList<std::pair<QChar, double>> prefissi = {{u'n', 1e-9},         {u'u', 1e-6}, {QChar(0xB5), 1e-6},
                                                             {QChar(0x3BC), 1e-6}, {u'm', 1e-3}, {u'k', 1e3}};
    for (const auto &[prefisso, fattore] : prefissi)
        if (t.endsWith(prefisso)) {
            t.chop(1);
            scala = fattore;
            break;
        }
    const std::optional<double> v = LeggiNumero(t, QLocale().decimalPoint());
    if (!v || !(*v > 0) || !std::isfinite(*v * scala) || *v * scala > 1000) {
        l.messaggio = QStringLiteral("La corrente deve essere un numero da 1 µA a 1000 A, anche con un prefisso "
                                     "(300m, 1,5): «%1» non lo è")
                          .arg(c->text());
        return l;
    }
    l.valore = *v * scala;
    l.eco = QStringLiteral("= %1 A").arg(QLocale().toString(*l.valore, 'g', 15));
    return l;
}

// A temperature in °C, from -60 to 250.
LetturaCampo leggiTemperatura(const QLineEdit *c, const QString &nome)
{
    LetturaCampo l;
    QString t = c->text().trimmed();
    if (t.endsWith(QStringLiteral("°C")))
        t.chop(2);
    const std::optional<double> v = LeggiNumero(t, QLocale().decimalPoint());
    if (!v || *v < -60 || *v > TemperaturaLimiteModello) {
        l.messaggio = QStringLiteral("La %1 deve essere un numero da -60 a 250 °C: «%2» non lo è").arg(nome, c->text());
        return l;
    }
    l.valore = v;
    l.eco = QStringLiteral("= %1 °C").arg(QLocale().toString(*v, 'g', 15));
    return l;
}

} // namespace

PaginaCorrente::PaginaCorrente(QWidget *parent)
    : QWidget(parent), m_corrente(CasellaNumero("txtCorrente", QStringLiteral("1"), this)),
      m_ambiente(CasellaNumero("txtAmbiente", QLocale().toString(AmbienteNormale), this)),
      m_massima(CasellaNumero("txtTemperaturaMassima", QLocale().toString(MassimaNormale), this)),
      m_ecoCorrente(new QLabel(this)), m_ecoAmbiente(new QLabel(this)), m_ecoMassima(new QLabel(this)),
      m_classi(new QComboBox(this)), m_avviso(new QLabel(this)), m_grafico(new GraficoCorrente(this))
{
    setObjectName(QStringLiteral("paginaCorrente"));
    for (QLineEdit *c : {m_corrente, m_ambiente, m_massima})
        c->setMinimumWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("000,00")) + 12);
    m_corrente->setToolTip(QStringLiteral("Corrente continua in ampere; un prefisso dopo il numero: 300m, 1,5, 20 mA"));
    m_ambiente->setToolTip(QStringLiteral("Temperatura dell'aria ferma intorno all'avvolgimento"));
    m_massima->setToolTip(QStringLiteral("La temperatura che l'avvolgimento non deve superare: la classe dello "
                                         "smalto è il limite del filo, non una temperatura di lavoro"));
    m_ecoCorrente->setObjectName(QStringLiteral("lblEcoCorrente"));
    m_ecoAmbiente->setObjectName(QStringLiteral("lblEcoAmbiente"));
    m_ecoMassima->setObjectName(QStringLiteral("lblEcoTemperaturaMassima"));

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
            m_massima->setText(QLocale().toString(m_classi->itemData(indice).toInt()));
        m_classi->setCurrentIndex(0);
    });

    auto *ingressi = new QHBoxLayout;
    const auto campo = [&](const QString &testo, QLineEdit *casella, QLabel *eco) {
        auto *etichetta = new QLabel(testo, this);
        etichetta->setBuddy(casella);
        ingressi->addWidget(etichetta);
        ingressi->addWidget(casella);
        ingressi->addWidget(eco);
        ingressi->addSpacing(12);
    };
    campo(QStringLiteral("&Corrente (A):"), m_corrente, m_ecoCorrente);
    campo(QStringLiteral("Temperatura a&mbiente (°C):"), m_ambiente, m_ecoAmbiente);
    campo(QStringLiteral("Temperatura ma&ssima (°C):"), m_massima, m_ecoMassima);
    ingressi->addWidget(m_classi);
    ingressi->addStretch(1);

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
    colonna->addLayout(centro, 1);
    colonna->addWidget(avvertenza);

    // A few hundred roots of one equation: at every keystroke, with no wait.
    for (QLineEdit *c : {m_corrente, m_ambiente, m_massima})
        connect(c, &QLineEdit::textChanged, this, &PaginaCorrente::aggiorna);
}

PaginaCorrente::~PaginaCorrente() = default;

QWidget *PaginaCorrente::primoIngresso() const
{
    return m_corrente;
}

void PaginaCorrente::impostaRiepilogo(const Riepilogo *r, const QString &motivo)
{
    m_motivo = motivo;
    if (r) {
        m_avvolgimento = AvvolgimentoCorrenteReale(*r, &m_motivo);
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

void PaginaCorrente::aggiorna()
{
    const LetturaCampo corrente = leggiCorrente(m_corrente);
    const LetturaCampo ambiente = leggiTemperatura(m_ambiente, QStringLiteral("temperatura ambiente"));
    const LetturaCampo massima = leggiTemperatura(m_massima, QStringLiteral("temperatura massima"));
    m_ecoCorrente->setText(corrente.eco);
    m_ecoAmbiente->setText(ambiente.eco);
    m_ecoMassima->setText(massima.eco);

    QStringList messaggi;
    if (!m_motivo.isEmpty()) {
        m_analisi = AnalisiCorrente{};
        m_analisi.motivo = m_motivo;
    } else if (!ambiente.valore) {
        m_analisi = AnalisiCorrente{};
        m_analisi.motivo = ambiente.messaggio;
    } else {
        m_analisi = AnalizzaCorrente(m_avvolgimento, corrente.valore.value_or(NAN), *ambiente.valore,
                                     massima.valore.value_or(NAN));
        // What the fields refuse is said in their own words.
        if (!corrente.valore)
            m_analisi.data.motivo = corrente.messaggio;
        if (!massima.valore)
            m_analisi.massima.motivo = massima.messaggio;
    }
    if (!m_analisi.motivo.isEmpty()) {
        messaggi << m_analisi.motivo;
    } else {
        if (m_analisi.oltreMassima)
            messaggi << m_analisi.avviso;
        else if (!m_analisi.data.valido)
            messaggi << QStringLiteral("Alla corrente data: ") + m_analisi.data.motivo;
        if (!m_analisi.massima.valido)
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
        etichetta->setToolTip(r.valido && !v && induttanza ? m_avvolgimento.motivoInduttanza
                                                           : MetodoGrandezzaCorrente(grandezza));
        colora(etichetta, avviso);
    }
}

} // namespace windara::analisi
