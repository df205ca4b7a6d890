// RecordSolution: builds the solution's key under every form symmetry, drops
// it when one is already kept, else keeps its identity key and a copy of the
// solution, up to 10000.
#include "solver/solution_store.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>

#include "solver/side_codes.h"
#include "solver/solver.h"

namespace zv {

bool SolutionStore::Begin(const PreparedSearch& prep, BlockPool& pool, ByteKeySet& keys) {
  prep_ = &prep;
  pool_ = &pool;
  keys_ = &keys;
  count_ = 0;
  found_ = 0;
  foundAtLeast_ = false;
  assignments_ = 0;
  const std::size_t c = static_cast<std::size_t>(prep.cubeCount);
  const std::size_t n = static_cast<std::size_t>(prep.formCellCount);
  const std::size_t h = static_cast<std::size_t>(std::max(prep.hingeCount, 1));
  keyLength_ =
      static_cast<int>(c + 4 * static_cast<std::size_t>(prep.hingeCount) + (prep.surplus > 0 ? 2 * c : 0));
  keys.Reset(static_cast<std::size_t>(keyLength_));
  solutions_ = pool.AllocateArray<const std::uint8_t*>(kMaxStoredSolutions);
  cellOfCube_ = pool.AllocateArray<std::uint8_t>(c);
  rotationOfCube_ = pool.AllocateArray<std::uint8_t>(c);
  image_ = pool.AllocateArray<std::uint8_t>(2 * n);
  order_ = pool.AllocateArray<std::uint32_t>(c);
  positionOfCube_ = pool.AllocateArray<std::uint8_t>(c);
  records_ = pool.AllocateArray<std::uint32_t>(h);
  imageKeys_ = pool.AllocateArray<std::uint8_t>(ImageKeysLength());
  identityKey_ = imageKeys_;
  return !pool.Exhausted();
}

void SolutionStore::FillScratch(Assignment chosen) {
  const PreparedSearch& prep = *prep_;
  const int n = prep.formCellCount;
  std::fill(image_, image_ + 2 * n, std::uint8_t{0});
  for (int b = 0; b < prep.blockCount; ++b) {
    const Placement& p = prep.placements[chosen[b].value()];
    const BlockInfo& info = prep.blocks[b];
    for (int j = 0; j < info.cubeCount; ++j) {
      const int cube = info.cubes[j];
      cellOfCube_[cube] = p.cells[j];
      rotationOfCube_[cube] = p.rotation;
      image_[p.cells[j]] = static_cast<std::uint8_t>(cube + 1);
      image_[n + p.cells[j]] = p.rotation;
    }
  }
}

void SolutionStore::BuildKey(const FormSymmetry& s, std::uint8_t* key) {
  const PreparedSearch& prep = *prep_;
  const int c = prep.cubeCount;
  for (int k = 0; k < c; ++k)
    order_[k] = static_cast<std::uint32_t>(static_cast<std::uint16_t>(s.cellMap[cellOfCube_[k]])) << 8 |
                static_cast<std::uint32_t>(k);
  std::sort(order_, order_ + c);

  std::uint8_t* out = key;
  if (prep.surplus > 0) {
    // Cell codes hold each coordinate below 32, so moving every axis by its
    // minimum keeps the sorted order.
    int lo[3] = {31, 31, 31};
    for (int r = 0; r < c; ++r) {
      const int code = static_cast<int>(order_[r] >> 8);
      lo[0] = std::min(lo[0], code & 31);
      lo[1] = std::min(lo[1], (code >> 5) & 31);
      lo[2] = std::min(lo[2], code >> 10);
    }
    const int shift = lo[0] + 32 * lo[1] + 1024 * lo[2];
    for (int r = 0; r < c; ++r) {
      const int code = static_cast<int>(order_[r] >> 8) - shift;
      *out++ = static_cast<std::uint8_t>(code & 0xFF);
      *out++ = static_cast<std::uint8_t>(code >> 8);
    }
  }

  std::array<std::uint8_t, 256> renumbered{};
  std::uint8_t nextLabel = 1;
  for (int r = 0; r < c; ++r) {
    const int cube = static_cast<int>(order_[r] & 0xFF);
    positionOfCube_[cube] = static_cast<std::uint8_t>(r);
    std::uint8_t& label = renumbered[prep.blockOfCube[cube]];
    if (label == 0) label = nextLabel++;
    *out++ = label;
  }

  for (int i = 0; i < prep.hingeCount; ++i) {
    const HingeLink& link = prep.hinges[i];
    const int a = positionOfCube_[link.lower];
    const int b = positionOfCube_[link.higher];
    const int cube = a < b ? link.lower : link.higher;
    const int ownEdge = a < b ? link.lowerEdge : link.higherEdge;
    const int edge = ownEdge == kNoHingeEdge
                         ? kNoHingeEdge
                         : s.edges[RotateEdge(rotationOfCube_[cube], static_cast<CubeEdge>(ownEdge))];
    records_[i] = static_cast<std::uint32_t>(std::min(a, b)) |
                  static_cast<std::uint32_t>(std::max(a, b)) << 8 | static_cast<std::uint32_t>(edge) << 16;
  }
  std::sort(records_, records_ + prep.hingeCount);
  for (int i = 0; i < prep.hingeCount; ++i)
    for (int byte = 0; byte < 4; ++byte) *out++ = static_cast<std::uint8_t>(records_[i] >> (8 * byte));
}

bool SolutionStore::Known() {
  const PreparedSearch& prep = *prep_;
  for (int i = 0; i < prep.symmetryCount; ++i) {
    std::uint8_t* key = imageKeys_ + static_cast<std::size_t>(i) * static_cast<std::size_t>(keyLength_);
    BuildKey(prep.symmetries[i], key);
    if (keys_->Find(key) != nullptr) return true;
  }
  return false;
}

bool SolutionStore::KnownKeys(const std::uint8_t* imageKeys) const {
  for (int i = 0; i < prep_->symmetryCount; ++i)
    if (keys_->Find(imageKeys + static_cast<std::size_t>(i) * static_cast<std::size_t>(keyLength_)) !=
        nullptr)
      return true;
  return false;
}

RecordResult SolutionStore::Record(Assignment chosen) {
  if (Enough()) return RecordResult::Enough;
  ++assignments_;
  if (foundAtLeast_) return RecordResult::Full;
  FillScratch(chosen);
  if (Known()) return RecordResult::Duplicate;
  return Add();
}

RecordResult SolutionStore::Record(Assignment chosen, const std::uint8_t* imageKeys) {
  if (Enough()) return RecordResult::Enough;
  ++assignments_;
  if (foundAtLeast_) return RecordResult::Full;
  if (KnownKeys(imageKeys)) return RecordResult::Duplicate;
  std::memcpy(identityKey_, imageKeys, static_cast<std::size_t>(keyLength_));
  // Past the kept solutions only the key is kept: the image is not needed.
  if (count_ < kMaxStoredSolutions) FillScratch(chosen);
  return Add();
}

RecordResult SolutionStore::Keep(Assignment chosen) {
  if (Enough()) return RecordResult::Enough;
  ++assignments_;
  if (foundAtLeast_) return RecordResult::Full;
  FillScratch(chosen);
  BuildKey(prep_->symmetries[0], identityKey_);
  if (keys_->Find(identityKey_) != nullptr) return RecordResult::Duplicate;
  return Add();
}

RecordResult SolutionStore::Add() {
  auto* keptKey = pool_->AllocateArray<std::uint8_t>(static_cast<std::size_t>(keyLength_));
  if (count_ == kMaxStoredSolutions) {
    // Past the kept solutions only the key is kept; without room for it the
    // run goes on, counting assignments only.
    try {
      if (keptKey != nullptr) {
        std::memcpy(keptKey, identityKey_, static_cast<std::size_t>(keyLength_));
        keys_->Insert(keptKey);
        ++found_;
        return RecordResult::Full;
      }
    } catch (const std::bad_alloc&) {
    }
    foundAtLeast_ = true;
    return RecordResult::Full;
  }
  const std::size_t n = static_cast<std::size_t>(prep_->formCellCount);
  auto* solution = pool_->AllocateArray<std::uint8_t>(2 * n);
  if (keptKey == nullptr || solution == nullptr) return RecordResult::OutOfMemory;
  std::memcpy(keptKey, identityKey_, static_cast<std::size_t>(keyLength_));
  keys_->Insert(keptKey);
  std::memcpy(solution, image_, 2 * n);
  solutions_[count_++] = solution;
  ++found_;
  return RecordResult::Stored;
}

}  // namespace zv
