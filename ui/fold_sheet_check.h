// The fold check the fold instructions need when no check of the shown
// solution is known: run off the window's thread while a progress dialog
// (FoldSheetCheckP) waits with a Cancel button that stops it.
//
// Usage:
//   auto v = zv::CheckWithProgress(&window, solid, zv::CheckFolding, {title, text, stop});
//   if (!v) ... the check was stopped: nothing to write
#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "solid/fold_verdict.h"

class QWidget;

namespace zv {

// The check run: CheckFolding, or a stand-in a test counts or holds.
using FoldCheckFunction = std::function<FoldVerdict(const SolidSolution&, const FoldBudget&)>;

// The progress dialog's caption, its text and its stop button's.
struct CheckDialogTexts {
  QString title, text, stop;
};

// Runs `check` on `solid` with the 3-D view's budget on a thread of its
// own and waits, the window's events going on, in a modal progress dialog
// over `parent`. Returns the verdict, or nothing when the check was stopped
// (the dialog's button, or the program's end) before it ended.
std::optional<FoldVerdict> CheckWithProgress(QWidget* parent, const SolidSolution& solid,
                                             const FoldCheckFunction& check, const CheckDialogTexts& texts);

}  // namespace zv
