// Build-time tool: turns the reviewable data/Rame.csv into the SQLite catalogue the program
// reads. Usage: windara_mkcatalogo <Rame.csv> <Diametri.db>

#include "catalogue/Catalogo.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include <cstdio>

namespace {

int Fallisce(const QString &testo)
{
    std::fprintf(stderr, "windara_mkcatalogo: %s\n", qPrintable(testo));
    return 1;
}

struct Righe
{
    QList<QList<double>> valori;
    QString errore;
};

Righe LeggiCsv(const QString &percorso)
{
    Righe r;
    QFile f(percorso);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        r.errore = percorso + QStringLiteral(": ") + f.errorString();
        return r;
    }
    QString testo = QString::fromUtf8(f.readAll());
    if (testo.startsWith(QChar(0xFEFF))) // spreadsheets save UTF-8 with a byte order mark
        testo.remove(0, 1);
    const QStringList linee = testo.split(u'\n');
    const QStringList colonne = windara::ColonneRame();
    if (linee.isEmpty() || linee.first().trimmed().split(u',') != colonne) {
        r.errore = percorso + QStringLiteral(":1: the header must be: ") + colonne.join(u',');
        return r;
    }
    // Only plain decimals: the program shows the stored numbers as they are.
    static const QRegularExpression numero(QStringLiteral("^[0-9]+(\\.[0-9]+)?$"));
    QSet<double> diametri;
    for (qsizetype n = 1; n < linee.size(); ++n) {
        const QString linea = linee[n].trimmed();
        if (linea.isEmpty())
            continue;
        const QString dove = QStringLiteral("%1:%2: ").arg(percorso).arg(n + 1);
        const QStringList campi = linea.split(u',');
        if (campi.size() != colonne.size()) {
            r.errore = dove + QStringLiteral("expected %1 fields").arg(colonne.size());
            return r;
        }
        QList<double> riga;
        for (const QString &campo : campi) {
            if (!numero.match(campo.trimmed()).hasMatch()) {
                r.errore = dove + QStringLiteral("not a plain decimal: ") + campo;
                return r;
            }
            riga.append(campo.trimmed().toDouble());
        }
        // The nominal diameter is the lookup key.
        if (diametri.contains(riga.first())) {
            r.errore = dove + QStringLiteral("nominal diameter repeated: ") + campi.first();
            return r;
        }
        diametri.insert(riga.first());
        r.valori.append(riga);
    }
    if (r.valori.isEmpty())
        r.errore = percorso + QStringLiteral(": no rows");
    return r;
}

QString Scrivi(const QList<QList<double>> &valori)
{
    QSqlDatabase db = QSqlDatabase::database(QStringLiteral("mkcatalogo"));
    QSqlQuery q(db);
    QStringList definizioni, segnaposto;
    for (const QString &c : windara::ColonneRame()) {
        definizioni << QStringLiteral("[%1] REAL").arg(c);
        segnaposto << QStringLiteral("?");
    }
    if (!q.exec(QStringLiteral("CREATE TABLE Rame (%1)").arg(definizioni.join(u','))))
        return q.lastError().text();
    if (!db.transaction())
        return db.lastError().text();
    if (!q.prepare(QStringLiteral("INSERT INTO Rame VALUES (%1)").arg(segnaposto.join(u','))))
        return q.lastError().text();
    for (const QList<double> &riga : valori) {
        for (qsizetype c = 0; c < riga.size(); ++c)
            q.bindValue(int(c), riga[c]);
        if (!q.exec())
            return q.lastError().text();
    }
    if (!db.commit())
        return db.lastError().text();
    return QString();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList argomenti = app.arguments();
    if (argomenti.size() != 3)
        return Fallisce(QStringLiteral("usage: windara_mkcatalogo <Rame.csv> <Diametri.db>"));
    const Righe righe = LeggiCsv(argomenti[1]);
    if (!righe.errore.isEmpty())
        return Fallisce(righe.errore);

    // Written aside and renamed, so a failed run never leaves a half-built catalogue.
    const QString &destinazione = argomenti[2];
    const QString provvisorio = destinazione + QStringLiteral(".tmp");
    QFile::remove(provvisorio);
    QString errore;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mkcatalogo"));
        db.setDatabaseName(provvisorio);
        errore = db.open() ? Scrivi(righe.valori) : db.lastError().text();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("mkcatalogo"));
    if (errore.isEmpty()) {
        QFile::remove(destinazione);
        if (!QFile::rename(provvisorio, destinazione))
            errore = QStringLiteral("cannot rename %1 to %2").arg(provvisorio, destinazione);
    }
    if (!errore.isEmpty()) {
        QFile::remove(provvisorio);
        return Fallisce(destinazione + QStringLiteral(": ") + errore);
    }
    return 0;
}
