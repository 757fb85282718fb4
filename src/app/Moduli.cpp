#include "app/Moduli.h"

#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace windara {

void *VoceModulo(const QString &cartellaProgramma, const char *file, const char *voce, QString &errore)
{
    const QString relativo = QStringLiteral("%1/%2").arg(QLatin1String(CartellaModuli), QLatin1String(file));
    const QString percorso = QDir(cartellaProgramma).filePath(relativo);
    // Only the file itself: QLibrary would otherwise try other names for a missing one.
    if (!QFileInfo(percorso).isFile()) {
        errore = QStringLiteral("Manca il file %1 nella cartella del programma: reinstallare il programma.")
                     .arg(QDir::toNativeSeparators(relativo));
        return nullptr;
    }
    // Never unloaded: the windows and printer it makes live as long as the program.
    QLibrary modulo(percorso);
    modulo.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    void *funzione = modulo.load() ? reinterpret_cast<void *>(modulo.resolve(voce)) : nullptr;
    if (!funzione)
        errore = QStringLiteral("Il file %1 della cartella del programma non si può usare "
                                "(il sistema risponde: %2): reinstallare il programma.")
                     .arg(QDir::toNativeSeparators(relativo), modulo.errorString());
    return funzione;
}

} // namespace windara
