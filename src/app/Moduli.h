#pragma once

#include <QString>

namespace windara {

// The parts of the program that a session may never use (the analysis window, the system
// printer) are modules in Moduli/ of the program folder, loaded on first use: their Qt
// libraries would otherwise be loaded and relocated at every start.
inline constexpr char CartellaModuli[] = "Moduli";

// The entry `voce` of the module `file`, loaded once for the process with every symbol
// resolved, so that a broken module fails here and not midway. Null, with `errore` set to
// an Italian message, when the module is missing or cannot be loaded.
void *VoceModulo(const QString &cartellaProgramma, const char *file, const char *voce, QString &errore);

template <typename Funzione>
Funzione *FunzioneModulo(const QString &cartellaProgramma, const char *file, const char *voce, QString &errore)
{
    return reinterpret_cast<Funzione *>(VoceModulo(cartellaProgramma, file, voce, errore));
}

} // namespace windara
