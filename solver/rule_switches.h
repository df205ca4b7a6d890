// Switches of the reduced search's pruning rules, one per rule, all on by
// default. Turning a rule off changes only the search calls and dead ends:
// the stored solutions, their order and the assignment count stay, since
// every rule leaves out only subtrees that hold copies or images of what an
// earlier branch found, or no solution at all. They exist for tests and
// measurement; the fast and the reference engine use none of the rules.
#pragma once

namespace zv {

struct RuleSwitches {
  bool equivalentPlacements = true;  // placements alike in every respect searched once per class
  bool symmetricImages = true;       // a branch that is an earlier one's image is counted, not searched
  bool twinExchange = true;          // a cell taken by a twin that an earlier twin took the same way
  bool twinOrder = true;             // twins kept in placement order at block branchings, and its cutoff
  bool deadOnArrival = true;         // a constraint candidate that would leave a hinge without candidates
  bool thinCells = true;             // open cells without room for their cube's face partners
  bool splitRegions = true;          // empty regions the unplaced groups of blocks cannot fill

  bool operator==(const RuleSwitches&) const = default;
};

}  // namespace zv
