// The example puzzles: every manifest entry reads and validates, the small
// ones have the count the brute-force solver finds, and the pentomino and
// snake figures are drawn as their puzzles say.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "model/validation.h"
#include "storage/task_file.h"
#include "tests/support/brute_force.h"
#include "tests/support/example_manifest.h"

namespace zv::test {
namespace {

TaskState Load(const std::string& file) {
  TaskState task;
  EXPECT_EQ(ReadTaskFile(ExamplesFolder() + "/" + file, task), ReadResult::Ok) << file;
  return task;
}

TEST(ExamplePuzzles, ManifestListsReadableSolvableTasks) {
  const std::vector<ExampleEntry> entries = ReadExampleManifest();
  ASSERT_GE(entries.size(), 9u);
  for (const ExampleEntry& e : entries) {
    TaskState task;
    ASSERT_EQ(ReadTaskFile(e.path, task), ReadResult::Ok) << e.file;
    EXPECT_TRUE(ValidateTask(task).ok()) << e.file;
    EXPECT_GT(e.solutions, 0) << e.file;
  }
}

TEST(ExamplePuzzles, SmallPuzzlesHaveTheBruteForceCount) {
  int checked = 0;
  for (const ExampleEntry& e : ReadExampleManifest()) {
    const TaskState task = Load(e.file);
    if (!e.fast || ReadFigureModel(task.figure).at.size() > 8) continue;
    const BruteForceResult r = BruteForceSolve(task);
    EXPECT_EQ(r.distinct, e.solutions) << e.file;
    EXPECT_EQ(r.rejected, 0) << e.file;
    ++checked;
  }
  EXPECT_GE(checked, 4);
}

// A set of planar cells moved to the origin and sorted.
std::vector<std::pair<int, int>> Normalised(std::vector<std::pair<int, int>> cells) {
  int minX = 99, minY = 99;
  for (auto [x, y] : cells) minX = std::min(minX, x), minY = std::min(minY, y);
  for (auto& [x, y] : cells) x -= minX, y -= minY;
  std::sort(cells.begin(), cells.end());
  return cells;
}

// The smallest of the 8 images under the square's turns and mirrors.
std::vector<std::pair<int, int>> FreeShape(const std::vector<std::pair<int, int>>& cells) {
  std::vector<std::pair<int, int>> best;
  for (int k = 0; k < 8; ++k) {
    std::vector<std::pair<int, int>> image;
    for (auto [x, y] : cells) {
      int u = k & 1 ? -x : x, v = y;
      if (k & 2) v = -v;
      if (k & 4) std::swap(u, v);
      image.emplace_back(u, v);
    }
    image = Normalised(image);
    if (best.empty() || image < best) best = image;
  }
  return best;
}

TEST(ExamplePuzzles, PentominoFigureHoldsTheTwelvePiecesRigidly) {
  const TaskState task = Load("pentominoes_6x10.zvt");
  const FigureModel fm = ReadFigureModel(task.figure);
  ASSERT_EQ(fm.at.size(), 60u);
  ASSERT_EQ(fm.blockCount, 12);
  for (const CheckedLink& l : fm.links) EXPECT_EQ(l.kind, CheckedLinkKind::Rigid);
  std::vector<std::vector<std::pair<int, int>>> pieces(12);
  for (std::size_t k = 0; k < fm.at.size(); ++k) pieces[fm.blockOf[k]].emplace_back(fm.at[k][0], fm.at[k][1]);
  std::set<std::vector<std::pair<int, int>>> shapes;
  for (const auto& piece : pieces) {
    EXPECT_EQ(piece.size(), 5u);
    shapes.insert(FreeShape(piece));
  }
  EXPECT_EQ(shapes.size(), 12u);  // there are exactly 12 free pentominoes
  // Every face-adjacent pair inside a piece is joined, so no piece can flex.
  int adjacentPairs = 0;
  for (const auto& piece : pieces)
    for (auto [x, y] : piece)
      adjacentPairs += std::count(piece.begin(), piece.end(), std::pair{x + 1, y}) +
                       std::count(piece.begin(), piece.end(), std::pair{x, y + 1});
  EXPECT_EQ(static_cast<int>(fm.links.size()), adjacentPairs);
}

TEST(ExamplePuzzles, SnakeIsAChainOfTwistingSegments) {
  const TaskState task = Load("snake_cube.zvt");
  const FigureModel fm = ReadFigureModel(task.figure);
  ASSERT_EQ(fm.at.size(), 27u);
  EXPECT_EQ(fm.blockCount, 17);
  int axis = 0, rigid = 0;
  for (const CheckedLink& l : fm.links) {
    if (l.kind == CheckedLinkKind::FaceAxisHinge) ++axis;
    if (l.kind == CheckedLinkKind::Rigid) ++rigid;
    EXPECT_NE(l.kind, CheckedLinkKind::EdgeHinge);
  }
  EXPECT_EQ(axis, 16);   // one between each two segments
  EXPECT_EQ(rigid, 10);  // 27 cubes in 17 blocks
  // The segment lengths, read back along the chain of cubes: a segment ends
  // where the chain turns.
  std::vector<int> lengths{1};
  for (std::size_t k = 1; k < fm.at.size(); ++k) {
    const bool turn = k >= 2 && (fm.at[k][0] - fm.at[k - 1][0]) != (fm.at[k - 1][0] - fm.at[k - 2][0]);
    if (turn) lengths.push_back(1);
    ++lengths.back();
  }
  EXPECT_EQ(lengths, (std::vector<int>{3, 2, 2, 3, 2, 3, 2, 2, 3, 3, 2, 2, 2, 3, 3, 3, 3}));
}

}  // namespace
}  // namespace zv::test
