#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>
#include <string>

namespace fcw {

namespace {

// The compiled catalogues are built into the program (qt_add_translations embeds them).
constexpr char kCatalogueFolder[] = ":/i18n";

QString catalogueName(InterfaceLanguage language) {
    return QStringLiteral("facetcraftwerk_") + QString::fromLatin1(languageName(language));
}

bool install(QCoreApplication& app, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&app); // lives as long as the application
    if (!translator->load(name, folder)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

bool installInterfaceTranslations(QCoreApplication& app, InterfaceLanguage language) {
    if (language == InterfaceLanguage::Japanese) {
        return install(app, QStringLiteral("qtbase_ja"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    }
    return install(app, catalogueName(language), QString::fromLatin1(kCatalogueFolder));
}

std::optional<Translator> loadCatalogue(InterfaceLanguage language) {
    if (language == InterfaceLanguage::Japanese) {
        return std::nullopt;
    }
    auto translator = std::make_shared<QTranslator>();
    if (!translator->load(catalogueName(language), QString::fromLatin1(kCatalogueFolder))) {
        return std::nullopt;
    }
    return Translator([translator](const char* context, std::string_view source) {
        const std::string key(source); // the catalogue looks texts up NUL-terminated
        const QString text = translator->translate(context, key.c_str());
        return text.isEmpty() ? key : text.toStdString();
    });
}

QString interfaceText(const char* context, std::string_view source) {
    const std::string key(source);
    return QCoreApplication::translate(context, key.c_str());
}

} // namespace fcw
