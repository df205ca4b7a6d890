// The part meshes read back from their files, for the first stored solution
// of every quick example: the OBJ's meshes are closed (every edge in exactly
// two triangles of its part) and consistently oriented, enclose one unit of
// volume per cube, have no face between two cubes of one part, fill exactly
// the occupied box, and colour every face as CubeColours colours its cube
// (the 3-D view's table); the STL holds the same triangles, its attribute
// numbering the parts.
#include "solid/mesh_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <sstream>

#include "platform/files.h"
#include "solid/part_colours.h"
#include "tests/solid/solved_examples.h"
#include "tests/support/temp_folder.h"

namespace zv {
namespace {

using namespace zv::test;

struct ReadMesh {
  std::vector<Point> vertices;
  std::vector<std::array<int, 3>> triangles;
  std::vector<std::string> materials;  // of each triangle
};

// The objects of an OBJ file, each triangle with the material it uses.
std::vector<ReadMesh> ReadObj(const std::string& text) {
  std::vector<ReadMesh> parts;
  std::vector<Point> all;
  std::string material;
  std::istringstream in(text);
  for (std::string word; in >> word;) {
    if (word == "o") {
      parts.emplace_back();
    } else if (word == "usemtl") {
      in >> material;
    } else if (word == "v") {
      Point p;
      in >> p[0] >> p[1] >> p[2];
      all.push_back(p);
    } else if (word == "f") {
      std::array<int, 3> t;
      in >> t[0] >> t[1] >> t[2];
      parts.back().triangles.push_back({t[0] - 1, t[1] - 1, t[2] - 1});  // OBJ counts from 1
      parts.back().materials.push_back(material);
    } else {
      std::getline(in, word);
    }
  }
  for (ReadMesh& m : parts) m.vertices = all;
  return parts;
}

// The colour of each material of an MTL file, as 0xRRGGBB.
std::map<std::string, std::uint32_t> ReadMtl(const std::string& text) {
  std::map<std::string, std::uint32_t> colours;
  std::istringstream in(text);
  std::string name;
  for (std::string word; in >> word;) {
    if (word == "newmtl") {
      in >> name;
    } else if (word == "Kd") {
      double r, g, b;
      in >> r >> g >> b;
      colours[name] = static_cast<std::uint32_t>(std::lround(r * 255)) << 16 |
                      static_cast<std::uint32_t>(std::lround(g * 255)) << 8 |
                      static_cast<std::uint32_t>(std::lround(b * 255));
    }
  }
  return colours;
}

// Where the cubes of each part stand, in the export frame: lowest corners.
std::set<std::array<int, 4>> ExportCells(const SolidSolution& s) {
  std::set<std::array<int, 4>> cells;
  for (int k = 0; k < s.cubeCount; ++k)
    cells.insert({s.part[k], s.formCell[k][0] - s.boxMin[0], s.boxMax[1] - s.formCell[k][1],
                  s.boxMax[2] - s.formCell[k][2]});
  return cells;
}

// `colourOf`: the colour of each material.
void CheckPartMesh(const ReadMesh& m, int part, const SolidSolution& s, double scale,
                   const std::map<std::string, std::uint32_t>& colourOf, Point& low, Point& high) {
  const std::set<std::array<int, 4>> cells = ExportCells(s);
  const std::vector<std::uint32_t> colours = CubeColours(s, kDefaultCubeRgb);
  auto key = [&](const Point& p) {
    std::array<int, 4> key{part};
    for (int i = 0; i < 3; ++i) key[i + 1] = static_cast<int>(std::floor(p[i] / scale));
    return key;
  };
  auto inside = [&](const Point& p) { return cells.count(key(p)) > 0; };
  std::map<std::pair<int, int>, int> directed;
  double volume = 0;
  for (const auto& t : m.triangles) {
    for (int i = 0; i < 3; ++i) ++directed[{t[i], t[(i + 1) % 3]}];
    const Point &a = m.vertices[t[0]], &b = m.vertices[t[1]], &c = m.vertices[t[2]];
    volume += Dot(a, Cross(b, c)) / 6;
    const Point n = Cross(b - a, c - a), centre = (1.0 / 3) * (a + b + c);
    const Point step = (0.25 * scale / Length(n)) * n;
    EXPECT_TRUE(inside(centre - step) && !inside(centre + step)) << "a face inside the part or facing in";
    // The face's colour is its cube's in the view's table.
    const std::array<int, 4> cell = key(centre - step);
    for (int k = 0; k < s.cubeCount; ++k)
      if (std::array<int, 4>{s.part[k], s.formCell[k][0] - s.boxMin[0], s.boxMax[1] - s.formCell[k][1],
                             s.boxMax[2] - s.formCell[k][2]} == cell) {
        const auto material = colourOf.find(m.materials[&t - m.triangles.data()]);
        ASSERT_NE(material, colourOf.end()) << "a material the MTL file lacks";
        EXPECT_EQ(material->second, colours[k]) << "cube " << k;
      }
    for (const Point* p : {&a, &b, &c})
      for (int i = 0; i < 3; ++i) {
        low[i] = std::min(low[i], (*p)[i]);
        high[i] = std::max(high[i], (*p)[i]);
      }
  }
  for (const auto& [edge, count] : directed) {
    EXPECT_EQ(count, 1) << "an edge met twice in one direction";
    EXPECT_EQ(directed.count({edge.second, edge.first}), 1u) << "an edge of one triangle only";
  }
  int cubes = 0;
  for (int k = 0; k < s.cubeCount; ++k) cubes += s.part[k] == part;
  EXPECT_NEAR(volume, cubes * scale * scale * scale, 1e-6);
}

float FloatAt(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  float f;
  std::memcpy(&f, bytes.data() + at, 4);
  return f;
}

TEST(MeshFiles, PartMeshesReadBackClosedOrientedAndInTheOccupiedBox) {
  TempFolder folder;
  const double scale = 2.5;
  for (const SolvedExample& e : SolveQuickExamples()) {
    SCOPED_TRACE(e.file);
    const SolidSolution s = e.Solid(0);
    const std::vector<Mesh> meshes = PartMeshes(s);
    const std::string obj = (folder.Path() / "solution.obj").string(),
                      stl = (folder.Path() / "solution.stl").string();
    ASSERT_TRUE(WriteObj(obj, meshes, scale, CubeColours(s, kDefaultCubeRgb)));
    ASSERT_TRUE(WriteStl(stl, meshes, scale));

    std::vector<std::uint8_t> objBytes, mtlBytes, stlBytes;
    ASSERT_EQ(ReadWholeFile(obj, objBytes), FileReadStatus::Ok);
    ASSERT_EQ(ReadWholeFile((folder.Path() / "solution.mtl").string(), mtlBytes), FileReadStatus::Ok);
    ASSERT_EQ(ReadWholeFile(stl, stlBytes), FileReadStatus::Ok);
    const std::vector<ReadMesh> parts = ReadObj({objBytes.begin(), objBytes.end()});
    const std::map<std::string, std::uint32_t> colourOf = ReadMtl({mtlBytes.begin(), mtlBytes.end()});
    ASSERT_EQ(static_cast<int>(parts.size()), s.partCount);
    Point low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    std::size_t triangles = 0;
    for (int p = 0; p < s.partCount; ++p) {
      CheckPartMesh(parts[p], p, s, scale, colourOf, low, high);
      triangles += parts[p].triangles.size();
    }
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(low[i], 0, 1e-9);
      EXPECT_NEAR(high[i], scale * (s.boxMax[i] - s.boxMin[i] + 1), 1e-9);
    }
    // The STL: the same triangles, part by part, and the same box.
    ASSERT_EQ(stlBytes.size(), 84 + 50 * triangles);
    std::uint32_t count;
    std::memcpy(&count, stlBytes.data() + 80, 4);
    EXPECT_EQ(count, triangles);
    std::size_t at = 84;
    for (int p = 0; p < s.partCount; ++p)
      for (const auto& t : parts[p].triangles) {
        for (int corner = 0; corner < 3; ++corner)
          for (int i = 0; i < 3; ++i)
            ASSERT_NEAR(FloatAt(stlBytes, at + 12 + 12 * corner + 4 * i), parts[p].vertices[t[corner]][i],
                        1e-5);
        EXPECT_EQ(stlBytes[at + 48] | stlBytes[at + 49] << 8, p + 1);
        at += 50;
      }
  }
}

}  // namespace
}  // namespace zv
