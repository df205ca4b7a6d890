// An independent brute-force solver for small tasks (up to about 8 cubes and
// 8 form cells), to check the real search's counts. It tries every rotation
// and every cell for each rigid block, keeps the complete assignments that
// CheckSolution accepts, and counts them up to symmetry by its own canonical
// form.
//
//   zv::test::BruteForceResult r = zv::test::BruteForceSolve(task);
//   EXPECT_EQ(solver.SolutionCount(), r.distinct);
//
// Two solutions are the same when a symmetry of space carries one onto the
// other so that the cells of every block coincide and every hinge, with its
// edge, coincides; cube numbers do not matter. Without empty cells the
// symmetries are those of the 48 that carry the form onto itself; with empty
// cells all 48 count, each followed by the translation that lines up the
// occupied cells.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <vector>

#include "model/task.h"
#include "tests/support/solution_checker.h"
#include "tests/support/solution_geometry.h"

namespace zv::test {

struct BruteForceResult {
  int distinct = 0;            // solutions left after removing symmetric duplicates
  std::uint64_t accepted = 0;  // complete assignments accepted by the checker (a
                               // block without hinges once per distinct orientation)
  int rejected = 0;            // complete assignments the checker refused: always 0
                               // unless the link test and the checker disagree
  std::vector<std::vector<std::uint8_t>> representatives;  // first solution of each class (2N bytes)
};

namespace brute_force_detail {

struct Orientation {
  int rotation;
  std::vector<Point3> offsets;  // of each block cube from the block's first cube
};

struct Block {
  std::vector<int> cubes;
  std::vector<Orientation> orientations;
  std::vector<int> linksToEarlier;  // links to blocks placed before this one
};

// A solution up to cube numbering: every block's cells, and every hinge as
// its two cells plus its edge midpoint (-1 for a face-axis hinge), all in
// doubled coordinates encoded as single integers.
struct Signature {
  std::vector<std::vector<int>> blocks;
  std::vector<std::array<int, 3>> hinges;
  auto operator<=>(const Signature&) const = default;
};

// A signed permutation of the axes: source axis i goes to axis perm[i],
// mirrored inside the form box when bit i of mirror is set.
struct AxisMap {
  std::array<int, 3> perm;
  int mirror;
};

inline std::vector<AxisMap> AllAxisMaps() {
  std::vector<AxisMap> maps;
  std::array<int, 3> perm{0, 1, 2};
  do
    for (int mirror = 0; mirror < 8; ++mirror) maps.push_back({perm, mirror});
  while (std::next_permutation(perm.begin(), perm.end()));
  return maps;
}

class Search {
 public:
  explicit Search(const TaskState& task)
      : task_(task), form_(ListFormCells(task.form)), fm_(ReadFigureModel(task.figure)) {}

  BruteForceResult Run() {
    const int c = static_cast<int>(fm_.at.size());
    if (!fm_.problem.empty() || c == 0 || static_cast<int>(form_.cells.size()) < c) return result_;
    FindFormBox();
    BuildBlocks();
    ChooseSymmetries();
    cellOfCube_.assign(c, -1);
    rotationOfCube_.assign(c, 0);
    occupied_.assign(form_.cells.size(), false);
    Place(0);
    result_.distinct = static_cast<int>(seen_.size());
    return result_;
  }

 private:
  void FindFormBox() {
    Point3 low{99, 99, 99}, high{-1, -1, -1};
    for (const Point3& cell : form_.cells)
      for (int a = 0; a < 3; ++a) {
        low[a] = std::min(low[a], cell[a]);
        high[a] = std::max(high[a], cell[a]);
      }
    boxMin_ = low;
    for (int a = 0; a < 3; ++a) boxExtent_[a] = high[a] - low[a] + 1;
  }

  // Blocks in the order they are tried: each part from its lowest block,
  // breadth first along the links, so every block after the first of a part
  // is tested against a placed neighbour at once.
  void BuildBlocks() {
    std::vector<Block> byIndex(fm_.blockCount);
    for (int k = 0; k < static_cast<int>(fm_.at.size()); ++k) byIndex[fm_.blockOf[k]].cubes.push_back(k);
    std::vector<int> order, rank(fm_.blockCount, -1);
    for (int start = 0; start < fm_.blockCount; ++start) {
      if (rank[start] >= 0) continue;
      rank[start] = static_cast<int>(order.size());
      order.push_back(start);
      for (std::size_t next = order.size() - 1; next < order.size(); ++next)
        for (const CheckedLink& l : fm_.links) {
          const int ba = fm_.blockOf[l.a], bb = fm_.blockOf[l.b];
          const int other = ba == order[next] ? bb : bb == order[next] ? ba : -1;
          if (other >= 0 && rank[other] < 0) {
            rank[other] = static_cast<int>(order.size());
            order.push_back(other);
          }
        }
    }
    for (int b : order) blocks_.push_back(byIndex[b]);
    for (int i = 0; i < static_cast<int>(fm_.links.size()); ++i) {
      const CheckedLink& l = fm_.links[i];
      const int ra = rank[fm_.blockOf[l.a]], rb = rank[fm_.blockOf[l.b]];
      if (ra != rb) blocks_[std::max(ra, rb)].linksToEarlier.push_back(i);
    }
    for (Block& block : blocks_) AddOrientations(block);
  }

  // All 24 rotations for a block with hinges (their edges differ); a block
  // without hinges once per distinct shape, which gives the same solutions.
  void AddOrientations(Block& block) {
    bool hinged = false;
    for (const CheckedLink& l : fm_.links)
      if (l.kind != CheckedLinkKind::Rigid && (fm_.blockOf[l.a] == fm_.blockOf[block.cubes[0]] ||
                                               fm_.blockOf[l.b] == fm_.blockOf[block.cubes[0]]))
        hinged = true;
    std::set<std::vector<Point3>> shapes;
    for (int r = 0; r < 24; ++r) {
      Orientation o{r, {}};
      for (int k : block.cubes)
        o.offsets.push_back(Apply(kRotationMatrices[r], Sub(fm_.at[k], fm_.at[block.cubes[0]])));
      if (!hinged) {
        std::vector<Point3> shape = o.offsets;
        Point3 low = shape[0];
        for (const Point3& p : shape)
          for (int a = 0; a < 3; ++a) low[a] = std::min(low[a], p[a]);
        for (Point3& p : shape) p = Sub(p, low);
        std::sort(shape.begin(), shape.end());
        if (!shapes.insert(shape).second) continue;
      }
      block.orientations.push_back(o);
    }
  }

  void ChooseSymmetries() {
    const bool emptyCells = form_.cells.size() > fm_.at.size();
    for (const AxisMap& map : AllAxisMaps()) {
      bool keepsForm = true;
      for (const Point3& cell : form_.cells) {
        const Point3 image = MapPoint(map, Scale(2, cell));
        Point3 back{};
        for (int a = 0; a < 3; ++a) back[a] = image[a] / 2 + boxMin_[a];
        if (form_.NumberAt(back) < 0) keepsForm = false;
      }
      if (emptyCells || keepsForm) symmetries_.push_back(map);
    }
    translate_ = emptyCells;
  }

  // A doubled point of the form's frame, mapped inside the form box and given
  // relative to the box's minimum corner (still doubled).
  Point3 MapPoint(const AxisMap& map, const Point3& doubled) const {
    Point3 out{};
    for (int i = 0; i < 3; ++i) {
      int v = doubled[i] - 2 * boxMin_[i];
      if (map.mirror >> i & 1) v = 2 * (boxExtent_[i] - 1) - v;
      out[map.perm[i]] = v;
    }
    return out;
  }

  Signature SignatureUnder(const AxisMap& map) const {
    const int c = static_cast<int>(fm_.at.size());
    std::vector<Point3> centre(c);
    Point3 shift{0, 0, 0};
    for (int k = 0; k < c; ++k) centre[k] = MapPoint(map, Scale(2, form_.cells[cellOfCube_[k]]));
    if (translate_) {
      shift = centre[0];
      for (const Point3& p : centre)
        for (int a = 0; a < 3; ++a) shift[a] = std::min(shift[a], p[a]);
    }
    auto code = [&shift](const Point3& p) {
      return (p[0] - shift[0] + 2) + 128 * (p[1] - shift[1] + 2) + 16384 * (p[2] - shift[2] + 2);
    };
    Signature s;
    for (const Block& block : blocks_) {
      std::vector<int> cells;
      for (int k : block.cubes) cells.push_back(code(centre[k]));
      std::sort(cells.begin(), cells.end());
      s.blocks.push_back(cells);
    }
    std::sort(s.blocks.begin(), s.blocks.end());
    for (const CheckedLink& l : fm_.links) {
      if (l.kind == CheckedLinkKind::Rigid) continue;
      int edge = -1;
      if (l.kind == CheckedLinkKind::EdgeHinge) {
        const Point3 cell = form_.cells[cellOfCube_[l.a]];
        const Point3 midpoint =
            Add(Scale(2, cell), Apply(kRotationMatrices[rotationOfCube_[l.a]], kCheckedEdgeVectors[l.edgeA]));
        edge = code(MapPoint(map, midpoint));
      }
      const int a = code(centre[l.a]), b = code(centre[l.b]);
      s.hinges.push_back({std::min(a, b), std::max(a, b), edge});
    }
    std::sort(s.hinges.begin(), s.hinges.end());
    return s;
  }

  void Place(std::size_t index) {
    if (index == blocks_.size()) return Complete();
    const Block& block = blocks_[index];
    std::vector<int> cells(block.cubes.size());
    for (const Orientation& o : block.orientations)
      for (const Point3& anchor : form_.cells) {
        bool fits = true;
        for (std::size_t j = 0; j < block.cubes.size() && fits; ++j) {
          cells[j] = form_.NumberAt(Add(anchor, o.offsets[j]));
          fits = cells[j] >= 0 && !occupied_[cells[j]] &&
                 std::find(cells.begin(), cells.begin() + static_cast<std::ptrdiff_t>(j), cells[j]) ==
                     cells.begin() + static_cast<std::ptrdiff_t>(j);
        }
        if (!fits) continue;
        for (std::size_t j = 0; j < block.cubes.size(); ++j) {
          occupied_[cells[j]] = true;
          cellOfCube_[block.cubes[j]] = cells[j];
          rotationOfCube_[block.cubes[j]] = o.rotation;
        }
        bool linksHold = true;
        for (int i : block.linksToEarlier) {
          const CheckedLink& l = fm_.links[i];
          linksHold = linksHold && LinkHolds(fm_, l, form_.cells[cellOfCube_[l.a]], rotationOfCube_[l.a],
                                             form_.cells[cellOfCube_[l.b]], rotationOfCube_[l.b]);
        }
        if (linksHold) Place(index + 1);
        for (std::size_t j = 0; j < block.cubes.size(); ++j) {
          occupied_[cells[j]] = false;
          cellOfCube_[block.cubes[j]] = -1;
        }
      }
  }

  void Complete() {
    const std::size_t n = form_.cells.size();
    std::vector<std::uint8_t> solution(2 * n, 0);
    for (std::size_t k = 0; k < fm_.at.size(); ++k) {
      solution[cellOfCube_[k]] = static_cast<std::uint8_t>(k + 1);
      solution[n + cellOfCube_[k]] = static_cast<std::uint8_t>(rotationOfCube_[k]);
    }
    const std::span<const std::uint8_t> bytes(solution);
    if (!CheckSolution(task_, bytes.first(n), bytes.subspan(n), nullptr)) {
      ++result_.rejected;
      return;
    }
    ++result_.accepted;
    Signature canonical = SignatureUnder(symmetries_[0]);
    for (const AxisMap& map : symmetries_) canonical = std::min(canonical, SignatureUnder(map));
    if (seen_.insert(canonical).second) result_.representatives.push_back(solution);
  }

  const TaskState& task_;
  FormCellList form_;
  FigureModel fm_;
  Point3 boxMin_{}, boxExtent_{};
  std::vector<Block> blocks_;
  std::vector<AxisMap> symmetries_;  // the identity first
  bool translate_ = false;
  std::vector<int> cellOfCube_, rotationOfCube_;
  std::vector<bool> occupied_;
  std::set<Signature> seen_;
  BruteForceResult result_;
};

}  // namespace brute_force_detail

inline BruteForceResult BruteForceSolve(const TaskState& task) {
  return brute_force_detail::Search(task).Run();
}

}  // namespace zv::test
