// The figure half of the main window (PanelA): the figure tool strip Panel3
// (numbers switch, numbering button, drawing modes, undo and redo, the size
// spin edits, shifts, fill and clear, the counters), the task buttons and
// the links switch lying over the strip's first row, and below the strip
// the figure's picture in its scroll box. It shows what the window hands
// it; the window connects the controls to its handlers.
#pragma once

#include <QWidget>

#include "ui/picture_box.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace zv {

class TaskButtons;
struct FigureCounters;
struct ModeControls;

class FigureHalf : public QWidget {
  Q_OBJECT

 public:
  FigureHalf(QWidget* parent, int height);

  // The half's place and the layout rule's result for its picture.
  void Arrange(const QRect& area, const ScrollBoxLayout& box, QSize picture);
  // Sets the size spin edits; the window guards its change handlers meanwhile.
  void ShowSizes(int width, int depth);
  void ShowCounters(const FigureCounters& counters);
  void ShowMode(const ModeControls& controls);
  void ShowHistory(bool canUndo, bool canRedo);

  TaskButtons* buttons;  // ButtonsAP
  QWidget *Panel3, *LinksP, *PanelAI;
  PictureBox image;  // ImASB, ImAP, ImA
  QCheckBox *LinksCB, *NumberCB;
  QToolButton *NumsBt, *DrawABt, *MergeBt, *FaceBt, *EdgeBt, *UndoBt, *RedoBt;
  QToolButton *Move0Bt, *ClearABt, *FillABt, *ClearLinksBt;
  QButtonGroup* drawModeGroup;  // the button ids are the drawing modes
  QSpinBox *XASE, *YASE;
  QLabel *NumL, *PartsL, *CyclesL;

 signals:
  // One of the four arrows: shift the figure by (dx, dy) cells.
  void shiftClicked(int dx, int dy);

 private:
  void BuildTools();
};

}  // namespace zv
