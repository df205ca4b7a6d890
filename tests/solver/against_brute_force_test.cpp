// The search and store against the independent brute force on small
// puzzles: edge hinges, diagonal edge hinges, face-axis hinges, a cycle of
// links, with and without empty cells, plus random small tasks.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/brute_force.h"
#include "tests/support/random_task.h"
#include "tests/support/solve_task.h"
#include "tests/support/task_builder.h"

namespace zv {
namespace {

using test::MakeTask;
using test::SetLink;

// Same distinct count as the brute force, and every complete assignment
// the brute force accepts reaches the store exactly once.
void ExpectAgreement(const TaskState& task, const char* name) {
  SCOPED_TRACE(name);
  const test::BruteForceResult expected = test::BruteForceSolve(task);
  ASSERT_EQ(expected.rejected, 0);
  auto s = test::SolveTask(task);
  ASSERT_EQ(s.outcome, SolveOutcome::Complete);
  EXPECT_EQ(s.solver->SolutionCount(), expected.distinct);
  EXPECT_EQ(s.solver->Assignments(), expected.accepted);
}

TEST(AgainstBruteForce, EdgeHingeChains) {
  TaskState pair = MakeTask({"##"}, {{"##", "##"}});
  SetLink(pair, 1, 0, EdgeX1);
  pair.EmptyCells = true;
  ExpectAgreement(pair, "edge pair in a square");

  TaskState chain = MakeTask({"###", "..#"}, {{"##", "##"}});
  SetLink(chain, 1, 0, EdgeX1);
  SetLink(chain, 2, 0, EdgeX2);
  SetLink(chain, 2, 1, EdgeY1);
  ExpectAgreement(chain, "chain of four in a square");

  TaskState stacked = MakeTask({"####"}, {{"##"}, {"##"}});
  SetLink(stacked, 1, 0, EdgeX1);
  SetLink(stacked, 2, 0, EdgeX2);
  SetLink(stacked, 3, 0, EdgeX1);
  ExpectAgreement(stacked, "chain of four in two layers");
}

TEST(AgainstBruteForce, DiagonalEdgeHinges) {
  TaskState diag = MakeTask({"#.", ".#"}, {{"##", "##"}});
  SetLink(diag, 1, 1, CornerDiag);
  diag.EmptyCells = true;
  ExpectAgreement(diag, "diagonal pair");

  TaskState cross = MakeTask({"##", "##"}, {{"##", "##"}, {"##", "##"}});
  SetLink(cross, 1, 1, CornerDiag);
  SetLink(cross, 1, 0, EdgeX1);
  SetLink(cross, 0, 1, EdgeY2);
  cross.EmptyCells = true;
  ExpectAgreement(cross, "diagonal and edge hinges in a cube of eight");

  TaskState anti = MakeTask({".#", "#."}, {{"###"}});
  SetLink(anti, 1, 1, CornerAntiDiag);
  anti.EmptyCells = true;
  ExpectAgreement(anti, "anti-diagonal pair in a row");
}

TEST(AgainstBruteForce, CycleOfLinks) {
  // Four cubes in a ring: two face-axis hinges, two edge hinges.
  TaskState ring = MakeTask({"##", "##"}, {{"##", "##"}});
  SetLink(ring, 1, 0, AxisX);
  SetLink(ring, 1, 1, EdgeX1);
  SetLink(ring, 0, 1, EdgeY1);
  SetLink(ring, 1, 1, EdgeY2);
  ExpectAgreement(ring, "ring in a square");

  TaskState box = ring;
  test::SetForm(box, {{"##", "##"}, {"##", "##"}});
  box.EmptyCells = true;
  ExpectAgreement(box, "ring in a cube of eight");
}

TEST(AgainstBruteForce, RigidBlocksWithHinges) {
  TaskState t = MakeTask({"###", "#.."}, {{"###"}, {"###"}});
  SetLink(t, 1, 0, RigidX);
  SetLink(t, 2, 0, AxisX);
  SetLink(t, 0, 1, EdgeY1);
  t.EmptyCells = true;
  ExpectAgreement(t, "domino with two hinged cubes");
}

TEST(AgainstBruteForce, RandomSmallTasks) {
  std::mt19937 rng(test::TestSeed());
  int compared = 0;
  for (int attempt = 0; attempt < 600 && compared < 60; ++attempt) {
    TaskState task = test::RandomTask(rng, {.maxFigureSide = 3,
                                            .maxCubes = 5,
                                            .cubeChance = 0.6,
                                            .linkTries = 12,
                                            .maxFormSide = 3,
                                            .maxFormHeight = 2,
                                            .matchCubesChance = 0.5});
    const Validation v = ValidateTask(task);
    if (!v.ok() || v.formCellCount > 7) continue;
    ++compared;
    ExpectAgreement(task, ("random task " + std::to_string(attempt)).c_str());
  }
  EXPECT_GE(compared, 30);
}

}  // namespace
}  // namespace zv
