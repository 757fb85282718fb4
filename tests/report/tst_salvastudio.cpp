#include "DiscoPieno.h"
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

void scrivi(const QString &percorso, const QByteArray &byte)
{
    QFile f(percorso);
    if (f.open(QIODevice::WriteOnly))
        f.write(byte);
}

QString rifiuto(const QString &cartella, const TestiStudio &t, StatoProgetto &s)
{
    try {
        SalvaStudio(cartella, t, s, esempio);
    } catch (const ErroreRuntime &e) {
        return e.testo();
    }
    return QString();
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

    // A refused save reports why, leaves the state and any earlier report as they were,
    // and writes nothing anywhere.
    void rifiutato(const TestiStudio &t, const QString &citato)
    {
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        const QByteArray prima = contenuto(s.NomeFile);
        s.Salvato = Falso;
        const QString nomePrima = s.NomeFile;
        const QString testo = rifiuto(c.percorso(), t, s);
        QVERIFY2(testo.contains(citato), qPrintable(testo));
        QCOMPARE(s.Salvato, Falso);
        QCOMPARE(s.NomeFile, nomePrima);
        QCOMPARE(c.studi(), QStringList{"30x20-0_50.txt"});
        QCOMPARE(QDir(c.percorso()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"Studi"});
        QCOMPARE(contenuto(nomePrima), prima);
    }
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

    // Over a report with other bytes the save asks, and a No keeps it; the same bytes and a
    // free name are written without asking.
    void sostituzione_data()
    {
        QTest::addColumn<QString>("resistenza");
        QTest::addColumn<bool>("risposta");
        QTest::addColumn<int>("domande");
        QTest::addColumn<bool>("salvato");
        QTest::newRow("stessi byte") << "0.0894" << false << 0 << true;
        QTest::newRow("diversi, No") << "0.1" << false << 1 << false;
        QTest::newRow("diversi, Sì") << "0.1" << true << 1 << true;
    }
    void sostituzione()
    {
        QFETCH(QString, resistenza);
        QFETCH(bool, risposta);
        QFETCH(int, domande);
        QFETCH(bool, salvato);
        Cartella c;
        StatoProgetto s = prova::progettoStudio();
        QStringList chiesti;
        auto chiedi = [&](const QString &percorso) {
            chiesti << percorso;
            return risposta;
        };
        QVERIFY(SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio, chiedi));
        const QByteArray prima = contenuto(s.NomeFile);
        s.Salvato = Falso;
        s.ResistenzaMetro = resistenza;
        StatoProgetto r = s;
        QCOMPARE(SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio, chiedi), salvato);
        QCOMPARE(chiesti.size(), domande);
        QCOMPARE(s.Salvato, salvato ? Vero : Falso);
        QCOMPARE(contenuto(s.NomeFile), salvato ? TestoStudio(prova::testiStudio(), r, esempio) : prima);
        QCOMPARE(c.studi(), QStringList{"30x20-0_50.txt"});
    }

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
        rifiutato(prova::testiStudio(h, d1, diametro), "nome");
    }

    // A character the report's code page lacks is named in the message; a name longer
    // than a file system takes is refused before it fails there.
    void nomiNonScrivibili_data()
    {
        QTest::addColumn<QString>("h");
        QTest::addColumn<QString>("d1");
        QTest::addColumn<QString>("citato");
        QTest::newRow("omega in H") << QString("20ω") << QString("10") << "«ω» (U+03C9)";
        QTest::newRow("ideogramma in D1") << QString("20") << QString("10中") << "«中» (U+4E2D)";
        QTest::newRow("fuori dal piano di base") << QString("2😀0") << QString("10") << "«😀» (U+1F600)";
        QTest::newRow("troppo lungo") << QString(200, u'3') << QString(60, u'2') << "troppo lungo";
    }
    void nomiNonScrivibili()
    {
        QFETCH(QString, h);
        QFETCH(QString, d1);
        QFETCH(QString, citato);
        rifiutato(prova::testiStudio(h, d1), citato);
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

    // A save never goes through a link, neither at the report's path nor of Studi itself,
    // and writes nothing but a regular file inside Studi: it is refused and told, and what
    // the link points to is left as it was.
    void collegamenti_data()
    {
        QTest::addColumn<QString>("caso");
        QTest::addColumn<QString>("causa");
        QTest::newRow("collegamento allo studio") << QString("studio") << "al suo posto c'è un collegamento simbolico";
        QTest::newRow("collegamento a un file assente")
            << QString("assente") << "al suo posto c'è un collegamento simbolico";
        QTest::newRow("pipe al posto dello studio") << QString("pipe") << "al suo posto c'è una pipe con nome";
        QTest::newRow("Studi collegamento") << QString("studi") << "è un collegamento simbolico, non una cartella";
        QTest::newRow("Studi file") << QString("file") << "è un file, non una cartella";
    }
    void collegamenti()
    {
        QFETCH(QString, caso);
        QFETCH(QString, causa);
        const bool studiVera = caso != "studi" && caso != "file";
        Cartella c(studiVera);
        const QString studi = c.percorso() + "/Studi", studio = studi + "/30x20-0_50.txt";
        const QString altrove = c.percorso() + "/altrove", altrui = altrove + "/altrui.txt";
        QVERIFY(QDir().mkpath(altrove));
        scrivi(altrui, "di un altro utente");
        if (caso == "studio")
            QVERIFY(QFile::link(altrui, studio));
        if (caso == "assente")
            QVERIFY(QFile::link(altrove + "/nuovo.txt", studio));
        if (caso == "pipe")
            QCOMPARE(mkfifo(QFile::encodeName(studio).constData(), 0600), 0);
        if (caso == "studi")
            QVERIFY(QFile::link(altrove, studi));
        if (caso == "file")
            scrivi(studi, "");

        StatoProgetto s = prova::progettoStudio();
        const QString testo = rifiuto(c.percorso(), prova::testiStudio(), s);
        QVERIFY2(testo.contains(causa), qPrintable(testo));
        QCOMPARE(s.Salvato, Falso);
        QVERIFY(s.NomeFile.isEmpty());
        QCOMPARE(QDir(altrove).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                 QStringList{"altrui.txt"});
        QCOMPARE(contenuto(altrui), QByteArray("di un altro utente"));
        if (studiVera)
            QCOMPARE(QDir(studi).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                     QStringList{"30x20-0_50.txt"});
    }

    // A full or read-only disk is told in Italian; the earlier report stays whole and no
    // partial file remains.
    void discoGuasto_data()
    {
        QTest::addColumn<bool>("soloLettura");
        QTest::newRow("pieno") << false;
        QTest::newRow("sola lettura") << true;
    }
    void discoGuasto()
    {
        QFETCH(bool, soloLettura);
        Cartella c;
        prova::DiscoPieno disco(c.percorso() + "/Studi", 64 * 1024);
        StatoProgetto s = prova::progettoStudio();
        SalvaStudio(c.percorso(), prova::testiStudio(), s, esempio);
        const QByteArray prima = contenuto(s.NomeFile);
        QString causa = disco.causa();
        if (soloLettura) {
            if (!disco.soloLettura())
                QSKIP("qui non si può montare un file system");
            causa = "il disco è in sola lettura";
        }
        StatoProgetto lungo = prova::progettoStudio();
        lungo.StratiMax = 2000;
        const QString testo = rifiuto(c.percorso(), prova::testiStudio(), lungo);
        QVERIFY2(testo.contains(causa) && testo.contains("30x20-0_50.txt"), qPrintable(testo));
        QCOMPARE(lungo.Salvato, Falso);
        QCOMPARE(contenuto(s.NomeFile), prima);
        QCOMPARE(c.studi(), QStringList{"30x20-0_50.txt"});
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
