// The windows under a dark desktop palette: every text, drawn, stands out from its ground
// by at least 4.5:1 (WCAG 2 contrast ratio), toolbar pictures by at least 3:1; the texts
// whose colours the windows fix themselves keep exactly those colours.

#include "PaletteScura.h"
#include "app/Applicazione.h"
#include "catalogue/FrmTabella.h"
#include "design/FrmBobine.h"
#include "table/FrmCalcoli.h"
#include "ui/BarraStrumenti.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStyleOptionGroupBox>
#include <QSvgWidget>
#include <QTableView>
#include <QTest>

#include <cmath>
#include <map>

using namespace windara;

namespace {

double luminanza(const QColor &c)
{
    auto lineare = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lineare(c.redF()) + 0.7152 * lineare(c.greenF()) + 0.0722 * lineare(c.blueF());
}

double contrasto(const QColor &a, const QColor &b)
{
    const double la = luminanza(a), lb = luminanza(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Zona
{
    QString nome;
    QRect rettangolo; // in the window's coordinates
    double minimo;
};

// The ground of a region is its commonest colour; the text, the pixel that stands out most
// from it (the core of a stroke, where anti-aliasing leaves the text's own colour).
struct Misura
{
    QColor sfondo, testo;
    double rapporto = 0;
};

Misura misura(const QImage &immagine, const QRect &zona)
{
    std::map<QRgb, int> conteggio;
    const QRect r = zona & immagine.rect();
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            ++conteggio[immagine.pixel(x, y)];
    Misura m;
    int massimo = 0;
    for (const auto &[colore, volte] : conteggio)
        if (volte > massimo)
            massimo = volte, m.sfondo = QColor(colore);
    for (const auto &[colore, volte] : conteggio)
        if (double c = contrasto(QColor(colore), m.sfondo); c > m.rapporto)
            m.rapporto = c, m.testo = QColor(colore);
    return m;
}

// Where each window draws text, and the pictures of its toolbar.
QList<Zona> zone(QWidget *finestra)
{
    QList<Zona> z;
    auto aggiungi = [&](const QWidget *w, const QRect &r, const QString &nome, double minimo = 4.5) {
        z << Zona{nome, QRect(w->mapTo(finestra, r.topLeft()), r.size()), minimo};
    };
    for (QWidget *w : finestra->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(finestra) || w->window() != finestra)
            continue;
        if (auto *e = qobject_cast<QLabel *>(w); e && !e->text().isEmpty()) {
            aggiungi(e, e->contentsRect(), e->objectName());
        } else if (auto *c = qobject_cast<QLineEdit *>(w)) {
            aggiungi(c, c->rect().adjusted(4, 4, -4, -4), c->objectName());
        } else if (auto *l = qobject_cast<QComboBox *>(w)) {
            aggiungi(l, l->rect().adjusted(4, 4, -4, -4), l->objectName());
        } else if (auto *g = qobject_cast<QGroupBox *>(w)) {
            QStyleOptionGroupBox o;
            o.initFrom(g);
            o.text = g->title();
            o.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            o.textAlignment = g->alignment();
            aggiungi(g, g->style()->subControlRect(QStyle::CC_GroupBox, &o, QStyle::SC_GroupBoxLabel, g),
                     g->objectName());
        } else if (auto *m = qobject_cast<QMenuBar *>(w)) {
            for (QAction *a : m->actions())
                aggiungi(m, m->actionGeometry(a).adjusted(2, 2, -2, -2), QStringLiteral("menu/") + a->text());
        } else if (auto *h = qobject_cast<QHeaderView *>(w); h && h->orientation() == Qt::Horizontal) {
            for (int s = 0; s < h->count(); ++s)
                aggiungi(h, QRect(h->sectionViewportPosition(s) + 2, 2, h->sectionSize(s) - 4, h->height() - 4),
                         h->parentWidget()->objectName() + QStringLiteral("/intestazione/") + QString::number(s));
        } else if (auto *t = qobject_cast<QTableView *>(w)) {
            for (int colonna = 0; colonna < t->model()->columnCount(); ++colonna) {
                const QRect cella = t->visualRect(t->model()->index(0, colonna)).adjusted(1, 1, -1, -1);
                aggiungi(t->viewport(), cella, t->objectName() + u'/' + QString::number(colonna));
            }
        } else if (qobject_cast<QSvgWidget *>(w)) {
            aggiungi(w, w->rect(), w->objectName());
        } else if (auto *b = qobject_cast<ui::BarraStrumenti *>(w)) {
            for (int i = 1; i <= b->numeroPosizioni(); ++i)
                if (b->pulsante(i))
                    aggiungi(b->widgetPulsante(i), b->widgetPulsante(i)->rect(),
                             b->objectName() + u'/' + QString::number(i), 3);
        }
    }
    return z;
}

} // namespace

class TstContrasto : public QObject
{
    Q_OBJECT

    Applicazione *app = nullptr;

private slots:
    void initTestCase()
    {
        // As a dark desktop theme hands it to the program before its windows are built.
        QApplication::setPalette(prova::paletteScura());
        app = new Applicazione(WINDARA_PROGRAM_DIR);
        app->Avvia();
        FrmBobine &f = app->principale();
        const char *testi[][2] = {{"txtAltezza", "20"}, {"txtB", "10"}, {"txtL", "10"}};
        for (const auto &[nome, testo] : testi)
            QTest::keyClicks(f.findChild<QLineEdit *>(nome), testo);
    }
    void cleanupTestCase() { delete app; }

    void leggibile_data()
    {
        QTest::addColumn<int>("finestra");
        QTest::newRow("principale") << 0;
        QTest::newRow("calcoli") << 1;
        QTest::newRow("tabella") << 2;
    }
    void leggibile()
    {
        QFETCH(int, finestra);
        FrmBobine &f = app->principale();
        std::unique_ptr<QWidget> secondaria;
        if (finestra == 1)
            secondaria = std::make_unique<frmCalcoli>(WINDARA_PROGRAM_DIR, f.testiStudio(), nullptr, &f);
        if (finestra == 2)
            secondaria = std::make_unique<frmtabella>(WINDARA_PROGRAM_DIR, &f);
        QWidget *w = secondaria ? secondaria.get() : &f;
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QImage immagine = w->grab().toImage();
        // The colours the windows fix themselves: red captions and results, on yellow or
        // on the window's ground. Pure red cannot reach 4.5:1 on a light ground: these keep
        // their colours and the 3:1 of large text.
        const QStringList fissati{"Frame2", "SpireTotali", "Centro", "ind"};
        QStringList scarsi;
        for (const Zona &z : zone(w)) {
            const Misura m = misura(immagine, z.rettangolo);
            const bool fissato = fissati.contains(z.nome);
            if (m.rapporto < (fissato ? 3.0 : z.minimo) || (fissato && contrasto(m.testo, Qt::red) > 1.05))
                scarsi << QStringLiteral("%1: %2 su %3, %4:1")
                              .arg(z.nome, m.testo.name(), m.sfondo.name())
                              .arg(m.rapporto, 0, 'f', 2);
        }
        QVERIFY2(scarsi.isEmpty(), qPrintable(scarsi.join(QStringLiteral("; "))));
    }
};

QTEST_MAIN(TstContrasto)
#include "tst_contrasto.moc"
