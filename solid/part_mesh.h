// One closed, outward-oriented triangle mesh per part of a solution: the
// faces of its cubes that no cube of the same part covers, two triangles
// each. Where two cubes of one part touch only along an edge or at a corner,
// the corner points are kept apart per cube group (cubes joined across faces
// around that point), so every edge of a part's mesh belongs to exactly two
// triangles.
//
// Usage:
//   std::vector<zv::Mesh> parts = zv::PartMeshes(solid);   // one per part
//
// Export frame: z points up and one unit is one cube edge; the occupied box's
// lowest corner is the origin, so the meshes fill [0, w] x [0, d] x [0, h]. A
// form cell (x, y, z) spans [x - minX, +1] x [maxY - y, +1] x [maxZ - z, +1]
// (a half turn about x of the solver's frame, where layer z + 1 lies below z).
#pragma once

#include <array>
#include <vector>

#include "model/strong_index.h"
#include "solid/solid_solution.h"

namespace zv {

struct Mesh {
  std::vector<Point> vertices;
  std::vector<std::array<int, 3>> triangles;  // counter-clockwise seen from outside
  std::vector<CubeIndex> triangleCube;        // the cube each triangle is a face of
};

std::vector<Mesh> PartMeshes(const SolidSolution& solid);

}  // namespace zv
