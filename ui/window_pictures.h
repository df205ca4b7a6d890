// Pictures of the main window saved as SVG (through Qt's SVG generator) or
// PNG files, the file name's extension choosing: the figure and the form
// layers as their views show them, and a sheet of stored solutions, each
// seen at rest in its part colours as the 3-D view is turned, under its
// number; and the shown solution's fold instructions as PDF or SVG
// (ui/window_fold_sheet.h). The painters are the views' and the 3-D pictures' own (zorvat-cli
// draws its solution pictures with the same ones); files are replaced
// atomically.
//
// Usage:
//   QToolButton* b = MakePicturesButton(panel, "PicturesBt", x, y, true, [](WindowPicture what) { ... });
//   SaveWindowPicture(window, services, WindowPicture::Sheet);   // the menu's command
#pragma once

#include <QString>
#include <functional>

#include "platform/qt/services.h"
#include "ui/file_boxes.h"

class QToolButton;
class QWidget;

namespace zv {

class TZvForm;

enum class WindowPicture { Figure, Layers, Sheet, FoldSheet };

// A speed button "⤓" at (x, y) whose menu offers the figure, the form
// layers and, with `sheet`, the sheet of solutions and the shown solution's
// fold instructions; `chosen` hears which.
QToolButton* MakePicturesButton(QWidget* parent, const char* name, int x, int y, bool sheet,
                                const std::function<void(WindowPicture)>& chosen);

// Writes picture `what` of `window` to `path`; the sheet shows stored
// solutions first..last (from 0). The fold instructions, which may need
// their check first, are written by SaveWindowPicture only.
SaveResult WriteWindowPicture(const TZvForm& window, WindowPicture what, const QString& path, int first = 0,
                              int last = 0);

// For the sheet first the range question, for the fold instructions the
// fold check, unless the window has one of the shown solution (a box says
// why a solution has none, or that the check was stopped, and nothing is
// asked or written), then the save dialog with its overwrite question, the write,
// and a box naming a failure.
void SaveWindowPicture(TZvForm& window, Services& services, WindowPicture what);

}  // namespace zv
