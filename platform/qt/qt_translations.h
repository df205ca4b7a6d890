// Qt's own Russian texts for its standard dialogs and buttons (open, save and
// colour dialogs, "Да"/"Нет"/"Отмена" of message boxes), loaded from the
// translations that come with Qt, so nothing in the Russian window speaks
// English.
#pragma once

class QCoreApplication;

namespace zv {

// Installs Qt's Russian translation into `app`; false when it is not found
// (the dialogs then stay in English, and nothing else changes).
bool InstallQtRussian(QCoreApplication& app);

}  // namespace zv
