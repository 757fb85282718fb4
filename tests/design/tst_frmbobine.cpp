#include "design/Errori.h"
#include "design/FrmBobine.h"
#include "design/Module1.h"

#include "ui/BarraStrumenti.h"
#include "ui/EtichettaValore.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

using namespace windara;

namespace {

const QStringList etichette{"SpireStrato", "NumeroStrati", "SpireTotali", "Ltot", "ind", "Centro"};

} // namespace

class TstFrmBobine : public QObject
{
    Q_OBJECT

    FrmBobine *f = nullptr;
    int calcola = 0, visualizza = 0, esci = 0;

    QLineEdit *casella(const char *nome) const { return f->findChild<QLineEdit *>(nome); }
    QComboBox *lista() const { return f->findChild<QComboBox *>("txtDiametro1"); }
    ui::BarraStrumenti *barra() const { return f->findChild<ui::BarraStrumenti *>("Toolbar1"); }
    QAction *menu(const char *nome) const { return f->findChild<QAction *>(nome); }

    QStringList didascalie() const
    {
        QStringList r;
        for (const QString &n : etichette)
            r << f->findChild<QLabel *>(n)->text();
        return r;
    }
    // Types into the real box, replacing what it held, key by key.
    void scrivi(const char *nome, const QString &testo)
    {
        QLineEdit *c = casella(nome);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        QTest::keyClicks(c, testo);
    }
    void scegli(const QString &diametro)
    {
        const int i = lista()->findText(diametro);
        QVERIFY2(i >= 0, qPrintable(diametro));
        lista()->setCurrentIndex(i);
    }
    bool calcolaAbilitato() const
    {
        const bool barraAbilitata = barra()->pulsante(1)->isEnabled();
        [&] { QCOMPARE(menu("mnuCrea")->isEnabled(), barraAbilitata); }();
        return barraAbilitata;
    }

private slots:
    void init()
    {
        Module1() = StatoProgetto{};
        calcola = visualizza = esci = 0;
        f = new FrmBobine(WINDARA_PROGRAM_DIR);
        connect(f, &FrmBobine::Calcola, this, [this] { ++calcola; });
        connect(f, &FrmBobine::Visualizza, this, [this] { ++visualizza; });
        connect(f, &FrmBobine::Esci, this, [this] { ++esci; });
        f->Form_Load();
        f->show();
        QVERIFY(QTest::qWaitForWindowExposed(f));
    }
    void cleanup()
    {
        delete f;
        f = nullptr;
    }

    void avvio()
    {
        QCOMPARE(lista()->count(), 57);
        QCOMPARE(f->NumeroRecord(), 57);
        QCOMPARE(lista()->currentText(), QString("0.05"));
        QCOMPARE(f->findChild<QLabel *>("txtDiametro")->text(), QString("0.05"));
        QCOMPARE(didascalie(), (QStringList{" 0", "0", " 0", " 0", " 0", " 0"}));
        QVERIFY(!calcolaAbilitato());
        QCOMPARE(Module1().ResistenzaMetro, QString("8.781"));
        QCOMPARE(Module1().StratiMax, qint16(-40));
        QCOMPARE(f->focusWidget(), casella("txtAltezza"));
        QCOMPARE(f->windowTitle(), QString("Windara - Versione 1.0"));
    }

    void finestra()
    {
        QCOMPARE(f->centralWidget()->size(), QSize(689, 489));
        QVERIFY(f->minimumSize() == f->maximumSize());
        QCOMPARE(f->findChild<QLineEdit *>("txtAltezza")->geometry(), QRect(152, 168, 73, 25));
        QCOMPARE(f->findChild<QLabel *>("ind")->geometry(), QRect(576, 64, 89, 25));
        QCOMPARE(f->findChild<QLabel *>("Centro")->toolTip(), QString("Centro dell'avvolgimento:"));
        QCOMPARE(barra()->pulsante(4)->toolTip(), QString("Esce dall'applicazione"));
        QCOMPARE(menu("mnuvisualizza")->text(), QString("Visualizza"));
        QWidget *ordine = casella("txtAltezza");
        QStringList catena;
        for (int i = 0; i < 4; ++i) {
            ordine = ordine->nextInFocusChain();
            while (ordine->focusPolicy() == Qt::NoFocus)
                ordine = ordine->nextInFocusChain();
            catena << ordine->objectName();
        }
        QCOMPARE(catena.mid(0, 2), (QStringList{"txtB", "txtL"}));
    }

    void accessibili_data()
    {
        QTest::addColumn<QString>("nome");
        const char *const righe[][2] = {{"txtAltezza", "Altezza (H) mm"},     {"txtB", "Dimensione (B) mm"},
                                        {"txtL", "Dimensione (D1) mm"},       {"txtDiametro1", "Diametro Filo (D) mm"},
                                        {"SpireStrato", "Spire per strato"},  {"NumeroStrati", "Numero di strati Max."},
                                        {"SpireTotali", "Spire Totali Max."}, {"Ltot", "Dimensione (L) mm"},
                                        {"Centro", "Resistenza Max. Ohm"},    {"ind", "Induttanza Max. (mH)"}};
        for (const auto &[controllo, nome] : righe)
            QTest::newRow(controllo) << QString::fromUtf8(nome);
    }
    // A screen reader names each control after its caption, its label; a result also reads
    // its value as text and its tooltip as description; the label under the list is not there.
    void accessibili()
    {
        QFETCH(QString, nome);
        scrivi("txtAltezza", "20");
        QWidget *w = f->findChild<QWidget *>(QTest::currentDataTag());
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        QCOMPARE(a->text(QAccessible::Name), nome);
        if (auto *risultato = qobject_cast<QLabel *>(w)) {
            QCOMPARE(a->textInterface()->text(0, a->textInterface()->characterCount()), risultato->text());
            QCOMPARE(a->text(QAccessible::Description), w->toolTip());
        } else {
            QCOMPARE(a->relations(QAccessible::Label).size(), 1);
        }
        const QAccessibleInterface *cliente = a->parent();
        for (int i = 0; i < cliente->childCount(); ++i)
            QVERIFY(cliente->child(i)->object()->objectName() != "txtDiametro");
    }

    void limiti_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("filo");
        QTest::addColumn<QStringList>("attese");
        QTest::newRow("esempio") << "20"
                                 << "10"
                                 << "10"
                                 << "0.5" << QStringList{" 40", " 16", " 640", " 30", " 3.3283", " 4.588"};
        QTest::newRow("B 1.5") << "20"
                               << "1.5"
                               << "10"
                               << "0.5" << QStringList{" 40", "0", "0", " 13", " .0056", "0"};
        QTest::newRow("B 1.9") << "20"
                               << "1.9"
                               << "10"
                               << "0.5" << QStringList{" 40", " 0", " 0", " 13.8", " 0", " 0"};
        QTest::newRow("B 2.9") << "20"
                               << "2.9"
                               << "10"
                               << "0.5" << QStringList{" 40", " 1", " 40", " 15.8", " .0064", " .1213"};
        QTest::newRow("B 2") << "20"
                             << "2"
                             << "10"
                             << "0.5" << QStringList{" 40", " 0", " 0", " 14", " 0", " 0"};
        QTest::newRow("lettera in H") << "a"
                                      << "10"
                                      << "10"
                                      << "0.5" << QStringList{" 0", " 16", " 0", " 30", " 0", " 0"};
        QTest::newRow("H 12.5") << "12.5"
                                << "10"
                                << "10"
                                << "0.5" << QStringList{" 24", " 16", " 384", " 30", " 1.5547", " 2.7528"};
        QTest::newRow("H 13.5") << "13.5"
                                << "10"
                                << "10"
                                << "0.5" << QStringList{" 28", " 16", " 448", " 30", " 1.9696", " 3.2116"};
        QTest::newRow("virgola in B") << "20"
                                      << "10,5"
                                      << "10"
                                      << "0.5" << QStringList{" 40", " 16", " 640", " 30", " 3.3283", " 4.588"};
        QTest::newRow("prefisso condiviso")
            << "20"
            << "10"
            << "10"
            << "0.1" << QStringList{" 200", " 80", " 16000", " 30", " 2080.2038", " 2867.1968"};
    }
    void limiti()
    {
        QFETCH(QString, h);
        QFETCH(QString, b);
        QFETCH(QString, d1);
        QFETCH(QString, filo);
        QFETCH(QStringList, attese);
        scegli(filo);
        scrivi("txtAltezza", h);
        scrivi("txtB", b);
        scrivi("txtL", d1);
        QCOMPARE(didascalie(), attese);
        QVERIFY(calcolaAbilitato());
    }

    void testoLungo_data()
    {
        QTest::addColumn<QString>("nome");
        QTest::newRow("H") << "txtAltezza";
        QTest::newRow("B") << "txtB";
        QTest::newRow("D1") << "txtL";
    }
    // A paste longer than 32,767 characters is kept whole: Val skips the blanks, so the digit
    // at its end still counts.
    void testoLungo()
    {
        QFETCH(QString, nome);
        scegli("0.1");
        scrivi("txtAltezza", "20");
        scrivi("txtB", "10");
        scrivi("txtL", "10");
        const QStringList attese = didascalie();
        QLineEdit *c = casella(qPrintable(nome));
        const QString lungo = c->text().left(1) + QString(40000, u' ') + c->text().mid(1);
        QGuiApplication::clipboard()->setText(lungo);
        c->selectAll();
        QTest::keyClick(c, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(c->text(), lungo);
        QCOMPARE(didascalie(), attese);
    }

    void filoConPrefissoCondiviso()
    {
        scegli("0.1");
        QCOMPARE(Module1().ResistenzaMetro, QString("2.195"));
        QCOMPARE(f->DiametroSelezionato(), QString("0.1"));
        QCOMPARE(Module1().DiametroFilo, 0.1);
    }

    void sceltaDaTastiera()
    {
        lista()->setFocus();
        QTest::keyClick(lista(), Qt::Key_Down);
        QCOMPARE(lista()->currentText(), QString("0.053"));
        QCOMPARE(Module1().ResistenzaMetro, QString("7.815"));
    }

    void nuovoFiloAggiornaResistenza()
    {
        scegli("0.5");
        scrivi("txtAltezza", "20");
        scrivi("txtB", "10");
        scrivi("txtL", "10");
        QCOMPARE(didascalie().last(), QString(" 4.588"));
        scegli("0.25");
        QCOMPARE(didascalie(), (QStringList{" 80", " 32", " 2560", " 30", " 53.2532", " 73.4002"}));
    }

    // H 40000 stops the run at the height: the labels and the height keep the values of
    // the last keystroke that could be computed, 4000.
    void altezzaFuoriIntervallo()
    {
        scegli("0.5");
        scrivi("txtB", "10");
        scrivi("txtL", "10");
        scrivi("txtAltezza", "4000");
        const QStringList prima = didascalie();
        QCOMPARE(prima.first(), QString(" 8000"));
        QTest::keyClick(casella("txtAltezza"), Qt::Key_0);
        QCOMPARE(casella("txtAltezza")->text(), QString("40000"));
        QCOMPARE(didascalie(), prima);
        QCOMPARE(Module1().Altezza, qint16(4000));
        scrivi("txtB", "11");
        QCOMPARE(Module1().DimensioneB, 11.0);
        QCOMPARE(didascalie(), prima);
        QVERIFY(calcolaAbilitato());
    }

    // The wire chosen while a run stops early is still looked up at once.
    void filoSceltoDuranteUnArresto()
    {
        scegli("0.5");
        scrivi("txtAltezza", "20");
        scrivi("txtB", "10");
        scrivi("txtL", "10");
        scrivi("txtAltezza", "40000");
        scegli("0.25");
        QCOMPARE(Module1().ResistenzaMetro, QString("0.3512"));
        scrivi("txtAltezza", "20");
        QCOMPARE(didascalie().last(), QString(" 73.4002"));
    }

    void abilitazioneCalcola()
    {
        QVERIFY(!calcolaAbilitato());
        scrivi("txtAltezza", "20");
        QVERIFY(!calcolaAbilitato());
        scrivi("txtB", "x");
        QVERIFY(!calcolaAbilitato());
        scrivi("txtL", "10");
        QVERIFY(calcolaAbilitato());
        for (const char *nome : {"txtAltezza", "txtB", "txtL"}) {
            const QString prima = casella(nome)->text();
            scrivi(nome, "");
            QVERIFY2(!calcolaAbilitato(), nome);
            scrivi(nome, prima);
            QVERIFY2(calcolaAbilitato(), nome);
        }
    }

    void comandi()
    {
        scrivi("txtAltezza", "20");
        scrivi("txtB", "10");
        scrivi("txtL", "10");
        barra()->premi(3);
        QCOMPARE((QList<int>{calcola, visualizza, esci}), (QList<int>{0, 0, 0}));
        QTest::mouseClick(barra()->widgetPulsante(1), Qt::LeftButton);
        barra()->premi(2);
        QCOMPARE((QList<int>{calcola, visualizza, esci}), (QList<int>{1, 1, 0}));
        menu("mnuCrea")->trigger();
        menu("mnuvisualizza")->trigger();
        QCOMPARE((QList<int>{calcola, visualizza, esci}), (QList<int>{2, 2, 0}));
    }

    // The wire list opens 20 rows tall, not as tall as the screen, and scrolls the rest.
    void elencoFili()
    {
        QComboBox *l = lista();
        l->showPopup();
        const QAbstractItemView *v = l->view();
        QVERIFY(QTest::qWaitForWindowExposed(v->window()));
        const int prima = v->indexAt(QPoint(1, 1)).row();
        const int ultima = v->indexAt(QPoint(1, v->viewport()->height() - 2)).row();
        const bool scorre = v->verticalScrollBar()->isVisible();
        l->hidePopup();
        QCOMPARE(ultima - prima + 1, 20);
        QVERIFY(scorre);
    }

    void evidenziazioneMenu_data()
    {
        QTest::addColumn<int>("destra");
        QTest::newRow("mnuCrea") << 0;
        QTest::newRow("mnuvisualizza") << 1;
        QTest::newRow("mnuAnalisi") << 2;
        QTest::newRow("MnuEsci") << 3;
    }
    // Alt and the arrows walk the menu bar visibly: the entry they reach is drawn on a ground
    // other than the bar's.
    void evidenziazioneMenu()
    {
        QFETCH(int, destra);
        for (const char *nome : {"txtAltezza", "txtB", "txtL"})
            scrivi(nome, "10");
        f->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f));
        QTest::keyClick(f, Qt::Key_Alt);
        for (int i = 0; i < destra; ++i)
            QTest::keyClick(f->menuBar(), Qt::Key_Right);
        QAction *voce = menu(QTest::currentDataTag());
        QCOMPARE(f->menuBar()->activeAction(), voce);
        // Beside the entry's text, and at the far end of the bar, past every entry.
        const QImage immagine = f->menuBar()->grab().toImage();
        const QPoint voceFondo = f->menuBar()->actionGeometry(voce).topLeft() + QPoint(2, 4);
        QVERIFY(immagine.pixel(voceFondo) != immagine.pixel(immagine.width() - 2, voceFondo.y()));
        QTest::keyClick(f->menuBar(), Qt::Key_Escape);
    }

    void calcolaDisabilitatoNonApre()
    {
        barra()->premi(1);
        menu("mnuCrea")->trigger();
        QCOMPARE(calcola, 0);
    }

    void uscita_data()
    {
        QTest::addColumn<int>("via");
        QTest::newRow("menu") << 0;
        QTest::newRow("barra") << 1;
        QTest::newRow("chiusura") << 2;
    }
    void uscita()
    {
        QFETCH(int, via);
        if (via == 0)
            menu("MnuEsci")->trigger();
        if (via == 1)
            QTest::mouseClick(barra()->widgetPulsante(4), Qt::LeftButton);
        if (via == 2)
            f->close();
        QCOMPARE(esci, 1);
    }

    void troncati_data()
    {
        QTest::addColumn<QString>("intero");
        QTest::addColumn<QString>("suggerimento");
        QTest::newRow("Centro") << " 21292463.8416"
                                << "Centro dell'avvolgimento:";
        QTest::newRow("ind") << " 544796936.3344"
                             << "Valore Max di induttanza in funzione del quadrato delle spire";
    }
    // A caption wider than its label keeps its whole text (what the study copies and a screen
    // reader reads) and is painted ending in "…", the whole caption first in its tooltip.
    void troncati()
    {
        QFETCH(QString, intero);
        QFETCH(QString, suggerimento);
        scegli("0.05");
        scrivi("txtAltezza", "100");
        scrivi("txtB", "100");
        scrivi("txtL", "1");
        auto *e = f->findChild<ui::EtichettaValore *>(QTest::currentDataTag());
        QCOMPARE(e->text(), intero);
        QVERIFY2(e->troncato() && e->testoMostrato().endsWith(u'…'), qPrintable(e->testoMostrato()));
        QVERIFY(e->testoMostrato().size() > 4);
        QCOMPARE(e->toolTip(), intero.trimmed() + u'\n' + suggerimento);
        QCOMPARE(QAccessible::queryAccessibleInterface(e)->text(QAccessible::Description), e->toolTip());
        QCOMPARE(f->testiStudio().ind, f->didascalie()[Risultato::Ind]);
        scegli("0.5");
        scrivi("txtAltezza", "20");
        scrivi("txtB", "10");
        scrivi("txtL", "10");
        QVERIFY(!e->troncato());
        QCOMPARE(e->toolTip(), suggerimento);
    }

    void catalogoMancante()
    {
        QTemporaryDir cartella;
        FrmBobine g(cartella.path());
        try {
            g.Form_Load();
            QFAIL("senza catalogo l'avvio deve fallire");
        } catch (const ErroreRuntime &e) {
            QVERIFY(e.testo().contains(QDir::toNativeSeparators(cartella.path() + "/Database/Diametri.db")));
        }
        QVERIFY(!QFile::exists(cartella.path() + "/Database/Diametri.db"));
    }
};

QTEST_MAIN(TstFrmBobine)
#include "tst_frmbobine.moc"
