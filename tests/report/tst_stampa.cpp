#include "DiscoPieno.h"
#include "Esempi.h"
#include "StampantePdf.h"
#include "StampanteRegistrata.h"
#include "report/SalvaStudio.h"
#include "report/Stampa.h"
#include "report/StampanteSistema.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

#include <sys/stat.h>

using namespace windara;
using prova::StampantePdf;
using prova::StampanteRegistrata;

namespace {

// Answers the question with `risposta`, cancels before page `annullaAlla`, and records.
class AvanzamentoRegistrato : public AvanzamentoStampa
{
public:
    bool Conferma(int pagineCopia, int copie) override
    {
        domanda = QStringLiteral("%1x%2").arg(pagineCopia).arg(copie);
        return risposta;
    }
    bool Pagina(int pagina, int totale) override
    {
        pagine << QStringLiteral("%1/%2").arg(pagina).arg(totale);
        return pagina != annullaAlla;
    }

    bool risposta = true;
    int annullaAlla = 0;
    QString domanda;
    QStringList pagine;
};

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstStampa : public QObject
{
    Q_OBJECT

    QTemporaryDir cartella;
    StatoProgetto s;
    QStringList righeStudio;

private slots:
    void initTestCase()
    {
        QVERIFY(QDir(cartella.path()).mkdir("Studi"));
        s = prova::progettoStudio();
        SalvaStudio(cartella.path(), prova::testiStudio(), s, {"06/12/2026", "."});
        QFile f(s.NomeFile);
        QVERIFY(f.open(QIODevice::ReadOnly));
        righeStudio = QString::fromLatin1(f.readAll()).split("\r\n");
        righeStudio.removeLast();
    }

    void primaDelSalvataggioAvvisa()
    {
        StatoProgetto nonSalvato = s;
        nonSalvato.Salvato = Falso;
        StampanteRegistrata st;
        const EsitoStampa e = StampaStudio(nullptr, nonSalvato, st);
        QCOMPARE(e.stato, EsitoStampa::Stato::DaSalvare);
        QCOMPARE(e.messaggio,
                 QString("Prima di stampare è necessario salvare le informazioni contenute nella finestra."));
        QCOMPARE(st.dialoghi, 0);
        QVERIFY(st.documenti.isEmpty());
    }

    void copie_data()
    {
        QTest::addColumn<int>("copie");
        QTest::newRow("una") << 1;
        QTest::newRow("due") << 2;
        QTest::newRow("nessuna") << 0;
    }
    void copie()
    {
        QFETCH(int, copie);
        StampanteRegistrata st;
        st.copie = copie;
        QCOMPARE(StampaStudio(nullptr, s, st).stato, EsitoStampa::Stato::Stampata);
        QCOMPARE(st.documenti.size(), copie);
        for (const QStringList &d : st.documenti)
            QCOMPARE(d, righeStudio);
        QCOMPARE(st.font, QString("courier new 10"));
    }

    void righeDelloStudio()
    {
        QCOMPARE(righeStudio.size(), 26);
        QCOMPARE(righeStudio.first(), QString());
        QVERIFY(righeStudio[19].startsWith(QString::fromUtf8("N°Strati")));
    }

    void annullaNonStampa()
    {
        StampanteRegistrata st;
        st.conferma = false;
        QCOMPARE(StampaStudio(nullptr, s, st).stato, EsitoStampa::Stato::Annullata);
        QCOMPARE(st.dialoghi, 1);
        QVERIFY(st.documenti.isEmpty());
    }

    // Only a regular file is printed: anything in its place is told at once, without
    // waiting on a named pipe for a writer that never comes.
    void studioIlleggibile_data()
    {
        QTest::addColumn<QString>("alPosto");
        QTest::addColumn<QString>("causa");
        QTest::newRow("scomparso") << QString() << "il file non c'è più";
        QTest::newRow("pipe con nome") << QString("pipe") << "al suo posto c'è una pipe con nome";
        QTest::newRow("collegamento") << QString("collegamento") << "al suo posto c'è un collegamento simbolico";
        QTest::newRow("cartella") << QString("cartella") << "al suo posto c'è una cartella";
    }
    void studioIlleggibile()
    {
        QFETCH(QString, alPosto);
        QFETCH(QString, causa);
        StatoProgetto perso = s;
        perso.NomeFile = cartella.path() + "/Studi/non-c-e-" + QTest::currentDataTag() + ".txt";
        if (alPosto == "pipe")
            QCOMPARE(mkfifo(QFile::encodeName(perso.NomeFile).constData(), 0600), 0);
        if (alPosto == "collegamento")
            QVERIFY(QFile::link(s.NomeFile, perso.NomeFile));
        if (alPosto == "cartella")
            QVERIFY(QDir().mkdir(perso.NomeFile));
        StampanteRegistrata st;
        const EsitoStampa e = StampaStudio(nullptr, perso, st);
        QVERIFY(st.documenti.isEmpty());
        QCOMPARE(e.stato, EsitoStampa::Stato::Fallita);
        QVERIFY2(e.messaggio.contains("non-c-e-") && e.messaggio.contains(causa), qPrintable(e.messaggio));
    }

    void stampanteGuasta()
    {
        StampanteRegistrata st;
        st.copie = 3;
        st.guasta = true;
        const EsitoStampa e = StampaStudio(nullptr, s, st);
        QCOMPARE(st.documenti.size(), 1);
        QCOMPARE(e.stato, EsitoStampa::Stato::Fallita);
        QVERIFY(e.messaggio.contains("carta esaurita"));
    }

    // The question before more than 50 pages, the progress page by page over every copy,
    // and a cancel that stops before the next page and drops the print.
    void avanzamento_data()
    {
        QTest::addColumn<int>("righePerPagina");
        QTest::addColumn<int>("copie");
        QTest::addColumn<bool>("risposta");
        QTest::addColumn<int>("annullaAlla");
        QTest::addColumn<QString>("domanda");
        QTest::addColumn<int>("pagine");
        QTest::addColumn<int>("documenti");
        QTest::addColumn<int>("righe");
        const int tutte = std::numeric_limits<int>::max();
        QTest::newRow("una pagina") << tutte << 1 << true << 0 << "" << 1 << 1 << 26;
        QTest::newRow("50 pagine senza domanda") << 13 << 25 << true << 0 << "" << 50 << 25 << 650;
        QTest::newRow("52 pagine, domanda accettata") << 13 << 26 << true << 0 << "2x26" << 52 << 26 << 676;
        QTest::newRow("52 pagine, domanda rifiutata") << 13 << 26 << false << 0 << "2x26" << 0 << 0 << 0;
        QTest::newRow("annullata alla terza pagina") << 10 << 1 << true << 3 << "" << 3 << 0 << 20;
    }
    void avanzamento()
    {
        QFETCH(int, righePerPagina);
        QFETCH(int, copie);
        QFETCH(bool, risposta);
        QFETCH(int, annullaAlla);
        QFETCH(QString, domanda);
        QFETCH(int, pagine);
        QFETCH(int, documenti);
        QFETCH(int, righe);
        StampanteRegistrata st;
        st.righePerPagina = righePerPagina;
        st.copie = copie;
        st.uscito = "qualcosa era uscito";
        AvanzamentoRegistrato a;
        a.risposta = risposta;
        a.annullaAlla = annullaAlla;
        const EsitoStampa e = StampaStudio(nullptr, s, st, &a);

        const bool annullata = !risposta || annullaAlla > 0;
        QCOMPARE(e.stato, annullata ? EsitoStampa::Stato::Annullata : EsitoStampa::Stato::Stampata);
        QCOMPARE(st.annullata, annullaAlla > 0);
        QCOMPARE(e.messaggio, annullaAlla > 0
                                  ? QString("Stampa annullata prima della pagina 3 di 3: qualcosa era uscito.")
                                  : QString());
        QCOMPARE(a.domanda, domanda);
        QStringList attese;
        for (int p = 1; p <= pagine; ++p)
            attese << QStringLiteral("%1/%2").arg(p).arg(annullaAlla > 0 ? 3 : pagine);
        QCOMPARE(a.pagine, attese);
        QCOMPARE(st.documenti.size(), documenti);
        qsizetype stampate = st.corrente.size();
        for (const QStringList &d : st.documenti)
            stampate += d.size();
        QCOMPARE(stampate, righe);
        if (documenti > 0)
            QCOMPARE(st.salti, pagine - documenti);
    }

    // A print to a file that is cancelled or runs out of room leaves the file there before
    // as it was, and nothing else.
    void stampaSuFileNonRiuscita_data()
    {
        QTest::addColumn<bool>("discoPieno");
        QTest::newRow("annullata a meta'") << false;
        QTest::newRow("disco pieno") << true;
    }
    void stampaSuFileNonRiuscita()
    {
        QFETCH(bool, discoPieno);
        StatoProgetto lungo = s;
        lungo.StratiMax = 150;
        SalvaStudio(cartella.path(), prova::testiStudio("31"), lungo, {"06/12/2026", "."});
        const QString uscita = cartella.path() + "/pdf";
        QVERIFY(QDir().mkpath(uscita));
        std::optional<prova::DiscoPieno> disco;
        if (discoPieno)
            disco.emplace(uscita, 8 * 1024);
        const QString pdf = uscita + "/studio.pdf";
        QVERIFY(QFile::copy(s.NomeFile, pdf)); // what the file held before
        EsitoStampa e;
        {
            StampantePdf st(pdf);
            AvanzamentoRegistrato a;
            a.annullaAlla = discoPieno ? 0 : 2;
            e = StampaStudio(nullptr, lungo, st, &a);
            QCOMPARE(a.pagine.size(), discoPieno ? 3 : 2);
        }
        QCOMPARE(e.stato, discoPieno ? EsitoStampa::Stato::Fallita : EsitoStampa::Stato::Annullata);
        QVERIFY2(discoPieno ? e.messaggio.contains(disco->causa()) : e.messaggio.isEmpty(), qPrintable(e.messaggio));
        QCOMPARE(contenuto(pdf), contenuto(s.NomeFile));
        QCOMPARE(QDir(uscita).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"studio.pdf"});
    }

    // The job is titled with the report's file name, and the dialog offers a print to a
    // file as the report's name with .pdf beside it in Studi.
    void titoloEFileProposto()
    {
        QString proposto;
        QTimer::singleShot(0, this, [&] {
            auto *dialogo = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialogo);
            proposto = dialogo->findChild<QLineEdit *>("filename")->text();
            dialogo->accept();
        });
        StampanteSistema st;
        QCOMPARE(StampaStudio(nullptr, s, st).stato, EsitoStampa::Stato::Stampata);
        const QString pdf = cartella.path() + "/Studi/30x20-0_50.pdf";
        QCOMPARE(proposto, QDir::toNativeSeparators(pdf));
        QCOMPARE(st.printer().docName(), QString("30x20-0_50.txt"));
        if (st.printer().outputFormat() != QPrinter::PdfFormat)
            QSKIP("il dialogo si è aperto su una stampante vera");
        QVERIFY(QFile::exists(pdf));
    }

    // A real print through QPrinter into a PDF: every line of the report, in a
    // fixed-pitch font, page after page.
    void stampaPdfVera_data()
    {
        QTest::addColumn<int>("strati");
        QTest::addColumn<int>("pagine");
        QTest::newRow("esempio") << 5 << 1;
        QTest::newRow("piu' pagine") << 150 << 3;
    }
    void stampaPdfVera()
    {
        QFETCH(int, strati);
        QFETCH(int, pagine);
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext non installato");
        StatoProgetto lungo = s;
        lungo.StratiMax = std::int16_t(strati);
        SalvaStudio(cartella.path(), prova::testiStudio(), lungo, {"06/12/2026", "."});
        QFile salvato(lungo.NomeFile);
        QVERIFY(salvato.open(QIODevice::ReadOnly));
        QStringList righe = QString::fromLatin1(salvato.readAll()).split("\r\n");
        const QString pdf = cartella.path() + "/studio.pdf";
        {
            StampantePdf st(pdf);
            QCOMPARE(StampaStudio(nullptr, lungo, st).stato, EsitoStampa::Stato::Stampata);
        }
        QProcess testo;
        testo.start("pdftotext", {"-layout", "-enc", "UTF-8", pdf, "-"});
        QVERIFY(testo.waitForFinished());
        // The text extractor lays the columns out again: compare the lines word by word.
        auto parole = [](const QStringList &linee) {
            QStringList r;
            for (const QString &riga : linee)
                if (!riga.simplified().isEmpty())
                    r << riga.simplified();
            return r;
        };
        const QString stampato = QString::fromUtf8(testo.readAllStandardOutput());
        QCOMPARE(stampato.count(u'\f'), pagine);
        QCOMPARE(parole(QString(stampato).remove(u'\f').split(u'\n')), parole(righe));
        QVERIFY(stampato.contains(QString::fromUtf8("N°Strati")));
        QProcess font;
        font.start("pdffonts", {pdf});
        QVERIFY(font.waitForFinished());
        QVERIFY2(QString::fromUtf8(font.readAllStandardOutput()).contains("Mono"), "carattere a passo fisso");
    }
};

QTEST_MAIN(TstStampa)
#include "tst_stampa.moc"
