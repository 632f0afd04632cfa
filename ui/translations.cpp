#include "ui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <cstdlib>

namespace tovel {

namespace {

// Texts of Qt's own that its Spanish translation lacks: the kinds of file the file chooser
// lists (they moved to a new context that the translation does not have yet).
class MissingQtTexts : public QTranslator {
  public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0) return {};
        struct Text {
            const char* english;
            const char* spanish;
        };
        static constexpr Text kTexts[] = {
            {"Folder", "Carpeta"},
            {"File Folder", "Carpeta"},
            {"Drive", "Unidad"},
            {"File", "Fichero"},
            {"%1 File", "Fichero %1"},
            {"Alias", "Alias"},
            {"Shortcut", "Acceso directo"},
            {"Unknown", "Desconocido"},
        };
        for (const Text& text : kTexts) {
            if (qstrcmp(source, text.english) == 0) return QString::fromUtf8(text.spanish);
        }
        return {};
    }
};

}  // namespace

void UseSpanishDates() {
    // Qt reads the system locale's date formats from these variables when it starts, and LC_ALL
    // would win over LC_TIME: what it said is kept, as LANG, for everything else.
    if (const char* all = std::getenv("LC_ALL"); all != nullptr && *all != '\0') {
        ::setenv("LANG", all, 1);
        ::unsetenv("LC_ALL");
    }
    ::setenv("LC_TIME", "es_ES.UTF-8", 1);
}

bool InstallSpanishQtTexts(QCoreApplication& app) {
    // Dates, month names and numbers in Qt's own windows follow Spain, whatever the desktop's
    // language; tovel's own numbers are formatted by tovel.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    // Looked up last: installed first.
    QCoreApplication::installTranslator(new MissingQtTexts(&app));
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
