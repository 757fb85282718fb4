#include "Esempi.h"
#include "design/Errori.h"
#include "report/SalvaStudio.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace windara;

namespace {

const ImpostazioniStudio esempio{"06/12/2026", "."};

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A program folder of its own, with Studi/ beside where the program would be.
class Cartella
{
public:
    explicit Cartella(bool conStudi = true)
    {
        if (conStudi)
            QDir(dir.path()).mkdir("Studi");
    }
    QString percorso() const { return dir.path(); }
    QStringList studi() const { return QDir(dir.path() + "/Studi").entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir dir;
};

} // namespace

class TstSalvaStudio : public QObject
{
    Q_OBJECT
private slots:
    void salvaIByteDelTesto()
    {
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        const QString percorso = c.percorso() + "/Studi/30x20-0_50.txt";
        QCOMPARE(s.NomeFile, percorso);
        QCOMPARE(s.Salvato, Vero);
        StatoProgetto r = prova::progettoStudio();
        QCOMPARE(contenuto(percorso), TestoStudio(prova::testiStudio(), r, esempio));
        QCOMPARE(contenuto(percorso), contenuto(WINDARA_SOURCE_DIR "/tests/report/dati/30x20-0_50.txt"));
    }

    void stessoNomeSostituisce()
    {
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        s.ResistenzaMetro = "0.1";
        SalvaStudio(c.percorso(), prova::testiStudio(), s, {"07/12/2026", "."});
        QCOMPARE(c.studi(), QStringList{"30x20-0_50.txt"});
        QVERIFY(contenuto(s.NomeFile).contains("Data Creazione 07/12/2026\r\n"));
        SalvaStudio(c.percorso(), prova::testiStudio("31"), s, esempio);
        QCOMPARE(c.studi(), (QStringList{"30x20-0_50.txt", "31x20-0_50.txt"}));
        QCOMPARE(s.NomeFile, c.percorso() + "/Studi/31x20-0_50.txt");
    }

    // A refused save reports why, leaves the state and any earlier report as they were,
    // and writes nothing anywhere.
    void rifiutati_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("diametro");
        QTest::newRow("barra") << "../30"
                               << "20"
                               << "0.50";
        QTest::newRow("barra rovescia") << "30"
                                        << "2\\0"
                                        << "0.50";
        QTest::newRow("punto punto") << ".."
                                     << "/.."
                                     << "0.50";
        QTest::newRow("due punti") << "C:30"
                                   << "20"
                                   << "0.50";
        QTest::newRow("asterisco") << "30"
                                   << "20*"
                                   << "0.50";
        QTest::newRow("punto di domanda") << "30?"
                                          << "20"
                                          << "0.50";
        QTest::newRow("virgolette") << "30"
                                    << "\"20"
                                    << "0.50";
        QTest::newRow("minore") << "<30"
                                << "20"
                                << "0.50";
        QTest::newRow("barra verticale") << "30|"
                                         << "20"
                                         << "0.50";
        QTest::newRow("a capo") << "30\n"
                                << "20"
                                << "0.50";
        QTest::newRow("tab") << "30"
                             << "\t20"
                             << "0.50";
    }
    void rifiutati()
    {
        QFETCH(QString, h);
        QFETCH(QString, d1);
        QFETCH(QString, diametro);
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        const QByteArray prima = contenuto(s.NomeFile);
        s.Salvato = Falso;
        const QString nomePrima = s.NomeFile;
        try {
            SalvaStudio(c.percorso(), prova::testiStudio(h, d1, diametro), s, esempio);
            QFAIL("il salvataggio doveva essere rifiutato");
        } catch (const ErroreRuntime &e) {
            QVERIFY(e.testo().contains("nome"));
        }
        QCOMPARE(s.Salvato, Falso);
        QCOMPARE(s.NomeFile, nomePrima);
        QCOMPARE(c.studi(), QStringList{"30x20-0_50.txt"});
        QCOMPARE(QDir(c.percorso()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Studi"});
        QCOMPARE(contenuto(nomePrima), prima);
    }

    void cartellaMancante()
    {
        Cartella c(false);
        StatoProgetto s = prova::progettoStudio();
        try {
            SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
            QFAIL("senza Studi il salvataggio deve fallire");
        } catch (const ErroreRuntime &e) {
            QVERIFY(e.testo().contains(QDir::toNativeSeparators(c.percorso() + "/Studi")));
        }
        QCOMPARE(s.Salvato, Falso);
        QVERIFY(s.NomeFile.isEmpty());
        QVERIFY(!QDir(c.percorso() + "/Studi").exists());
    }

    void erroreDiScrittura()
    {
        Cartella c;
        // A folder where the report should go: the rename into place fails.
        QVERIFY(QDir(c.percorso() + "/Studi").mkdir("30x20-0_50.txt"));
        StatoProgetto s = prova::progettoStudio();
        try {
            SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
            QFAIL("la scrittura doveva fallire");
        } catch (const ErroreRuntime &e) {
            QVERIFY(e.testo().contains("30x20-0_50.txt"));
        }
        QCOMPARE(s.Salvato, Falso);
        QCOMPARE(c.studi(), QStringList{});
    }

    // A report another user saved in a shared Studi/ is not replaced: the save says whose it
    // is and what to do. Giving a file away needs root.
    void studioAltrui()
    {
        if (::geteuid() != 0)
            QSKIP("serve root per dare uno studio a un altro utente");
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        const QByteArray prima = contenuto(s.NomeFile);
        QCOMPARE(::chown(QFile::encodeName(s.NomeFile).constData(), 65534, 65534), 0);
        try {
            SalvaStudio(c.percorso(), prova::testiStudio(), s, {"07/12/2026", "."});
            QFAIL("lo studio di un altro utente non va sostituito");
        } catch (const ErroreRuntime &e) {
            QVERIFY2(e.testo().contains(QString::fromLocal8Bit(::getpwuid(65534)->pw_name)), qPrintable(e.testo()));
        }
        QCOMPARE(contenuto(s.NomeFile), prima);
    }

    // A new report is readable by all and writable by its owner alone, whatever the umask.
    void permessiDiUnNuovoStudio()
    {
        const mode_t maschera = ::umask(0);
        const auto rimetti = qScopeGuard([&] { ::umask(maschera); });
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        struct stat info;
        QCOMPARE(::stat(QFile::encodeName(s.NomeFile).constData(), &info), 0);
        QCOMPARE(info.st_mode & 07777, mode_t(0644));
    }

    void rigaNonCalcolabile()
    {
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        const QByteArray prima = contenuto(s.NomeFile);
        StatoProgetto guasto;
        guasto.StratiMax = 2;
        QVERIFY_THROWS_EXCEPTION(ErroreRuntime, SalvaStudio(c.percorso(), prova::testiStudio(), guasto, esempio));
        QCOMPARE(guasto.Salvato, Falso);
        QCOMPARE(contenuto(s.NomeFile), prima);
        QCOMPARE(c.studi(), QStringList{"30x20-0_50.txt"});
    }

    void impostazioniDellUtente()
    {
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
        const ImpostazioniStudio it = ImpostazioniUtente();
        QCOMPARE(it.separatore, QString(","));
        QCOMPARE(it.data, QLocale().toString(QDate::currentDate(), QLocale::ShortFormat));
        QLocale::setDefault(QLocale::c());
        QCOMPARE(ImpostazioniUtente().separatore, QString("."));
    }
};

QTEST_GUILESS_MAIN(TstSalvaStudio)
#include "tst_salvastudio.moc"
