// Building the reduced search's tables: the link-end geometry of every
// block, the classes of equivalent placements, the branch symmetries with
// their cell and rotation images, and the twins among the unlinked blocks.
#include "solver/reduction_tables.h"

#include <algorithm>
#include <array>
#include <map>
#include <new>
#include <tuple>

#include "solver/side_codes.h"

namespace zv {
namespace {

Vec3 Add(const Vec3& a, const Vec3& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }
Vec3 Sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }

Vec3 CoordinatesOf(int formCellIndex) {
  const CellIndex cell(formCellIndex);
  return {FormCellX(cell), FormCellY(cell), FormCellZ(cell)};
}

// The vectors, in the figure's frame, that fix where a block's cubes and
// link ends lie: each cube's offset from the block's first cube, then per
// link end its face (face-axis hinge, rigid joint) or its edge's two faces
// in order (edge hinge, so that the edge's direction counts too).
std::vector<Vec3> BlockVectors(const PreparedSearch& prep, const LinkAnalysis& links, int g) {
  const BlockInfo& info = prep.blocks[g];
  auto figure = [&](int cube) {
    const int cell = links.cellOfCube[cube];
    return Vec3{FigureCellX(cell), FigureCellY(cell), 0};
  };
  std::vector<Vec3> vectors;
  const Vec3 first = figure(info.cubes[0]);
  for (int j = 0; j < info.cubeCount; ++j) vectors.push_back(Sub(figure(info.cubes[j]), first));
  for (int j = 0; j < info.cubeCount; ++j) {
    const int cube = info.cubes[j];
    for (int l = 0; l < links.linkCount[cube]; ++l) {
      const LinkEntry& entry = links.cubeLinks[cube][l];
      if (entry.rigid) {
        vectors.push_back(Sub(figure(entry.partner), figure(cube)));
      } else if (IsFaceAxisSide(entry.side)) {
        vectors.push_back(kFaceVector[FaceOfAxisSide(entry.side)]);
      } else {
        const CubeEdge edge = kEdgeSides[entry.side].edge;
        vectors.push_back(kFaceVector[kEdgeFaces[edge][0]]);
        vectors.push_back(kFaceVector[kEdgeFaces[edge][1]]);
      }
    }
  }
  return vectors;
}

std::vector<Vec3> Rotated(Rotation r, const std::vector<Vec3>& vectors) {
  std::vector<Vec3> out;
  out.reserve(vectors.size());
  for (const Vec3& v : vectors) out.push_back(RotateVector(r, v));
  return out;
}

// The cube offsets moved to their least corner and sorted: a block's shape.
std::vector<Vec3> Shape(std::vector<Vec3> offsets) {
  Vec3 low = offsets[0];
  for (const Vec3& v : offsets)
    for (int a = 0; a < 3; ++a) low[a] = std::min(low[a], v[a]);
  for (Vec3& v : offsets) v = Sub(v, low);
  std::sort(offsets.begin(), offsets.end());
  return offsets;
}

Vec3 LowCorner(const std::vector<Vec3>& offsets) {
  Vec3 low = offsets[0];
  for (const Vec3& v : offsets)
    for (int a = 0; a < 3; ++a) low[a] = std::min(low[a], v[a]);
  return low;
}

}  // namespace

void ReductionTables::Build(const PreparedSearch& prep, const LinkAnalysis& links, BlockPool* pool) {
  prep_ = &prep;
  UsePool(pool, classOf, classSize, symmetries, cellImage, rotationImage, cellStabiliser, twinOf,
          imagesOnHeap_, hingeFree_, lowCorner_, cellCoord_);
  const int n = prep.formCellCount;
  const int b = prep.blockCount;
  const int p = prep.placementCount;
  std::vector<Vec3> cellCoord(static_cast<std::size_t>(n));
  for (int m = 0; m < n; ++m) cellCoord[m] = CoordinatesOf(prep.formCells[m]);
  auto numberAt = [&](const Vec3& c) {
    for (int a = 0; a < 3; ++a)
      if (c[a] < prep.boxMin[a] || c[a] >= prep.boxMin[a] + prep.boxExtent[a]) return -1;
    return prep.cellNumberGrid[FormCellIndex(c[0], c[1], c[2]).value()] - 1;
  };
  auto placementAt = [&](int g, int r, int m) {
    return prep.placementIndex[(static_cast<std::size_t>(g) * kRotationCount + r) * n + m];
  };

  std::vector<std::vector<Vec3>> vectors(static_cast<std::size_t>(b));
  hingeFree_.assign(static_cast<std::size_t>(b), 0);
  lowCorner_.assign(static_cast<std::size_t>(b) * kRotationCount, Vec3{0, 0, 0});
  // Whether a rotation of a block has any placement (hinge-free blocks keep
  // one rotation per shape).
  std::vector<std::uint8_t> present(static_cast<std::size_t>(b) * kRotationCount, 0);
  for (int g = 0; g < b; ++g) {
    vectors[g] = BlockVectors(prep, links, g);
    hingeFree_[g] = prep.blocks[g].hingeEnds == 0 ? 1 : 0;
    const std::vector<Vec3> offsets(vectors[g].begin(), vectors[g].begin() + prep.blocks[g].cubeCount);
    for (int r = 0; r < kRotationCount; ++r) {
      lowCorner_[g * kRotationCount + r] = LowCorner(Rotated(static_cast<Rotation>(r), offsets));
      for (int m = 0; m < n && !present[g * kRotationCount + r]; ++m)
        present[g * kRotationCount + r] = placementAt(g, r, m) >= 0;
    }
  }

  // Equivalent placements: rotations of a block that agree on every vector,
  // with the first cube on the same cell.
  classOf.resize(static_cast<std::size_t>(p));
  classSize.assign(static_cast<std::size_t>(p), 0);
  for (int q = 0; q < p; ++q) classOf[q] = q;
  // Blocks drawn alike (the same vectors, and for hinge-free blocks the
  // same rotations present) turn alike: what follows is worked out for the
  // first of them and copied to the others.
  std::vector<int> sameAs(static_cast<std::size_t>(b));
  {
    std::map<std::tuple<std::vector<Vec3>, int, std::uint32_t>, int> firstDrawnSo;
    for (int g = 0; g < b; ++g) {
      std::uint32_t rotationsPresent = 0;
      for (int r = 0; r < kRotationCount; ++r)
        if (hingeFree_[g] && present[g * kRotationCount + r]) rotationsPresent |= std::uint32_t{1} << r;
      const int kind = prep.blocks[g].cubeCount * 2 + hingeFree_[g];
      sameAs[g] = firstDrawnSo.try_emplace({vectors[g], kind, rotationsPresent}, g).first->second;
    }
  }
  std::vector<std::array<std::uint32_t, kRotationCount>> agreeOf(static_cast<std::size_t>(b));
  for (int g = 0; g < b; ++g) {
    if (hingeFree_[g]) {
      for (int q = prep.blocks[g].firstPlacement; q < prep.blocks[g].endPlacement; ++q)
        classSize[q] = prep.placementAvailable[q] ? 1 : 0;
      continue;
    }
    // Which rotations agree on every vector, compared once per kind of block.
    std::array<std::uint32_t, kRotationCount>& agree = agreeOf[g];
    if (sameAs[g] != g) {
      agree = agreeOf[sameAs[g]];
    } else {
      std::array<std::vector<Vec3>, kRotationCount> sig;
      for (int r = 0; r < kRotationCount; ++r) sig[r] = Rotated(static_cast<Rotation>(r), vectors[g]);
      for (int r = 0; r < kRotationCount; ++r)
        for (int r2 = 0; r2 < kRotationCount; ++r2)
          if (sig[r2] == sig[r]) agree[r] |= std::uint32_t{1} << r2;
    }
    for (int q = prep.blocks[g].firstPlacement; q < prep.blocks[g].endPlacement; ++q) {
      if (!prep.placementAvailable[q]) continue;
      const int r = prep.placements[q].rotation;
      const int m = prep.placements[q].cells[0];
      std::int32_t lowest = q;
      int size = 0;
      for (int r2 = 0; r2 < kRotationCount; ++r2) {
        if ((agree[r] >> r2 & 1) == 0) continue;
        const std::int32_t other = placementAt(g, r2, m);
        if (other < 0 || !prep.placementAvailable[other]) continue;
        lowest = std::min(lowest, other);
        ++size;
      }
      classOf[q] = lowest;
      classSize[q] = static_cast<std::uint8_t>(size);
    }
  }

  // Branch symmetries: onto the form, and every block's every rotation has
  // an image rotation that agrees with the mirrored or turned vectors.
  symmetries.clear();
  cellImage.clear();
  std::vector<std::int8_t> images;  // per accepted symmetry: B x 24
  // Every rotation's vectors, and for hinge-free blocks its shape.
  std::vector<std::array<std::vector<Vec3>, kRotationCount>> turned(static_cast<std::size_t>(b));
  std::vector<std::array<std::vector<Vec3>, kRotationCount>> shapes(static_cast<std::size_t>(b));
  // The rotation with given vectors (or, hinge-free, with a given shape).
  std::vector<std::map<std::vector<Vec3>, int>> rotationWith(static_cast<std::size_t>(b));
  for (int g = 0; g < b; ++g)
    for (int r = kRotationCount - 1; r >= 0 && sameAs[g] == g; --r) {
      turned[g][r] = Rotated(static_cast<Rotation>(r), vectors[g]);
      if (hingeFree_[g] && present[g * kRotationCount + r])
        shapes[g][r] = Shape({turned[g][r].begin(), turned[g][r].begin() + prep.blocks[g].cubeCount});
      if (!hingeFree_[g])
        rotationWith[g][turned[g][r]] = r;
      else if (present[g * kRotationCount + r])
        rotationWith[g][shapes[g][r]] = r;  // the lowest present rotation of the shape wins
    }
  for (int code = 0; code < kSymmetryCount; ++code) {
    const auto s = static_cast<SymmetryCode>(code);
    std::vector<std::uint8_t> map(static_cast<std::size_t>(n));
    bool onto = true;
    for (int m = 0; m < n && onto; ++m) {
      const Vec3 image =
          Add(ApplySymmetryToCell(s, Sub(cellCoord[m], prep.boxMin), prep.boxExtent), prep.boxMin);
      const int number = numberAt(image);
      onto = number >= 0;
      map[m] = static_cast<std::uint8_t>(std::max(number, 0));
    }
    if (!onto) continue;
    std::vector<std::int8_t> rotations(static_cast<std::size_t>(b) * kRotationCount, -1);
    std::vector<Vec3> mapped;  // one buffer for every rotation's image
    bool usable = true;
    for (int g = 0; g < b && usable; ++g) {
      const int cubes = prep.blocks[g].cubeCount;
      if (sameAs[g] != g) {
        std::copy_n(rotations.begin() + sameAs[g] * kRotationCount, kRotationCount,
                    rotations.begin() + g * kRotationCount);
        continue;
      }
      for (int r = 0; r < kRotationCount && usable; ++r) {
        if (hingeFree_[g] && !present[g * kRotationCount + r]) continue;
        mapped.assign(turned[g][r].begin(), turned[g][r].end());
        for (Vec3& v : mapped) v = ApplySymmetryToVector(s, v);
        const auto at =
            rotationWith[g].find(hingeFree_[g] ? Shape({mapped.begin(), mapped.begin() + cubes}) : mapped);
        const int found = at == rotationWith[g].end() ? -1 : at->second;
        usable = found >= 0;
        rotations[g * kRotationCount + r] = static_cast<std::int8_t>(found);
      }
    }
    if (!usable) continue;
    symmetries.push_back(s);
    cellImage.insert(cellImage.end(), map.begin(), map.end());
    images.insert(images.end(), rotations.begin(), rotations.end());
  }
  symmetryCount = static_cast<int>(symmetries.size());
  // Block-major, so one block's images lie together.
  rotationImage.assign(static_cast<std::size_t>(b) * symmetryCount * kRotationCount, -1);
  for (int s = 0; s < symmetryCount; ++s)
    for (int g = 0; g < b; ++g)
      for (int r = 0; r < kRotationCount; ++r)
        rotationImage[(static_cast<std::size_t>(g) * symmetryCount + s) * kRotationCount + r] =
            images[(static_cast<std::size_t>(s) * b + g) * kRotationCount + r];
  allSymmetries = symmetryCount >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << symmetryCount) - 1;
  cellStabiliser.assign(static_cast<std::size_t>(n), 0);
  for (int s = 0; s < symmetryCount; ++s)
    for (int m = 0; m < n; ++m)
      if (cellImage[static_cast<std::size_t>(s) * n + m] == m) cellStabiliser[m] |= std::uint64_t{1} << s;

  // Twins: unlinked blocks drawn with the same cube offsets have the same
  // placements in the same order.
  twinOf.assign(static_cast<std::size_t>(b), -1);
  for (int g = 0; g < b; ++g) {
    if (!hingeFree_[g]) continue;
    for (int h = g - 1; h >= 0; --h)
      if (hingeFree_[h] && vectors[h] == vectors[g] &&
          prep.blocks[h].endPlacement - prep.blocks[h].firstPlacement ==
              prep.blocks[g].endPlacement - prep.blocks[g].firstPlacement) {
        twinOf[g] = h;
        break;
      }
  }
  cellCoord_.assign(cellCoord.begin(), cellCoord.end());

  images_ = nullptr;
  constexpr std::size_t kMostKeptImages = std::size_t{1} << 22;
  const std::size_t kept = static_cast<std::size_t>(p) * symmetryCount;
  if (symmetryCount > 1 && kept <= kMostKeptImages) {
    if (pool != nullptr) {
      images_ = pool->AllocateArray<std::int32_t>(kept);
      if (images_ == nullptr) throw std::bad_alloc();
    } else {
      imagesOnHeap_.assign(kept, kNotYet);
      images_ = imagesOnHeap_.data();
    }
  }
}

void ReductionTables::KeepOnly(bool classes, bool branchSymmetries) {
  if (!classes)
    for (std::size_t q = 0; q < classOf.size(); ++q) {
      classOf[q] = static_cast<std::int32_t>(q);
      classSize[q] = std::min<std::uint8_t>(classSize[q], 1);
    }
  if (!branchSymmetries) {
    allSymmetries = 1;
    for (std::uint64_t& fixing : cellStabiliser) fixing &= 1;
  }
}

std::int32_t ReductionTables::ComputeImage(int s, std::int32_t q) const {
  const PreparedSearch& prep = *prep_;
  const Placement& placement = prep.placements[q];
  const int g = placement.block;
  const int n = prep.formCellCount;
  const std::int8_t r2 =
      rotationImage[(static_cast<std::size_t>(g) * symmetryCount + s) * kRotationCount + placement.rotation];
  if (r2 < 0) return -1;
  const std::uint8_t* map = cellImage.data() + static_cast<std::size_t>(s) * n;
  int first = map[placement.cells[0]];
  if (hingeFree_[g]) {
    // The shape's image, moved so that the kept rotation's cubes cover it.
    Vec3 low = cellCoord_[map[placement.cells[0]]];
    for (int j = 1; j < prep.blocks[g].cubeCount; ++j) {
      const Vec3& c = cellCoord_[map[placement.cells[j]]];
      for (int a = 0; a < 3; ++a) low[a] = std::min(low[a], c[a]);
    }
    const Vec3 at = Sub(low, lowCorner_[g * kRotationCount + r2]);
    for (int a = 0; a < 3; ++a)
      if (at[a] < 0 || at[a] >= kMaxFormSide) return -1;
    first = prep.cellNumberGrid[FormCellIndex(at[0], at[1], at[2]).value()] - 1;
    if (first < 0) return -1;
  }
  const std::int32_t image =
      prep.placementIndex[(static_cast<std::size_t>(g) * kRotationCount + r2) * n + first];
  return image < 0 ? -1 : classOf[image];
}

}  // namespace zv
