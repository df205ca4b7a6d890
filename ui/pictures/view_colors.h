// Colours and fonts shared by the figure and form pictures, and the font of
// the main and numbering windows.
#pragma once

#include <QColor>
#include <QFont>

namespace zv {

inline const QColor kWhite{255, 255, 255};
inline const QColor kBlack{0, 0, 0};
inline const QColor kRed{255, 0, 0};
inline const QColor kBlue{0, 0, 255};
inline const QColor kGreen{0, 160, 0};           // face-axis hinges
inline const QColor kGridGrey{128, 128, 128};    // the form's layer grid
inline const QColor kLightBlue{208, 208, 255};   // selected cell and its neighbours in z
inline const QColor kLightGreen{208, 255, 208};  // cells hinged to the selected cube

inline constexpr int kCubeNumberPointSize = 18;
inline constexpr int kLayerNumberPointSize = 8;
inline constexpr int kWindowPointSize = 8;  // the main and numbering windows' text

// Cube numbers, layer numbers and the windows' text: a sans-serif face at
// the given size.
inline QFont ViewFont(int pointSize) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(pointSize);
  return font;
}

}  // namespace zv
