// The language of the window. Its own texts are written in Russian and
// translated into English by zorvat_en.qm (built from translations/
// zorvat_en.ts); Qt's standard dialogs and buttons speak Russian through
// Qt's own qtbase_ru.qm and English without a translation.
#pragma once

#include <QString>
#include <QStringList>

#include "storage/settings.h"

class QCoreApplication;

namespace zv {

// The one translation context of the window's texts.
inline constexpr const char* kTrContext = "Zorvat";

// Where zorvat_en.qm is looked for, in order: beside an installed program
// (bin/../share/zorvat/translations) and the build tree's translations
// folder (`buildFolder`).
QStringList TranslationFolders(const QString& executableFolder, const QString& buildFolder);

// Loads zorvat_en.qm from the first of `folders` that has it and installs
// into `app` the translations of `language`. False when English was chosen
// and zorvat_en.qm was not found, or Russian and Qt's qtbase_ru.qm was not
// (the dialogs then stay English, and nothing else changes).
bool InstallTranslations(QCoreApplication& app, Language language, const QStringList& folders);

// The language InstallTranslations installed (Russian before it is called).
Language InstalledLanguage();

// A text marked with QT_TRANSLATE_NOOP(kTrContext, ...) in `language`,
// whichever language is installed; the text itself without a translation.
QString TextIn(Language language, const char* text);

}  // namespace zv
