// The recent task files in the window: the menu of the open button (the
// arrow beside it) lists the last ten tasks opened or saved, most recent
// first, and Ctrl+1 .. Ctrl+9 open the first nine. A file
// that is gone is dropped from the list with a message. The list lives in
// "Zorvat.ini" (storage/recent_files.h) and is written with the settings.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "platform/qt/services.h"
#include "storage/settings.h"

class QAction;
class QMenu;
class QToolButton;
class QWidget;

namespace zv {

class RecentFiles : public QObject {
 public:
  // `open` reads a chosen file that exists; `canOpen` says whether opening
  // is allowed now (not while a search runs).
  RecentFiles(Profile& profile, Services& services, QToolButton& openButton, QWidget& window,
              std::function<void(const QString&)> open, std::function<bool()> canOpen);

  // After a task was opened from or saved under `path`.
  void Add(const QString& path);
  void Save(Profile& profile) const;

  const std::vector<std::string>& files() const { return files_; }
  // Opens the i-th file (from 0), or drops it with a message when it is gone.
  void Choose(std::size_t i);

 private:
  void FillMenu();

  Services& services_;
  QMenu* menu_;
  std::function<void(const QString&)> open_;
  std::function<bool()> canOpen_;
  std::vector<QAction*> actions_;   // one per entry, Ctrl+1 .. Ctrl+9; children of the window
  std::vector<std::string> files_;  // as QFile::encodeName gives them
};

}  // namespace zv
