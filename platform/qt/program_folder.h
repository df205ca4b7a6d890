// Where the settings file "Zorvat.ini" and the autosave file "Current.zvt"
// live: the folder named by the environment variable ZORVAT_HOME when it is
// set (tests use it, so no test touches real user files); otherwise the
// program's own folder when it is writable and not an installation (a
// folder with ../share/zorvat beside it); otherwise
// $XDG_CONFIG_HOME/zorvat, or ~/.config/zorvat, created when missing.
#pragma once

#include <QString>

namespace zv {

// The folder with a trailing separator.
QString ProgramDataFolder(const QString& executableFolder);

}  // namespace zv
