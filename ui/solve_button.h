// SolveBt, the button of the solve command, in its three looks: a green
// "Решить" with a tick in edit mode, a red "Стоп" from the first one-second
// refresh of a run, and a dark red "Редакт." with a pencil in solution view.
#pragma once

#include <QToolButton>

#include "editor/work_mode.h"

namespace zv {

class SolveButton : public QToolButton {
  Q_OBJECT

 public:
  explicit SolveButton(QWidget* parent);

  // Edit mode and solution view set their look; a run keeps the look it
  // started with until ShowStop.
  void ShowMode(WorkMode mode);
  void ShowStop();

 private:
  void SetCaption(const char* text, const QColor& color);
};

}  // namespace zv
