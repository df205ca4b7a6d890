// The example puzzles of examples/ and their expected solution counts, read
// from examples/manifest.txt (one puzzle a line: file, solutions, tag fast or
// bench; '#' starts a comment line).
//
//   for (const zv::test::ExampleEntry& e : zv::test::ReadExampleManifest()) ...
//     e.path, e.solutions, e.fast
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace zv::test {

struct ExampleEntry {
  std::string file;  // name inside examples/
  std::string path;  // full path
  int solutions = 0;
  bool fast = false;  // runs in the test suite; else benchmark only
};

// $ZORVAT_SOURCE_DIR/examples; the test registration sets the variable.
inline std::string ExamplesFolder() {
  const char* root = std::getenv("ZORVAT_SOURCE_DIR");
  if (root == nullptr) throw std::runtime_error("ZORVAT_SOURCE_DIR is not set");
  return std::string(root) + "/examples";
}

// Throws with the line number on a malformed line, so a damaged manifest
// fails the tests instead of silently checking fewer puzzles.
inline std::vector<ExampleEntry> ReadExampleManifest(const std::string& folder = ExamplesFolder()) {
  std::ifstream in(folder + "/manifest.txt");
  if (!in) throw std::runtime_error("cannot read " + folder + "/manifest.txt");
  std::vector<ExampleEntry> entries;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    ExampleEntry e;
    std::string tag, extra;
    if (!(fields >> e.file >> e.solutions >> tag) || (tag != "fast" && tag != "bench") || (fields >> extra))
      throw std::runtime_error("manifest line " + std::to_string(number) + " is malformed: " + line);
    e.path = folder + "/" + e.file;
    e.fast = tag == "fast";
    entries.push_back(e);
  }
  return entries;
}

}  // namespace zv::test
