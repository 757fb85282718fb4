#include "ui/Finestra.h"

#include "ui/Icone.h"
#include "ui/Stile.h"
#include "ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

namespace windara::ui {

void CentraSulloSchermo(QWidget *finestra)
{
    // A window of fixed size has it already; working out its size hint costs start-up time.
    if (finestra->minimumSize() != finestra->maximumSize())
        finestra->adjustSize();
    const QWidget *riferimento = finestra->parentWidget() ? finestra->parentWidget() : finestra;
    finestra->move(riferimento->screen()->availableGeometry().center() - finestra->rect().center());
}

QAction *VoceMenu(QWidget *menu, const char *nome, const QString &testo, const QKeySequence &scorciatoia)
{
    QAction *voce = menu->addAction(testo);
    voce->setObjectName(QLatin1String(nome));
    if (!scorciatoia.isEmpty())
        voce->setShortcut(scorciatoia);
    return voce;
}

MemoriaFuoco::MemoriaFuoco(QWidget *finestra)
    : QObject(finestra), m_finestra(finestra), m_controllo(finestra->focusWidget())
{
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *ora) {
        if (ora && ora->window() == m_finestra && !qobject_cast<QMenuBar *>(ora))
            m_controllo = ora;
    });
}

void MemoriaFuoco::ripristina() const
{
    if (m_controllo && m_controllo->isVisible() && m_controllo->isEnabled())
        m_controllo->setFocus(Qt::ActiveWindowFocusReason);
}

FinestraSecondaria::FinestraSecondaria(const char *nome, const QString &titolo, const QString &icona,
                                       int larghezzaTwips, int altezzaTwips, QWidget *parent)
    : QDialog(parent), m_barraMenu(new QMenuBar(this)), m_cliente(new QWidget(this))
{
    setObjectName(QLatin1String(nome));
    setWindowTitle(titolo);
    setWindowIcon(IconaSvg(icona));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);

    EvidenziaVociMenu(m_barraMenu);
    m_cliente->setObjectName(QStringLiteral("cliente"));
    m_cliente->setFixedSize(DimensioneTwips(larghezzaTwips, altezzaTwips));
    auto *impaginazione = new QVBoxLayout(this);
    impaginazione->setContentsMargins(0, 0, 0, 0);
    impaginazione->setSpacing(0);
    impaginazione->setMenuBar(m_barraMenu);
    impaginazione->addWidget(m_cliente);
    impaginazione->setSizeConstraint(QLayout::SetFixedSize);
}

void FinestraSecondaria::rendiRidimensionabile(int larghezzaMinimaTwips, int altezzaMinimaTwips)
{
    const QSize iniziale = m_cliente->size();
    // Never smaller than its contents need whole: past their own minimum they would be cut
    // at the window's edge.
    QSize minima = DimensioneTwips(larghezzaMinimaTwips, altezzaMinimaTwips);
    if (m_cliente->layout())
        minima = minima.expandedTo(m_cliente->layout()->minimumSize());
    m_cliente->setMinimumSize(minima);
    m_cliente->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    resize(iniziale + QSize(0, m_barraMenu->sizeHint().height()));
}

void FinestraSecondaria::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

} // namespace windara::ui
