// Long runs cut into work units: a fixed cut of the search tree (it depends
// only on the task and the engine, never on threads or the machine) into
// ordered subtrees, the search of any set of them on its own (a part of a
// cluster run, or what a resumed run has still to do), and the merge of
// their results in unit order, which gives exactly what one uninterrupted
// run stores and counts.
//
// A unit's result keeps, of its complete assignments, the first member of
// each solution class met in the unit, in order, and the unit's counters.
// Merging feeds, unit by unit, the complete assignments the top of the tree
// finds before the unit and then the unit's first members through one
// solution store; docs/design.md argues why that stores the same solutions
// in the same order as the one-run search.
//
// Usage:
//   zv::UnitJob job;                      // part 1 of 1, nothing done yet
//   job.done = resultsReadFromAFile;      // a resume, or the parts of a merge
//   solver.SolveUnits(task, links, observer, options, job);
//   job.cut, job.done (every finished unit), job.check (why `done` was refused)
#pragma once

#include <cstdint>
#include <vector>

namespace zv {

// The cut of one task and engine: the split depth, how many units it gives,
// and a hash of every unit's path (so a cut made by another program
// version, numbering placements otherwise, is told apart).
struct UnitCut {
  std::int32_t depth = 0;
  std::uint32_t unitCount = 0;
  std::uint64_t pathHash = 0;
  bool operator==(const UnitCut&) const = default;
};

// The finished search of one unit.
struct UnitResult {
  std::uint32_t unit = 0;
  std::uint64_t assignments = 0;  // complete assignments of the full tree below the unit
  std::uint64_t searchCalls = 0;
  std::uint64_t deadEnds = 0;
  bool assignmentsOverflow = false;  // that count passed 2^64 - 1
  bool foundAtLeast = false;         // key memory ran out: `firsts` holds only the first classes
  // The first member met in the unit of each solution class, in order:
  // the placement number of every block, block by block.
  std::vector<std::int32_t> firsts;
};

// Why results handed in with a job were refused (nothing was searched).
enum class UnitCheck {
  Ok,
  OtherCut,       // made on another cut (another task, engine or program version)
  OutsidePart,    // a unit number past the cut or outside the job's part
  DuplicateUnit,  // a unit given twice
  BadResult,      // a first member that is no assignment of this task's blocks
  MissingUnit,    // a merge (mergeOnly) lacks a unit of its part
};

// One run over work units: the part to search (units u with
// u % parts == part - 1), the results it starts from and those it adds.
class UnitJob {
 public:
  virtual ~UnitJob() = default;

  int part = 1;
  int parts = 1;
  // The cut the results in `done` were made on; checked against the run's.
  UnitCut expectedCut;
  bool haveExpectedCut = false;
  bool mergeOnly = false;        // search nothing: every unit of the part must be in `done`
  std::vector<UnitResult> done;  // finished units, in the order they finished
  UnitCut cut;                   // set by the run
  UnitCheck check = UnitCheck::Ok;

  bool InPart(std::uint32_t unit) const {
    return unit % static_cast<std::uint32_t>(parts) == static_cast<std::uint32_t>(part - 1);
  }
  // Every unit of the part is done.
  bool PartComplete() const;

  // On the calling thread, each time a unit has joined `done`: the moment
  // to write a checkpoint.
  virtual void UnitFinished() {}
};

}  // namespace zv
