// The cube numbering window TNumsForm, caption "Номер кубика": the numbers
// 1..C of the task's C cubes in the list LB (five columns, filled top to
// bottom), the selected entry being the number to hand out next, and the
// button NormBt that restores the default numbering.
//
// Wiring in the main window:
//   NumsBt pressed down        -> Fill(C), show
//   press on a cube            -> if (auto n = TakeNumber()) AssignNumber(cell, *n)
//   undo / redo changed C      -> Refill(C)
//   normBtClicked()            -> ResetNumbering, figure redraw with recording
//   closed()                   -> end numbering mode
// The window reads its placement from section "Numbers" of the profile when
// it is created and stores it there when it is destroyed, so the profile
// must outlive it.
#pragma once

#include <QWidget>
#include <optional>

#include "editor/number_source.h"

class QListWidget;
class QPushButton;

namespace zv {

class Profile;

class TNumsForm : public QWidget, public NumberSource {
  Q_OBJECT

 public:
  explicit TNumsForm(Profile& profile, QWidget* parent = nullptr);
  ~TNumsForm() override;

  // The texts "1".."count", the first one selected.
  void Fill(int count);
  // The texts "1".."count" for a changed cube count: the selection stays
  // where it was when that entry still exists, else the first is selected.
  void Refill(int count);
  // The zero-based number to give the next cube, or nothing when the list is
  // empty. The selection moves on to the next entry, after the last one back
  // to the first. The number is always below the count last filled in.
  std::optional<int> TakeNumber() override;
  bool AtFirstNumber() const override { return SelectedIndex() == 0; }
  // Index of the selected entry, -1 when the list is empty.
  int SelectedIndex() const;
  int Count() const;

 signals:
  // NormBt was pressed; the first entry is already selected again.
  void normBtClicked();
  // The user closed the window, which is hidden, not destroyed.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void NormBtClick();
  void Select(int index);

  Profile& profile_;
  QPushButton* NormBt = nullptr;
  QListWidget* LB = nullptr;
};

}  // namespace zv
