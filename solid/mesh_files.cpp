// Binary STL and OBJ/MTL files of part meshes.
#include "solid/mesh_files.h"

#include <bit>
#include <cstdio>
#include <cstring>
#include <optional>
#include <set>

#include "platform/files.h"

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

ObjText MakeObjText(const std::vector<Mesh>& parts, double scale, const std::string& mtlName,
                    const std::vector<std::uint32_t>& colours) {
  ObjText text;
  text.obj = "# zorvat solution, one object per part, one material per cube colour\nmtllib " + mtlName + "\n";
  std::set<std::uint32_t> written;
  auto material = [&](std::uint32_t rgb) {
    char name[8];
    std::snprintf(name, sizeof name, "c%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    if (written.insert(rgb).second)
      text.mtl += std::string("newmtl ") + name + "\nKd " + Number((rgb >> 16 & 0xFF) / 255.0) + " " +
                  Number((rgb >> 8 & 0xFF) / 255.0) + " " + Number((rgb & 0xFF) / 255.0) + "\n";
    return std::string(name);
  };
  int base = 1;  // OBJ counts vertices from 1 over the whole file
  for (std::size_t part = 0; part < parts.size(); ++part) {
    const Mesh& mesh = parts[part];
    text.obj += "o part" + std::to_string(part + 1) + "\n";
    for (const Point& p : mesh.vertices)
      text.obj +=
          "v " + Number(scale * p[0]) + " " + Number(scale * p[1]) + " " + Number(scale * p[2]) + "\n";
    // A material line wherever the colour changes (the faces of one cube come together).
    std::optional<std::uint32_t> current;
    for (std::size_t i = 0; i < mesh.triangles.size(); ++i) {
      const std::uint32_t rgb = colours[static_cast<std::size_t>(mesh.triangleCube[i].value())];
      if (current != rgb) text.obj += "usemtl " + material(rgb) + "\n";
      current = rgb;
      const auto& t = mesh.triangles[i];
      text.obj += "f " + std::to_string(base + t[0]) + " " + std::to_string(base + t[1]) + " " +
                  std::to_string(base + t[2]) + "\n";
    }
    base += static_cast<int>(mesh.vertices.size());
  }
  return text;
}

bool WriteStl(const std::string& path, const std::vector<Mesh>& parts, double scale) {
  return WriteWholeFileAtomic(path, StlBytes(parts, scale));
}

bool WriteObj(const std::string& path, const std::vector<Mesh>& parts, double scale,
              const std::vector<std::uint32_t>& colours) {
  const std::string mtl = MtlPath(path);
  const std::size_t slash = mtl.find_last_of('/');
  const ObjText text =
      MakeObjText(parts, scale, slash == std::string::npos ? mtl : mtl.substr(slash + 1), colours);
  return WriteWholeFileAtomic(mtl, Bytes(text.mtl)) && WriteWholeFileAtomic(path, Bytes(text.obj));
}

}  // namespace zv
