// Writes the seed corpus of the task file fuzzer into the folder named by the
// only argument: well-formed task files of every feature, and damaged ones
// for each check of the reader.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "storage/task_file.h"
#include "tests/support/task_builder.h"

namespace zv::test {
namespace {

using Bytes = std::vector<std::uint8_t>;

TaskState Domino() {
  TaskState t = MakeTask({"##"}, {{"##"}});
  SetLink(t, 1, 0, RigidX);
  return t;
}

// A 3x3 figure with every kind of link, renumbered, in a two-layer form.
TaskState Linked() {
  TaskState t = MakeTask({"###", "##.", "#.#"}, {{"###", "##."}, {"#.#", "..."}});
  FigureState& f = t.figure;
  ToggleLink(f, FigureCellIndex(1, 0), RigidX);
  ToggleLink(f, FigureCellIndex(2, 0), EdgeX2);
  ToggleLink(f, FigureCellIndex(0, 1), AxisY);
  ToggleLink(f, FigureCellIndex(1, 1), EdgeY1);
  ToggleLink(f, FigureCellIndex(1, 2), CornerXUpper);
  ToggleLink(f, FigureCellIndex(2, 2), CornerDiag);
  AssignNumber(f, FigureCellIndex(2, 2), 0);
  t.Text = "\xCF\xF0\xE8\xEC\xE5\xF0\r\nexample";
  t.EmptyCells = true;
  return t;
}

TaskState CornerOutside() {
  TaskState t = MakeTask({"#", "#"}, {{"#", "#"}});
  ToggleLink(t.figure, FigureCellIndex(1, 1), CornerYLeft);
  return t;
}

TaskState LargeForm() {
  TaskState t = Domino();
  t.form.FormWidth = 30;
  t.form.FormDepth = 30;
  t.form.FormHeight = 10;
  FillForm(t.form);
  return t;
}

Bytes WithByte(Bytes b, std::size_t at, std::uint8_t value) {
  b[at] = value;
  return b;
}

bool WriteSeed(const std::string& folder, const char* name, const Bytes& bytes) {
  if (WriteWholeFileAtomic(folder + "/" + name, bytes)) return true;
  std::fprintf(stderr, "cannot write %s/%s\n", folder.c_str(), name);
  return false;
}

}  // namespace
}  // namespace zv::test

int main(int argc, char** argv) {
  using namespace zv;
  using namespace zv::test;
  if (argc != 2) {
    std::fprintf(stderr, "usage: task_file_seeds FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const Bytes domino = BuildTaskImage(Domino());
  const Bytes linked = BuildTaskImage(Linked());
  Bytes empty = BuildTaskImage(MakeTask({"."}, {{"."}}));
  Bytes trailing = domino;
  trailing.push_back(0);

  // clang-format off
  const std::pair<const char*, Bytes> seeds[] = {
      {"domino.zvt",          domino},
      {"linked.zvt",          linked},
      {"corner_outside.zvt",  BuildTaskImage(CornerOutside())},
      {"large_form.zvt",      BuildTaskImage(LargeForm())},
      {"empty.zvt",           empty},
      {"version0.zvt",        WithByte(domino, 4, 0)},
      {"newer.zvt",           WithByte(domino, 4, 2)},
      {"bad_magic.zvt",       WithByte(domino, 0, 0x07)},
      {"short.zvt",           Bytes(domino.begin(), domino.begin() + 22)},
      {"no_text_end.zvt",     Bytes(domino.begin(), domino.begin() + 32)},
      {"trailing.zvt",        trailing},
      {"bad_numbering.zvt",   WithByte(linked, linked.size() - 1, linked[linked.size() - 2])},
      {"cube_outside.zvt",    WithByte(domino, 12, 1)},
      {"huge_counts.zvt",     WithByte(domino, 36, 0x7F)},
  };
  // clang-format on
  bool ok = true;
  for (const auto& [name, bytes] : seeds) ok = WriteSeed(folder, name, bytes) && ok;
  return ok ? 0 : 1;
}
