// The regions of a set of form cells: the cells joined across faces (and
// across edges, for figures with edge hinges, whose hinged cubes may stand
// diagonally); and how many face neighbours each cell has in a set. A form
// that is a whole box is handled by shifting all 64 cells of a mask word at
// once; other forms cell by cell.
//
// Usage:
//   zv::EmptyRegions regions;
//   regions.Build(prep, acrossEdges, pool);   // pool: nullptr for the heap
//   int count = regions.Sizes(openCells, sizes);   // sizes[0 .. count)
//   regions.CountNeighbours(of, at, one, two);
#pragma once

#include <vector>

#include "solver/fast_tables.h"
#include "solver/pool_vector.h"
#include "solver/prepare.h"

namespace zv {

class EmptyRegions {
 public:
  void Build(const PreparedSearch& prep, bool acrossEdges, BlockPool* pool);
  // Writes the size and the cells of every region of `cells` and returns
  // how many there are (at most the form's cell count). With `most`, stops
  // as soon as a region beyond the first `most` is met and returns most + 1:
  // only the first `most` regions are written then. With `known`, one
  // region of `cells` found already, that one comes first and is not
  // filled again; the others follow in order.
  int Sizes(CellMask cells, int* sizes, CellMask* masks, int most = kMaxCubes,
            const CellMask* known = nullptr) const;
  // Among the cells of `at`: those with at least one face neighbour in
  // `of` (into `one`) and those with at least two (into `two`).
  // The search asks these after nearly every step: a whole box in one mask
  // word is answered inline, by word shifts.
  void CountNeighbours(const CellMask& of, const CellMask& at, CellMask& one, CellMask& two) const {
    if (wholeBox_ && words_ == 1) {
      one = CellMask{};
      two = CellMask{};
      CountNeighboursWord(of.words[0], at.words[0], one.words[0], two.words[0]);
      return;
    }
    CountNeighboursCells(of, at, one, two);
  }
  // Whether every cell of `targets` (all within `cells`) lies in one region
  // of `cells`; the fill stops as soon as it has met them all.
  bool Joined(const CellMask& cells, const CellMask& targets) const {
    std::uint64_t region = 0;
    if (box_ && words_ == 1) return JoinedWord(cells.words[0], targets.words[0], region);
    return JoinedCells(cells, targets);
  }
  // The cells joined to some cell of `from`, and those of `from`.
  CellMask Grow(const CellMask& from) const {
    if (box_ && words_ == 1) {
      CellMask out;
      out.words[0] = GrowWord(from.words[0]);
      return out;
    }
    return GrowCells(from);
  }
  // The face neighbours of a form cell.
  const CellMask& Faces(int cell) const { return faces_[cell]; }

  // A whole box in one mask word with regions joined across faces only:
  // the questions above on plain words, for the search's one-word cuts.
  bool WordBox() const { return box_ && words_ == 1; }
  // Grow for a whole box in one mask word.
  std::uint64_t GrowWord(std::uint64_t m) const {
    std::uint64_t out = m | (m & notLastX_.words[0]) << 1 | (m & notFirstX_.words[0]) >> 1 |
                        (m & notLastY_.words[0]) << strideY_ | (m & notFirstY_.words[0]) >> strideY_;
    // A one-layer box may fill the word: no shift by its whole width.
    if (strideZ_ < 64) out |= m << strideZ_ | m >> strideZ_;
    return out;
  }
  // The one-word whole box: each shift moves every cell onto the neighbour
  // it sees in one direction.
  void CountNeighboursWord(std::uint64_t of, std::uint64_t at, std::uint64_t& one, std::uint64_t& two) const {
    const std::uint64_t dirs[] = {
        of >> 1 & notLastX_.words[0],        of << 1 & notFirstX_.words[0],
        of >> strideY_ & notLastY_.words[0], of << strideY_ & notFirstY_.words[0],
        strideZ_ < 64 ? of >> strideZ_ : 0,  strideZ_ < 64 ? of << strideZ_ & form_.words[0] : 0};
    std::uint64_t o = 0, t = 0;
    for (const std::uint64_t d : dirs) {
      t |= o & d;
      o |= d;
    }
    one = o & at;
    two = t & at;
  }
  // When they are not joined, `region` is the region of the lowest target.
  bool JoinedWord(std::uint64_t cells, std::uint64_t targets, std::uint64_t& region) const {
    if (targets == 0) return true;
    std::uint64_t part = targets & (0 - targets);
    for (std::uint64_t grown; (part & targets) != targets; part = grown)
      if ((grown = GrowWord(part) & cells) == part) {
        region = part;
        return false;
      }
    return true;
  }

 private:
  void CountNeighboursCells(const CellMask& of, const CellMask& at, CellMask& one, CellMask& two) const;
  bool JoinedCells(const CellMask& cells, const CellMask& targets) const;
  CellMask GrowCells(const CellMask& from) const;
  int words_ = 1;
  bool wholeBox_ = false;          // the form fills its box
  bool box_ = false;               // regions join across faces only, in a whole box
  int strideY_ = 0, strideZ_ = 0;  // cell number steps of y and z in the box
  CellMask notLastX_, notFirstX_;  // cells with a neighbour at x + 1, at x - 1
  CellMask notLastY_, notFirstY_;
  CellMask form_;                    // every form cell
  PoolVector<CellMask> faces_;       // per cell, its face neighbours
  PoolVector<CellMask> neighbours_;  // with edges too, when regions join across them
};

}  // namespace zv
