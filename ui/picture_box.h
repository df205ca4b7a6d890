// A half's picture in its scroll box: the scroll box (ImASB, ImBSB) scrolls
// a panel (ImAP, ImBP) that the layout rule sizes, and the picture (ImA,
// ImB) lies on that panel; its image only grows.
#pragma once

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

// Applies the layout rule's result: the panel's size, the picture grown to
// it, the scroll bars and the box's size.
void ArrangePictureBox(const PictureBox& p, const ScrollBoxLayout& l);

}  // namespace zv
