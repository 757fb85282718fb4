#include "BarraStrumenti.h"
#include "Catalogo.h"
#include "Errori.h"
#include "FrmTabella.h"
#include "Messaggi.h"
#include "Module1.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>

using namespace windara;

namespace {

const QString Cartella = QStringLiteral(WINDARA_PROGRAM_DIR);

QTableView *griglia(const frmtabella &f) { return f.findChild<QTableView *>(QStringLiteral("DBGrid1")); }
ui::BarraStrumenti *barra(const frmtabella &f) { return f.findChild<ui::BarraStrumenti *>(QStringLiteral("Toolbar1")); }
QAction *azione(const frmtabella &f, const char *nome) { return f.findChild<QAction *>(QLatin1String(nome)); }

QList<QStringList> righe(const QTableView *v)
{
    const QAbstractItemModel *m = v->model();
    QList<QStringList> r;
    for (int i = 0; i < m->rowCount(); ++i) {
        QStringList riga;
        for (int c = 0; c < m->columnCount(); ++c) riga << m->index(i, c).data().toString();
        r << riga;
    }
    return r;
}

QStringList intestazioni(const QTableView *v)
{
    QStringList t;
    for (int c = 0; c < v->model()->columnCount(); ++c) t << v->model()->headerData(c, Qt::Horizontal).toString();
    return t;
}

QList<int> larghezze(const QTableView *v)
{
    QList<int> l;
    for (int c = 0; c < v->model()->columnCount(); ++c) l << v->columnWidth(c);
    return l;
}

// The catalogue as the access library lists it.
QList<QStringList> elenco(Ordinamento ordine)
{
    QList<QStringList> r;
    for (const FiloRame &f : ElencoRame(ApriCatalogo(Cartella, "confronto"), ordine))
        r << QStringList{f.DiametroNominale, f.DiametroEsternoMax, f.Sezione, f.Resistenza, f.Peso};
    ChiudiCatalogo("confronto");
    return r;
}

const QStringList Intestazioni{"Diametro Nominale", "Diametro Esterno Max", "Sezione mm²",
                               "Resistenza nominale a 20°C Ohm/m", "Peso g/m"};
const QList<int> Larghezze{103, 123, 103, 183, 103};

enum Modo { Pulsante, Menu, Scorciatoia };

// Runs a command of the window by toolbar position, menu entry or shortcut.
void comando(frmtabella &f, Modo modo, int indice, const char *voce, Qt::Key tasto)
{
    switch (modo) {
    case Pulsante: QTest::mouseClick(barra(f)->widgetPulsante(indice), Qt::LeftButton); break;
    case Menu: azione(f, voce)->trigger(); break;
    case Scorciatoia: QTest::keyClick(&f, tasto, Qt::ControlModifier); break;
    }
}

} // namespace

class TstFrmTabella : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // As at start-up: the main window's connection is open before the window loads.
        Module1().DatabaseFili = ApriCatalogo(Cartella);
    }

    // Load lists every row ascending, all five columns visible without scrolling sideways.
    void caricamento()
    {
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f));
        QTableView *v = griglia(f);
        const QList<QStringList> attese = elenco(Ordinamento::Predefinito);
        QCOMPARE(attese.size(), 57);
        QCOMPARE(righe(v), attese);
        QCOMPARE(intestazioni(v), Intestazioni);
        QCOMPARE(larghezze(v), Larghezze);
        QCOMPARE(v->viewport()->width(), 615);
        QVERIFY(!v->horizontalScrollBar()->isVisible());
        QVERIFY(v->verticalScrollBar()->isVisible());
        QVERIFY(v->verticalHeader()->isVisible());
        QCOMPARE(v->verticalHeader()->width(), v->width() - 615 - v->verticalScrollBar()->width() - 2 * v->frameWidth());
        QCOMPARE(v->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(v->model()->index(0, 0).flags() & Qt::ItemIsEditable, Qt::NoItemFlags);
        QCOMPARE(v->rowAt(0), 0);
        QCOMPARE(v->currentIndex(), v->model()->index(0, 0));
        QCOMPARE(f.windowTitle(), "Tabella riassuntiva diametri fili di rame");
        QCOMPARE(f.findChild<QWidget *>("cliente")->size(), QSize(687, 508));
        QCOMPARE(f.minimumSize(), f.maximumSize());
        QVERIFY(!(f.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QVERIFY(!f.windowIcon().isNull());
        QCOMPARE(QApplication::focusWidget(), v);
    }

    // The commands and their names, tooltips and shortcuts.
    void comandi()
    {
        frmtabella f(Cartella);
        QStringList voci;
        for (QAction *a : f.findChild<QMenu *>("mnuOrdinamento")->actions()) voci << a->text();
        QCOMPARE(voci, (QStringList{"Crescen&te", "&Decrescente"}));
        QCOMPARE(f.findChild<QMenu *>("mnuOrdinamento")->title(), "&Ordinamento");
        QCOMPARE(azione(f, "MnuPrecedente")->text(), "&Precedente");
        QCOMPARE(azione(f, "MnuCrescente")->shortcut(), QKeySequence("Ctrl+T"));
        QCOMPARE(azione(f, "MnuDecrescente")->shortcut(), QKeySequence("Ctrl+D"));
        QStringList suggerimenti;
        for (int i : {1, 2, 4}) suggerimenti << barra(f)->pulsante(i)->toolTip();
        QCOMPARE(suggerimenti, (QStringList{"Ordinamento Crescente", "Ordinamento Decrescente", "Finestra Precedente"}));
        QVERIFY(!barra(f)->pulsante(3));
    }

    void ordina_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("pulsanti") << int(Pulsante);
        QTest::newRow("menu") << int(Menu);
        QTest::newRow("scorciatoie") << int(Scorciatoia);
    }
    // Ascending is the load's order, descending its reverse; captions and widths stay.
    void ordina()
    {
        QFETCH(int, modo);
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTableView *v = griglia(f);
        const QList<QStringList> caricate = righe(v);
        QList<QStringList> inverse = caricate;
        std::reverse(inverse.begin(), inverse.end());
        auto crescente = [&] { comando(f, Modo(modo), 1, "MnuCrescente", Qt::Key_T); };
        auto decrescente = [&] { comando(f, Modo(modo), 2, "MnuDecrescente", Qt::Key_D); };

        v->scrollToBottom();
        decrescente();
        QCOMPARE(righe(v), inverse);
        QCOMPARE(v->rowAt(0), 0);
        QCOMPARE(intestazioni(v), Intestazioni);
        QCOMPARE(larghezze(v), Larghezze);
        crescente();
        QCOMPARE(righe(v), caricate);
        QCOMPARE(intestazioni(v), Intestazioni);
        QCOMPARE(larghezze(v), Larghezze);
        crescente();
        QCOMPARE(righe(v), caricate);
        QCOMPARE(elenco(Ordinamento::Crescente), caricate);
    }

    // Every opening starts ascending, whatever the previous one was left at.
    void riapertura()
    {
        QList<QStringList> caricate;
        {
            frmtabella f(Cartella);
            caricate = righe(griglia(f));
            azione(f, "MnuDecrescente")->trigger();
            QVERIFY(righe(griglia(f)) != caricate);
        }
        frmtabella f(Cartella);
        QCOMPARE(righe(griglia(f)), caricate);
        QCOMPARE(intestazioni(griglia(f)), Intestazioni);
    }

    void chiusura_data()
    {
        QTest::addColumn<int>("modo");
        QTest::newRow("pulsante 4") << 0;
        QTest::newRow("menu Precedente") << 1;
        QTest::newRow("casella di chiusura") << 2;
    }
    // Every way back ends the modal run; afterwards the main window's lookups still work
    // on the connection the window reopened, and the window's own connection is gone.
    void chiusura()
    {
        QFETCH(int, modo);
        const QString resistenza = ResistenzaMetroDi(CercaRame(Module1().DatabaseFili, "0.5"));
        auto *f = new frmtabella(Cartella);
        const QString propria = f->connessioneGriglia();
        QVERIFY(QSqlDatabase::contains(propria));
        bool chiusa = false;
        QTimer::singleShot(0, f, [&] {
            QVERIFY(QTest::qWaitForWindowActive(f));
            switch (modo) {
            case 0: QTest::mouseClick(barra(*f)->widgetPulsante(4), Qt::LeftButton); break;
            case 1: azione(*f, "MnuPrecedente")->trigger(); break;
            case 2: f->close(); break;
            }
            chiusa = !f->isVisible();
            if (!chiusa) f->done(-1);
        });
        QCOMPARE(f->exec(), int(QDialog::Rejected));
        QVERIFY(chiusa);
        delete f;
        QVERIFY(!QSqlDatabase::contains(propria));
        QCOMPARE(Module1().DatabaseFili, "DatabaseFili");
        QCOMPARE(ResistenzaMetroDi(CercaRame(Module1().DatabaseFili, "0.5")), resistenza);
    }

    // The separator and Escape do nothing.
    void inerti()
    {
        ui::CatturaMessaggi cattura;
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        azione(f, "MnuDecrescente")->trigger();
        const QList<QStringList> prima = righe(griglia(f));
        QTest::mouseClick(barra(f)->widgetPulsante(3), Qt::LeftButton);
        barra(f)->premi(3);
        QTest::keyClick(&f, Qt::Key_Escape);
        QVERIFY(f.isVisible());
        QCOMPARE(righe(griglia(f)), prima);
        QVERIFY(cattura.messaggi().isEmpty());
    }

    // Tab walks the columns of the current row and leaves the grid at its end; Shift+Tab
    // walks back; the arrow keys leave the current cell where it is.
    void tasti()
    {
        frmtabella f(Cartella);
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTableView *v = griglia(f);
        QAbstractItemModel *m = v->model();
        v->setFocus();
        v->setCurrentIndex(m->index(3, 0));
        for (int c = 1; c <= 4; ++c) {
            QTest::keyClick(v, Qt::Key_Tab);
            QCOMPARE(v->currentIndex(), m->index(3, c));
            QVERIFY(v->hasFocus());
        }
        for (Qt::Key freccia : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) {
            QTest::keyClick(v, freccia);
            QCOMPARE(v->currentIndex(), m->index(3, 4));
        }
        QTest::keyClick(v, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(v->currentIndex(), m->index(3, 3));
        QTest::keyClick(v, Qt::Key_Tab);
        QTest::keyClick(v, Qt::Key_Tab);
        QVERIFY(!v->hasFocus());
        QCOMPARE(v->currentIndex(), m->index(3, 4));
    }

    void catalogoGuasto_data()
    {
        QTest::addColumn<QStringList>("istruzioni");
        QTest::newRow("senza file") << QStringList{};
        QTest::newRow("senza tabella Rame") << QStringList{"CREATE TABLE Altro (x REAL)"};
    }
    // A catalogue that cannot be listed stops the load with the catalogue's message, and
    // leaves no connection of the window behind.
    void catalogoGuasto()
    {
        QFETCH(QStringList, istruzioni);
        QTemporaryDir cartella;
        if (!istruzioni.isEmpty()) {
            QVERIFY(QDir(cartella.path()).mkpath("Database"));
            {
                QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "costruzione");
                db.setDatabaseName(PercorsoCatalogo(cartella.path()));
                QVERIFY(db.open());
                for (const QString &i : istruzioni) QVERIFY(QSqlQuery(db).exec(i));
            }
            QSqlDatabase::removeDatabase("costruzione");
        }
        const QStringList prima = QSqlDatabase::connectionNames();
        QString messaggio;
        try {
            frmtabella f(cartella.path());
        } catch (const ErroreRuntime &e) {
            messaggio = e.testo();
        }
        QVERIFY(messaggio.startsWith("Catalogo dei fili"));
        QVERIFY(messaggio.contains(QDir::toNativeSeparators(PercorsoCatalogo(cartella.path()))));
        QStringList dopo = QSqlDatabase::connectionNames();
        dopo.removeAll(QStringLiteral("DatabaseFili"));
        QStringList attese = prima;
        attese.removeAll(QStringLiteral("DatabaseFili"));
        QCOMPARE(dopo, attese);
        Module1().DatabaseFili = ApriCatalogo(Cartella);
    }
};

QTEST_MAIN(TstFrmTabella)
#include "tst_frmtabella.moc"
