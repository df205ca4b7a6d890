// DeadOnArrival, a cut of the reduced search: a candidate of the branching
// constraint is not entered when placing it would leave some link
// constraint without a usable candidate, so that its call would end at once.
#include "solver/fast_search.h"

namespace zv {

namespace {

// Whether every one of `count` one-word masks meets `taken`.
bool NoneFitsWord(const std::uint64_t* masks, int count, std::uint64_t taken) {
  for (int k = 0; k < count; ++k)
    if ((masks[k] & taken) == 0) return false;
  return true;
}

}  // namespace

bool FastSearch::DeadOnArrival(int level, const LinkConstraint& branch, std::int32_t q) const {
  // The scan of the call would find the same: a constraint none of whose
  // candidates fits beside q (lattice slots aside, which only lets more
  // candidates pass), either one of q's own or one still open at this level.
  const std::uint64_t* own = t_.Mask(q);
  const std::uint64_t* masks = t_.maskBits.data();
  const bool oneWord = oneWord_;
  CellMask taken;
  if (oneWord)
    taken.words[0] = occupiedMask_.words[0] | own[0];
  else
    for (int w = 0; w < t_.maskWords; ++w) taken.words[w] = occupiedMask_.words[w] | own[w];
  auto fits = [&](std::int32_t candidate) {
    if (oneWord) return (masks[candidate] & taken.words[0]) == 0;
    const std::uint64_t* mask = t_.Mask(candidate);
    std::uint64_t meets = 0;
    for (int w = 0; w < t_.maskWords; ++w) meets |= mask[w] & taken.words[w];
    return meets == 0;
  };
  auto noneFits = [&](const LinkConstraint& c) {
    for (int k = 0; k < c.candidateCount; ++k)
      if (fits(c.candidates[k])) return false;
    return true;
  };
  const int block = branch.neighbourBlock;
  // One-word forms keep q's constraints' candidate masks side by side.
  const std::uint64_t* besideMasks = oneWord ? t_.CandidateMasksOf(block, q) : nullptr;
  for (const LinkConstraint& c : t_.ConstraintsOf(block, q)) {
    const std::uint64_t* beside = besideMasks;
    if (besideMasks != nullptr) besideMasks += 4;
    if (c.neighbourBlock == block) continue;
    if (blockAvailable_[c.neighbourBlock]) {
      if (beside == nullptr ? noneFits(c) : NoneFitsWord(beside, c.candidateCount, taken.words[0]))
        return true;
      continue;
    }
    const std::int32_t placed = chosen_[c.neighbourBlock];
    bool partnerThere = false;
    for (int k = 0; k < c.candidateCount && !partnerThere; ++k) partnerThere = c.candidates[k] == placed;
    if (!partnerThere) return true;
  }
  // The scan left only candidates clear of the occupied cells: one whose
  // candidates' cells q misses keeps them all.
  const LinkConstraint* list = Constraints(level);
  for (int i = 0; i < constraintCount_[level]; ++i) {
    const LinkConstraint& c = list[i];
    if (c.done || &c == &branch) continue;
    if (c.neighbourBlock == block) {
      bool listed = false;
      for (int k = 0; k < c.candidateCount && !listed; ++k) listed = c.candidates[k] == q;
      if (!listed) return true;
    } else if (oneWord && (Reach(level)[i] & own[0]) == 0) {
      continue;
    } else if (noneFits(c)) {
      return true;
    }
  }
  return false;
}

}  // namespace zv
