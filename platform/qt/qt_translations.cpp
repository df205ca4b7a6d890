// Loading and installing the window's translations (qt_translations.h).
#include "platform/qt/qt_translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QVariant>

namespace zv {

namespace {

// The loaded English translation and the chosen language are kept on the
// application object, which owns the translators.
constexpr const char* kEnglishName = "zorvat_en";
constexpr const char* kLanguageProperty = "zorvatLanguage";

QTranslator* EnglishTranslator() {
  QCoreApplication* app = QCoreApplication::instance();
  return app ? app->findChild<QTranslator*>(QString::fromLatin1(kEnglishName), Qt::FindDirectChildrenOnly)
             : nullptr;
}

}  // namespace

QStringList TranslationFolders(const QString& executableFolder, const QString& buildFolder) {
  return {QDir(executableFolder).filePath(QStringLiteral("../share/zorvat/translations")), buildFolder};
}

bool InstallTranslations(QCoreApplication& app, Language language, const QStringList& folders) {
  app.setProperty(kLanguageProperty, static_cast<int>(language));
  if (EnglishTranslator() == nullptr) {
    auto* english = new QTranslator(&app);
    english->setObjectName(QString::fromLatin1(kEnglishName));
    bool loaded = false;
    for (const QString& folder : folders)
      if (!loaded) loaded = english->load(QString::fromLatin1(kEnglishName), folder);
    if (!loaded) delete english;
  }
  if (language == Language::English) {
    QTranslator* english = EnglishTranslator();
    return english != nullptr && QCoreApplication::installTranslator(english);
  }
  auto* qtRussian = new QTranslator(&app);
  if (!qtRussian->load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete qtRussian;
    return false;
  }
  return QCoreApplication::installTranslator(qtRussian);
}

Language InstalledLanguage() {
  QCoreApplication* app = QCoreApplication::instance();
  return app && app->property(kLanguageProperty).toInt() == static_cast<int>(Language::English)
             ? Language::English
             : Language::Russian;
}

QString TextIn(Language language, const char* text) {
  if (language == Language::English)
    if (const QTranslator* english = EnglishTranslator()) {
      const QString translated = english->translate(kTrContext, text);
      if (!translated.isEmpty()) return translated;
    }
  return QString::fromUtf8(text);
}

}  // namespace zv
