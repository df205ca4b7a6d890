// Random figures checked against rules worked out independently from the
// link bit table: what ToggleLink and RemoveCube keep and clear, and the
// link analysis's blocks, parts, cycles and conflicts. The seed is printed;
// ZORVAT_SEED replays a failure.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>
#include <random>
#include <set>
#include <vector>

#include "model/task.h"
#include "model/validation.h"
#include "tests/support/figure_links.h"
#include "tests/support/random_task.h"

namespace zv {
namespace {

using test::RandomInt;
using test::StoredLink;
using test::StoredLinks;

bool CubeAt(const FigureState& f, int cell) {
  const int x = FigureCellX(cell), y = FigureCellY(cell);
  return x >= 0 && y >= 0 && x < f.FigureWidth && y < f.FigureDepth && (f.Cells[cell] & kCubeBit) != 0;
}

std::vector<int> CubeBits(const FigureState& f) {
  std::vector<int> cells;
  for (int i = 0; i < kFigureGrid; ++i)
    if (f.Cells[i] & kCubeBit) cells.push_back(i);
  return cells;
}

// Whether link a may stay when link b is set: another pair, and on another
// vertical edge or compatible with it there.
bool MayStayBeside(const StoredLink& a, const StoredLink& b) {
  if (a.Pair() == b.Pair()) return false;
  if (a.cell == b.cell && test::IsCornerBit(a.bit) && test::IsCornerBit(b.bit))
    return test::CornerBitsCompatible(a.bit, b.bit);
  return true;
}

void ExpectEditorRulesHold(const FigureState& f) {
  const std::vector<StoredLink> links = StoredLinks(f);
  for (std::size_t i = 0; i < links.size(); ++i)
    for (std::size_t j = i + 1; j < links.size(); ++j)
      ASSERT_TRUE(MayStayBeside(links[i], links[j]))
          << "cell " << links[i].cell << " bit " << links[i].bit << " beside cell " << links[j].cell
          << " bit " << links[j].bit;
}

TEST(LinkRules, ToggleLinkClearsExactlyTheConflictingLinks) {
  std::mt19937 rng(test::TestSeed());
  for (int round = 0; round < 60; ++round) {
    FigureState f = test::RandomTask(rng, {.maxFigureSide = 5, .cubeChance = 0.8, .linkTries = 0}).figure;
    for (int step = 0; step < 80; ++step) {
      const int cell = FigureCellIndex(RandomInt(rng, 0, f.FigureWidth), RandomInt(rng, 0, f.FigureDepth));
      const int bit = RandomInt(rng, 1, 14);
      const StoredLink added{cell, bit, cell + kLinkBits[bit].FirstOffset(),
                             cell + kLinkBits[bit].SecondOffset()};
      const FigureState before = f;
      const std::vector<StoredLink> links = StoredLinks(f);
      const bool changed = ToggleLink(f, cell, bit);

      if (!CubeAt(before, added.first) || !CubeAt(before, added.second)) {
        ASSERT_FALSE(changed);
        ASSERT_EQ(f, before);
        continue;
      }
      ASSERT_TRUE(changed);
      std::vector<StoredLink> expected;
      const bool wasSet = std::find(links.begin(), links.end(), added) != links.end();
      for (const StoredLink& l : links)
        if (wasSet ? !(l == added) : MayStayBeside(l, added)) expected.push_back(l);
      if (!wasSet) expected.push_back(added);
      std::sort(expected.begin(), expected.end(), [](const StoredLink& a, const StoredLink& b) {
        return a.cell != b.cell ? a.cell < b.cell : a.bit < b.bit;
      });
      ASSERT_EQ(StoredLinks(f), expected) << "cell " << cell << " bit " << bit;
      ASSERT_EQ(CubeBits(f), CubeBits(before));
      ASSERT_EQ(f.NumberOfCube, before.NumberOfCube);
    }
    ExpectEditorRulesHold(f);
  }
}

TEST(LinkRules, RemoveCubeClearsExactlyItsLinks) {
  std::mt19937 rng(test::TestSeed());
  for (int round = 0; round < 200; ++round) {
    TaskState t = test::RandomTask(rng, {.maxFigureSide = 6, .cubeChance = 0.7, .linkTries = 80});
    FigureState& f = t.figure;
    // Raw extra bits too, as a task file may hold any of them.
    for (int i = 0; i < 10; ++i)
      f.Cells[FigureCellIndex(RandomInt(rng, 0, f.FigureWidth), RandomInt(rng, 0, f.FigureDepth))] |=
          BitMask(RandomInt(rng, 1, 14));
    std::vector<int> cubes = CubeBits(f);
    if (cubes.empty()) continue;
    const int gone = cubes[static_cast<std::size_t>(RandomInt(rng, 0, static_cast<int>(cubes.size()) - 1))];
    std::vector<StoredLink> expected;
    for (const StoredLink& l : StoredLinks(f))
      if (l.first != gone && l.second != gone) expected.push_back(l);
    RemoveCube(f, gone);
    ASSERT_EQ(StoredLinks(f), expected);
    cubes.erase(std::find(cubes.begin(), cubes.end(), gone));
    ASSERT_EQ(CubeBits(f), cubes);
    ASSERT_TRUE(IsDefaultNumbering(f));
  }
}

TEST(LinkRules, RandomTasksKeepTheModelInvariants) {
  std::mt19937 rng(test::TestSeed());
  for (int round = 0; round < 200; ++round) {
    const TaskState t = test::RandomTask(rng, {.maxFigureSide = 8, .maxCubes = 40});
    const FigureState& f = t.figure;
    ExpectEditorRulesHold(f);
    const int count = CountCubes(f);
    ASSERT_LE(count, 40);
    std::vector<int> cells(static_cast<std::size_t>(count));
    ListCubeCells(f, cells.data(), count);
    std::vector<bool> used(static_cast<std::size_t>(count), false);
    for (int k = 0; k < count; ++k) {
      const int n = f.NumberOfCube[k];
      ASSERT_LT(n, count);
      ASSERT_FALSE(used[static_cast<std::size_t>(n)]) << "number " << n << " given twice";
      used[static_cast<std::size_t>(n)] = true;
      ASSERT_EQ(f.CubeOfNumber[n], k);
      ASSERT_EQ(f.NumberAtCell[cells[static_cast<std::size_t>(k)]], n);
    }
    for (const StoredLink& l : StoredLinks(f)) ASSERT_TRUE(CubeAt(f, l.first) && CubeAt(f, l.second));
    ASSERT_EQ(t.Text.find('\0'), std::string::npos);
    for (int i = 0; i < kFormGrid; ++i) ASSERT_LE(t.form.Cells[i], 1);
    ASSERT_EQ(CountFormCells(t.form), std::count(t.form.Cells.begin(), t.form.Cells.end(), 1));
  }
}

// Union-find over cube cells.
struct Groups {
  std::map<int, int> parent;
  int Find(int c) {
    if (!parent.count(c)) parent[c] = c;
    while (parent[c] != c) c = parent[c] = parent[parent[c]];
    return c;
  }
  void Join(int a, int b) { parent[Find(a)] = Find(b); }
};

TEST(LinkRules, AnalysisAgreesWithBlocksAndPartsFoundIndependently) {
  std::mt19937 rng(test::TestSeed());
  int analysed = 0, conflicts = 0;
  for (int round = 0; round < 400; ++round) {
    TaskState t = test::RandomTask(rng, {.maxFigureSide = 6, .cubeChance = 0.7, .linkTries = 50});
    FigureState& f = t.figure;
    for (int i = 0; i < 25; ++i)  // rigid joints more often, so that blocks and their gaps are common
      ToggleLink(f,
                 FigureCellIndex(RandomInt(rng, 0, f.FigureWidth - 1), RandomInt(rng, 0, f.FigureDepth - 1)),
                 RandomInt(rng, RigidX, RigidY));
    const std::vector<int> cubes = CubeBits(f);
    if (cubes.size() < 2) continue;
    LinkAnalysis a;
    CubeIndex cubeA, cubeB;
    const ValidationError error = AnalyseLinks(f, a, cubeA, cubeB);
    ++analysed;

    const std::vector<StoredLink> links = StoredLinks(f);
    Groups blocks, parts;
    for (int c : cubes) {
      blocks.Find(c);
      parts.Find(c);
    }
    std::set<std::pair<int, int>> rigidPairs;
    for (const StoredLink& l : links) {
      parts.Join(l.first, l.second);
      if (l.bit >= RigidX) {
        blocks.Join(l.first, l.second);
        rigidPairs.insert(l.Pair());
      }
    }
    auto cellOf = [&](CubeIndex k) { return cubes[static_cast<std::size_t>(k.value())]; };
    auto sameBlock = [&](int c, int d) { return blocks.Find(c) == blocks.Find(d); };

    // Must-be-rigid: face neighbours of one block without a rigid joint.
    std::set<std::pair<int, int>> unjoined;
    for (int c : cubes)
      for (int d : {c + 1, c + 32})
        if (CubeAt(f, d) && sameBlock(c, d) && !rigidPairs.count({c, d})) unjoined.insert({c, d});
    std::set<std::pair<int, int>> hingedInBlock;
    for (const StoredLink& l : links)
      if (l.bit < RigidX && sameBlock(l.first, l.second)) hingedInBlock.insert(l.Pair());

    if (!unjoined.empty()) {
      ASSERT_EQ(error, ValidationError::MustBeRigid);
      ASSERT_LT(cubeA, cubeB);
      ASSERT_TRUE(unjoined.count({cellOf(cubeA), cellOf(cubeB)}));
    } else if (!hingedInBlock.empty()) {
      ASSERT_EQ(error, ValidationError::CannotBeHinged);
      ASSERT_LT(cubeA, cubeB);
      ASSERT_TRUE(hingedInBlock.count({cellOf(cubeA), cellOf(cubeB)}));
    } else {
      ASSERT_EQ(error, ValidationError::None);
    }
    if (error != ValidationError::None) ++conflicts;

    // Blocks numbered from 1 in the order of their lowest cube index; parts alike.
    std::map<int, int> blockNumber, partNumber;
    for (int k = 0; k < static_cast<int>(cubes.size()); ++k) {
      const int b = blocks.Find(cellOf(CubeIndex(k))), p = parts.Find(cellOf(CubeIndex(k)));
      if (!blockNumber.count(b)) blockNumber[b] = static_cast<int>(blockNumber.size()) + 1;
      if (!partNumber.count(p)) partNumber[p] = static_cast<int>(partNumber.size()) + 1;
      ASSERT_EQ(a.blockLabel[k], blockNumber[b]) << "cube " << k;
      ASSERT_EQ(a.partLabel[k], partNumber[p]) << "cube " << k;
    }
    ASSERT_EQ(a.blockCount, static_cast<int>(blockNumber.size()));
    ASSERT_EQ(a.partCount, static_cast<int>(partNumber.size()));

    // Each link gives one entry to each of its cubes.
    int ends = 0, hingeEnds = 0;
    for (int k = 0; k < static_cast<int>(cubes.size()); ++k) {
      ends += a.linkCount[k];
      hingeEnds += a.hingeCount[k];
    }
    ASSERT_EQ(ends, 2 * static_cast<int>(links.size()));
    ASSERT_EQ(hingeEnds, 2 * static_cast<int>(links.size() - rigidPairs.size()));

    // Cycle rank of the graph of blocks joined by hinges.
    if (error == ValidationError::None) {
      int hinges = 0;
      for (const StoredLink& l : links) hinges += l.bit < RigidX;
      ASSERT_EQ(a.cycleCount, hinges - a.blockCount + a.partCount);
    }
  }
  // The random figures must reach both outcomes for this test to mean much.
  EXPECT_GT(conflicts, analysed / 20);
  EXPECT_LT(conflicts, analysed - analysed / 20);
}

}  // namespace
}  // namespace zv
