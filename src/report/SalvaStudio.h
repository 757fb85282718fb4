#pragma once

#include "design/Module1.h"
#include "report/Studio.h"

#include <QString>

#include <functional>

namespace windara {

// The user's settings for a report written now: today's date in the short date format
// and the decimal separator, both from the system locale.
ImpostazioniStudio ImpostazioniUtente();

// The folder of the reports: <program folder>/Studi.
QString CartellaStudi(const QString &cartellaProgramma);

// Writes the study report into the Studi folder beside the program, replacing a report
// of the same name, and sets NomeFile and Salvato; a new report is readable by every user
// and writable by its owner alone. A name that would leave the folder or that file systems
// refuse, a report of that name owned by another user, a missing folder, a Studi that is a
// link or not a folder, a link or anything but a regular file at the report's path, or a
// failed write raise ErroreRuntime with an Italian message naming the path, the cause and
// what to do; then Salvato and NomeFile are left as they were, nothing is written
// anywhere, an earlier report of that name is intact and no partial file remains.
// A report of that name whose bytes differ from the new ones is replaced only when
// `sostituisci` (asked with its path) agrees; without it, it is replaced. The very same bytes
// are written again without asking. Returns false when the earlier report was kept: then
// nothing is written and the state is as it was.
bool SalvaStudio(const QString &cartellaProgramma, const TestiStudio &t, StatoProgetto &s,
                 const ImpostazioniStudio &imp, const std::function<bool(const QString &percorso)> &sostituisci = {});

// What stands at a report's path against the bytes about to be written there: nothing (or
// nothing that is a regular file, which the write itself refuses), the same bytes, or others.
enum class StudioEsistente { Assente, Uguale, Diverso };
StudioEsistente ConfrontaStudio(const QString &percorso, const QByteArray &nuovo);

// The question asked before a report with other bytes is replaced.
QString DomandaSostituzione(const QString &percorso);

} // namespace windara
