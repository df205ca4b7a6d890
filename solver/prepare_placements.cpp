// Preparation of the blocks (cubes joined by rigid joints, moved as one body)
// and of their placements: every rotation and position of each block that
// lies wholly on form cells, block by block, then by rotation, then by the
// form cell of the block's first cube.
#include <algorithm>

#include "solver/prepare_steps.h"

namespace zv::prepare {

bool BuildBlocks(Context& ctx) {
  const LinkAnalysis& links = ctx.links;
  PreparedSearch& out = ctx.out;
  const int c = out.cubeCount;
  const int b = out.blockCount;
  ctx.blocks = ctx.pool.AllocateArray<BlockInfo>(static_cast<std::size_t>(b));
  ctx.blockOfCube = ctx.pool.AllocateArray<std::uint8_t>(static_cast<std::size_t>(c));
  ctx.positionInBlock = ctx.pool.AllocateArray<std::uint8_t>(static_cast<std::size_t>(c));
  ctx.cubeFigure = ctx.pool.AllocateArray<Vec3>(static_cast<std::size_t>(c));
  if (ctx.blocks == nullptr || ctx.blockOfCube == nullptr || ctx.positionInBlock == nullptr ||
      ctx.cubeFigure == nullptr)
    return false;

  for (int g = 0; g < b; ++g) ctx.blocks[g] = BlockInfo{0, 0, nullptr, 0, 0};
  for (int k = 0; k < c; ++k) {
    const int block = links.blockLabel[k] - 1;
    ctx.blockOfCube[k] = static_cast<std::uint8_t>(block);
    ctx.cubeFigure[k] = {FigureCellX(links.cellOfCube[k]), FigureCellY(links.cellOfCube[k]), 0};
    BlockInfo& info = ctx.blocks[block];
    ctx.positionInBlock[k] = static_cast<std::uint8_t>(info.cubeCount);
    ++info.cubeCount;
    for (int l = 0; l < links.linkCount[k]; ++l) info.hingeEnds += links.cubeLinks[k][l].rigid ? 0 : 1;
  }
  // One array of all cube indexes, grouped by block, ascending within a block.
  auto* grouped = ctx.pool.AllocateArray<std::uint8_t>(static_cast<std::size_t>(c));
  if (grouped == nullptr) return false;
  std::array<int, kMaxCubes> start{};
  for (int g = 1; g < b; ++g) start[g] = start[g - 1] + ctx.blocks[g - 1].cubeCount;
  for (int g = 0; g < b; ++g) ctx.blocks[g].cubes = grouped + start[g];
  for (int k = 0; k < c; ++k)
    grouped[start[ctx.blockOfCube[k]] + ctx.positionInBlock[k]] = static_cast<std::uint8_t>(k);
  out.blocks = ctx.blocks;
  out.blockOfCube = ctx.blockOfCube;
  out.positionInBlock = ctx.positionInBlock;
  return true;
}

namespace {

// Cell codes x + 32y + 1024z of a block's cubes, moved to the origin and
// sorted: the key of an orientation of a hinge-free block (2 bytes a cube).
void ShapeKey(const Vec3* images, int size, std::uint8_t* key) {
  Vec3 lo = images[0];
  for (int j = 1; j < size; ++j)
    for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], images[j][a]);
  std::array<std::uint16_t, kMaxCubes> codes;
  for (int j = 0; j < size; ++j)
    codes[j] = static_cast<std::uint16_t>((images[j][0] - lo[0]) + 32 * (images[j][1] - lo[1]) +
                                          1024 * (images[j][2] - lo[2]));
  std::sort(codes.begin(), codes.begin() + size);
  for (int j = 0; j < size; ++j) {
    key[2 * j] = static_cast<std::uint8_t>(codes[j] & 0xFF);
    key[2 * j + 1] = static_cast<std::uint8_t>(codes[j] >> 8);
  }
}

// True when the orientation is new; then its key is kept in the pool and the set.
// `ok` turns false when the pool refuses.
bool IsNewShape(BlockPool& pool, ByteKeySet& shapes, const Vec3* images, int size, bool& ok) {
  std::array<std::uint8_t, 2 * kMaxCubes> scratch;
  ShapeKey(images, size, scratch.data());
  if (shapes.Find(scratch.data()) != nullptr) return false;
  auto* kept = pool.AllocateArray<std::uint8_t>(2 * static_cast<std::size_t>(size));
  if (kept == nullptr) {
    ok = false;
    return false;
  }
  std::copy(scratch.begin(), scratch.begin() + 2 * size, kept);
  shapes.Insert(kept);
  return true;
}

// The figure offsets of a block's cubes from its own minimum corner, and
// its extents (w, d, 1).
struct BlockFrame {
  std::array<Vec3, kMaxCubes> rel;
  Vec3 extent{0, 0, 1};
};

BlockFrame FrameOf(const Context& ctx, const BlockInfo& info) {
  BlockFrame frame;
  Vec3 lo{100, 100, 0};
  for (int j = 0; j < info.cubeCount; ++j)
    for (int a = 0; a < 2; ++a) lo[a] = std::min(lo[a], ctx.cubeFigure[info.cubes[j]][a]);
  for (int j = 0; j < info.cubeCount; ++j) {
    const Vec3& f = ctx.cubeFigure[info.cubes[j]];
    frame.rel[j] = {f[0] - lo[0], f[1] - lo[1], 0};
    for (int a = 0; a < 2; ++a) frame.extent[a] = std::max(frame.extent[a], frame.rel[j][a] + 1);
  }
  return frame;
}

// The cells of the block's cubes with rotation k and its first cube on form
// cell m; false when one falls outside the form.
bool CellsAt(const Context& ctx, const std::array<Vec3, kMaxCubes>& images, int size, int m,
             std::uint8_t* cells) {
  const Vec3 first = CellCoordinates(CellIndex(ctx.formCells[m]));
  for (int j = 0; j < size; ++j) {
    const Vec3 c{first[0] + images[j][0] - images[0][0], first[1] + images[j][1] - images[0][1],
                 first[2] + images[j][2] - images[0][2]};
    const int number = CellNumberAt(ctx, c);
    if (number < 0) return false;
    cells[j] = static_cast<std::uint8_t>(number);
  }
  return true;
}

// Numbers the placements of block g in the placement index: every
// rotation (of a hinge-free block, one per shape) at every form cell where
// the block fits.
bool NumberBlockPlacements(Context& ctx, ByteKeySet& shapes, int g, int& count) {
  BlockInfo& info = ctx.blocks[g];
  const int size = info.cubeCount;
  const int n = ctx.out.formCellCount;
  info.firstPlacement = count;
  const BlockFrame frame = FrameOf(ctx, info);

  shapes.Reset(2 * static_cast<std::size_t>(size));
  bool ok = true;
  IsNewShape(ctx.pool, shapes, frame.rel.data(), size, ok);  // the unrotated shape
  if (!ok) return false;

  std::int32_t* index = ctx.placementIndex + static_cast<std::size_t>(g) * kRotationCount * n;
  std::array<Vec3, kMaxCubes> images;
  std::array<std::uint8_t, kMaxCubes> cells;
  for (int k = 0; k < kRotationCount; ++k) {
    const auto rotation = static_cast<Rotation>(k);
    for (int j = 0; j < size; ++j)
      images[j] = ApplySymmetryToCell(CodeOfRotation(rotation), frame.rel[j], frame.extent);
    if (k > 0 && info.hingeEnds == 0 && !IsNewShape(ctx.pool, shapes, images.data(), size, ok)) {
      if (!ok) return false;
      continue;
    }
    for (int m = 0; m < n; ++m)
      if (CellsAt(ctx, images, size, m, cells.data())) index[k * n + m] = count++;
  }
  info.endPlacement = count;
  return true;
}

// Fills the numbered placements of block g, their cells in `cells`.
void FillBlockPlacements(Context& ctx, int g, std::uint8_t*& cells) {
  const BlockInfo& info = ctx.blocks[g];
  const int size = info.cubeCount;
  const int n = ctx.out.formCellCount;
  const BlockFrame frame = FrameOf(ctx, info);
  const std::int32_t* index = ctx.placementIndex + static_cast<std::size_t>(g) * kRotationCount * n;
  std::array<Vec3, kMaxCubes> images;
  for (int k = 0; k < kRotationCount; ++k) {
    const auto rotation = static_cast<Rotation>(k);
    bool imaged = false;
    for (int m = 0; m < n; ++m) {
      const std::int32_t q = index[k * n + m];
      if (q < 0) continue;
      if (!imaged)
        for (int j = 0; j < size; ++j)
          images[j] = ApplySymmetryToCell(CodeOfRotation(rotation), frame.rel[j], frame.extent);
      imaged = true;
      CellsAt(ctx, images, size, m, cells);
      ctx.placements[q] = {static_cast<std::uint8_t>(g), rotation, info.hingeEnds, cells, nullptr};
      cells += size;
    }
  }
}

}  // namespace

bool BuildPlacements(Context& ctx, ByteKeySet& shapes) {
  PreparedSearch& out = ctx.out;
  const std::size_t indexSize = static_cast<std::size_t>(out.blockCount) * kRotationCount * out.formCellCount;
  ctx.placementIndex = ctx.pool.AllocateArray<std::int32_t>(indexSize);
  if (ctx.placementIndex == nullptr) return false;
  std::fill(ctx.placementIndex, ctx.placementIndex + indexSize, -1);
  // Numbered first, then stored in arrays of their exact size: the pool
  // never takes back the room of an array that grows.
  int count = 0;
  std::size_t cellTotal = 0;
  for (int g = 0; g < out.blockCount; ++g) {
    if (!NumberBlockPlacements(ctx, shapes, g, count)) return false;
    const BlockInfo& info = ctx.blocks[g];
    cellTotal += static_cast<std::size_t>(info.endPlacement - info.firstPlacement) *
                 static_cast<std::size_t>(info.cubeCount);
  }
  const auto placements = static_cast<std::size_t>(std::max(count, 1));
  ctx.placements = ctx.pool.AllocateArray<Placement>(placements);
  auto* cells = ctx.pool.AllocateArray<std::uint8_t>(std::max<std::size_t>(cellTotal, 1));
  ctx.placementAvailable = ctx.pool.AllocateArray<std::uint8_t>(placements);
  if (ctx.placements == nullptr || cells == nullptr || ctx.placementAvailable == nullptr) return false;
  out.placementCount = count;
  for (int g = 0; g < out.blockCount; ++g) FillBlockPlacements(ctx, g, cells);
  std::fill(ctx.placementAvailable, ctx.placementAvailable + out.placementCount, std::uint8_t{1});
  out.placements = ctx.placements;
  out.placementAvailable = ctx.placementAvailable;
  out.placementIndex = ctx.placementIndex;
  return true;
}

}  // namespace zv::prepare
