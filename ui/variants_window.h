// The "Варианты" window: runs the variant explorer (editor/variant_explorer.h)
// on the task it is handed, in a thread of its own so the main window stays
// usable, with the depth DepthCB (variants of one link or of two), RunBt,
// StopBt and the progress line ProgressL, and lists the
// variants in the sortable table VariantsT (change, verdict, solutions,
// seconds). A double click on a row announces that variant through
// variantChosen(), which the main window makes as an undoable edit.
#pragma once

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "editor/variant_explorer.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;
class QTimer;

namespace zv {

class TVariantsForm : public QWidget {
  Q_OBJECT

 public:
  // `currentTask` gives the task a run starts from.
  explicit TVariantsForm(std::function<TaskState()> currentTask, QWidget* parent = nullptr);
  ~TVariantsForm() override;

  bool running() const { return worker_.joinable(); }

  QComboBox* DepthCB;
  QPushButton *RunBt, *StopBt;
  QLabel* ProgressL;
  QTableWidget* VariantsT;

 signals:
  void variantChosen(const zv::LinkVariant& variant);

 private:
  void RunBtClick();
  void StopBtClick();
  void Poll();       // the timer's: progress, and the table once the run ended
  void FillTable();  // the variants done, in list order (the table sorts them)

  std::function<TaskState()> currentTask_;
  TaskState task_;  // the task of the run shown
  std::unique_ptr<VariantExplorer> explorer_;
  std::thread worker_;
  std::atomic<bool> stop_{false}, ended_{false};
  QTimer* timer_;
};

}  // namespace zv
