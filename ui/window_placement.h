// Restoring and storing the placement of a window under key "WinPosition"
// of its section in the settings file ("Numbers" for the numbering window,
// "Text" for the description window). The stored rectangle is the window's
// normal (restored) geometry as Qt gives it, with no frame added or taken
// off, so a round trip restores the same geometry.
#pragma once

#include <string>

class QWidget;

namespace zv {

class Profile;

// Applies the placement stored for `section`. An absent or broken value, or
// one that would put the window (almost) off the desktop, leaves the window
// where its design puts it.
void LoadWindowPlacement(QWidget& window, Profile& profile, const std::string& section);

// Stores the window's normal rectangle and whether it is maximized.
void SaveWindowPlacement(const QWidget& window, Profile& profile, const std::string& section);

}  // namespace zv
