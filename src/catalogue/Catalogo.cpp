#include "catalogue/Catalogo.h"

#include "design/Errori.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <array>
#include <limits>

namespace windara {

namespace {

using Tipo = ErroreRuntime::Tipo;

const QString Tabella = QStringLiteral("Rame");

// The main window's list index is a 16-bit integer.
constexpr qsizetype MassimoRighe = 32767;

// The lookup compares against the same text TestoValore() gives: printf's %.15g is what
// QString::number(x, 'g', 15) writes, and CAST would add ".0" to a whole REAL. instr() = 1
// is a plain prefix test, with no wildcard character.
const QString TestoRicerca = QStringLiteral("SELECT * FROM Rame WHERE instr(CASE typeof([Diametro Nominale]) "
                                            "WHEN 'real' THEN printf('%.15g', [Diametro Nominale]) "
                                            "ELSE CAST([Diametro Nominale] AS TEXT) END, ?) = 1 "
                                            "ORDER BY [Diametro Nominale] ASC;");

ErroreRuntime Errore(Tipo tipo, const QString &percorso, const QString &causa)
{
    QString testo = QStringLiteral("Catalogo dei fili");
    if (!percorso.isEmpty())
        testo += QStringLiteral(" \"%1\"").arg(QDir::toNativeSeparators(percorso));
    return ErroreRuntime(tipo, testo + QStringLiteral(": ") + causa + u'.');
}

QSqlDatabase Connessione(const QString &nome)
{
    QSqlDatabase db = QSqlDatabase::database(nome, false);
    if (!db.isValid() || !db.isOpen())
        throw Errore(Tipo::File, db.isValid() ? db.databaseName() : QString(),
                     QStringLiteral("la connessione \"%1\" non è aperta").arg(nome));
    return db;
}

qsizetype Colonna(const QSqlRecord &record, const QString &nome)
{
    // Done here rather than with QSqlRecord::indexOf, which reads a '.' as a table prefix.
    for (int i = 0; i < record.count(); ++i)
        if (record.fieldName(i).compare(nome, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

ErroreRuntime ColonnaMancante(const QSqlDatabase &db, const QString &nome)
{
    return Errore(Tipo::Dati, db.databaseName(),
                  QStringLiteral("manca la colonna \"%1\" nella tabella Rame").arg(nome));
}

// A failed statement: the engine says "no such table" in English, so name the usual
// causes ourselves and fall back on its text for the rest. A locked or damaged file is
// told before the table is looked for, since that look fails the same way.
ErroreRuntime ErroreInterrogazione(const QSqlDatabase &db, const QSqlError &errore)
{
    constexpr int SqliteOccupato = 5, SqliteBloccato = 6, SqliteLettura = 10, SqliteDanneggiato = 11,
                  SqliteNonDatabase = 26;
    switch (errore.nativeErrorCode().toInt() & 0xff) {
    case SqliteNonDatabase:
        return Errore(Tipo::File, db.databaseName(), QStringLiteral("il file non è un database SQLite"));
    case SqliteOccupato:
    case SqliteBloccato:
        return Errore(Tipo::File, db.databaseName(),
                      QStringLiteral("il file è bloccato da un altro programma che lo sta modificando; chiudere "
                                     "quel programma o attendere che finisca, poi riprovare"));
    case SqliteLettura:
    case SqliteDanneggiato:
        return Errore(Tipo::File, db.databaseName(),
                      QStringLiteral("il file è danneggiato o troncato; rimettere al suo posto una copia integra di "
                                     "Database/Diametri.db, per esempio reinstallando il programma"));
    default:
        break;
    }
    const QSqlRecord tabella = db.record(Tabella);
    if (tabella.isEmpty())
        return Errore(Tipo::Dati, db.databaseName(), QStringLiteral("manca la tabella Rame"));
    for (const QString &nome : ColonneRame())
        if (Colonna(tabella, nome) < 0)
            return ColonnaMancante(db, nome);
    return Errore(Tipo::Dati, db.databaseName(), QStringLiteral("errore del database: %1").arg(errore.databaseText()));
}

// Runs a query of all columns of Rame and reads its rows; `limite` stops a table that is
// too long before it is read whole.
QList<FiloRame> Righe(const QSqlDatabase &db, QSqlQuery &q, qsizetype limite)
{
    std::array<qsizetype, 5> indici{};
    const QStringList nomi = ColonneRame();
    const QSqlRecord record = q.record();
    for (size_t c = 0; c < indici.size(); ++c) {
        indici[c] = Colonna(record, nomi[c]);
        if (indici[c] < 0)
            throw ColonnaMancante(db, nomi[c]);
    }
    QList<FiloRame> righe;
    while (q.next()) {
        if (righe.size() == limite)
            throw Errore(Tipo::Dati, db.databaseName(),
                         QStringLiteral("la tabella Rame ha %1 righe o più").arg(limite + 1));
        righe.append({TestoValore(q.value(indici[0])), TestoValore(q.value(indici[1])), TestoValore(q.value(indici[2])),
                      TestoValore(q.value(indici[3])), TestoValore(q.value(indici[4]))});
    }
    if (q.lastError().isValid())
        throw ErroreInterrogazione(db, q.lastError());
    return righe;
}

} // namespace

QString PercorsoCatalogo(const QString &cartellaProgramma)
{
    return QDir(cartellaProgramma).filePath(QStringLiteral("Database/Diametri.db"));
}

QString TestoElenco(Ordinamento ordine)
{
    switch (ordine) {
    case Ordinamento::Crescente:
        return QStringLiteral("SELECT * From Rame ORDER BY [Diametro Nominale]ASC;");
    case Ordinamento::Decrescente:
        return QStringLiteral("SELECT * From Rame ORDER BY [Diametro Nominale]DESC;");
    case Ordinamento::Predefinito:
        break;
    }
    return QStringLiteral("SELECT * From Rame ORDER BY [Diametro Nominale];");
}

QStringList ColonneRame()
{
    return {QStringLiteral("Diametro Nominale"), QStringLiteral("Diametro Esterno Max"), QStringLiteral("Sezione mm"),
            QStringLiteral("Resistenza nominale a 20°C Ohm/m"), QStringLiteral("Peso g/m")};
}

QString TestoValore(const QVariant &valore)
{
    if (valore.isNull())
        return QString();
    if (valore.typeId() == QMetaType::Double)
        return QString::number(valore.toDouble(), 'g', 15);
    return valore.toString();
}

QString ApriCatalogo(const QString &cartellaProgramma, const QString &connessione)
{
    const QString percorso = PercorsoCatalogo(cartellaProgramma);
    // The driver's read-only mode refuses a missing file but gives no text: say why here,
    // before the old connection is given up.
    const QFileInfo file(percorso);
    if (!file.exists())
        throw Errore(Tipo::File, percorso, QStringLiteral("il file non esiste"));
    if (!file.isFile())
        throw Errore(Tipo::File, percorso, QStringLiteral("il percorso non è un file"));
    if (!file.isReadable())
        throw Errore(Tipo::File, percorso, QStringLiteral("il file non è leggibile"));

    if (QSqlDatabase::contains(connessione))
        QSqlDatabase::removeDatabase(connessione);
    QString causa;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connessione);
        if (!db.isValid()) {
            causa = QStringLiteral("il driver QSQLITE di Qt non è disponibile");
        } else {
            db.setDatabaseName(percorso);
            // A writer holds the file for milliseconds; a longer lock is told after a second
            // rather than the driver's five per statement with no window on screen.
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=1000"));
            if (db.open())
                return connessione;
            causa = db.lastError().databaseText();
            if (causa.isEmpty())
                causa = QStringLiteral("il database non si apre in sola lettura");
        }
    }
    QSqlDatabase::removeDatabase(connessione);
    throw Errore(Tipo::File, percorso, causa);
}

void PreparaDriverCatalogo()
{
    // A connection of this thread's own, made and dropped: loading the driver is the cost.
    const QString nome = NuovaConnessione(QStringLiteral("windara-preparazione"));
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nome);
    QSqlDatabase::removeDatabase(nome);
}

ErroreRuntime ErroreCatalogo(const QString &connessione, const QSqlError &errore)
{
    return ErroreInterrogazione(QSqlDatabase::database(connessione, false), errore);
}

QString NuovaConnessione(const QString &radice)
{
    static int numero = 0;
    QString nome;
    do {
        nome = QStringLiteral("%1-%2").arg(radice).arg(++numero);
    } while (QSqlDatabase::contains(nome));
    return nome;
}

QList<FiloRame> ElencoRame(const QString &connessione, Ordinamento ordine)
{
    const QSqlDatabase db = Connessione(connessione);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(TestoElenco(ordine)))
        throw ErroreInterrogazione(db, q.lastError());
    QList<FiloRame> righe = Righe(db, q, MassimoRighe);
    if (righe.isEmpty())
        throw Errore(Tipo::Dati, db.databaseName(), QStringLiteral("la tabella Rame è vuota"));
    for (qsizetype i = 0; i < righe.size(); ++i)
        if (righe[i].DiametroNominale.isNull())
            throw Errore(Tipo::Dati, db.databaseName(),
                         QStringLiteral("il diametro nominale della riga %1 è nullo").arg(i + 1));
    return righe;
}

QList<FiloRame> CercaRame(const QString &connessione, const QString &prefisso)
{
    const QSqlDatabase db = Connessione(connessione);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(TestoRicerca))
        throw ErroreInterrogazione(db, q.lastError());
    // A null QString would bind as NULL and match nothing; the empty prefix matches all.
    q.addBindValue(prefisso.isNull() ? QStringLiteral("") : prefisso);
    if (!q.exec())
        throw ErroreInterrogazione(db, q.lastError());
    return Righe(db, q, std::numeric_limits<qsizetype>::max());
}

QString ResistenzaMetroDi(const QList<FiloRame> &righe, const QString &connessione)
{
    const QString percorso =
        connessione.isEmpty() ? QString() : QSqlDatabase::database(connessione, false).databaseName();
    if (righe.isEmpty())
        throw Errore(Tipo::Dati, percorso, QStringLiteral("nessun filo corrisponde alla ricerca"));
    const FiloRame &filo = righe.first();
    if (filo.Resistenza.isNull())
        throw Errore(Tipo::Dati, percorso,
                     QStringLiteral("il filo di diametro nominale %1 non ha la resistenza per metro")
                         .arg(filo.DiametroNominale));
    return filo.Resistenza;
}

void ChiudiCatalogo(const QString &connessione)
{
    if (QSqlDatabase::contains(connessione))
        QSqlDatabase::removeDatabase(connessione);
}

} // namespace windara
