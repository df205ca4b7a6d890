// Window placements through the settings profile, over the placement text
// format and desktop check of the storage library.
#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

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
  const std::optional<WindowPlacement> p = LoadPlacement(profile, section, kNoFrame, Desktop());
  if (!p) return;
  window.setGeometry(p->left, p->top, p->width, p->height);
  if (p->maximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

bool HasWindowPlacement(Profile& profile, const std::string& section) {
  return LoadPlacement(profile, section, kNoFrame, Desktop()).has_value();
}

void PlaceBeside(QWidget& side, const QWidget& main, int stripHeight) {
  const QRect screen = main.screen()->availableGeometry();
  const QRect outer = main.frameGeometry();
  // The side window's frame adds to its size where a window manager draws one.
  const QSize frame = side.frameGeometry().size() - side.geometry().size();
  side.resize(side.size().boundedTo(screen.size() - frame));  // a small screen holds it whole
  const QSize size = side.size() + frame;
  const int top =
      std::clamp(outer.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
  QPoint at;
  if (outer.right() + 1 + size.width() <= screen.right() + 1)
    at = {outer.right() + 1, top};
  else if (outer.left() - size.width() >= screen.left())
    at = {outer.left() - size.width(), top};
  else
    at = {std::max(outer.left(), outer.right() + 1 - size.width()),
          std::max(outer.top() + stripHeight,
                   std::min(outer.bottom() + 1, screen.bottom() + 1) - size.height())};
  // Where the room below the strips is too small, the window covers some of
  // them rather than leave the screen.
  at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())));
  at.setY(std::clamp(at.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height())));
  side.move(at);
}

void SaveWindowPlacement(const QWidget& window, Profile& profile, const std::string& section) {
  const bool maximized = window.isMaximized();
  // normalGeometry() is only kept apart from geometry() while maximized.
  const QRect normal = maximized ? window.normalGeometry() : window.geometry();
  SavePlacement(profile, section, {normal.top(), normal.left(), normal.width(), normal.height(), maximized},
                kNoFrame);
}

}  // namespace zv
