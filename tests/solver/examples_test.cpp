// The example puzzles tagged fast in examples/manifest.txt, each its own test
// result: the solver stores exactly the manifest's number of solutions, and
// every one passes the independent checker.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "storage/task_file.h"
#include "tests/support/solve_task.h"

namespace zv {
namespace {

struct Example {
  std::string file;
  int solutions = 0;
};

std::string SourceDir() {
  const char* dir = std::getenv("ZORVAT_SOURCE_DIR");
  return dir != nullptr && *dir != '\0' ? dir : ZORVAT_SOURCE_DIR_DEFAULT;
}

std::vector<Example> FastExamples() {
  std::vector<Example> examples;
  std::ifstream manifest(SourceDir() + "/examples/manifest.txt");
  std::string line;
  while (std::getline(manifest, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Example e;
    std::string tag;
    if (fields >> e.file >> e.solutions >> tag && tag == "fast") examples.push_back(e);
  }
  return examples;
}

TEST(Examples, ManifestListsFastExamples) { EXPECT_FALSE(FastExamples().empty()); }

class FastExample : public testing::TestWithParam<Example> {};

TEST_P(FastExample, StoresTheManifestCount) {
  TaskState task;
  ASSERT_EQ(ReadTaskFile(SourceDir() + "/examples/" + GetParam().file, task), ReadResult::Ok);
  auto s = test::SolveTask(task);
  EXPECT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->SolutionCount(), GetParam().solutions);
}

std::string ExampleName(const testing::TestParamInfo<Example>& info) {
  std::string name = info.param.file.substr(0, info.param.file.find('.'));
  for (char& c : name)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return name;
}

INSTANTIATE_TEST_SUITE_P(Manifest, FastExample, testing::ValuesIn(FastExamples()), ExampleName);

}  // namespace
}  // namespace zv
