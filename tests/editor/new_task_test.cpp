// The new-task rule: which tasks count as changed (so that a new task first
// offers to save them), and what a new task leaves behind.
#include <gtest/gtest.h>

#include "editor/editor_session.h"
#include "tests/editor/session_helpers.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::FigurePx;
using test::FigurePy;

TEST(NewTask, ChangedMeansDifferentFromTheTaskLastReadOrSaved) {
  const TaskState file = test::MakeTask({"#."}, {{"##"}});
  EditorSession s;
  EXPECT_FALSE(s.TaskChanged());  // started empty
  s.ReplaceTask(file);
  EXPECT_FALSE(s.TaskChanged());
  s.FigurePress(FigurePx(1), FigurePy(0), false);
  s.FigureRelease();
  EXPECT_TRUE(s.TaskChanged());
  s.Undo();
  EXPECT_FALSE(s.TaskChanged());  // back to the file's task
  s.SetText("описание");
  EXPECT_TRUE(s.TaskChanged());
  s.TaskSaved();
  EXPECT_FALSE(s.TaskChanged());
  // The autosave may hold work never saved to a file; an empty one holds none.
  s.ReplaceTask(file, EditorSession::TaskOrigin::Autosave);
  EXPECT_TRUE(s.TaskChanged());
  s.ReplaceTask(TaskState{}, EditorSession::TaskOrigin::Autosave);
  EXPECT_FALSE(s.TaskChanged());
}

TEST(NewTask, ClearsTheTaskItsHistoryAndSolutionView) {
  EditorSession s;
  s.ReplaceTask(test::MakeTask({"#."}, {{"##"}}));
  s.FigurePress(FigurePx(1), FigurePy(0), false);  // two cubes for two cells
  s.FigureRelease();
  ASSERT_TRUE(s.canUndo());
  ASSERT_TRUE(s.BeginSolving().mode);
  test::StopAtOnce stop;
  EXPECT_TRUE(s.NewTask() == Changes{});  // refused while solving
  s.RunSolver(stop, {});
  ASSERT_EQ(s.workMode(), WorkMode::SolutionView);
  const Changes c = s.NewTask();
  EXPECT_TRUE(c.figure && c.form && c.size && c.mode);
  EXPECT_EQ(s.workMode(), WorkMode::Edit);
  EXPECT_TRUE(s.task() == TaskState{});
  EXPECT_FALSE(s.canUndo());
  EXPECT_FALSE(s.TaskChanged());
}

}  // namespace
}  // namespace zv
