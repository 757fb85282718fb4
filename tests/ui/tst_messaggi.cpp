#include "ui/Messaggi.h"
#include "ui/Traduzioni.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace windara::ui;

class TstMessaggi : public QObject
{
    Q_OBJECT
private slots:
    void cattura_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("icona");
        QTest::addColumn<QString>("titolo");
        QTest::newRow("errore") << 0 << int(QMessageBox::Critical) << "Windara";
        QTest::newRow("avviso") << 1 << int(QMessageBox::Warning) << "Windara";
        QTest::newRow("generico") << 2 << int(QMessageBox::Information) << "Altro titolo";
    }
    // Every kind of message reaches the handler with its parent, icon, title and text.
    void cattura()
    {
        QFETCH(int, tipo);
        QFETCH(int, icona);
        QFETCH(QString, titolo);
        QWidget finestra;
        const QString testo = "Prima di stampare è necessario salvare le informazioni contenute nella finestra.";
        CatturaMessaggi cattura;
        if (tipo == 0)
            MostraErrore(&finestra, testo);
        else if (tipo == 1)
            MostraAvviso(&finestra, testo);
        else
            MostraMessaggio(&finestra, QMessageBox::Information, titolo, testo);
        QCOMPARE(cattura.messaggi().size(), 1);
        const Messaggio &m = cattura.messaggi().first();
        QCOMPARE(m.genitore, &finestra);
        QCOMPARE(int(m.icona), icona);
        QCOMPARE(m.titolo, titolo);
        QCOMPARE(m.testo, testo);
    }

    // Captures nest: the inner one takes the messages while it lives, then the outer
    // one gets them again.
    void catturaAnnidata()
    {
        CatturaMessaggi esterna;
        {
            CatturaMessaggi interna;
            MostraErrore(nullptr, "dentro");
            QCOMPARE(interna.messaggi().size(), 1);
        }
        QVERIFY(esterna.messaggi().isEmpty());
        MostraErrore(nullptr, "fuori");
        QCOMPARE(esterna.messaggi().size(), 1);
        QCOMPARE(esterna.messaggi().first().testo, QString("fuori"));
    }

    // With no handler the message is a real modal box with one OK button.
    void boxModale()
    {
        QVERIFY(!ImpostaGestoreMessaggi({}));
        QWidget finestra;
        finestra.show();
        QString titolo, testo;
        int icona = -1;
        QList<int> pulsanti;
        QTimer::singleShot(0, this, [&] {
            QMessageBox *box = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *b = qobject_cast<QMessageBox *>(w); b && b->isVisible())
                    box = b;
            if (!box)
                return;
            QCOMPARE(box->isModal(), true);
            titolo = box->windowTitle();
            testo = box->text();
            icona = box->icon();
            for (QAbstractButton *b : box->buttons())
                pulsanti << int(box->standardButton(b));
            box->button(QMessageBox::Ok)->click();
        });
        MostraAvviso(&finestra, "Attenzione");
        QCOMPARE(titolo, QString("Windara"));
        QCOMPARE(testo, QString("Attenzione"));
        QCOMPARE(icona, int(QMessageBox::Warning));
        QCOMPARE(pulsanti, QList<int>{int(QMessageBox::Ok)});
    }

    // A question is a real modal box with Sì and No; Enter takes No, the default.
    void domandaModale_data()
    {
        QTest::addColumn<int>("tasto");
        QTest::addColumn<bool>("risposta");
        QTest::newRow("Invio") << int(Qt::Key_Return) << false;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << false;
        QTest::newRow("S") << int(Qt::Key_Y) << true;
    }
    void domandaModale()
    {
        QFETCH(int, tasto);
        QFETCH(bool, risposta);
        QWidget finestra;
        finestra.show();
        int icona = -1;
        QTimer::singleShot(0, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            icona = box->icon();
            if (tasto == Qt::Key_Y)
                box->button(QMessageBox::Yes)->click();
            else
                QTest::keyClick(box, Qt::Key(tasto));
        });
        QCOMPARE(ChiediConferma(&finestra, "Sostituire?"), risposta);
        QCOMPARE(icona, int(QMessageBox::Question));
    }

    // The toolkit's own buttons speak Italian once the catalogue is loaded.
    void traduzioni()
    {
        if (!CaricaTraduzioniQt(*QCoreApplication::instance()))
            QSKIP("Qt's Italian catalogue is not installed here");
        QMessageBox box(QMessageBox::Question, "Windara", "?", QMessageBox::Cancel | QMessageBox::Yes);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("Annulla"));
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QString("Sì"));
    }
};

QTEST_MAIN(TstMessaggi)
#include "tst_messaggi.moc"
