// Thousands of random session commands (presses and drags anywhere on both
// pictures, every button command, sizes, shifts, numbering, solving stopped
// at once and browsing), checking after each one that the task is sound,
// that the validation is the task's, that nothing changed that the returned
// changes do not name, and that undo and redo steps come back to where they
// started. ZORVAT_SEED replays a failure.
#include <gtest/gtest.h>

#include <random>

#include "editor/editor_session.h"
#include "model/task_invariants.h"
#include "tests/editor/session_helpers.h"
#include "tests/support/random_task.h"

namespace zv {
namespace {

using test::RandomChance;
using test::RandomInt;

// What undo and redo compare: the figure fields the history records, the
// form and the empty-cells switch.
bool SameRecorded(const TaskState& a, const TaskState& b) {
  return a.figure.FigureWidth == b.figure.FigureWidth && a.figure.FigureDepth == b.figure.FigureDepth &&
         a.figure.Cells == b.figure.Cells && a.figure.NumberOfCube == b.figure.NumberOfCube &&
         a.form == b.form && a.EmptyCells == b.EmptyCells;
}

class RandomEditor {
 public:
  explicit RandomEditor(unsigned seed) : rng_(seed) { session_.SetNumberSource(&numbers_); }

  // One random command; returns what it reported.
  Changes Command() {
    // Points a little beyond the pictures of the largest figure and form.
    const int x = RandomInt(rng_, 0, 700), y = RandomInt(rng_, 0, 700);
    const bool right = RandomChance(rng_, 0.2);
    switch (RandomInt(rng_, 0, 21)) {
      case 0:
        return session_.FigurePress(x % 320, y % 320, right);
      case 1:
      case 2:
        return session_.FigureDrag(x % 320, y % 320, right);
      case 3:
        session_.FigureRelease();
        return {};
      case 4:
        return session_.SetDrawMode(static_cast<DrawMode>(RandomInt(rng_, 0, 3)));
      case 5:
        return session_.FormPress(x % 320, y);
      case 6:
        return session_.FormDrag(x % 320, y);
      case 7:
        session_.FormRelease();
        return {};
      case 8:
        return RandomChance(rng_, 0.3) ? session_.ClearFigure() : session_.FillFigure();
      case 9:
        return session_.ClearLinks();
      case 10:
        return RandomChance(rng_, 0.3) ? session_.ClearForm() : session_.FillForm();
      case 11:
        return session_.SetEmptyCells(RandomChance(rng_, 0.5));
      case 12:
        return RandomChance(rng_, 0.5) ? session_.Undo() : session_.Redo();
      case 13:
        return session_.ShiftFigureBy(RandomInt(rng_, -1, 1), RandomInt(rng_, -1, 1));
      case 14:
        return session_.ShiftFormBy(RandomInt(rng_, -1, 1), RandomInt(rng_, -1, 1), RandomInt(rng_, -1, 1));
      case 15:
        return RandomChance(rng_, 0.5) ? session_.MoveFigureToOrigin() : session_.MoveFormToOrigin();
      case 16:
        return session_.Resize(static_cast<GridAxis>(RandomInt(rng_, 0, 4)), RandomInt(rng_, 0, 12));
      case 17:
        numbers_.Fill(std::min(session_.validation().cubeCount, kMaxCubes));
        return session_.SetNumberingMode(!session_.numberingMode());
      case 18:
        return session_.ResetNumbering();
      case 19:
        return Solve();
      case 20:
        return session_.Step(static_cast<SolutionStep>(RandomInt(rng_, 0, 3)));
      default:
        return session_.ReturnToEditing();
    }
  }

  // k undos and as many redos come back to the present figure and form.
  void CheckUndoRedoRoundTrip() {
    if (session_.workMode() != WorkMode::Edit) return;
    const TaskState start = session_.task();
    const bool couldRedo = session_.canRedo();
    int undone = 0;
    for (int k = RandomInt(rng_, 1, 6); k > 0 && session_.canUndo(); --k, ++undone) session_.Undo();
    for (int k = 0; k < undone; ++k) {
      const Changes c = session_.Redo();
      ASSERT_TRUE(c.figure || c.form);
    }
    EXPECT_TRUE(SameRecorded(session_.task(), start));
    EXPECT_EQ(session_.canRedo(), couldRedo);
  }

  EditorSession& session() { return session_; }

 private:
  // Solving a random valid task could take long, so the run stops at once.
  Changes Solve() {
    Changes c = session_.BeginSolving();
    if (!c.mode) return c;
    test::StopAtOnce stop;
    c |= session_.RunSolver(stop, {}).changes;
    return c;
  }

  std::mt19937 rng_;
  EditorSession session_;
  test::NumberList numbers_;
};

TEST(RandomEdits, KeepTheTaskSoundAndReportWhatChanged) {
  const unsigned seed = test::TestSeed();
  RandomEditor editor(seed);
  EditorSession& s = editor.session();
  for (int step = 0; step < 4000; ++step) {
    const TaskState before = s.task();
    const WorkMode mode = s.workMode();
    const Changes c = editor.Command();
    const TaskState& now = s.task();
    const InvariantReport r = CheckTaskInvariants(now);
    ASSERT_TRUE(r.ok()) << "step " << step << ": " << TaskFaultName(r.fault) << " at " << r.where;
    ASSERT_TRUE(c.figure || now.figure == before.figure) << "step " << step;
    ASSERT_TRUE(c.form || now.form == before.form) << "step " << step;
    ASSERT_TRUE(mode == WorkMode::Edit || now == before) << "step " << step;
    const Validation v = ValidateTask(now);
    ASSERT_EQ(s.validation().error, v.error) << "step " << step;
    ASSERT_EQ(s.validation().cubeCount, v.cubeCount) << "step " << step;
    ASSERT_EQ(s.validation().formCellCount, v.formCellCount) << "step " << step;
    ASSERT_LE(s.validation().cubeCount, kMaxCubes) << "step " << step;
    if (step % 50 == 0) editor.CheckUndoRedoRoundTrip();
  }
}

}  // namespace
}  // namespace zv
