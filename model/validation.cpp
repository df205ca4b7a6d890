// Task validation: counters, occupied boxes, the checks in their fixed order,
// the link analysis (cube link lists, blocks, parts, cycles).
#include "model/validation.h"

#include <algorithm>

#include "model/grid_ranges.h"

namespace zv {
namespace {

constexpr int kNoCube = -1;

// Face-neighbour offsets in rigid slot order: right, left, below, above.
constexpr int kSlotOffsets[4] = {1, -1, 32, -32};

void Extend(int v, int& min, int& max) {
  min = std::min(min, v);
  max = std::max(max, v);
}

// A recorded conflict pair with its kind; the first one found wins.
struct Conflict {
  ValidationError kind = ValidationError::None;
  int a = kNoCube, b = kNoCube;
  void Record(ValidationError k, int first, int second) {
    if (kind != ValidationError::None) return;
    kind = k;
    a = first;
    b = second;
  }
};

// Cube index at `cell`, or kNoCube when no cube of the figure stands there.
// cubeAtCell alone cannot tell: it holds 0 both for cube 0 and for no cube.
int CubeAt(const FigureState& figure, const LinkAnalysis& out, int cell) {
  return CubeInFigure(figure, cell) ? out.cubeAtCell[cell] : kNoCube;
}

// Appends one link end to cube `cube`'s list, which has room for it.
void AppendEnd(LinkAnalysis& out, int cube, int partner, int side, bool rigid) {
  out.cubeLinks[cube][out.linkCount[cube]++] = {static_cast<std::uint8_t>(partner),
                                                static_cast<std::uint8_t>(side),
                                                static_cast<std::uint8_t>(rigid ? 1 : 0)};
}

// A partner listed twice among cube `cube`'s entries and the one that did not
// fit; some partner must repeat, as a cube has only eight neighbours.
int RepeatedPartner(const LinkAnalysis& out, int cube, int extraPartner) {
  const auto& list = out.cubeLinks[cube];
  for (int i = 0; i < kMaxLinksPerCube; ++i) {
    if (list[i].partner == extraPartner) return extraPartner;
    for (int j = 0; j < i; ++j)
      if (list[j].partner == list[i].partner) return list[i].partner;
  }
  return extraPartner;
}

// Cube indexes and the cube link lists. Links whose first or second cube is
// missing (only in a task file) are skipped. A list is full after eight
// entries: with at most one link per pair a cube has no more, so a ninth end
// means some pair carries two links (a damaged task file). Such a link is
// left out and the full cube's doubly linked pair becomes an overflow
// conflict.
void CollectLinks(const FigureState& figure, LinkAnalysis& out, Conflict& overflow) {
  int k = 0;
  for (int y = 0; y < CubeRows(figure); ++y)
    for (int x = 0; x < CubeColumns(figure); ++x) {
      const int cell = FigureCellIndex(x, y);
      if ((figure.Cells[cell] & kCubeBit) == 0) continue;
      out.cubeAtCell[cell] = static_cast<std::uint8_t>(k);
      out.cellOfCube[k] = static_cast<std::int16_t>(cell);
      ++k;
    }
  out.cubeCount = k;

  for (int y = 0; y <= CubeRows(figure); ++y)
    for (int x = 0; x <= CubeColumns(figure); ++x) {
      const int cell = FigureCellIndex(x, y);
      const FigureCell word = figure.Cells[cell];
      if ((word & kLinkMask) == 0) continue;
      for (int bit = 1; bit <= 14; ++bit) {
        if ((word & BitMask(bit)) == 0) continue;
        const int a = CubeAt(figure, out, cell + kLinkBits[bit].FirstOffset());
        const int b = CubeAt(figure, out, cell + kLinkBits[bit].SecondOffset());
        if (a == kNoCube || b == kNoCube) continue;
        const bool rigid = bit >= RigidX;
        int full = kNoCube;
        if (out.linkCount[a] >= kMaxLinksPerCube)
          full = a;
        else if (out.linkCount[b] >= kMaxLinksPerCube)
          full = b;
        if (full != kNoCube) {
          const int repeated = RepeatedPartner(out, full, full == a ? b : a);
          overflow.Record(ValidationError::CannotBeHinged, full, repeated);
          continue;
        }
        AppendEnd(out, a, b, FirstSideCode(bit), rigid);
        AppendEnd(out, b, a, SecondSideCode(bit), rigid);
        if (!rigid) {
          ++out.hingeCount[a];
          ++out.hingeCount[b];
        } else if (bit == RigidX) {  // a is the right cube, b the left
          out.rigidSlots[a][SlotLeft] = static_cast<std::uint8_t>(b + 1);
          out.rigidSlots[b][SlotRight] = static_cast<std::uint8_t>(a + 1);
        } else {  // RigidY: a is the lower cube, b the upper
          out.rigidSlots[a][SlotAbove] = static_cast<std::uint8_t>(b + 1);
          out.rigidSlots[b][SlotBelow] = static_cast<std::uint8_t>(a + 1);
        }
      }
    }
}

// Blocks flooded breadth-first through the rigid slots, numbered by
// their lowest cube index, with the first face-neighbour pair of one block
// that lacks its rigid joint recorded as must-be-rigid.
void FloodBlocks(const FigureState& figure, LinkAnalysis& out, Conflict& conflict) {
  int queue[kNumberSlots];
  for (int j = 0; j < out.cubeCount; ++j) {
    if (out.blockLabel[j] != 0) continue;
    const auto block = static_cast<std::uint8_t>(++out.blockCount);
    out.blockLabel[j] = block;
    int head = 0, tail = 0;
    queue[tail++] = j;
    while (head < tail) {
      const int c = queue[head++];
      for (int s = 0; s < 4 && conflict.kind == ValidationError::None; ++s) {
        const int n = CubeAt(figure, out, out.cellOfCube[c] + kSlotOffsets[s]);
        if (n != kNoCube && out.blockLabel[n] == block && out.rigidSlots[c][s] == 0) {
          conflict.Record(ValidationError::MustBeRigid, c, n);
        }
      }
      for (int s = 0; s < 4; ++s) {
        const int partner = out.rigidSlots[c][s] - 1;
        if (partner >= 0 && out.blockLabel[partner] == 0) {
          out.blockLabel[partner] = block;
          queue[tail++] = partner;
        }
      }
    }
  }
}

// Parts flooded breadth-first over all links, and the cycle
// tally: a hinge into a block already in the part adds 1, and 1 more when its
// partner is not yet visited, so every hinge closing a cycle counts twice.
void FloodParts(LinkAnalysis& out, Conflict& conflict) {
  int queue[kNumberSlots];
  int parent[kNumberSlots];
  std::uint8_t blockPart[kNumberSlots] = {};  // part in which a block is present, 0 = none
  int tally = 0;
  for (int j = 0; j < out.cubeCount; ++j) {
    if (out.partLabel[j] != 0) continue;
    const auto part = static_cast<std::uint8_t>(++out.partCount);
    int head = 0, tail = 0;
    auto visit = [&](int g, int from) {
      blockPart[out.blockLabel[g]] = part;
      out.partLabel[g] = part;
      parent[g] = from;
      queue[tail++] = g;
    };
    visit(j, kNoCube);
    while (head < tail) {
      const int c = queue[head++];
      for (int e = 0; e < out.linkCount[c]; ++e) {
        const LinkEntry& entry = out.cubeLinks[c][e];
        const int g = entry.partner;
        if (g == parent[c]) continue;
        const bool visited = out.partLabel[g] != 0;
        if (!entry.rigid) {
          if (out.blockLabel[g] == out.blockLabel[c]) {
            conflict.Record(ValidationError::CannotBeHinged, c, g);
          } else if (blockPart[out.blockLabel[g]] == part) {
            tally += visited ? 1 : 2;
          }
        }
        if (!visited) visit(g, c);
      }
    }
  }
  out.cycleCount = tally / 2;
}

// The checks after counting, in order, on the counters already in `v`: the
// first one that fails.
ValidationError FirstError(const TaskState& task, Validation& v) {
  if (v.cubeCount < 2) return ValidationError::TooFewCubes;
  if (v.cubeCount > kMaxCubes) return ValidationError::TooManyCubes;
  v.linksAnalysed = true;
  const ValidationError linkError = AnalyseLinks(task.figure, v.links, v.cubeA, v.cubeB);
  if (linkError != ValidationError::None) return linkError;
  if (v.formCellCount > kMaxFormCells) return ValidationError::FormTooLarge;
  if (v.surplus < 0) {
    v.count = -v.surplus;
    return ValidationError::FormTooSmall;
  }
  if (v.surplus > 0 && !task.EmptyCells) {
    v.count = v.surplus;
    return ValidationError::FormTooBig;
  }
  return ValidationError::None;
}

}  // namespace

ValidationError AnalyseLinks(const FigureState& figure, LinkAnalysis& out, CubeIndex& cubeA,
                             CubeIndex& cubeB) {
  out = LinkAnalysis{};
  cubeA = cubeB = CubeIndex::None();
  out.cubeCount = CountCubes(figure);
  if (out.cubeCount > kMaxCubes) return ValidationError::TooManyCubes;

  Conflict overflow, conflict;
  CollectLinks(figure, out, overflow);
  FloodBlocks(figure, out, conflict);
  FloodParts(out, conflict);
  // A must-be-rigid pair, then a hinge inside a block, then a pair with two
  // links that overflowed a cube link list.
  conflict.Record(overflow.kind, overflow.a, overflow.b);
  if (conflict.kind == ValidationError::None) return ValidationError::None;
  cubeA = CubeIndex(std::min(conflict.a, conflict.b));
  cubeB = CubeIndex(std::max(conflict.a, conflict.b));
  return conflict.kind;
}

Validation ValidateTask(const TaskState& task) {
  Validation v;
  const FigureState& figure = task.figure;
  int maxX = 0, maxY = 0, maxZ = 0;
  for (int y = 0; y < CubeRows(figure); ++y)
    for (int x = 0; x < CubeColumns(figure); ++x)
      if (figure.Cells[FigureCellIndex(x, y)] & kCubeBit) {
        ++v.cubeCount;
        Extend(x, v.figureBox.minX, maxX);
        Extend(y, v.figureBox.minY, maxY);
      }
  v.figureBox.w = maxX - v.figureBox.minX + 1;
  v.figureBox.d = maxY - v.figureBox.minY + 1;

  const FormState& form = task.form;
  maxX = maxY = 0;
  for (int z = 0; z < FormLayers(form); ++z)
    for (int y = 0; y < FormRows(form); ++y)
      for (int x = 0; x < FormColumns(form); ++x)
        if (form.At(FormCellIndex(x, y, z)) != 0) {
          ++v.formCellCount;
          Extend(x, v.formBox.minX, maxX);
          Extend(y, v.formBox.minY, maxY);
          Extend(z, v.formBox.minZ, maxZ);
        }
  v.formBox.w = maxX - v.formBox.minX + 1;
  v.formBox.d = maxY - v.formBox.minY + 1;
  v.formBox.h = maxZ - v.formBox.minZ + 1;

  v.surplus = v.formCellCount - v.cubeCount;
  v.error = FirstError(task, v);
  return v;
}

}  // namespace zv
