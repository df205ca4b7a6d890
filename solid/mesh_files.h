// The part meshes of a solution as files for 3-D printing and other
// programs, written atomically (platform/files.h):
//   STL, binary: an 80-byte header, the triangle count, then per triangle
//     its normal, three corners (little-endian floats) and a 16-bit
//     attribute holding the part number from 1, so a reader can tell the
//     parts' closed meshes apart;
//   OBJ with its MTL beside it (same name, extension .mtl): one object
//     "partN" per part, its faces in the colours of their cubes (one
//     material "cRRGGBB" per colour), as CubeColours (solid/part_colours.h)
//     gives them and the 3-D view shows them.
// Coordinates are the part meshes' (z up, one unit per cube edge) times
// `scale`.
//
// Usage:
//   bool ok = zv::WriteStl("out.stl", zv::PartMeshes(solid), 10.0);
//   ok = zv::WriteObj("out.obj", zv::PartMeshes(solid), 10.0, zv::CubeColours(solid, zv::kDefaultCubeRgb));
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "solid/part_mesh.h"

namespace zv {

std::vector<std::uint8_t> StlBytes(const std::vector<Mesh>& parts, double scale);

struct ObjText {
  std::string obj, mtl;
};
// `mtlName` is the file name the OBJ's mtllib line names; `colours` holds
// every cube's 0xRRGGBB.
ObjText MakeObjText(const std::vector<Mesh>& parts, double scale, const std::string& mtlName,
                    const std::vector<std::uint32_t>& colours);

// The MTL file's path for an OBJ path: its extension replaced by .mtl.
std::string MtlPath(const std::string& objPath);

// False when a file could not be written (the old files stay as they were).
bool WriteStl(const std::string& path, const std::vector<Mesh>& parts, double scale);
bool WriteObj(const std::string& path, const std::vector<Mesh>& parts, double scale,
              const std::vector<std::uint32_t>& colours);

}  // namespace zv
