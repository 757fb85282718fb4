#pragma once

#include "design/Decimale.h"
#include "design/Module1.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace windara {

// What the study report copies from the main window, exactly as it stands.
struct TestiStudio
{
    QString altezza;        // text of txtAltezza
    QString d1;             // text of txtL
    QString sceltaDiametro; // text of the wire list txtDiametro1
    QString diametro;       // caption of txtDiametro
    QString ltot;           // captions of the result labels
    QString numeroStrati;
    QString spireStrato;
    QString spireTotali;
    QString ind;
};

// The user's settings the report follows; passed in so that tests can fix them.
struct ImpostazioniStudio
{
    QString data;                             // today in the short date format
    QString separatore = QStringLiteral("."); // decimal separator of the numbers
};

// The file name H "x" D1 "-" diameter ".txt", the first '.' of the diameter replaced
// by '_'. Leaves the name's working fields of the design state as the save does.
QString NomeStudio(const TestiStudio &t, StatoProgetto &s);

// The number writing of the report: a sign position, the digits, one trailing blank.
QString NumeroStudio(std::int16_t v);
QString NumeroStudio(double v, const QString &separatore);
QString NumeroStudio(const Valuta &v, const QString &separatore);

// Text in the report's code page; a character it lacks becomes '?'.
QByteArray Windows1252(QStringView testo);
// Whether the code page has the character.
bool InWindows1252(char32_t c);
QString DaWindows1252(QByteArrayView byte);

// The whole report as the bytes of the file: Windows-1252, CR LF after every line.
// Runs the row loop on the design state's scratch fields; raises ErroreRuntime when a
// row cannot be computed.
QByteArray TestoStudio(const TestiStudio &t, StatoProgetto &s, const ImpostazioniStudio &imp);

} // namespace windara
