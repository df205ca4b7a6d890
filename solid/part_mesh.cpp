// Meshes of the parts: exposed cube faces, corner points shared within each
// face-joined cube group around them.
#include "solid/part_mesh.h"

#include <map>
#include <tuple>

namespace zv {
namespace {

// The part of the cube in each cell of a box around the occupied cells, -1
// where none; cells are addressed in the solver's frame.
struct CellParts {
  Vec3 low;  // the box's smallest cell, one less than the occupied box
  int w = 0, d = 0, h = 0;
  std::vector<int> part;

  explicit CellParts(const SolidSolution& s)
      : low{s.boxMin[0] - 1, s.boxMin[1] - 1, s.boxMin[2] - 1},
        w(s.boxMax[0] - s.boxMin[0] + 3),
        d(s.boxMax[1] - s.boxMin[1] + 3),
        h(s.boxMax[2] - s.boxMin[2] + 3),
        part(static_cast<std::size_t>(w) * d * h, -1) {
    for (int k = 0; k < s.cubeCount; ++k) part[Index(s.formCell[k])] = s.part[k];
  }
  int Index(const Vec3& c) const { return ((c[2] - low[2]) * d + (c[1] - low[1])) * w + (c[0] - low[0]); }
  int At(const Vec3& c) const {
    if (c[0] < low[0] || c[1] < low[1] || c[2] < low[2] || c[0] >= low[0] + w || c[1] >= low[1] + d ||
        c[2] >= low[2] + h)
      return -1;
    return part[Index(c)];
  }
};

// Lattice corner L lies at L - (0.5, 0.5, 0.5) in the solver's frame; the
// eight cells around it are L - bits. The group of cell `own` among those of
// `part`: the lowest bit pattern joined to it across faces.
int CornerGroup(const CellParts& cells, const Vec3& corner, int part, int own) {
  std::array<bool, 8> member{};
  for (int b = 0; b < 8; ++b)
    member[b] = cells.At({corner[0] - (b & 1), corner[1] - (b >> 1 & 1), corner[2] - (b >> 2 & 1)}) == part;
  std::array<bool, 8> reached{};
  reached[own] = true;
  for (bool grew = true; grew;) {
    grew = false;
    for (int b = 0; b < 8; ++b)
      for (int axis = 0; axis < 3; ++axis) {
        const int n = b ^ (1 << axis);
        if (reached[b] && member[n] && !reached[n]) reached[n] = grew = true;
      }
  }
  for (int b = 0; b < 8; ++b)
    if (reached[b]) return b;
  return own;
}

}  // namespace

std::vector<Mesh> PartMeshes(const SolidSolution& s) {
  const CellParts cells(s);
  std::vector<Mesh> meshes(s.partCount);
  std::vector<std::map<std::tuple<int, int, int, int>, int>> vertexOf(s.partCount);
  for (int k = 0; k < s.cubeCount; ++k) {
    const int part = s.part[k];
    const Vec3& c = s.formCell[k];
    Mesh& mesh = meshes[part];
    for (int f = 0; f < kFaceCount; ++f) {
      const Vec3& n = kFaceVector[f];
      if (cells.At({c[0] + n[0], c[1] + n[1], c[2] + n[2]}) == part) continue;
      const int a = f / 2, b = (a + 1) % 3, e = (a + 2) % 3;
      // Corners (0,0), (1,0), (1,1), (0,1) along axes b and e turn about +a.
      std::array<std::array<int, 2>, 4> square{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
      if (f % 2 == 0) std::swap(square[1], square[3]);
      std::array<int, 4> index{};
      for (int i = 0; i < 4; ++i) {
        Vec3 corner = c;
        corner[a] += f % 2;
        corner[b] += square[i][0];
        corner[e] += square[i][1];
        const int own = (corner[0] - c[0]) | (corner[1] - c[1]) << 1 | (corner[2] - c[2]) << 2;
        const auto key =
            std::make_tuple(corner[0], corner[1], corner[2], CornerGroup(cells, corner, part, own));
        auto [it, added] = vertexOf[part].try_emplace(key, static_cast<int>(mesh.vertices.size()));
        if (added)
          mesh.vertices.push_back({double(corner[0] - s.boxMin[0]), double(s.boxMax[1] + 1 - corner[1]),
                                   double(s.boxMax[2] + 1 - corner[2])});
        index[i] = it->second;
      }
      mesh.triangles.push_back({index[0], index[1], index[2]});
      mesh.triangles.push_back({index[0], index[2], index[3]});
      mesh.triangleCube.insert(mesh.triangleCube.end(), 2, CubeIndex(k));
    }
  }
  return meshes;
}

}  // namespace zv
