#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tovel {

bool InstallSpanishQtTexts(QCoreApplication& app) {
    // Owned by the application: the translation is needed for as long as it runs.
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_es"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace tovel
