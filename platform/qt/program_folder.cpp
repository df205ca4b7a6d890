// Choice of the program's data folder.
#include "platform/qt/program_folder.h"

#include <QDir>
#include <QFileInfo>

namespace zv {

namespace {

QString WithSeparator(const QString& folder) {
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

QString ProgramDataFolder(const QString& executableFolder) {
  const QString home = qEnvironmentVariable("ZORVAT_HOME");
  if (!home.isEmpty()) {
    QDir().mkpath(home);
    return WithSeparator(QDir(home).absolutePath());
  }
  // An installed program (its data folder share/zorvat beside its bin/) never
  // writes into bin/, not even when run as root.
  const bool installed = QFileInfo(executableFolder + QStringLiteral("/../share/zorvat")).isDir();
  if (!executableFolder.isEmpty() && !installed && QFileInfo(executableFolder).isWritable())
    return WithSeparator(QDir(executableFolder).absolutePath());
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + QStringLiteral("/.config");
  const QString folder = config + QStringLiteral("/zorvat");
  QDir().mkpath(folder);
  return WithSeparator(folder);
}

}  // namespace zv
