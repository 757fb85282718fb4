#pragma once

class QCoreApplication;

namespace windara::ui {

// Installs Qt's own Italian catalogue (qtbase_it), when the system has it, so that the
// toolkit's standard buttons and dialogs speak Italian like the rest of the program.
// Call once, after the application object exists. Returns whether it was found.
bool CaricaTraduzioniQt(QCoreApplication &app);

} // namespace windara::ui
