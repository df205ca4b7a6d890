// The task buttons at the top left of the main window (ButtonsAP): open,
// save, help, the description window and the cube colour. They lie over
// the figure tool strip's first row, outside it, so they stay usable while
// a task is solved (OpenBt then follows the work mode on its own).
#pragma once

#include <QWidget>

class QToolButton;

namespace zv {

class TaskButtons : public QWidget {
  Q_OBJECT

 public:
  explicit TaskButtons(QWidget* parent);

  QToolButton *OpenBt, *SaveBt, *HelpBt, *TextBt, *ChooseColBt;
};

}  // namespace zv
