// A half's picture in its scroll box: the scroll box (ImASB, ImBSB) scrolls
// a panel (ImAP, ImBP) that the layout rule sizes, and the picture (ImA,
// ImB) lies on that panel; its image only grows.
#pragma once

#include <QSize>

class QScrollArea;
class QWidget;

namespace zv {

class Picture;
struct ScrollBoxLayout;

struct PictureBox {
  QScrollArea* box = nullptr;  // <picture name>SB
  QWidget* panel = nullptr;    // <picture name>P
  Picture* picture = nullptr;
};

// Builds the three inside `parent`: the box at (boxLeft, 0) without a frame,
// the picture at (pictureLeft, 0) on its panel.
PictureBox MakePictureBox(QWidget* parent, const char* pictureName, int boxLeft, int pictureLeft);

// Applies a layout: the panel's size (window pixels), the picture grown to
// `picture` (picture pixels; the panel is that times the zoom), the scroll
// bars and the box's size.
void ArrangePictureBox(const PictureBox& p, const ScrollBoxLayout& l, QSize picture);

}  // namespace zv
