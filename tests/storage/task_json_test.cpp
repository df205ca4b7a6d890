// The text form of a task: every example and corpus task and random tasks
// come back as the same "*.zvt" bytes; a document written by hand (no
// numbers, links in any order) reads as the task it describes; malformed
// documents are refused at their line and column and change nothing.
#include <gtest/gtest.h>

#include <filesystem>

#include "storage/task_file.h"
#include "tests/support/example_manifest.h"
#include "tests/support/random_task.h"
#include "tests/support/task_builder.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

// The task's "*.zvt" bytes after a trip through the text form.
std::vector<std::uint8_t> ThroughText(const TaskState& task) {
  const std::optional<std::string> text = BuildTaskJson(task);
  if (!text) return {};
  TaskState loaded;
  const TaskJsonError error = ParseTaskJson(*text, loaded);
  EXPECT_TRUE(error.ok()) << error.at.line << ':' << error.at.column << ' ' << error.field << '\n' << *text;
  return BuildTaskImage(loaded);
}

TEST(TaskJson, EveryExampleAndCorpusTaskGivesTheBytesRewriteGives) {
  const std::filesystem::path root = std::filesystem::path(test::ExamplesFolder()).parent_path();
  int files = 0;
  for (const char* folder : {"examples", "tests"})
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root / folder)) {
      if (entry.path().extension() != ".zvt") continue;
      TaskState task;
      ASSERT_EQ(ReadTaskFile(entry.path().string(), task), ReadResult::Ok) << entry.path();
      EXPECT_EQ(ThroughText(task), BuildTaskImage(task)) << entry.path();
      ++files;
    }
  EXPECT_GE(files, 15);
}

TEST(TaskJson, RandomTasksAndEveryDescriptionByteComeBack) {
  std::mt19937 rng(test::TestSeed());
  test::RandomTaskOptions large;
  large.maxFigureSide = 30;
  large.cubeChance = 0.4;
  large.linkTries = 600;
  large.maxFormSide = 30;
  large.maxFormHeight = 10;
  for (int i = 0; i < 60; ++i) {
    TaskState task = test::RandomTask(rng, i % 4 == 0 ? large : test::RandomTaskOptions{});
    if (i == 0)
      for (int byte = 1; byte < 256; ++byte) task.Text += static_cast<char>(byte);
    ASSERT_EQ(ThroughText(task), BuildTaskImage(task)) << "task " << i;
  }
}

TEST(TaskJson, HandWrittenDocumentAndFileReader) {
  // Two rows of cubes, unnumbered; the links name cubes in either order.
  const std::string text = R"({"format": "zorvat-task", "version": 1,
    "figure": {"width": 3, "depth": 2,
               "cubes": [{"x": 1, "y": 1}, {"x": 0, "y": 0}, {"x": 1, "y": 0}],
               "links": [{"cubes": [2, 1], "kind": "rigid"},
                         {"cubes": [3, 2], "kind": "edge", "edge": "right"},
                         {"cubes": [1, 3], "kind": "edge"}]},
    "form": {"layers": [["##", ".."], ["#.", ".."]]},
    "emptyCells": true, "description": "Три"})";
  test::TempFolder folder;
  test::WriteBytes(folder.File("t.json"), std::vector<std::uint8_t>(text.begin(), text.end()));
  TaskState task;
  ASSERT_EQ(ReadTaskFile(folder.File("t.json"), task), ReadResult::Ok);
  EXPECT_EQ(task.figure.Cells[FigureCellIndex(1, 0)], kCubeBit | BitMask(RigidX));
  EXPECT_EQ(task.figure.Cells[FigureCellIndex(2, 1)], BitMask(CornerYLeft));  // right edge: one column past
  EXPECT_EQ(task.figure.Cells[FigureCellIndex(1, 1)], kCubeBit | BitMask(CornerDiag));
  EXPECT_EQ(CountFormCells(task.form), 3);
  EXPECT_EQ(task.form.FormWidth * 100 + task.form.FormDepth * 10 + task.form.FormHeight, 222);
  EXPECT_TRUE(task.EmptyCells);
  EXPECT_EQ(task.Text, "\xD2\xF0\xE8");
}

TEST(TaskJson, MalformedDocumentsAreRefusedWhereTheyGoWrong) {
  TaskState pair = test::MakeTask({"##"}, {{"##"}});
  test::SetLink(pair, 1, 0, RigidX);
  const std::string good = *BuildTaskJson(pair);
  struct Case {
    std::string text;
    TaskJsonProblem problem;
    int line, column;
  };
  const auto replaced = [&](const std::string& what, const std::string& with) {
    std::string text = good;
    text.replace(text.find(what), what.size(), with);
    return text;
  };
  const std::vector<Case> cases{
      {"{\n  \"format\": \"zorvat-task\"\n  \"version\": 1}", TaskJsonProblem::Syntax, 3, 3},
      {"{\"a\": \"\xD0\"}", TaskJsonProblem::Syntax, 1, 8},
      {"{\"a\": 1, \"a\": 2}", TaskJsonProblem::Syntax, 1, 10},
      {good + "x", TaskJsonProblem::Syntax, 25, 1},
      {std::string(40, '[') + std::string(40, ']'), TaskJsonProblem::Syntax, 1, 33},
      {"{\"format\": \"other\"}", TaskJsonProblem::NotATask, 1, 12},
      {replaced("\"version\": 1", "\"version\": 2"), TaskJsonProblem::NewerVersion, 3, 14},
      {replaced("\"width\": 2", "\"width\": 31"), TaskJsonProblem::OutOfRange, 7, 14},
      {replaced("\"width\": 2", "\"width\": \"2\""), TaskJsonProblem::WrongType, 7, 14},
      {replaced("\"emptyCells\"", "\"emptycells\""), TaskJsonProblem::UnknownField, 5, 17},
      {replaced("\"x\": 1", "\"x\": 0"), TaskJsonProblem::CubeTwice, 11, 7},
      {replaced("\"number\": 2", "\"number\": 1"), TaskJsonProblem::BadNumbers, 9, 14},
      {replaced("\"kind\": \"rigid\"", "\"kind\": \"edge\", \"edge\": \"left\""), TaskJsonProblem::NoSuchLink,
       14, 7},
      {replaced("[1, 2]", "[1, 3]"), TaskJsonProblem::UnknownCube, 14, 21},
      {replaced("\"##\"", "\"#x\""), TaskJsonProblem::BadFormRow, 20, 9},
      {replaced("\"description\": \"\"", "\"description\": \"\xE2\x82\xBD\""), TaskJsonProblem::TextNotCp1251,
       4, 18},
  };
  const TaskState before = test::MakeTask({"#.#"}, {{"##"}});
  for (const Case& c : cases) {
    TaskState task = before;
    const TaskJsonError error = ParseTaskJson(c.text, task);
    EXPECT_EQ(error.problem, c.problem) << c.text;
    EXPECT_EQ(error.at.line * 1000 + error.at.column, c.line * 1000 + c.column) << c.text;
    EXPECT_EQ(task, before) << c.text;
  }
}

}  // namespace
}  // namespace zv
