#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlError;

namespace windara {

// One row of the wire table Rame, each value in its text form: a plain decimal with '.'
// and no trailing zeros ("0.05", "1", "0.0878"); a null value is a null QString.
struct FiloRame
{
    QString DiametroNominale;   // "Diametro Nominale", mm
    QString DiametroEsternoMax; // "Diametro Esterno Max", mm
    QString Sezione;            // "Sezione mm", mm²
    QString Resistenza;         // "Resistenza nominale a 20°C Ohm/m"
    QString Peso;               // "Peso g/m"
};

enum class Ordinamento { Predefinito, Crescente, Decrescente };

// The catalogue beside the program: <folder>/Database/Diametri.db.
QString PercorsoCatalogo(const QString &cartellaProgramma);

// The listing query texts, verbatim.
QString TestoElenco(Ordinamento ordine);

// The five column names of Rame, in table order.
QStringList ColonneRame();

// The text form of a stored value: a REAL as a plain decimal of up to 15 significant digits
// with '.' and no trailing zeros (1.0 gives "1"; below 0.0001 it takes an exponent, which Val
// still reads); null gives a null QString. A grid fed straight from TestoElenco() should
// render its cells with this to show the same texts.
QString TestoValore(const QVariant &valore);

// Opens the catalogue read-only into the named connection, replacing a connection of
// that name. A missing or unreadable file is an ErroreRuntime naming the file and the
// cause in Italian; the file is never created. Returns the connection name.
QString ApriCatalogo(const QString &cartellaProgramma, const QString &connessione = QStringLiteral("DatabaseFili"));

// Loads the catalogue's database driver ahead of the first ApriCatalogo, which then finds it
// loaded; from any thread, once the application object exists. Opens no file.
void PreparaDriverCatalogo();

// A connection name not in use yet: radice-1, radice-2, ... A replacement connection is
// opened under a new name and takes over only once it has been read.
QString NuovaConnessione(const QString &radice);

// Every row of Rame in the given order. A missing table or column, an empty table, a
// null nominal diameter or 32768 rows or more raise ErroreRuntime naming file and cause.
QList<FiloRame> ElencoRame(const QString &connessione, Ordinamento ordine = Ordinamento::Predefinito);

// The rows whose nominal-diameter text begins with the prefix, by ascending diameter
// (an exact match first). The prefix is a plain text: no character of it is a wildcard.
QList<FiloRame> CercaRame(const QString &connessione, const QString &prefisso);

// The resistance per metre of the first row of a lookup; no row or a null value raise
// ErroreRuntime (naming the catalogue file when the connection is given).
QString ResistenzaMetroDi(const QList<FiloRame> &righe, const QString &connessione = QString());

// A failed statement on the named connection, told in Italian: the engine's own text is
// English and names no cause a user can act on.
class ErroreRuntime;
ErroreRuntime ErroreCatalogo(const QString &connessione, const QSqlError &errore);

// Closes and removes the named connection; whoever used it must have dropped its queries
// and models first.
void ChiudiCatalogo(const QString &connessione);

} // namespace windara
