// The worker thread of the analysis window: what a replaced or cancelled computation hands
// back never arrives, a quick result is shown without waiting for the rest, a failure is
// told, and destroying the worker ends its computations.

#include "analysis/finestra/Lavoratore.h"

#include <QSignalSpy>
#include <QTest>

#include <atomic>
#include <stdexcept>
#include <thread>

using namespace windara::analisi;

namespace {

// Hands back `nome` every millisecond until cancelled; `uscito` once it has returned.
Lavoratore::Lavoro senzaFine(QStringList &arrivati, const QString &nome, std::atomic<bool> &uscito)
{
    return [&arrivati, nome, &uscito](const Lavoratore::Contesto &c) {
        while (!c.annullato()) {
            c.consegna([&arrivati, nome] { arrivati << nome; });
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        uscito = true;
    };
}

} // namespace

class TstLavoratore : public QObject
{
    Q_OBJECT
private slots:
    void sostituitoOAnnullato_data()
    {
        QTest::addColumn<bool>("sostituito");
        QTest::newRow("un nuovo calcolo") << true;
        QTest::newRow("annulla") << false;
    }
    void sostituitoOAnnullato()
    {
        QFETCH(bool, sostituito);
        QStringList arrivati;
        std::atomic<bool> uscito{false}, nuovoUscito{false};
        Lavoratore l;
        l.avvia(senzaFine(arrivati, "vecchio", uscito));
        QTRY_VERIFY(arrivati.contains("vecchio"));
        if (sostituito)
            l.avvia(senzaFine(arrivati, "nuovo", nuovoUscito));
        else
            l.annulla();
        const auto dopo = arrivati.size();
        QTRY_VERIFY(uscito.load());
        QTest::qWait(20);
        QVERIFY(!arrivati.mid(dopo).contains("vecchio"));
        QCOMPARE(arrivati.mid(dopo).contains("nuovo"), sostituito);
        QCOMPARE(l.inCorso(), sostituito);
    }

    // attendi() stops waiting at the first results, which have run by then; the rest comes
    // later through the event loop, and the end is told.
    void primiRisultati()
    {
        QStringList arrivati;
        std::atomic<bool> via{false};
        Lavoratore l;
        QSignalSpy terminato(&l, &Lavoratore::terminato);
        l.avvia([&](const Lavoratore::Contesto &c) {
            c.consegna([&] { arrivati << "riepilogo"; });
            c.primiRisultati();
            while (!via && !c.annullato())
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            c.consegna([&] { arrivati << "tabella"; });
        });
        QVERIFY(!l.attendi(60000));
        QCOMPARE(arrivati, QStringList{"riepilogo"});
        via = true;
        QTRY_COMPARE(terminato.size(), 1);
        QCOMPARE(arrivati, (QStringList{"riepilogo", "tabella"}));
        QCOMPARE(terminato.first().first().toString(), QString());
        QVERIFY(!l.inCorso());
    }

    void errore()
    {
        Lavoratore l;
        QSignalSpy terminato(&l, &Lavoratore::terminato);
        l.avvia([](const Lavoratore::Contesto &) { throw std::runtime_error("guasto"); });
        QVERIFY(l.attendi(60000));
        QCOMPARE(terminato.size(), 1);
        QCOMPARE(terminato.first().first().toString(), QString("guasto"));
    }

    // Destroyed in the middle of two computations (one cancelled, one running): both have
    // returned when the destructor does, and nothing of them arrives afterwards.
    void distruzione()
    {
        QStringList arrivati;
        std::atomic<bool> primo{false}, secondo{false};
        {
            Lavoratore l;
            l.avvia(senzaFine(arrivati, "primo", primo));
            l.avvia(senzaFine(arrivati, "secondo", secondo));
            QTRY_VERIFY(arrivati.contains("secondo"));
        }
        QVERIFY(primo && secondo);
        const auto prima = arrivati.size();
        QTest::qWait(20);
        QCOMPARE(arrivati.size(), prima);
    }
};

QTEST_MAIN(TstLavoratore)
#include "tst_lavoratore.moc"
