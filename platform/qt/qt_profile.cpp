// Profile values through QSettings.
#include "platform/qt/qt_profile.h"

#include <QStringList>

namespace zv {

QtProfile::QtProfile(const QString& path) : settings_(path, QSettings::IniFormat) {}

std::string QtProfile::Read(const std::string& section, const std::string& key, const std::string& fallback) {
  settings_.beginGroup(QString::fromStdString(section));
  const QString wanted = QString::fromStdString(key);
  QString found;
  for (const QString& k : settings_.childKeys())
    if (k.compare(wanted, Qt::CaseInsensitive) == 0) {
      found = k;
      if (k == wanted) break;
    }
  QVariant value;
  if (!found.isEmpty()) value = settings_.value(found);
  settings_.endGroup();
  if (!value.isValid()) return fallback;
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(',').toStdString();
  return value.toString().toStdString();
}

void QtProfile::Write(const std::string& section, const std::string& key, const std::string& value) {
  settings_.setValue(QString::fromStdString(section) + '/' + QString::fromStdString(key),
                     QString::fromStdString(value));
}

bool QtProfile::Flush() {
  settings_.sync();
  return settings_.status() == QSettings::NoError;
}

}  // namespace zv
