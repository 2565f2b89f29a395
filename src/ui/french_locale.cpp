#include "ui/french_locale.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <string_view>

namespace velorine::ui {
namespace {

// The types Qt's file chooser names itself on this system (a folder, the root, a dangling link, a
// pipe or a socket); its French catalogue has no entry for them.
class MissingFrenchTexts final : public QTranslator {
public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (!context || !sourceText || std::string_view(context) != "QAbstractFileIconProvider") return {};
        const std::string_view text(sourceText);
        if (text == "Folder") return QStringLiteral("Dossier");
        if (text == "Drive") return QStringLiteral("Lecteur");
        if (text == "Shortcut") return QStringLiteral("Raccourci");
        if (text == "Unknown") return QStringLiteral("Inconnu");
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

bool speakFrench(QCoreApplication& application) {
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    QCoreApplication::installTranslator(new MissingFrenchTexts(&application));
    auto* translator = new QTranslator(&application);
    if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace velorine::ui
