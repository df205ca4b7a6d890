// Pixel geometry of the two pictures: 50-pixel cells, the figure's grid at
// (10, 10) with a 20-pixel slab band and a 10-pixel margin right and below,
// the form's layers stacked from the top at (20, 10), each FormDepth rows
// high and 10 pixels apart. Drawing and hit tests use only these.
#pragma once

namespace zv {

inline constexpr int kCellPitch = 50;
inline constexpr int kFigureLeft = 10;  // left edge of figure column 0
inline constexpr int kFigureTop = 10;   // top edge of figure row 0
inline constexpr int kFormLeft = 20;    // left edge of form column 0; layer numbers sit left of it
inline constexpr int kFormTop = 10;     // top edge of layer 0
inline constexpr int kLayerGap = 10;    // white gap between two layers

constexpr int FigurePictureWidth(int figureWidth) { return kCellPitch * figureWidth + 40; }
constexpr int FigurePictureHeight(int figureDepth) { return kCellPitch * figureDepth + 40; }

// Vertical distance from one layer's top to the next one's.
constexpr int LayerPitch(int formDepth) { return kCellPitch * formDepth + kLayerGap; }
constexpr int FormPictureWidth(int formWidth) { return kCellPitch * formWidth + 30; }
constexpr int FormPictureHeight(int formDepth, int formHeight) {
  return formHeight * LayerPitch(formDepth) + 10;
}

constexpr int FigureCellLeft(int x) { return kFigureLeft + kCellPitch * x; }
constexpr int FigureCellTop(int y) { return kFigureTop + kCellPitch * y; }
constexpr int FormCellLeft(int x) { return kFormLeft + kCellPitch * x; }
constexpr int FormCellTop(int y, int z, int formDepth) {
  return kFormTop + z * LayerPitch(formDepth) + kCellPitch * y;
}

}  // namespace zv
