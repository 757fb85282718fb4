#include "catalogue/FrmTabella.h"

#include "design/Errori.h"
#include "design/Module1.h"
#include "ui/Appunti.h"
#include "ui/BarraStrumenti.h"
#include "ui/Finestra.h"
#include "ui/Icone.h"
#include "ui/Messaggi.h"
#include "ui/Stile.h"
#include "ui/Twips.h"

#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQueryModel>
#include <QTableView>

namespace windara {

using ui::Pixel;

namespace {

constexpr int LarghezzaClienteTwips = 10305;
constexpr int AltezzaClienteTwips = 7620;
constexpr int AltezzaRigaTwips = 255;
constexpr int LarghezzeTwips[] = {1545, 1845, 1545, 2745, 1545};

// The rows as the catalogue writes its values (1.0 as "1"), with blank row selectors.
class ModelloFili : public QSqlQueryModel
{
public:
    using QSqlQueryModel::QSqlQueryModel;

    QVariant data(const QModelIndex &indice, int ruolo) const override
    {
        if (ruolo == Qt::DisplayRole)
            return TestoValore(QSqlQueryModel::data(indice, ruolo));
        return QSqlQueryModel::data(indice, ruolo);
    }

    QVariant headerData(int sezione, Qt::Orientation verso, int ruolo) const override
    {
        if (verso == Qt::Vertical && ruolo == Qt::DisplayRole)
            return QString();
        return QSqlQueryModel::headerData(sezione, verso, ruolo);
    }
};

// The grid's keys: Tab walks the row's columns and, past its end, leaves the grid rather
// than wrapping to the next row; the arrow keys do not move the current cell.
class GrigliaFili : public QTableView
{
public:
    using QTableView::QTableView;

protected:
    bool focusNextPrevChild(bool avanti) override
    {
        const QModelIndex corrente = currentIndex();
        const int colonna = corrente.column() + (avanti ? 1 : -1);
        if (corrente.isValid() && colonna >= 0 && colonna < model()->columnCount()) {
            setCurrentIndex(corrente.siblingAtColumn(colonna));
            return true;
        }
        return QTableView::focusNextPrevChild(avanti);
    }

    void keyPressEvent(QKeyEvent *evento) override
    {
        switch (evento->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
            evento->accept();
            return;
        default:
            QTableView::keyPressEvent(evento);
        }
    }
};

int numeroFinestra = 0;

} // namespace

frmtabella::frmtabella(const QString &cartellaProgramma, QWidget *parent)
    : ui::FinestraSecondaria("frmtabella", QStringLiteral("Tabella riassuntiva diametri fili di rame"),
                             QStringLiteral("icona-tabella"), LarghezzaClienteTwips, AltezzaClienteTwips, parent),
      m_cartella(cartellaProgramma), m_connessione(QStringLiteral("Data1-%1").arg(++numeroFinestra))
{
    creaControlli();
    Form_Load();
}

frmtabella::~frmtabella()
{
    // The model's query holds the connection: drop it first.
    Data1->clear();
    if (QSqlDatabase::contains(m_connessione))
        ChiudiCatalogo(m_connessione);
}

void frmtabella::creaControlli()
{
    setFont(ui::FontArial(8.25));

    QMenu *ordinamento = barraMenu()->addMenu(QStringLiteral("&Ordinamento"));
    ordinamento->setObjectName(QStringLiteral("mnuOrdinamento"));
    MnuCrescente =
        ui::VoceMenu(ordinamento, "MnuCrescente", QStringLiteral("Crescen&te"), QKeySequence(Qt::CTRL | Qt::Key_T));
    MnuDecrescente =
        ui::VoceMenu(ordinamento, "MnuDecrescente", QStringLiteral("&Decrescente"), QKeySequence(Qt::CTRL | Qt::Key_D));
    MnuPrecedente = ui::VoceMenu(barraMenu(), "MnuPrecedente", QStringLiteral("&Precedente"));
    connect(MnuCrescente, &QAction::triggered, this, [this] { Ordina(Ordinamento::Crescente); });
    connect(MnuDecrescente, &QAction::triggered, this, [this] { Ordina(Ordinamento::Decrescente); });
    connect(MnuPrecedente, &QAction::triggered, this, &QDialog::close);

    QWidget *cliente = this->cliente();
    Data1 = new ModelloFili(this);
    DBGrid1 = new GrigliaFili(cliente);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setAccessibleName(QStringLiteral("Diametri dei fili di rame"));
    DBGrid1->setModel(Data1);
    DBGrid1->setFont(ui::FontArial(9));
    DBGrid1->horizontalHeader()->setFont(ui::FontArial(8.25));
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGrid1->setTabKeyNavigation(false);
    DBGrid1->setWordWrap(false);
    ui::CopiaSelezione(DBGrid1);
    DBGrid1->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    ui::ColoreGriglia(DBGrid1, QColor(128, 128, 128));
    DBGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    DBGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QHeaderView *selettori = DBGrid1->verticalHeader();
    selettori->setMinimumSectionSize(1);
    selettori->setDefaultSectionSize(Pixel(AltezzaRigaTwips));
    selettori->setSectionResizeMode(QHeaderView::Fixed);
    DBGrid1->horizontalHeader()->setMinimumSectionSize(1);
    DBGrid1->horizontalHeader()->setSectionsClickable(false);
    ui::PosizionaTwips(DBGrid1, 240, 480, 9765, 6580);
    // The record selectors take what the five columns, the scroll bar and the border leave,
    // so that the columns fill the grid exactly.
    int colonne = 0;
    for (int twips : LarghezzeTwips)
        colonne += Pixel(twips);
    selettori->setFixedWidth(DBGrid1->width() - colonne - 2 * DBGrid1->frameWidth() -
                             DBGrid1->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, DBGrid1));

    Toolbar1 = ui::BarraFinestra(cliente, 360, {"tb-crescente", QStringLiteral("Ordinamento Crescente")},
                                 {"tb-decrescente", QStringLiteral("Ordinamento Decrescente")},
                                 {"tb-precedente", QStringLiteral("Finestra Precedente")});
    // Second in the tab order, so that Tab past the row's end has somewhere to go.
    Toolbar1->setFocusPolicy(Qt::TabFocus);
    connect(Toolbar1, &ui::BarraStrumenti::ButtonClick, this, &frmtabella::Toolbar1_ButtonClick);

    setTabOrder(DBGrid1, Toolbar1);
    DBGrid1->setFocus();

    ui::CentraSulloSchermo(this);
}

void frmtabella::Form_Load()
{
    // A fresh connection for the main window, which takes it over only once the listing has
    // read the file: a damaged catalogue must not cost the main window its working one.
    const QString nuova = ApriCatalogo(m_cartella, NuovaConnessione(QStringLiteral("DatabaseFili")));
    try {
        ApriCatalogo(m_cartella, m_connessione);
        Aggiorna(Ordinamento::Predefinito);
    } catch (...) {
        // No destructor runs for a window that failed to load.
        Data1->clear();
        ChiudiCatalogo(m_connessione);
        ChiudiCatalogo(nuova);
        throw;
    }
    StatoProgetto &s = Module1();
    const QString vecchia = s.DatabaseFili;
    s.DatabaseFili = nuova;
    if (vecchia != nuova)
        ChiudiCatalogo(vecchia);
    // Later queries have the same columns, so the caption and widths set here stay.
    Data1->setHeaderData(2, Qt::Horizontal, QStringLiteral("Sezione mm²"));
    for (int c = 0; c < int(std::size(LarghezzeTwips)); ++c)
        DBGrid1->setColumnWidth(c, Pixel(LarghezzeTwips[c]));
}

void frmtabella::Aggiorna(Ordinamento ordine)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connessione, false);
    Data1->setQuery(TestoElenco(ordine), db);
    if (Data1->lastError().isValid())
        throw ErroreCatalogo(m_connessione, Data1->lastError());
    DBGrid1->scrollToTop();
    DBGrid1->selectionModel()->setCurrentIndex(Data1->index(0, 0), QItemSelectionModel::NoUpdate);
}

void frmtabella::Ordina(Ordinamento ordine)
{
    try {
        Aggiorna(ordine);
    } catch (const ErroreRuntime &e) {
        ui::MostraErrore(this, e.testo());
    }
}

void frmtabella::Toolbar1_ButtonClick(int indice)
{
    ui::SmistaPulsante(indice, {[this] { Ordina(Ordinamento::Crescente); },
                                [this] { Ordina(Ordinamento::Decrescente); }, nullptr, [this] { close(); }});
}

} // namespace windara
