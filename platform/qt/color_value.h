// Conversion between the stored colour value (B*65536 + G*256 + R) and
// QColor.
#pragma once

#include <QColor>

#include "platform/qt/services.h"

namespace zv {

inline QColor ToQColor(ColorValue value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

inline ColorValue FromQColor(const QColor& color) {
  return static_cast<ColorValue>(color.red()) | (static_cast<ColorValue>(color.green()) << 8) |
         (static_cast<ColorValue>(color.blue()) << 16);
}

}  // namespace zv
