#include "catalogue/Catalogo.h"
#include "design/Errori.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <numbers>
#include <thread>

using namespace windara;

namespace {

const QString Spedito = QStringLiteral("spedito");
const QString Prova = QStringLiteral("prova");

QString Riga(const char *valori)
{
    return QStringLiteral("INSERT INTO Rame VALUES (%1)").arg(QLatin1String(valori));
}

// The schema of Rame with one column renamed or, given an empty name, left out.
QString SchemaCon(const QString &colonna, const QString &nuovoNome)
{
    QStringList colonne;
    for (const QString &c : ColonneRame())
        if (c != colonna || !nuovoNome.isEmpty())
            colonne << QStringLiteral("[%1] REAL").arg(c == colonna ? nuovoNome : c);
    return QStringLiteral("CREATE TABLE Rame (%1)").arg(colonne.join(u','));
}

const QString Schema = SchemaCon(QString(), QString());

enum class Preparazione { Nessuna, Cartella, Testo, Sql, Troncato, Bloccato };

// Writes <cartella>/Database/Diametri.db from SQL statements, as a test catalogue.
bool Costruisci(const QString &cartella, const QStringList &istruzioni)
{
    QDir(cartella).mkpath(QStringLiteral("Database"));
    bool fatto = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("costruzione"));
        db.setDatabaseName(PercorsoCatalogo(cartella));
        fatto = db.open();
        QSqlQuery q(db);
        for (const QString &istruzione : istruzioni)
            fatto = fatto && q.exec(istruzione);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("costruzione"));
    return fatto;
}

QStringList Diametri(const QList<FiloRame> &righe)
{
    QStringList d;
    for (const FiloRame &r : righe)
        d << r.DiametroNominale;
    return d;
}

QString Errore(const std::function<void()> &fn)
{
    try {
        fn();
    } catch (const ErroreRuntime &e) {
        return e.testo();
    }
    return QString();
}

double Quattro(double x)
{
    return QString::number(x, 'g', 4).toDouble();
}

} // namespace

class TstCatalogo : public QObject
{
    Q_OBJECT
    QList<FiloRame> m_spedito;

private slots:
    void initTestCase()
    {
        ApriCatalogo(QStringLiteral(WINDARA_PROGRAM_DIR), Spedito);
        m_spedito = ElencoRame(Spedito);
    }

    void spedito()
    {
        QCOMPARE(m_spedito.size(), 57);
        QCOMPARE(m_spedito.first().DiametroNominale, QStringLiteral("0.05"));
        QCOMPARE(m_spedito.last().DiametroNominale, QStringLiteral("2"));
        for (const char *testo : {"0.05", "0.1", "1", "1.12"})
            QVERIFY2(Diametri(m_spedito).contains(QLatin1String(testo)), testo);
    }

    void ordini_data()
    {
        QTest::addColumn<Ordinamento>("ordine");
        QTest::addColumn<bool>("crescente");
        QTest::newRow("predefinito") << Ordinamento::Predefinito << true;
        QTest::newRow("crescente") << Ordinamento::Crescente << true;
        QTest::newRow("decrescente") << Ordinamento::Decrescente << false;
    }
    void ordini()
    {
        QFETCH(Ordinamento, ordine);
        QFETCH(bool, crescente);
        const QStringList d = Diametri(ElencoRame(Spedito, ordine));
        QCOMPARE(d.size(), 57);
        for (qsizetype i = 1; i < d.size(); ++i) {
            const double prima = d[i - 1].toDouble(), dopo = d[i].toDouble();
            QVERIFY2(crescente ? prima < dopo : prima > dopo, qPrintable(d[i - 1] + u' ' + d[i]));
        }
    }

    // Every value the windows show is read back with Val: no comma, exponent or trailing zero.
    void formaDeiTesti()
    {
        static const QRegularExpression forma(QStringLiteral("^[0-9]+(\\.[0-9]*[1-9])?$"));
        for (const FiloRame &r : std::as_const(m_spedito))
            for (const QString &v : {r.DiametroNominale, r.DiametroEsternoMax, r.Sezione, r.Resistenza, r.Peso})
                QVERIFY2(forma.match(v).hasMatch(), qPrintable(v));
    }

    void cerca_data()
    {
        QTest::addColumn<QString>("prefisso");
        QTest::addColumn<int>("quanti");
        QTest::addColumn<QString>("primo");
        QTest::addColumn<QString>("resistenza");
        QTest::newRow("0.1 prima di 0.106 e 0.112") << "0.1" << 15 << "0.1"
                                                    << "2.195";
        QTest::newRow("1 prima di 1.12") << "1" << 6 << "1"
                                         << "0.02195";
        QTest::newRow("25 non trova 0.25") << "25" << 0 << ""
                                           << "";
        QTest::newRow("vuoto trova tutto") << "" << 57 << "0.05"
                                           << "8.781";
        QTest::newRow("nullo come vuoto") << QString() << 57 << "0.05"
                                          << "8.781";
        QTest::newRow("zeri finali") << "0.100" << 0 << ""
                                     << "";
    }
    void cerca()
    {
        QFETCH(QString, prefisso);
        QFETCH(int, quanti);
        QFETCH(QString, primo);
        QFETCH(QString, resistenza);
        const QList<FiloRame> righe = CercaRame(Spedito, prefisso);
        QCOMPARE(righe.size(), quanti);
        for (const FiloRame &r : righe)
            QVERIFY(r.DiametroNominale.startsWith(prefisso));
        if (quanti == 0) {
            const QString e = Errore([&] { ResistenzaMetroDi(righe, Spedito); });
            QVERIFY(e.contains(QStringLiteral("nessun filo corrisponde alla ricerca")));
            QVERIFY(e.contains(QDir::toNativeSeparators(PercorsoCatalogo(WINDARA_PROGRAM_DIR))));
            return;
        }
        QCOMPARE(righe.first().DiametroNominale, primo);
        QCOMPARE(ResistenzaMetroDi(righe, Spedito), resistenza);
    }

    // The lookup matches the text the wire list shows: each entry finds itself first.
    void cercaOgniDiametro()
    {
        for (const FiloRame &r : std::as_const(m_spedito)) {
            const QList<FiloRame> trovati = CercaRame(Spedito, r.DiametroNominale);
            QVERIFY2(!trovati.isEmpty(), qPrintable(r.DiametroNominale));
            QCOMPARE(trovati.first().DiametroNominale, r.DiametroNominale);
            QCOMPARE(trovati.first().Resistenza, r.Resistenza);
        }
    }

    void datiCsv_data()
    {
        QTest::addColumn<QStringList>("campi");
        QFile f(QStringLiteral(WINDARA_SOURCE_DIR "/data/Rame.csv"));
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList linee = QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(linee.first().split(u','), ColonneRame());
        QCOMPARE(linee.size() - 1, m_spedito.size());
        for (qsizetype i = 1; i < linee.size(); ++i)
            QTest::addRow("riga %d", int(i + 1)) << linee[i].split(u',');
    }
    // A typo in the data is a fault: the derived columns follow from the diameter.
    void datiCsv()
    {
        QFETCH(QStringList, campi);
        QCOMPARE(campi.size(), 5);
        const double d = campi[0].toDouble();
        const double sezione = std::numbers::pi * d * d / 4;
        QVERIFY2(campi[1].toDouble() > d, "diametro esterno non maggiore del nominale");
        QCOMPARE(campi[2].toDouble(), Quattro(sezione));
        QCOMPARE(campi[3].toDouble(), Quattro(1.0 / 58.0 / sezione));
        QCOMPARE(campi[4].toDouble(), Quattro(8.89 * sezione));

        // The database the build made holds the same row.
        const qsizetype i = Diametri(m_spedito).indexOf(QString::number(d, 'g', 15));
        QVERIFY(i >= 0);
        const FiloRame &r = m_spedito[i];
        QCOMPARE(QStringList({r.DiametroNominale, r.DiametroEsternoMax, r.Sezione, r.Resistenza, r.Peso}), campi);
    }

    void catalogoErrato_data()
    {
        QTest::addColumn<Preparazione>("preparazione");
        QTest::addColumn<QStringList>("istruzioni");
        QTest::addColumn<QString>("causa");
        QTest::addColumn<ErroreRuntime::Tipo>("tipo");
        const auto File = ErroreRuntime::Tipo::File, Dati = ErroreRuntime::Tipo::Dati;
        QTest::newRow("file mancante") << Preparazione::Nessuna << QStringList() << "il file non esiste" << File;
        QTest::newRow("cartella") << Preparazione::Cartella << QStringList() << "il percorso non è un file" << File;
        QTest::newRow("non e' un database")
            << Preparazione::Testo << QStringList() << "il file non è un database SQLite" << File;
        QTest::newRow("tabella mancante")
            << Preparazione::Sql << QStringList{"CREATE TABLE Altro (x REAL)"} << "manca la tabella Rame" << Dati;
        QTest::newRow("colonna mancante")
            << Preparazione::Sql << QStringList{SchemaCon("Peso g/m", "")} << "manca la colonna \"Peso g/m\"" << Dati;
        QTest::newRow("colonna dell'ordine mancante")
            << Preparazione::Sql << QStringList{SchemaCon("Diametro Nominale", "Diametro")}
            << "manca la colonna \"Diametro Nominale\"" << Dati;
        QTest::newRow("nessuna riga") << Preparazione::Sql << QStringList{Schema} << "la tabella Rame è vuota" << Dati;
        QTest::newRow("troncato a meta'")
            << Preparazione::Troncato << QStringList() << "il file è danneggiato o troncato" << File;
        QTest::newRow("bloccato da un altro programma")
            << Preparazione::Bloccato << QStringList() << "il file è bloccato da un altro programma" << File;
        QTest::newRow("diametro nullo") << Preparazione::Sql
                                        << QStringList{Schema, Riga("0.2, 0.226, 0.03142, 0.5488, 0.2793"),
                                                       Riga("NULL, 0.117, 0.007854, 2.195, 0.06982")}
                                        << "il diametro nominale della riga 1 è nullo" << Dati;
    }
    void catalogoErrato()
    {
        QFETCH(Preparazione, preparazione);
        QFETCH(QStringList, istruzioni);
        QFETCH(QString, causa);
        QFETCH(ErroreRuntime::Tipo, tipo);
        QTemporaryDir cartella;
        const QString percorso = PercorsoCatalogo(cartella.path());
        if (preparazione == Preparazione::Cartella)
            QVERIFY(QDir().mkpath(percorso));
        if (preparazione == Preparazione::Testo) {
            QDir(cartella.path()).mkpath(QStringLiteral("Database"));
            QFile f(percorso);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("Diametro Nominale;Peso g/m\n0.1;0.06982\n").repeated(100));
        }
        if (preparazione == Preparazione::Sql)
            QVERIFY(Costruisci(cartella.path(), istruzioni));
        if (preparazione == Preparazione::Troncato || preparazione == Preparazione::Bloccato) {
            QDir(cartella.path()).mkpath(QStringLiteral("Database"));
            QVERIFY(QFile::copy(PercorsoCatalogo(WINDARA_PROGRAM_DIR), percorso));
            QVERIFY(QFile::setPermissions(percorso, QFile::ReadOwner | QFile::WriteOwner));
        }
        if (preparazione == Preparazione::Troncato)
            QVERIFY(QFile::resize(percorso, QFileInfo(percorso).size() / 2));
        // Another program in the middle of a write: it holds the file exclusively.
        const QString altroProgramma = QStringLiteral("altro programma");
        if (preparazione == Preparazione::Bloccato) {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), altroProgramma);
            db.setDatabaseName(percorso);
            QVERIFY(db.open() && QSqlQuery(db).exec(QStringLiteral("BEGIN EXCLUSIVE")));
        }

        ErroreRuntime::Tipo trovato{};
        QString testo;
        try {
            ApriCatalogo(cartella.path(), Prova);
            ElencoRame(Prova);
        } catch (const ErroreRuntime &e) {
            trovato = e.tipo();
            testo = e.testo();
        }
        if (preparazione == Preparazione::Bloccato) {
            QSqlDatabase::database(altroProgramma).close();
            QSqlDatabase::removeDatabase(altroProgramma);
        }
        QVERIFY2(testo.contains(QDir::toNativeSeparators(percorso)), qPrintable(testo));
        QVERIFY2(testo.contains(causa), qPrintable(testo));
        QCOMPARE(trovato, tipo);
        if (preparazione == Preparazione::Nessuna)
            QVERIFY(!QFileInfo::exists(percorso));
    }

    // The main window's list index is a 16-bit integer.
    void righeMassime_data()
    {
        QTest::addColumn<int>("righe");
        QTest::addColumn<bool>("accettate");
        QTest::newRow("32767") << 32767 << true;
        QTest::newRow("32768") << 32768 << false;
    }
    void righeMassime()
    {
        QFETCH(int, righe);
        QFETCH(bool, accettate);
        QTemporaryDir cartella;
        QVERIFY(Costruisci(cartella.path(),
                           {Schema, QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                                   "WHERE i < %1) INSERT INTO Rame SELECT i / 1000.0, i / 900.0, "
                                                   "1, 1, 1 FROM n")
                                        .arg(righe)}));
        ApriCatalogo(cartella.path(), Prova);
        QList<FiloRame> elenco;
        const QString e = Errore([&] { elenco = ElencoRame(Prova); });
        if (accettate) {
            QCOMPARE(elenco.size(), righe);
        } else {
            QVERIFY2(e.contains(QStringLiteral("la tabella Rame ha 32768 righe o più")), qPrintable(e));
        }
    }

    // Rows stored out of order, so the exact match comes first only by the lookup's ordering.
    void cercaPiccolo_data()
    {
        QTest::addColumn<QString>("prefisso");
        QTest::addColumn<QString>("trovati");
        QTest::newRow("0.1 contro 0.112 e 0.125") << "0.1"
                                                  << "0.1 0.112 0.125";
        QTest::newRow("25 non trova 0.25") << "25"
                                           << "";
        QTest::newRow("vuoto") << ""
                               << "0.1 0.112 0.125 0.25 1";
        QTest::newRow("intero") << "1"
                                << "1";
        QTest::newRow("apice") << "'"
                               << "";
        QTest::newRow("iniezione") << "0.1' OR '1'='1"
                                   << "";
        QTest::newRow("percento") << "%"
                                  << "";
        QTest::newRow("percento dopo") << "0.1%"
                                       << "";
        QTest::newRow("trattino basso") << "0_1"
                                        << "";
        QTest::newRow("asterisco") << "*"
                                   << "";
    }
    void cercaPiccolo()
    {
        QFETCH(QString, prefisso);
        QFETCH(QString, trovati);
        QTemporaryDir cartella;
        QVERIFY(
            Costruisci(cartella.path(),
                       {Schema, Riga("1, 1.062, 0.7854, 0.02195, 6.982"), Riga("0.25, 0.281, 0.04909, 0.3512, 0.4364"),
                        Riga("0.125, 0.144, 0.01227, 1.405, 0.1091"), Riga("0.112, 0.13, 0.009852, 1.75, 0.08758"),
                        Riga("0.1, 0.117, 0.007854, 2.195, 0.06982")}));
        ApriCatalogo(cartella.path(), Prova);
        QCOMPARE(Diametri(CercaRame(Prova, prefisso)).join(u' '), trovati);
    }

    void piccolo_data()
    {
        QTest::addColumn<QStringList>("istruzioni");
        QTest::addColumn<QString>("prefisso");
        QTest::addColumn<QString>("esito");
        QTest::newRow("una riga") << QStringList{Schema, Riga("0.25, 0.281, 0.04909, 0.3512, 0.4364")} << "0.25"
                                  << "0.3512";
        QTest::newRow("resistenza nulla") << QStringList{Schema, Riga("0.1, 0.117, 0.007854, NULL, 0.06982")} << "0.1"
                                          << "il filo di diametro nominale 0.1 non ha la resistenza per metro";
        QTest::newRow("quindici cifre") << QStringList{Schema, Riga("0.1, 0.117, 0.007854, 2.19522817426303, 0.06982")}
                                        << "0.1"
                                        << "2.19522817426303";
        QTest::newRow("nomi in altro caso")
            << QStringList{"CREATE TABLE RAME ([diametro nominale] REAL, [DIAMETRO ESTERNO MAX] REAL, "
                           "[sezione MM] REAL, [Resistenza Nominale a 20°c ohm/M] REAL, [peso G/M] REAL)",
                           Riga("0.1, 0.117, 0.007854, 2.195, 0.06982")}
            << "0.1"
            << "2.195";
    }
    // A one-row catalogue lists one entry; what the lookup gives, or why it cannot.
    void piccolo()
    {
        QFETCH(QStringList, istruzioni);
        QFETCH(QString, prefisso);
        QFETCH(QString, esito);
        QTemporaryDir cartella;
        QVERIFY(Costruisci(cartella.path(), istruzioni));
        ApriCatalogo(cartella.path(), Prova);
        const QList<FiloRame> elenco = ElencoRame(Prova);
        QCOMPARE(Diametri(elenco), QStringList{prefisso});
        QString resistenza;
        const QString e = Errore([&] { resistenza = ResistenzaMetroDi(CercaRame(Prova, prefisso), Prova); });
        if (e.isEmpty()) {
            QCOMPARE(resistenza, esito);
        } else {
            QVERIFY2(e.contains(esito), qPrintable(e));
            QVERIFY(e.contains(QDir::toNativeSeparators(PercorsoCatalogo(cartella.path()))));
        }
    }

    // A reopening replaces the connection; one that fails leaves the previous one working.
    void sostituisceConnessione()
    {
        QTemporaryDir a, b, vuota;
        QVERIFY(Costruisci(a.path(), {Schema, Riga("1, 1.062, 0.7854, 0.02195, 6.982")}));
        QVERIFY(Costruisci(b.path(), {Schema, Riga("2, 2.074, 3.142, 0.005488, 27.93")}));
        ApriCatalogo(a.path(), Prova);
        ApriCatalogo(b.path(), Prova);
        QCOMPARE(Diametri(ElencoRame(Prova)), QStringList{"2"});
        QVERIFY(!Errore([&] { ApriCatalogo(vuota.path(), Prova); }).isEmpty());
        QCOMPARE(Diametri(ElencoRame(Prova)), QStringList{"2"});
        ChiudiCatalogo(Prova);
        QVERIFY(Errore([&] { ElencoRame(Prova); }).contains(QStringLiteral("non è aperta")));
    }

    void solaLettura()
    {
        QTemporaryDir cartella;
        QVERIFY(Costruisci(cartella.path(), {Schema, Riga("1, 1.062, 0.7854, 0.02195, 6.982")}));
        QFile f(PercorsoCatalogo(cartella.path()));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray prima = f.readAll();
        f.close();
        ApriCatalogo(cartella.path(), Prova);
        QSqlQuery q(QSqlDatabase::database(Prova));
        QVERIFY(!q.exec(QStringLiteral("INSERT INTO Rame VALUES (2, 2.074, 3.142, 0.005488, 27.93)")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), prima);
    }

    // Loading the driver ahead, on another thread as the start-up does, leaves no connection
    // behind and the catalogue opens as before.
    void driverPreparato()
    {
        const QStringList prima = QSqlDatabase::connectionNames();
        std::thread(PreparaDriverCatalogo).join();
        QCOMPARE(QSqlDatabase::connectionNames(), prima);
        ApriCatalogo(QStringLiteral(WINDARA_PROGRAM_DIR), Prova);
        QCOMPARE(ElencoRame(Prova).size(), 57);
    }

    void cleanup() { ChiudiCatalogo(Prova); }
};

QTEST_GUILESS_MAIN(TstCatalogo)
#include "tst_catalogo.moc"
