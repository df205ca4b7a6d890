// The solution store: keeps at most 10000 solutions in the order found and
// drops every solution that a symmetry of the form (followed by a move, when
// the form has empty cells) carries onto a kept one, with the cells of each
// block and every hinge with its edge coinciding. Past 10000 it keeps only
// the keys of new solutions, so that it goes on counting them (Found());
// when the pool refuses room for a key, that count becomes a lower bound
// and later assignments are only counted.
//
// Usage:
//   zv::SolutionStore store;
//   if (!store.Begin(prep, pool, keySet)) -> out of memory
//   store.Record(zv::Assignment(chosen));       // for every complete assignment
//   const std::uint8_t* s = store.Solution(0);  // N cube bytes, then N rotation bytes
//
// Key of a solution under one symmetry (all byte strings of one length):
//   with empty cells only: the occupied cells' codes x + 32y + 1024z after the
//     symmetry, moved so their minimum x, y and z are 0, sorted (2 bytes each,
//     little-endian); this makes the key independent of where the cells lie;
//   then C bytes: the block label of each cube, cubes taken in increasing
//     mapped cell code ("positions"), labels renumbered by first appearance;
//   then 4 bytes per hinge: lower position, higher position, the mapped edge
//     of the lower-position cube (12 for a face-axis hinge), 0; the records
//     sorted as little-endian 32-bit values.
#pragma once

#include <cstddef>
#include <cstdint>

#include "solver/assignment.h"
#include "solver/block_pool.h"
#include "solver/byte_key_set.h"
#include "solver/prepare.h"

namespace zv {

// Full: a new solution past the 10000 kept (counted, or no longer
// recognised once FoundAtLeast()). Enough: the store already holds the
// solutions its run stops after; nothing is looked at or counted.
enum class RecordResult { Stored, Duplicate, Full, OutOfMemory, Enough };

class SolutionStore {
 public:
  // Starts an empty store for one run: resets `keys` to this run's key length
  // and takes the scratch arrays and the solution list from the pool.
  bool Begin(const PreparedSearch& prep, BlockPool& pool, ByteKeySet& keys);

  // Makes the store take no more once it holds `count` solutions (0: no
  // such limit); the engines end their search when Enough().
  void StopAfter(int count) { stopAfter_ = count; }
  bool Enough() const { return stopAfter_ > 0 && count_ >= stopAfter_; }

  // Offers one complete assignment: chosen[b] is the placement of block b.
  RecordResult Record(Assignment chosen);
  // Refilling a store from a run that compared them before: an assignment
  // known to be of a class not met yet is kept by its own key alone, its
  // symmetric images left uncompared (Duplicate when that key is known
  // already: it was no new class); one known to repeat a class is only
  // counted.
  RecordResult Keep(Assignment chosen);
  void Repeat() { ++assignments_; }
  // Offers one complete assignment whose keys under every symmetry a store
  // of the same task built already (ImageKeys()): as Record, without
  // building them again.
  RecordResult Record(Assignment chosen, const std::uint8_t* imageKeys);
  // After Record stored or counted a new class: its keys under every
  // symmetry, KeyLength() bytes each, in symmetry order (ImageKeysLength()
  // bytes in all).
  const std::uint8_t* ImageKeys() const { return imageKeys_; }
  std::size_t ImageKeysLength() const {
    return static_cast<std::size_t>(keyLength_) * static_cast<std::size_t>(prep_->symmetryCount);
  }

  int Count() const { return count_; }
  // Solutions found, kept or not, and whether that is only a lower bound.
  std::uint64_t Found() const { return found_; }
  bool FoundAtLeast() const { return foundAtLeast_; }
  std::uint64_t Assignments() const { return assignments_; }
  // Solution i: N bytes cube index + 1 (0 = empty cell), then N rotation bytes.
  const std::uint8_t* Solution(int i) const { return solutions_[i]; }
  int KeyLength() const { return keyLength_; }

 private:
  void FillScratch(Assignment chosen);
  // Whether the scratch solution's key under some symmetry is known; leaves
  // its identity key in identityKey_ and, when none is, every key in
  // imageKeys_.
  bool Known();
  // Whether one of the given keys of every symmetry is known.
  bool KnownKeys(const std::uint8_t* imageKeys) const;
  // The key of the scratch solution under symmetry s.
  void BuildKey(const FormSymmetry& s, std::uint8_t* key);
  // Keeps the scratch solution, whose key is identityKey_, as a new class.
  RecordResult Add();

  const PreparedSearch* prep_ = nullptr;
  BlockPool* pool_ = nullptr;
  ByteKeySet* keys_ = nullptr;
  int keyLength_ = 0;
  int count_ = 0;
  int stopAfter_ = 0;  // 0: no limit below the 10000 kept
  std::uint64_t found_ = 0;
  bool foundAtLeast_ = false;
  std::uint64_t assignments_ = 0;
  const std::uint8_t** solutions_ = nullptr;  // room for 10000

  // Scratch of the solution being offered.
  std::uint8_t* cellOfCube_ = nullptr;      // C: form cell number of each cube
  std::uint8_t* rotationOfCube_ = nullptr;  // C
  std::uint8_t* image_ = nullptr;           // 2N: cube index + 1, then rotation, per cell
  std::uint32_t* order_ = nullptr;          // C: mapped cell code << 8 | cube
  std::uint8_t* positionOfCube_ = nullptr;  // C
  std::uint32_t* records_ = nullptr;        // H hinge records
  std::uint8_t* imageKeys_ = nullptr;       // the key under each symmetry, identity first
  std::uint8_t* identityKey_ = nullptr;     // imageKeys_'s first
};

}  // namespace zv
