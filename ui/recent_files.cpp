// The recent task files of the window (ui/recent_files.h).
#include "ui/recent_files.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>
#include <QWidget>

#include "storage/recent_files.h"
#include "texts/core_texts.h"
#include "ui/file_boxes.h"

namespace zv {

namespace {

// Ctrl+1 .. Ctrl+9 for the first nine; the tenth is in the menu only, as
// Ctrl+0 fits the pictures.
constexpr std::size_t kKeyedFiles = 9;
QKeySequence RecentKey(std::size_t i) {
  return i < kKeyedFiles ? QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + static_cast<int>(i)))
                         : QKeySequence();
}

}  // namespace

RecentFiles::RecentFiles(Profile& profile, Services& services, QToolButton& openButton, QWidget& window,
                         std::function<void(const QString&)> open, std::function<bool()> canOpen)
    : QObject(&window),
      services_(services),
      menu_(new QMenu(&openButton)),
      open_(std::move(open)),
      canOpen_(std::move(canOpen)),
      files_(LoadRecentFiles(profile)) {
  menu_->setObjectName(QStringLiteral("RecentM"));
  openButton.setMenu(menu_);
  openButton.setPopupMode(QToolButton::MenuButtonPopup);
  connect(menu_, &QMenu::aboutToShow, this, [this] { FillMenu(); });
  for (std::size_t i = 0; i < kMostRecentFiles; ++i) {
    auto* action = new QAction(&window);
    action->setObjectName(QStringLiteral("RecentA%1").arg(i + 1));
    action->setShortcut(RecentKey(i));
    action->setShortcutContext(Qt::WindowShortcut);
    window.addAction(action);
    connect(action, &QAction::triggered, this, [this, i] { Choose(i); });
    actions_.push_back(action);
  }
  FillMenu();
}

void RecentFiles::FillMenu() {
  menu_->clear();
  // The window's own actions, so that each entry shows its key.
  for (std::size_t i = 0; i < files_.size(); ++i) {
    actions_[i]->setText(
        QStringLiteral("&%1  %2").arg((i + 1) % 10).arg(QFile::decodeName(files_[i].c_str())));
    menu_->addAction(actions_[i]);
  }
  menu_->setEnabled(!files_.empty());
}

void RecentFiles::Add(const QString& path) {
  AddRecentFile(files_, QFile::encodeName(QFileInfo(path).absoluteFilePath()).toStdString());
  FillMenu();
}

void RecentFiles::Save(Profile& profile) const { SaveRecentFiles(profile, files_); }

void RecentFiles::Choose(std::size_t i) {
  if (i >= files_.size() || !canOpen_()) return;
  const std::string file = files_[i];
  const QString path = QFile::decodeName(file.c_str());
  if (!QFileInfo::exists(path)) {
    RemoveRecentFile(files_, file);
    FillMenu();
    services_.ShowMessage(FileErrorBox(path, kMissingFileCaption, MessageIcon::Exclamation));
    return;
  }
  open_(path);
}

}  // namespace zv
