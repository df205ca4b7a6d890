// Window placements through the settings profile, over the placement text
// format and desktop check of the storage library.
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "storage/placement.h"

namespace zv {

namespace {

constexpr FrameMetrics kNoFrame{};

DesktopRect Desktop() {
  QRect all;
  for (const QScreen* screen : QGuiApplication::screens()) all = all.united(screen->geometry());
  return {all.left(), all.top(), all.left() + all.width(), all.top() + all.height()};
}

}  // namespace

void LoadWindowPlacement(QWidget& window, Profile& profile, const std::string& section) {
  const std::optional<Placement> p = LoadPlacement(profile, section, kNoFrame, Desktop());
  if (!p) return;
  window.setGeometry(p->left, p->top, p->width, p->height);
  if (p->maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void SaveWindowPlacement(const QWidget& window, Profile& profile, const std::string& section) {
  const bool maximized = window.isMaximized();
  // normalGeometry() is only kept apart from geometry() while maximized.
  const QRect normal = maximized ? window.normalGeometry() : window.geometry();
  SavePlacement(profile, section, {normal.top(), normal.left(), normal.width(), normal.height(), maximized},
                kNoFrame);
}

}  // namespace zv
