#include "ui/Traduzioni.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace windara::ui {

bool CaricaTraduzioniQt(QCoreApplication &app)
{
    auto *traduttore = new QTranslator(&app);
    if (!traduttore->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduttore;
        return false;
    }
    return QCoreApplication::installTranslator(traduttore);
}

} // namespace windara::ui
