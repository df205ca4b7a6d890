// The window's texts are written in Russian and marked where they are
// written with QT_TRANSLATE_NOOP("Zorvat", ...) (kTrContext), so that Qt's lupdate
// collects them into translations/zorvat_en.ts; Tr() gives a marked text in
// the language chosen at start (platform/qt/qt_translations.h), the text
// itself when it has no translation.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "platform/qt/qt_translations.h"

namespace zv {

inline QString Tr(const char* text) { return QCoreApplication::translate(kTrContext, text); }

}  // namespace zv
