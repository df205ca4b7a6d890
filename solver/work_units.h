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
// A stop inside a unit keeps its place (UnitPlace): the counters and first
// members of what the unit searched, and the path of branches from the
// unit's root down to the call the stop landed on, with what each branching
// on it had counted of its finished branches. A resumed run goes on from
// there and searches no finished branch again; what it ends with is what
// the unit's uninterrupted search gives, counters included.
//
// Usage:
//   zv::UnitJob job;                      // part 1 of 1, nothing done yet
//   job.done = resultsReadFromAFile;      // a resume, or the parts of a merge
//   job.begun = placesReadFromAFile;      // units a stop landed in
//   solver.SolveUnits(task, links, observer, options, job);
//   job.cut, job.done (every finished unit), job.begun (the units the stop
//   landed in), job.check (why `done` or `begun` was refused)
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
  bool operator==(const UnitResult&) const = default;
};

// One branching on the path from a unit's root down to a stop: the branch
// being searched, the unit's assignment count when that branch and when the
// branching began, and what the reduced search had noted of the branches
// before it: per finished candidate or placement class (`handled`), its
// full count (`counts`), which later branches that are its images take.
struct PlaceStep {
  std::int32_t branch = 0;
  std::uint64_t before = 0;
  std::uint64_t start = 0;
  std::vector<std::int32_t> handled;
  std::vector<std::uint64_t> counts;  // one per `handled`
  bool operator==(const PlaceStep&) const = default;
};

// A unit a stop landed in: its counters and first members so far (the
// assignment count being the one its search had reached), and the steps
// from its root down to the call the stop came before.
struct UnitPlace {
  UnitResult sofar;
  std::vector<PlaceStep> steps;
  bool operator==(const UnitPlace&) const = default;
};

// Why results handed in with a job were refused (nothing was searched).
enum class UnitCheck {
  Ok,
  OtherCut,       // made on another cut (another task, engine or program version)
  OutsidePart,    // a unit number past the cut or outside the job's part
  DuplicateUnit,  // a unit given twice
  BadResult,      // a first member that is no complete assignment of this task's blocks, or a
                  // place that does not lie in its unit's tree
  MissingUnit,    // a merge (mergeOnly) lacks a unit of its part
  TooManyParts,   // partsWithinUnits, and the job's parts outnumber the cut's units
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
  bool mergeOnly = false;  // search nothing: every unit of the part must be in `done`
  // Refuse (TooManyParts) a split into more parts than the cut has units,
  // which would leave parts empty; the cut is made first, nothing searched.
  bool partsWithinUnits = false;
  std::vector<UnitResult> done;  // finished units, in the order they finished
  std::vector<UnitPlace> begun;  // units stopped inside, none of them in `done`
  // The merge of a whole run so far, which a resume refills its store from
  // without comparing symmetric images: how many units were merged in order
  // and, for every complete assignment offered to the store (the top's
  // before each unit, then the unit's first members; after the last unit
  // the top's trailing ones), 1 when it was a new class. Set by the run;
  // ignored when it does not fit the results.
  std::uint32_t mergedUnits = 0;
  std::vector<std::uint8_t> mergedNew;
  UnitCut cut;  // set by the run
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
