// The settings file's values over QSettings in ini format. It reads files
// written by hand in the Windows profile format too: a value holding commas
// (which QSettings would split into a list) is joined back, surrounding
// quotes are removed, and keys are matched without regard to case.
#pragma once

#include <QSettings>
#include <QString>

#include "storage/settings.h"

namespace zv {

class QtProfile final : public Profile {
 public:
  explicit QtProfile(const QString& path);

  std::string Read(const std::string& section, const std::string& key, const std::string& fallback) override;
  void Write(const std::string& section, const std::string& key, const std::string& value) override;

  // Writes pending changes to the file (replacing it whole); false when the
  // file could not be written.
  bool Flush();

 private:
  QSettings settings_;
};

}  // namespace zv
