#include "ui/Accessibilita.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>

namespace windara::ui {

namespace {

const char *const ProprietaRisultato = "windara_risultato";
const char *const ProprietaNascosto = "windara_nascosto";

// Tells the program's own interfaces from Qt's.
struct Nostra
{
    virtual ~Nostra() = default;
};

// A list named by its caption, with its current value as value; the popup list stays its
// child, and the actions open it.
class AccessibileElenco : public QAccessibleWidget, public Nostra
{
public:
    explicit AccessibileElenco(QComboBox *elenco) : QAccessibleWidget(elenco, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? elenco()->currentText() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = elenco()->view()->isVisible();
        s.hasPopup = true;
        return s;
    }
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int indice) const override
    {
        return indice == 0 ? QAccessible::queryAccessibleInterface(elenco()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *figlio) const override
    {
        return figlio && figlio->object() == elenco()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &azione) override
    {
        if (azione == showMenuAction() || azione == pressAction())
            elenco()->showPopup();
        else
            QAccessibleWidget::doAction(azione);
    }

private:
    QComboBox *elenco() const { return static_cast<QComboBox *>(object()); }
};

// A result label as a read-only text box: the name from the caption, the text it shows as
// its text and value.
class AccessibileRisultato : public QAccessibleWidget, public QAccessibleTextInterface, public Nostra
{
public:
    explicit AccessibileRisultato(QLabel *risultato) : QAccessibleWidget(risultato, QAccessible::EditableText) {}

    void *interface_cast(QAccessible::InterfaceType tipo) override
    {
        return tipo == QAccessible::TextInterface ? static_cast<QAccessibleTextInterface *>(this)
                                                  : QAccessibleWidget::interface_cast(tipo);
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Value ? testo() : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    // The text interface over the label's text; no selection, no cursor.
    QString text(int inizio, int fine) const override { return testo().mid(inizio, fine - inizio); }
    int characterCount() const override { return int(testo().size()); }
    void selection(int, int *inizio, int *fine) const override { *inizio = *fine = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *inizio, int *fine) const override
    {
        *inizio = *fine = offset;
        return {};
    }

private:
    QString testo() const { return static_cast<QLabel *>(object())->text(); }
};

// A plain container that leaves out of the tree the children marked as hidden.
class AccessibileContenitore : public QAccessibleWidget, public Nostra
{
public:
    explicit AccessibileContenitore(QWidget *contenitore) : QAccessibleWidget(contenitore) {}

    int childCount() const override { return int(figli().size()); }
    QAccessibleInterface *child(int indice) const override
    {
        const QWidgetList f = figli();
        return indice >= 0 && indice < f.size() ? QAccessible::queryAccessibleInterface(f[indice]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *figlio) const override
    {
        return figlio ? int(figli().indexOf(qobject_cast<QWidget *>(figlio->object()))) : -1;
    }

private:
    QWidgetList figli() const
    {
        QWidgetList f;
        for (QObject *o : widget()->children())
            if (auto *w = qobject_cast<QWidget *>(o); w && !w->isWindow() && !w->property(ProprietaNascosto).toBool())
                f << w;
        return f;
    }
};

bool nascondeFigli(const QObject *contenitore)
{
    for (const QObject *o : contenitore->children())
        if (o->property(ProprietaNascosto).toBool())
            return true;
    return false;
}

QAccessibleInterface *fabbrica(const QString &, QObject *oggetto)
{
    if (auto *elenco = qobject_cast<QComboBox *>(oggetto);
        elenco && !elenco->isEditable() && !elenco->accessibleName().isEmpty())
        return new AccessibileElenco(elenco);
    if (auto *risultato = qobject_cast<QLabel *>(oggetto);
        risultato && risultato->property(ProprietaRisultato).toBool())
        return new AccessibileRisultato(risultato);
    if (oggetto->metaObject() == &QWidget::staticMetaObject && nascondeFigli(oggetto))
        return new AccessibileContenitore(static_cast<QWidget *>(oggetto));
    return nullptr;
}

// Installs the factory, and drops an interface Qt made before the control was marked (with
// a screen reader running, Qt makes them as the controls are built), so that the next
// question gets the program's.
void rinnova(QObject *oggetto)
{
    QAccessible::installFactory(fabbrica);
    QAccessibleInterface *i = QAccessible::queryAccessibleInterface(oggetto);
    if (i && !dynamic_cast<Nostra *>(i))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(i));
}

QString senzaDuePunti(const QString &didascalia)
{
    QString nome = didascalia.trimmed();
    if (nome.endsWith(u':'))
        nome.chop(1);
    return nome.trimmed();
}

} // namespace

void NomeDaDidascalia(QLabel *didascalia, QWidget *controllo)
{
    didascalia->setBuddy(controllo);
    controllo->setAccessibleName(senzaDuePunti(didascalia->text()));
    rinnova(controllo);
}

void RisultatoDaDidascalia(QLabel *didascalia, QLabel *risultato)
{
    risultato->setAccessibleName(senzaDuePunti(didascalia->text()));
    risultato->setAccessibleDescription(risultato->toolTip());
    risultato->setProperty(ProprietaRisultato, true);
    rinnova(risultato);
}

void FuoriDaAccessibilita(QWidget *widget)
{
    widget->setProperty(ProprietaNascosto, true);
    if (widget->parentWidget())
        rinnova(widget->parentWidget());
}

} // namespace windara::ui
