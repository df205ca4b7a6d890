// Pictures of the main window saved as SVG (through Qt's SVG generator) or
// PNG files, the file name's extension choosing: the figure and the form
// layers as their views show them, and a sheet of stored solutions, each
// seen at rest in its part colours as the 3-D view is turned, under its
// number. The painters are the views' and the 3-D pictures' own (zorvat-cli
// draws its solution pictures with the same ones); files are replaced
// atomically.
//
// Usage (the picture menu's command):
//   SaveWindowPicture(window, services, WindowPicture::Sheet);
#pragma once

#include <QString>

#include "platform/qt/services.h"
#include "ui/file_boxes.h"

namespace zv {

class TZvForm;

enum class WindowPicture { Figure, Layers, Sheet };

// Writes picture `what` of `window` to `path`; the sheet shows stored
// solutions first..last (from 0).
SaveResult WriteWindowPicture(const TZvForm& window, WindowPicture what, const QString& path, int first = 0,
                              int last = 0);

// For the sheet first the range question, then the save dialog with its
// overwrite question, the write, and a box naming a failure.
void SaveWindowPicture(TZvForm& window, Services& services, WindowPicture what);

}  // namespace zv
