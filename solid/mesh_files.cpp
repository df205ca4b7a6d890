// Binary STL and OBJ/MTL files of part meshes.
#include "solid/mesh_files.h"

#include <bit>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "solid/part_colours.h"

namespace zv {
namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutFloat(std::vector<std::uint8_t>& out, double v) {
  PutU32(out, std::bit_cast<std::uint32_t>(static_cast<float>(v)));
}

void PutPoint(std::vector<std::uint8_t>& out, const Point& p) {
  for (double v : p) PutFloat(out, v);
}

std::string Number(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.6g", v);
  return text;
}

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

}  // namespace

std::vector<std::uint8_t> StlBytes(const std::vector<Mesh>& parts, double scale) {
  std::vector<std::uint8_t> out(80, 0);
  const char header[] = "zorvat solution; attribute = part number";
  std::memcpy(out.data(), header, sizeof header - 1);
  std::uint32_t count = 0;
  for (const Mesh& m : parts) count += static_cast<std::uint32_t>(m.triangles.size());
  PutU32(out, count);
  for (std::size_t part = 0; part < parts.size(); ++part)
    for (const auto& t : parts[part].triangles) {
      const Point& a = parts[part].vertices[t[0]];
      const Point& b = parts[part].vertices[t[1]];
      const Point& c = parts[part].vertices[t[2]];
      const Point n = Cross(b - a, c - a);
      PutPoint(out, (1 / Length(n)) * n);
      for (const Point* p : {&a, &b, &c}) PutPoint(out, scale * *p);
      out.push_back(static_cast<std::uint8_t>((part + 1) & 0xFF));
      out.push_back(static_cast<std::uint8_t>((part + 1) >> 8));
    }
  return out;
}

std::string MtlPath(const std::string& objPath) {
  const std::size_t slash = objPath.find_last_of('/');
  const std::size_t dot = objPath.find_last_of('.');
  const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
  return (hasExtension ? objPath.substr(0, dot) : objPath) + ".mtl";
}

ObjText MakeObjText(const std::vector<Mesh>& parts, double scale, const std::string& mtlName) {
  ObjText text;
  text.obj = "# zorvat solution, one object and material per part\nmtllib " + mtlName + "\n";
  int base = 1;  // OBJ counts vertices from 1 over the whole file
  for (std::size_t part = 0; part < parts.size(); ++part) {
    const std::string name = "part" + std::to_string(part + 1);
    const std::uint32_t rgb = PartColour(static_cast<int>(part));
    text.mtl += "newmtl " + name + "\nKd " + Number((rgb >> 16 & 0xFF) / 255.0) + " " +
                Number((rgb >> 8 & 0xFF) / 255.0) + " " + Number((rgb & 0xFF) / 255.0) + "\n";
    text.obj += "o " + name + "\nusemtl " + name + "\n";
    for (const Point& p : parts[part].vertices)
      text.obj +=
          "v " + Number(scale * p[0]) + " " + Number(scale * p[1]) + " " + Number(scale * p[2]) + "\n";
    for (const auto& t : parts[part].triangles)
      text.obj += "f " + std::to_string(base + t[0]) + " " + std::to_string(base + t[1]) + " " +
                  std::to_string(base + t[2]) + "\n";
    base += static_cast<int>(parts[part].vertices.size());
  }
  return text;
}

bool WriteStl(const std::string& path, const std::vector<Mesh>& parts, double scale) {
  return WriteWholeFileAtomic(path, StlBytes(parts, scale));
}

bool WriteObj(const std::string& path, const std::vector<Mesh>& parts, double scale) {
  const std::string mtl = MtlPath(path);
  const std::size_t slash = mtl.find_last_of('/');
  const ObjText text = MakeObjText(parts, scale, slash == std::string::npos ? mtl : mtl.substr(slash + 1));
  return WriteWholeFileAtomic(mtl, Bytes(text.mtl)) && WriteWholeFileAtomic(path, Bytes(text.obj));
}

}  // namespace zv
