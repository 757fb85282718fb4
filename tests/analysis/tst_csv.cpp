// The CSV text of a table: the field separator that goes with the decimal one, quoting, the
// header on one line, CR LF.

#include "analysis/Csv.h"

#include <QTest>

using namespace windara::analisi;

class TstCsv : public QObject
{
    Q_OBJECT

private slots:
    void testo_data()
    {
        QTest::addColumn<QString>("decimale");
        QTest::addColumn<QStringList>("riga");
        QTest::addColumn<QString>("atteso");
        QTest::newRow("virgola") << "," << QStringList{"1,5", "Ω"} << "Strato;R (Ω)\r\n1,5;Ω\r\n";
        QTest::newRow("punto") << "." << QStringList{"1.5", "2"} << "Strato,R (Ω)\r\n1.5,2\r\n";
        QTest::newRow("separatore nel campo")
            << "." << QStringList{"no, al massimo", "3"} << "Strato,R (Ω)\r\n\"no, al massimo\",3\r\n";
        QTest::newRow("virgolette") << "," << QStringList{"il \"filo\"", ""}
                                    << "Strato;R (Ω)\r\n\"il \"\"filo\"\"\";\r\n";
        QTest::newRow("a capo") << "," << QStringList{"due\nrighe", "x;y"}
                                << "Strato;R (Ω)\r\n\"due\nrighe\";\"x;y\"\r\n";
    }
    void testo()
    {
        QFETCH(QString, decimale);
        QFETCH(QStringList, riga);
        QFETCH(QString, atteso);
        // A caption wrapped on screen is one line in the file.
        QCOMPARE(TestoCsv({"Strato", "R\n(Ω)"}, {riga}, decimale), atteso);
    }
};

QTEST_MAIN(TstCsv)
#include "tst_csv.moc"
