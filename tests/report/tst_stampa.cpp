#include "Esempi.h"
#include "StampanteRegistrata.h"
#include "report/SalvaStudio.h"
#include "report/Stampa.h"
#include "report/StampanteSistema.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace windara;
using prova::StampanteRegistrata;

namespace {

// The real printer, pointed at a PDF file instead of showing its dialog.
class StampantePdf : public StampanteSistema
{
public:
    explicit StampantePdf(const QString &file) : m_file(file) {}
    bool Dialogo(QWidget *, int &copie) override
    {
        printer().setOutputFormat(QPrinter::PdfFormat);
        printer().setOutputFileName(m_file);
        copie = 1;
        return true;
    }

private:
    QString m_file;
};

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
