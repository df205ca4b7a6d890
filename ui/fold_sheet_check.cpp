// The fold check of the fold instructions with a progress dialog
// (ui/fold_sheet_check.h).
#include "ui/fold_sheet_check.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <atomic>
#include <memory>
#include <thread>

namespace zv {

namespace {

// What the checking thread hands back: set before `done`.
struct CheckState {
  std::atomic<bool> stop{false}, done{false};
  FoldVerdict verdict;
};

}  // namespace

std::optional<FoldVerdict> CheckWithProgress(QWidget* parent, const SolidSolution& solid,
                                             const FoldCheckFunction& check, const CheckDialogTexts& texts) {
  const auto state = std::make_shared<CheckState>();
  QEventLoop loop;
  QProgressDialog dialog(texts.text, texts.stop, 0, 0, parent);
  dialog.setWindowTitle(texts.title);
  dialog.setObjectName(QStringLiteral("FoldSheetCheckP"));
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setMinimumDuration(0);
  dialog.setAutoReset(false);
  dialog.setAutoClose(false);
  QObject::connect(&dialog, &QProgressDialog::canceled, &loop, &QEventLoop::quit);
  dialog.show();
  std::thread worker([state, &solid, &check, &loop] {
    FoldBudget budget;
    budget.stopped = [state] { return state->stop.load(); };
    state->verdict = check(solid, budget);
    state->done = true;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  // Ends when the check does, on Cancel, or when the program quits.
  if (!state->done) loop.exec();
  state->stop = true;
  worker.join();
  dialog.hide();
  if (!state->done || state->verdict.reason == FoldReason::Stopped) return std::nullopt;
  return std::move(state->verdict);
}

}  // namespace zv
