// The variant explorer's differential check, shared by its quick and slow
// tests: every listed variant, written to a task image and read back, is
// validated and solved by the solver alone, and the explorer's verdict (from
// its two-solution search, on two workers) must be what that count says;
// each variant also differs from its task in exactly its links.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "editor/link_variants.h"
#include "editor/variant_explorer.h"
#include "model/validation.h"
#include "storage/task_file.h"
#include "tests/support/example_manifest.h"

namespace zv::test {

// Link bits set in one figure and not in the other.
inline int LinkBitsApart(const FigureState& a, const FigureState& b) {
  int apart = 0;
  for (int cell = 0; cell < kFigureGrid; ++cell)
    apart += __builtin_popcount(static_cast<unsigned>((a.Cells[cell] ^ b.Cells[cell]) & kLinkMask));
  return apart;
}

// How many bits a change flips: one per link removed or added.
inline int BitsOf(const LinkVariant& v) {
  int bits = 0;
  for (const LinkChange& c : v.changes) bits += (c.from != LinkChoice::None) + (c.to != LinkChoice::None);
  return bits;
}

// The verdict of a full solve of the variant written as a task image. With
// `thirdStop` the search stops at a third solution, which settles the
// verdict as the whole count would: for the examples whose variants have
// hundreds of solutions each.
inline Verdict FullVerdict(const TaskState& written, bool& invalid, bool thirdStop) {
  TaskState task;
  const std::vector<std::uint8_t> image = BuildTaskImage(written);
  EXPECT_EQ(ParseTaskImage(image, task), ReadResult::Ok);
  const Validation v = ValidateTask(task);
  invalid = !v.ok();
  if (invalid) return Verdict::None;
  Solver solver;
  QuietObserver quiet;
  SolveOptions options;
  if (thirdStop) options.stopAfter = 3;
  const SolveOutcome outcome = solver.Solve(task, v.links, quiet, options);
  EXPECT_TRUE(outcome == SolveOutcome::Complete || solver.StopAfterReached());
  return solver.SolutionCount() == 0   ? Verdict::None
         : solver.SolutionCount() == 1 ? Verdict::Unique
                                       : Verdict::Several;
}

// Explores every `step`-th variant of `task` at `depth` and checks each.
inline void ExpectExplorerMatchesFullSolves(const TaskState& task, int depth, const std::string& what,
                                            std::size_t step = 1, bool thirdStop = false) {
  std::vector<LinkVariant> variants;
  const std::vector<LinkVariant> all = ListLinkVariants(task.figure, {.depth = depth});
  for (std::size_t i = 0; i < all.size(); i += step) variants.push_back(all[i]);
  VariantExplorer explorer(task, variants);
  std::atomic<bool> stop{false};
  ASSERT_TRUE(explorer.Run(2, stop, SystemTicks()));
  for (std::size_t i = 0; i < explorer.Variants().size(); ++i) {
    const std::string at = what + ", variant " + std::to_string(i * step + 1);
    const TaskState variant = explorer.VariantTask(i);
    EXPECT_EQ(LinkBitsApart(task.figure, variant.figure), BitsOf(explorer.Variants()[i])) << at;
    const VariantResult& r = explorer.Results()[i];
    ASSERT_TRUE(r.done) << at;
    bool invalid = false;
    const Verdict full = FullVerdict(variant, invalid, thirdStop);
    EXPECT_EQ(r.forms[0].invalid, invalid) << at;
    if (!invalid) {
      EXPECT_EQ(r.forms[0].verdict, full) << at;
    }
  }
}

// An example of at most 30 cubes, and whether its variants' searches stop
// at a third solution (the bench examples, whose variants have hundreds of
// solutions each).
struct SmallExample {
  std::string file;
  TaskState task;
  bool thirdStop = false;
};

inline std::vector<SmallExample> SmallExamples() {
  std::vector<SmallExample> small;
  for (const ExampleEntry& e : ReadExampleManifest()) {
    SmallExample example{e.file, {}, !e.fast};
    EXPECT_EQ(ReadTaskFile(e.path, example.task), ReadResult::Ok) << e.path;
    if (CountCubes(example.task.figure) > 30) continue;
    small.push_back(std::move(example));
  }
  return small;
}

// The examples whose whole variant lists the slow test checks (the 27-cube
// snakes, 156 variants each, half a minute together); the quick test checks
// every variant of the others and every twelfth of these.
inline bool LongVariantList(const SmallExample& e) { return CountCubes(e.task.figure) > 20; }

}  // namespace zv::test
