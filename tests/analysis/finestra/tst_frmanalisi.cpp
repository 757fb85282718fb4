// The analysis window as a user meets it: a design typed into the main window, Alt+A, the
// figures, Ctrl+C from wherever the focus is, the target page, sorting, bad input, and the
// largest design computed in the background while the user goes on.

#include "analysis/Corrente.h"
#include "analysis/Obiettivo.h"
#include "analysis/finestra/FrmAnalisi.h"
#include "analysis/finestra/Grafici.h"
#include "analysis/finestra/Ingressi.h"
#include "analysis/finestra/ModelliAnalisi.h"
#include "app/Applicazione.h"
#include "design/FrmBobine.h"
#include "design/Module1.h"
#include "ui/BarraStrumenti.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QValueAxis>

using namespace windara;
using namespace windara::analisi;

namespace {

template <class T>
T *figlio(const QWidget &w, const char *nome)
{
    T *c = w.findChild<T *>(QLatin1String(nome));
    if (!c)
        qFatal("manca %s", nome);
    return c;
}

QString cella(const QWidget &w, Grandezza g, Colonna c)
{
    return figlio<QTableWidget>(w, "tblRiepilogo")->item(int(g), int(c))->text();
}

int righe(const QWidget &w, const char *tabella)
{
    return figlio<QTableView>(w, tabella)->model()->rowCount();
}

// Every text the window shows: labels, table cells and captions.
QStringList testiMostrati(const QWidget &w)
{
    QStringList t;
    for (const QLabel *l : w.findChildren<QLabel *>())
        t << l->text();
    for (const QTableView *v : w.findChildren<QTableView *>()) {
        const QAbstractItemModel *m = v->model();
        for (int c = 0; c < m->columnCount(); ++c)
            t << m->headerData(c, Qt::Horizontal).toString();
        for (int r = 0; r < m->rowCount(); ++r) {
            t << m->headerData(r, Qt::Vertical).toString();
            for (int c = 0; c < m->columnCount(); ++c)
                t << m->index(r, c).data().toString();
        }
    }
    return t;
}

} // namespace

class TstFrmAnalisi : public QObject
{
    Q_OBJECT

    Applicazione *app = nullptr;
    FrmBobine *f = nullptr;

    void scrivi(QWidget &w, const char *nome, const QString &testo)
    {
        auto *c = figlio<QLineEdit>(w, nome);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        QTest::keyClicks(c, testo);
    }
    void progetto(const QString &h, const QString &b, const QString &d1, const QString &filo = "0.5")
    {
        auto *lista = figlio<QComboBox>(*f, "txtDiametro1");
        lista->setCurrentIndex(lista->findText(filo));
        scrivi(*f, "txtAltezza", h);
        scrivi(*f, "txtB", b);
        scrivi(*f, "txtL", d1);
    }
    // Alt+A in the main window; `azione` works in the analysis window while it is modal, and
    // the window is closed whatever the checks find. False when no window opened.
    bool inAnalisi(const std::function<void(frmAnalisi &)> &azione)
    {
        bool aperta = false;
        QTimer::singleShot(0, this, [&] {
            auto *w = qobject_cast<frmAnalisi *>(QApplication::activeModalWidget());
            if (!w)
                return;
            const auto chiudi = qScopeGuard([w] { w->close(); });
            aperta = true;
            QApplication::setActiveWindow(w);
            QVERIFY(QTest::qWaitForWindowActive(w));
            azione(*w);
        });
        QApplication::setActiveWindow(f); // again, after a window closed
        QTest::keyClick(f, Qt::Key_A, Qt::AltModifier);
        QCoreApplication::processEvents(); // the timer, when no window blocked the key
        return aperta;
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        DimenticaIngressi();
        Module1() = StatoProgetto{};
        app = new Applicazione(WINDARA_PROGRAM_DIR);
        app->usaAnalisi(&analisi::ApriFinestraAnalisi);
        app->Avvia();
        f = &app->principale();
        QApplication::setActiveWindow(f);
        QVERIFY(QTest::qWaitForWindowActive(f));
    }
    void cleanup()
    {
        delete app;
        QLocale::setDefault(QLocale::c());
    }

    // Alt+A opens the window on the design on screen, exactly when Calcola is available.
    void apertura()
    {
        QVERIFY(!inAnalisi([](frmAnalisi &) {}));
        progetto("20", "10", "10");
        QVERIFY(f->findChild<QAction *>("mnuAnalisi")->isEnabled());
        QVERIFY(inAnalisi([](frmAnalisi &w) {
            QCOMPARE(w.windowTitle(), QString("Analisi dell'avvolgimento"));
            QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(w, "txtTemperatura"));
            // The rules' winding as the main window shows it; the real one from the chosen
            // wire's catalogue row (outer diameter 0.544 mm, 0.08781 ohm/m).
            const QList<std::tuple<Grandezza, Colonna, QString>> attese{
                {Grandezza::SpirePerStrato, Colonna::Regole, "40"},
                {Grandezza::Strati, Colonna::Regole, "16"},
                {Grandezza::Induttanza, Colonna::Regole, "3,3283"},
                {Grandezza::SpirePerStrato, Colonna::Reale, "36"},
                {Grandezza::Strati, Colonna::Reale, "14"},
                {Grandezza::Resistenza20, Colonna::Reale, "2,4494"}};
            for (const auto &[g, c, testo] : attese)
                QTRY_COMPARE(cella(w, g, c), testo);
            QVERIFY(figlio<QTableWidget>(w, "tblRiepilogo")
                        ->item(int(Grandezza::Induttanza), int(Colonna::Reale))
                        ->toolTip()
                        .contains("Maxwell"));
            QTRY_COMPARE(righe(w, "tblStrati"), 14);
            QTRY_VERIFY(figlio<QLabel>(w, "lblMetodo")->text().contains("Tabella per strati"));
            auto *grafico = figlio<GraficoStrati>(w, "graficoStrati");
            QTRY_COMPARE(grafico->punti(Colonna::StesseSpire, false).size(), 16);
            QCOMPARE(grafico->punti(Colonna::Reale, true).size(), 14);
            // Whole layers on one axis, millihenry in round steps on the other.
            QCOMPARE(grafico->asseStrati()->labelFormat(), QString("%.0f"));
            QVERIFY(grafico->asseStrati()->tickInterval() >= 1);
            QTRY_COMPARE(grafico->asseInduttanza()->titleText(), QString("Induttanza (mH)"));
            QCOMPARE(grafico->asseInduttanza()->labelFormat(), QString("%.0f"));
            // Every page as large as it needs and every figure whole in its cell, as the
            // window opens and at its smallest: a cell too narrow wraps 3,247167296 at its comma
            // and shows "3,"; a page squeezed past its minimum is cut at the window's edge.
            auto *tabella = figlio<QTableWidget>(w, "tblRiepilogo");
            for (const QSize misura : {w.size(), w.minimumSize()}) {
                w.resize(misura);
                QTRY_COMPARE(w.size(), misura);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                const QString dove = QString(" a %1 x %2").arg(misura.width()).arg(misura.height());
                auto *pagine = w.findChild<QTabWidget *>();
                for (int i = pagine->count() - 1; i >= 0; --i) {
                    pagine->setCurrentIndex(i);
                    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                    const QWidget *p = pagine->widget(i);
                    QVERIFY2(p->width() >= p->minimumSizeHint().width() && p->height() >= p->minimumSizeHint().height(),
                             qPrintable(pagine->tabText(i) + " stretta" + dove));
                }
                for (int g = 0; g < NumeroGrandezze; ++g)
                    for (int c = 0; c < NumeroColonne; ++c) {
                        const QTableWidgetItem *voce = tabella->item(g, c);
                        const QRect r = tabella->visualItemRect(voce);
                        QVERIFY2(r.width() > tabella->fontMetrics().horizontalAdvance(voce->text()) &&
                                     tabella->viewport()->rect().contains(r),
                                 qPrintable(QString("%1 in %2 px").arg(voce->text()).arg(r.width()) + dove));
                    }
            }
        }));
        scrivi(*f, "txtAltezza", "");
        QVERIFY(!f->findChild<QAction *>("mnuAnalisi")->isEnabled());
        QVERIFY(!inAnalisi([](frmAnalisi &) {}));
    }

    // Ctrl+C copies the summary and the per-layer table, with the user's decimal comma,
    // wherever the focus is, an input field included; so do the toolbar and the menu.
    void copia_data()
    {
        QTest::addColumn<QString>("dove");
        for (const char *dove : {"txtTemperatura", "cmbStile", "tblRiepilogo", "tblStrati", "barra", "menu"})
            QTest::newRow(dove) << dove;
    }
    void copia()
    {
        QFETCH(QString, dove);
        progetto("20", "10", "10");
        DatiAnalisi dati = IngressoAnalisiDi(*f).dati;
        dati.temperatura = 75;
        const QString atteso = TestoRiepilogo(CalcolaRiepilogo(dati), ",") +
                               TestoTabellaStrati(CalcolaTabellaStrati(dati), dati.temperatura, ",");
        QApplication::clipboard()->clear();
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            scrivi(w, "txtTemperatura", "75");
            // Every row of the table in: its method line shows while the rows still arrive.
            QTRY_VERIFY(cella(w, Grandezza::ResistenzaT, Colonna::Regole) == "5,5797" &&
                        figlio<QLabel>(w, "lblMetodo")->text().contains("Tabella per strati") &&
                        righe(w, "tblStrati") == 14);
            if (dove == "barra") {
                figlio<ui::BarraStrumenti>(w, "Toolbar1")->premi(1);
            } else if (dove == "menu") {
                figlio<QAction>(w, "MnuCopia")->trigger();
            } else {
                QWidget *fuoco = figlio<QWidget>(w, qPrintable(dove));
                fuoco->setFocus();
                QCOMPARE(QApplication::focusWidget(), fuoco);
                QTest::keyClick(fuoco, Qt::Key_C, Qt::ControlModifier);
            }
        }));
        QCOMPARE(QApplication::clipboard()->text(), atteso);
        QVERIFY(atteso.startsWith("Grandezza\tRegole\tStesse spire, esatta\tAvvolgimento reale\n"));
        QVERIFY(atteso.contains("\nStrato\t") && atteso.contains("Resistenza alla temperatura, 75 °C (Ω)\t5,5797\t"));
    }

    // Ctrl+Tab reaches the target page with the focus in its input; the table follows the
    // target as it is typed, and Ctrl+C from the input field copies it as shown.
    void obiettivo()
    {
        progetto("20", "10", "10");
        const DatiAnalisi dati = IngressoAnalisiDi(*f).dati;
        const QList<FiloRame> catalogo = IngressoAnalisiDi(*f).catalogo;
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(figlio<QTabWidget>(w, "pagine")->currentIndex(), 1);
            auto *obiettivo = figlio<QLineEdit>(w, "txtObiettivo");
            QCOMPARE(QApplication::focusWidget(), obiettivo);
            auto *messaggio = figlio<QLabel>(w, "lblMessaggioObiettivo");
            for (const QString &mh : {QString("2"), QString("0,5")}) {
                obiettivo->selectAll();
                QTest::keyClicks(obiettivo, mh);
                const TabellaObiettivo t = ProgettoDaInduttanza(dati, catalogo, mh == "2" ? 2 : 0.5);
                const auto raggiungono =
                    std::count_if(t.righe.begin(), t.righe.end(), [](auto &r) { return r.raggiunge; });
                QTRY_VERIFY2(messaggio->text().startsWith(QString("%1 fili del catalogo su 57").arg(raggiungono)),
                             qPrintable(messaggio->text()));
                QCOMPARE(righe(w, "tblObiettivo"), 57);
                QTest::keyClick(obiettivo, Qt::Key_C, Qt::ControlModifier);
                // Sorted by resistance: the wires that reach the target in the core's order.
                const QStringList copiate = QApplication::clipboard()->text().split('\n');
                const QStringList attese = TestoObiettivo(t, ",").split('\n');
                QCOMPARE(copiate.size(), attese.size());
                QCOMPARE(copiate.mid(0, raggiungono + 1), attese.mid(0, raggiungono + 1));
            }
            QTest::keyClick(obiettivo, Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(w, "txtFrequenza"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), obiettivo);
        }));
    }

    // The page "Frequenza": the real winding at the frequency and at the page's own
    // temperature, the chart of the sweep and the model's caveat.
    void frequenza()
    {
        progetto("20", "10", "10");
        DatiAnalisi dati = IngressoAnalisiDi(*f).dati;
        dati.temperatura = 100;
        const RisultatoFrequenza atteso = AnalisiFrequenza(AvvolgimentoAcReale(CalcolaRiepilogo(dati)), 1e4);
        QVERIFY(atteso.valido);
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            figlio<QTabWidget>(w, "pagine")->setCurrentIndex(2);
            QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(w, "txtFrequenza"));
            QTest::keyClicks(QApplication::focusWidget(), "10000");
            scrivi(w, "txtTemperatura", "100");
            QTRY_COMPARE(figlio<QLabel>(w, "lblQ")->text(), TestoNumero(atteso.punto.q, 2, ","));
            QCOMPARE(figlio<QLabel>(w, "lblResistenzaAc")->text(), TestoNumero(atteso.punto.resistenzaAc, 4, ","));
            QCOMPARE(figlio<GraficoFrequenza>(w, "graficoFrequenza")->numeroPunti(), 1001); // f0 among them
            QCOMPARE(figlio<QLabel>(w, "lblAvvertenza")->text(), AvvertenzaDowell());
        }));
    }

    // The page "Corrente e temperatura" on the published check (H 30, B 10, D1 20, 0.5 mm):
    // a current typed with a prefix, Ctrl+C, the figures past the highest temperature in
    // the warning's words, a class from the list, and a current beyond the model refused.
    // The Frequenza page's copy holds the winding's own capacitance and resonance, the check
    // values of the published 14-layer winding, then the chart's points.
    void risonanza()
    {
        progetto("30", "10", "20");
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            figlio<QTabWidget>(w, "pagine")->setCurrentIndex(2);
            QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(w, "txtFrequenza"));
            QTest::keyClicks(QApplication::focusWidget(), "100k");
            QTRY_COMPARE(figlio<QLabel>(w, "lblCapacita")->text(), QString("54,01"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
            const QStringList righe = QApplication::clipboard()->text().split('\n');
            QVERIFY(righe.contains("Capacità propria C_s\t54,01\tpF"));
            QVERIFY(righe.contains("Frequenza di risonanza f0\t237,6\tkHz"));
            QVERIFY(righe.contains("f (Hz)\tR_ac (Ω)\t|Z| (Ω)\tQ"));
            // Past f0 the page says the winding is a capacitor there.
            scrivi(w, "txtFrequenza", "1M");
            QTRY_VERIFY(!figlio<QLabel>(w, "lblComportamento")->text().isEmpty());
        }));
    }

    void corrente()
    {
        progetto("30", "10", "20");
        const AvvolgimentoCorrente a = [&] {
            QString motivo;
            return AvvolgimentoCorrenteReale(CalcolaRiepilogo(IngressoAnalisiDi(*f).dati), &motivo);
        }();
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            figlio<QTabWidget>(w, "pagine")->setCurrentIndex(3);
            QCOMPARE(QApplication::focusWidget(), figlio<QWidget>(w, "txtCorrente"));
            QTest::keyClicks(QApplication::focusWidget(), "1000m");
            QCOMPARE(figlio<QLabel>(w, "lblEcoCorrente")->text(), QString("= 1 A"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_C, Qt::ControlModifier);
            const QString copiato = QApplication::clipboard()->text();
            QCOMPARE(copiato, TestoCorrente(AnalizzaCorrente(a, 1, 25, 130), ","));
            const QStringList righe = copiato.split('\n');
            QVERIFY(righe.contains("Temperatura dell'avvolgimento\t136,20\t130,00\t°C"));
            QVERIFY(righe.contains("Potenza dissipata\t8,5451\t7,9716\tW"));
            QVERIFY(righe.contains("Campo al centro B0\t23,780\t23,162\tmT"));
            QCOMPARE(figlio<GraficoCorrente>(w, "graficoCorrente")->numeroPunti(), 201);

            auto *avviso = figlio<QLabel>(w, "lblAvvisoCorrente");
            auto *temperatura = figlio<QLabel>(w, "lblDataTemperatura");
            QVERIFY2(avviso->text().contains("supera la temperatura massima di 130 °C"), qPrintable(avviso->text()));
            QVERIFY(temperatura->palette().color(QPalette::WindowText) != w.palette().color(QPalette::WindowText));
            emit figlio<QComboBox>(w, "cmbClasseSmalto")->activated(2);
            QCOMPARE(figlio<QLineEdit>(w, "txtTemperaturaMassima")->text(), QString("155"));
            QVERIFY(avviso->isHidden());
            QCOMPARE(temperatura->palette().color(QPalette::WindowText), w.palette().color(QPalette::WindowText));
            QCOMPARE(figlio<QLabel>(w, "lblMassimaTemperatura")->text(), QString("155,00"));

            scrivi(w, "txtCorrente", "20");
            QCOMPARE(temperatura->text(), QString("—"));
            QVERIFY2(avviso->text().contains("oltre ciò che il modello termico copre"), qPrintable(avviso->text()));
            QCOMPARE(figlio<QLabel>(w, "lblAvvertenzaCorrente")->text(), AvvertenzaCorrente());
            QCOMPARE(figlio<QLabel>(*figlio<QWidget>(w, "paginaCorrente"), "lblAvvolgimento")->text(),
                     QString("Avvolgimento a strati · filo 0,5 mm (esterno 0,544 mm) · rame da 20 °C alla "
                             "temperatura dell'avvolgimento"));
            // A refused text is said under the field, by the window's one rule.
            scrivi(w, "txtCorrente", "3M");
            QVERIFY(figlio<QLabel>(w, "lblErroreCorrente")->text().contains("«3M» è fuori dall'intervallo"));
            QCOMPARE(temperatura->text(), QString("—"));
        }));
    }

    // One temperature and one style for every page, each page naming the winding it uses;
    // what was typed is there again at the next opening, echoed as read.
    void ingressiComuni()
    {
        progetto("20", "10", "10");
        const auto avvolgimento = [](frmAnalisi &w, const char *pagina) {
            return figlio<QLabel>(*figlio<QWidget>(w, pagina), "lblAvvolgimento")->text();
        };
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            scrivi(w, "txtTemperatura", "100");
            figlio<QComboBox>(w, "cmbStile")->setCurrentIndex(1);
            figlio<QTabWidget>(w, "pagine")->setCurrentIndex(2);
            scrivi(w, "txtFrequenza", "2,5M");
            QCOMPARE(figlio<QLabel>(w, "lblEcoFrequenza")->text(), QString("= 2\u202F500\u202F000 Hz"));
            QCOMPARE(figlio<QLabel>(w, "lblEcoTemperatura")->text(), QString("= 100 °C"));
            const QString atteso = "Avvolgimento ortociclico · filo 0,5 mm (esterno 0,544 mm) · rame a 100 °C";
            QTRY_COMPARE(avvolgimento(w, "paginaFrequenza"), atteso);
            QTRY_COMPARE(avvolgimento(w, "paginaRiepilogo"), atteso);
            QCOMPARE(avvolgimento(w, "paginaObiettivo"),
                     QString("Avvolgimento ortociclico · ogni filo del catalogo · rame a 100 °C"));
            QTRY_VERIFY(figlio<QTableWidget>(w, "tblRiepilogo")
                            ->verticalHeaderItem(int(Grandezza::ResistenzaT))
                            ->text()
                            .contains("100 °C"));
        }));
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            QCOMPARE(figlio<QLineEdit>(w, "txtTemperatura")->text(), QString("100"));
            QCOMPARE(figlio<QComboBox>(w, "cmbStile")->currentIndex(), 1);
            QCOMPARE(figlio<QLineEdit>(w, "txtFrequenza")->text(), QString("2,5M"));
        }));
    }

    // H = -5: the reason names the size, in full under the table; the rules' column shows the
    // main window's own captions and "n.d." for what that window does not show.
    void dimensioneNegativa()
    {
        progetto("-5", "10", "10");
        QStringList didascalie;
        for (const char *nome : {"SpireStrato", "NumeroStrati", "SpireTotali", "ind", "Centro"})
            didascalie << figlio<QLabel>(*f, nome)->text();
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            const QList<Grandezza> righe{Grandezza::SpirePerStrato, Grandezza::Strati, Grandezza::SpireTotali,
                                         Grandezza::Induttanza, Grandezza::Resistenza20};
            for (int i = 0; i < righe.size(); ++i)
                QTRY_COMPARE(cella(w, righe[i], Colonna::Regole), didascalie[i]);
            QCOMPARE(cella(w, Grandezza::LunghezzaFilo, Colonna::Regole), QString("n.d."));
            QCOMPARE(cella(w, Grandezza::Massa, Colonna::Regole), QString("n.d."));
            QVERIFY(figlio<QLabel>(w, "lblMetodo")->text().contains("L'altezza H (-5 mm) è negativa"));
        }));
    }

    // A click on a caption sorts by the numbers of the column, not by their texts, in both
    // directions; the wires that reach the target stay above those that cannot.
    void ordinamentoNumerico_data()
    {
        QTest::addColumn<int>("colonna");
        QTest::newRow("spire totali") << int(ModelloObiettivo::SpireTotali);
        QTest::newRow("diametro") << int(ModelloObiettivo::Diametro);
        QTest::newRow("induttanza") << int(ModelloObiettivo::Induttanza);
    }
    void ordinamentoNumerico()
    {
        QFETCH(int, colonna);
        progetto("20", "10", "10");
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            figlio<QTabWidget>(w, "pagine")->setCurrentIndex(1);
            QTest::keyClicks(figlio<QLineEdit>(w, "txtObiettivo"), "2");
            QTRY_VERIFY(figlio<QLabel>(w, "lblMessaggioObiettivo")->text().contains("raggiungono"));
            auto *tabella = figlio<QTableView>(w, "tblObiettivo");
            QHeaderView *intestazione = tabella->horizontalHeader();
            for (Qt::SortOrder verso : {Qt::AscendingOrder, Qt::DescendingOrder}) {
                for (int clic = 0; clic < 3 && (intestazione->sortIndicatorSection() != colonna ||
                                                intestazione->sortIndicatorOrder() != verso);
                     ++clic)
                    QTest::mouseClick(intestazione->viewport(), Qt::LeftButton, {},
                                      QPoint(intestazione->sectionViewportPosition(colonna) + 5, 5));
                QStringList visti, raggiunge;
                for (int r = 0; r < tabella->model()->rowCount(); ++r) {
                    visti << tabella->model()->index(r, colonna).data().toString();
                    raggiunge << tabella->model()->index(r, ModelloObiettivo::Raggiunge).data().toString();
                }
                const int primoNo = int(raggiunge.indexOf("no, al massimo"));
                QVERIFY(primoNo > 0 && raggiunge.lastIndexOf("sì") < primoNo);
                for (int r = 1; r < primoNo; ++r) {
                    const double prima = QLocale().toDouble(visti[r - 1]), dopo = QLocale().toDouble(visti[r]);
                    QVERIFY2(verso == Qt::AscendingOrder ? prima <= dopo : prima >= dopo,
                             qPrintable(visti[r - 1] + " " + visti[r]));
                }
            }
        }));
    }

    // Each bad input is answered in Italian where the figure would stand; nothing on screen
    // is NaN or infinite, and the window goes on.
    void ingressiSbagliati_data()
    {
        QTest::addColumn<QStringList>("progetto"); // H, B, D1
        QTest::addColumn<QString>("guasto");       // a change to what the root gathers
        QTest::addColumn<QString>("casella");      // the input typed into, on its page
        QTest::addColumn<QString>("testo");
        QTest::addColumn<QString>("dove"); // a label, or the summary's real inductance
        QTest::addColumn<QString>("motivo");
        const auto riga = [](const char *nome, const QStringList &progetto, const char *guasto, const char *casella,
                             const char *testo, const char *dove, const char *motivo) {
            QTest::newRow(nome) << progetto << QString(guasto) << QString(casella) << QString(testo) << QString(dove)
                                << QString(motivo);
        };
        const QStringList buono{"20", "10", "10"}, fermo{"1e400", "10", "10"}, pieno{"20", "2.01", "10"};
        const char *t = "txtTemperatura", *r = "riepilogo";
        const char *mt = "lblErroreTemperatura";
        riga("temperatura non numero", buono, "", t, "venti", mt, "«venti» non è un numero: scrivi la temperatura");
        riga("temperatura non numero: solo la resistenza", buono, "", t, "venti", "riepilogoT",
             "Serve una temperatura valida");
        riga("temperatura sotto -60", buono, "", t, "-300", mt, "fuori dall'intervallo: da −60 a 250 °C");
        riga("regole ferme: riepilogo", fermo, "", t, "20", r, "Le regole non calcolano");
        riga("nessuno strato: riepilogo", pieno, "", t, "20", r, "Nessuno strato");
        riga("senza diametro esterno: riepilogo", buono, "esterno", t, "20", r, "Manca il diametro esterno");
        riga("riga del filo illeggibile", buono, "filo", t, "20", "lblMetodo", "catalogo guasto");
        const char *o = "txtObiettivo", *mo = "lblMessaggioObiettivo";
        riga("obiettivo zero", buono, "", o, "0", mo, "«0» è fuori dall'intervallo: da 1 nH a 1000 H");
        riga("obiettivo negativo", buono, "", o, "-1", mo, "«-1» è fuori dall'intervallo");
        riga("obiettivo non numero", buono, "", o, "abc", mo, "«abc» non è un numero");
        riga("obiettivo irraggiungibile", buono, "", o, "900000", mo, "Nessun filo del catalogo");
        riga("regole ferme: obiettivo", fermo, "", o, "1", mo, "Le regole non calcolano");
        riga("nessuno strato: obiettivo", pieno, "", o, "1", mo, "Nessun filo del catalogo");
        riga("catalogo illeggibile", buono, "catalogo", o, "1", mo, "catalogo guasto");
        const char *fq = "txtFrequenza", *q = "lblQ", *mf = "lblErroreFrequenza",
                   *fuori = "è fuori dall'intervallo: da 1 Hz a 100 MHz";
        riga("frequenza zero", buono, "", fq, "0", mf, fuori);
        riga("frequenza negativa", buono, "", fq, "-5", mf, fuori);
        riga("frequenza enorme", buono, "", fq, "1e30", mf, fuori);
        riga("frequenza non numero", buono, "", fq, "x", mf, "«x» non è un numero");
        riga("migliaia col punto", buono, "", fq, "100.000", mf, "«100.000» ha un separatore delle migliaia");
        riga("regole ferme: frequenza", fermo, "", fq, "1000", q, "Le regole non calcolano");
        riga("senza diametro esterno: frequenza", buono, "esterno", fq, "1000", q, "Manca il diametro esterno");
    }
    void ingressiSbagliati()
    {
        QFETCH(QStringList, progetto);
        QFETCH(QString, guasto);
        QFETCH(QString, casella);
        QFETCH(QString, testo);
        QFETCH(QString, dove);
        QFETCH(QString, motivo);
        this->progetto(progetto[0], progetto[1], progetto[2]);
        IngressoAnalisi ingresso = IngressoAnalisiDi(*f);
        if (guasto == "esterno")
            ingresso.dati.filo.DiametroEsternoMax.clear();
        if (guasto == "filo") {
            ingresso.dati.filo = {};
            ingresso.motivoFilo = "catalogo guasto";
        }
        if (guasto == "catalogo") {
            ingresso.catalogo.clear();
            ingresso.motivoCatalogo = "catalogo guasto";
        }
        frmAnalisi w(ingresso);
        w.show();
        auto *pagine = figlio<QTabWidget>(w, "pagine");
        auto *campo = figlio<QLineEdit>(w, qPrintable(casella));
        for (int i = 0; i < pagine->count(); ++i)
            if (pagine->widget(i)->isAncestorOf(campo))
                pagine->setCurrentIndex(i);
        scrivi(w, qPrintable(casella), testo);
        const auto risposta = [&] {
            return dove == "riepilogo"    ? cella(w, Grandezza::Induttanza, Colonna::Reale)
                   : dove == "riepilogoT" ? cella(w, Grandezza::ResistenzaT, Colonna::Reale) + u'|' +
                                                cella(w, Grandezza::Induttanza, Colonna::Reale)
                                          : figlio<QLabel>(w, qPrintable(dove))->text();
        };
        QTRY_VERIFY2(risposta().contains(motivo), qPrintable(risposta()));
        const QRegularExpression numeroImpossibile("\\b(nan|inf)\\b", QRegularExpression::CaseInsensitiveOption);
        for (const QString &t : testiMostrati(w))
            QVERIFY2(!t.contains(numeroImpossibile), qPrintable(t));
        QVERIFY(w.isVisible());
    }

    // The largest design the rules allow: the window opens at once and fills in the
    // background; a new input cancels the stale work and starts again; the cancel button
    // stops it; closing the window in the middle of a computation ends it cleanly.
    void progettoPesante()
    {
        progetto("30", "1640.32", "20", "0.05");
        QVERIFY(inAnalisi([&](frmAnalisi &w) {
            auto *barra = figlio<QWidget>(*figlio<QWidget>(w, "paginaRiepilogo"), "barraLavoro");
            QTRY_VERIFY(righe(w, "tblStrati") > 0);
            QVERIFY(barra->isVisible());
            // A million henry read in henry, not in ten-digit millihenry.
            auto *grafico = figlio<GraficoStrati>(w, "graficoStrati");
            QTRY_COMPARE(grafico->asseInduttanza()->titleText(), QString("Induttanza (H)"));
            const int prime = righe(w, "tblStrati");
            QTRY_VERIFY(righe(w, "tblStrati") > prime);

            scrivi(w, "txtTemperatura", "25");
            QTRY_COMPARE(righe(w, "tblStrati"), 0);
            QTRY_VERIFY(righe(w, "tblStrati") > 0);
            QVERIFY(
                figlio<QTableView>(w, "tblStrati")->model()->headerData(7, Qt::Horizontal).toString().contains("25"));

            QTest::mouseClick(figlio<QPushButton>(*barra, "annulla"), Qt::LeftButton);
            QVERIFY(!barra->isVisible());
            QVERIFY(figlio<QLabel>(w, "lblMetodo")->text().contains("annullato"));
            const int ferme = righe(w, "tblStrati");
            QTest::qWait(100);
            QCOMPARE(righe(w, "tblStrati"), ferme);

            scrivi(w, "txtTemperatura", "30");
            QTRY_VERIFY(barra->isVisible());
        }));
        QVERIFY(f->isVisible());
    }
};

QTEST_MAIN(TstFrmAnalisi)
#include "tst_frmanalisi.moc"
