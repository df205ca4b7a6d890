// What the reduced search needs beyond the full search's tables to leave out
// subtrees that hold only copies or images of what an earlier branch found:
//   - equivalent placements: placements of one block that cover the same
//     cells, each cube on the same cell, and put every link end (the face of
//     a face-axis hinge or rigid joint, the oriented edge of an edge hinge) in
//     the same place; they are interchangeable in every constraint and give
//     the same solution keys (a bar spinning about its own axis, a single
//     cube turning about its hinges). Each class is represented by its lowest
//     placement, which is also the first of the class that any branching of
//     the full search tries;
//   - branch symmetries: the symmetries of space that carry the form onto
//     itself and carry every assignment of the figure onto an assignment of
//     it (mirror images only when no edge hinge lies on an edge of the
//     figure's upper or lower face), with the image of any placement;
//   - twins: blocks without links of the same drawn shape, which can be
//     exchanged without changing any key.
//
// Usage:
//   zv::ReductionTables red;
//   red.Build(prep, links);
//   std::int32_t q = red.Image(s, p);   // class of the image of p under symmetry s
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "model/validation.h"
#include "solver/pool_vector.h"
#include "solver/prepare.h"
#include "solver/rotations.h"

namespace zv {

struct ReductionTables {
  // Per placement: the lowest available placement of its class, and the
  // number of available placements in the class.
  PoolVector<std::int32_t> classOf;
  PoolVector<std::uint8_t> classSize;

  // Branch symmetries, identity first (at most 48, one bit each in a mask).
  int symmetryCount = 0;
  PoolVector<SymmetryCode> symmetries;
  PoolVector<std::uint8_t> cellImage;        // symmetryCount x N: image form cell number
  PoolVector<std::int8_t> rotationImage;     // B x symmetryCount x 24: rotation of the image
  PoolVector<std::uint64_t> cellStabiliser;  // N: the branch symmetries fixing the cell
  std::uint64_t allSymmetries = 1;           // mask of every branch symmetry

  // Per block: the first lower block it can be exchanged with, or -1.
  PoolVector<std::int32_t> twinOf;

  // Builds the tables, taking their room from `pool` (nullptr: the heap).
  // Throws std::bad_alloc when the pool refuses.
  void Build(const PreparedSearch& prep, const LinkAnalysis& links, BlockPool* pool = nullptr);
  // Drops the classes (every placement its own) or the symmetries (the
  // identity alone) after Build, for a search without those reductions.
  void KeepOnly(bool classes, bool branchSymmetries);

  // The class of the image of placement p under branch symmetry s, or -1
  // when the image is no available placement (never for a branch symmetry).
  // The workers of a parallel search share the memo; an entry only ever
  // goes from kNotYet to its one value, so relaxed atomic access suffices.
  std::int32_t Image(int s, std::int32_t p) const {
    if (images_ == nullptr) return ComputeImage(s, p);
    std::atomic_ref<std::int32_t> image(images_[static_cast<std::size_t>(p) * symmetryCount + s]);
    std::int32_t known = image.load(std::memory_order_relaxed);
    if (known == kNotYet) {
      known = ComputeImage(s, p) + kKeptAbove;
      image.store(known, std::memory_order_relaxed);
    }
    return known - kKeptAbove;
  }

 private:
  std::int32_t ComputeImage(int s, std::int32_t p) const;
  // P x symmetryCount images, each worked out when first asked for and
  // kept (as image + kKeptAbove, so 0 means not yet), when that table is
  // small enough. Pool memory reads as zero until written, so only the
  // pages of images asked for are ever touched; without a pool the table
  // is imagesOnHeap_.
  static constexpr std::int32_t kNotYet = 0;
  static constexpr std::int32_t kKeptAbove = 2;  // images are -1 or more
  mutable std::int32_t* images_ = nullptr;
  PoolVector<std::int32_t> imagesOnHeap_;
  const PreparedSearch* prep_ = nullptr;
  // Per block: 1 when it has no hinge, so that preparation kept one rotation
  // per shape and an image is found by its shape, moved into place.
  PoolVector<std::uint8_t> hingeFree_;
  PoolVector<Vec3> lowCorner_;  // B x 24: least x, y, z of a rotation's cube offsets from cube 0
  PoolVector<Vec3> cellCoord_;  // N: x, y, z of each form cell
};

}  // namespace zv
