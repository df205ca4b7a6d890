// The task buttons at the top left of the main window (ButtonsAP): open,
// save, help, the description window and the cube colour, and at the right
// end of the same row the new task button NewBt. They lie over the figure
// tool strip's first row, outside it, so they stay usable while a task is
// solved (OpenBt and NewBt then follow the work mode on their own).
#pragma once

#include <QWidget>

class QToolButton;

namespace zv {

class TaskButtons : public QWidget {
  Q_OBJECT

 public:
  explicit TaskButtons(QWidget* parent);

  QToolButton *OpenBt, *SaveBt, *HelpBt, *TextBt, *ChooseColBt;
  QToolButton* NewBt;  // beside the strip's first row, a sibling of ButtonsAP
};

}  // namespace zv
