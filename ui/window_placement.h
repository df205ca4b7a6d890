// Restoring and storing the placement of a window under key "WinPosition"
// of its section in the settings file ("Numbers" for the numbering window,
// "Text" for the description window). The stored rectangle is the window's
// normal (restored) geometry as Qt gives it, with no frame added or taken
// off, so a round trip restores the same geometry. A side window without a
// stored placement opens beside the main window.
#pragma once

#include <string>

class QWidget;

namespace zv {

class Profile;

// Applies the placement stored for `section`. An absent or broken value, or
// one that would put the window (almost) off the desktop, leaves the window
// where its design puts it.
void LoadWindowPlacement(QWidget& window, Profile& profile, const std::string& section);

// Whether a usable placement is stored for `section`.
bool HasWindowPlacement(Profile& profile, const std::string& section);

// Puts a side window (description, numbering, help) where it covers none of
// the main window's controls: right of the main window when the screen has
// room there, else left of it, else over the lower right of its pictures,
// below the tool strips (`stripHeight` pixels of the main window's top),
// or, on a screen too small for that, where it lies whole on the screen.
void PlaceBeside(QWidget& side, const QWidget& main, int stripHeight);

// Stores the window's normal rectangle and whether it is maximized.
void SaveWindowPlacement(const QWidget& window, Profile& profile, const std::string& section);

}  // namespace zv
