// zorvat-cli export TASK.zvt --solution N --format
// stl|obj|svg|png|html|fold-svg|fold-pdf OUT [--scale S] [--json]: solves the
// task with the default engine and writes stored solution N (counted from 1)
// as a 3-D model: binary STL, or OBJ with its MTL beside it
// (solid/mesh_files.h), one unit per cube edge times S; or as a picture of
// the 3-D view, S times 400 pixels square; or as a web page of the solution
// and its fold (cli/fold_page_file.cpp); or as its fold instructions
// (cli/fold_sheet_file.cpp). OUT is replaced atomically; N out of range, an
// unknown format, an OUT that is the task file or an unwritable OUT is a
// failure with exit status 2, a solution without a found folding motion
// asked for its fold instructions one with status 7.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <iostream>
#include <optional>

#include "cli/commands.h"
#include "cli/picture_files.h"
#include "model/validation.h"
#include "solid/mesh_files.h"
#include "solid/part_colours.h"
#include "solver/solver.h"
#include "texts/core_texts.h"

namespace zv::cli {
namespace {

// A whole number or decimal fraction filling all of `text`.
bool ParseNumber(const std::string& text, double& value) {
  std::size_t used = 0;
  try {
    value = std::stod(text, &used);
  } catch (const std::exception&) {
    return false;
  }
  return used == text.size() && std::isfinite(value);
}

bool IsFoldSheet(const std::string& format) { return format == "fold-svg" || format == "fold-pdf"; }

struct ExportArguments {
  std::string task, out, format;
  long solution = 0;
  double scale = 1;
  bool json = false;
};

std::optional<Failure> ParseExport(const Command& self, Arguments args, ExportArguments& out) {
  const auto wrong = [&](std::string detail) { return ArgumentFailure(std::move(detail), UsageLine(self)); };
  std::vector<std::string> paths;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool takesValue = word == "--solution" || word == "--format" || word == "--scale";
    if (takesValue && i + 1 == args.size()) return wrong(word + " needs a value");
    if (word == "--json") {
      out.json = true;
    } else if (word == "--solution") {
      const std::string& value = args[++i];
      double number = 0;
      if (!ParseNumber(value, number) || number < 1 || number > 1e9 || number != std::floor(number))
        return wrong("--solution expects a number from 1, not '" + value + "'");
      out.solution = static_cast<long>(number);
    } else if (word == "--format") {
      out.format = args[++i];
      if (out.format != "stl" && out.format != "obj" && out.format != "svg" && out.format != "png" &&
          out.format != "html" && !IsFoldSheet(out.format))
        return wrong("unknown format '" + out.format + "' (stl, obj, svg, png, html, fold-svg or fold-pdf)");
    } else if (word == "--scale") {
      const std::string& value = args[++i];
      if (!ParseNumber(value, out.scale) || !(out.scale > 0 && out.scale < 1e6))
        return wrong("--scale expects a positive number, not '" + value + "'");
    } else if (word.size() > 1 && word[0] == '-') {
      return wrong("unknown option '" + word + "'");
    } else {
      paths.push_back(word);
    }
  }
  if (paths.size() != 2) return wrong("'export' takes a task file and an output file");
  if (out.solution == 0) return wrong("--solution is missing");
  if (out.format.empty()) return wrong("--format is missing");
  out.task = paths[0];
  out.out = paths[1];
  return std::nullopt;
}

}  // namespace

int RunExport(const Command& self, Arguments args) {
  ExportArguments words;
  if (auto failure = ParseExport(self, args, words)) return Report(*failure, WantsJson(args));
  if (words.format == "svg" || words.format == "png" || IsFoldSheet(words.format))
    if (const std::optional<int> status = HandPicturesOver(self, args, words.json)) return *status;
  // An OBJ file takes its MTL file beside it.
  std::vector<NamedPath> outputs{{"the output", words.out}};
  if (words.format == "obj") outputs.push_back({"the output's MTL file", MtlPath(words.out)});
  const NamedPath in{"the task file", words.task};
  if (auto failure = OutputClash({&in, 1}, outputs)) return Report(*failure, words.json);
  TaskState task;
  if (auto failure = LoadTask(words.task, task)) return Report(*failure, words.json);
  const Validation v = ValidateTask(task);
  if (!v.ok()) return Report(RefusalFailure(v, task.figure), words.json);
  Solver solver;
  QuietObserver quiet;
  if (solver.Solve(task, v.links, quiet) == SolveOutcome::OutOfMemory)
    return Report(Failure(FailureKind::OutOfMemory), words.json);
  if (words.solution > solver.SolutionCount())
    return Report(
        ArgumentFailure("--solution " + std::to_string(words.solution) + " is out of range: the task has " +
                        std::to_string(solver.SolutionCount()) + " stored solutions"),
        words.json);
  const int i = static_cast<int>(words.solution - 1);
  const SolidSolution solid = MakeSolidSolution(v.links, solver.Solution(i));
  bool written = false;
  if (words.format == "html") {
    if (auto failure = WriteFoldPageFile(words.out, task, solid)) return Report(*failure, words.json);
    written = true;
  } else if (IsFoldSheet(words.format)) {
    if (auto failure =
            WriteFoldSheetFile(words.out, words.format == "fold-pdf", task, words.task, i + 1, solid))
      return Report(*failure, words.json);
    written = true;
  } else if (words.format == "svg" || words.format == "png") {
    const int size = static_cast<int>(std::clamp(400 * words.scale, 16.0, 8000.0));
    const PictureResult result =
        WriteSolutionPicture(words.out, words.format == "svg", size, solid, task.figure);
    if (result == PictureResult::NotBuilt)
      return Report(
          ArgumentFailure("this zorvat-cli was built without the window program and draws no pictures"),
          words.json);
    written = result == PictureResult::Written;
  } else {
    const std::vector<Mesh> meshes = PartMeshes(solid);
    written = words.format == "stl"
                  ? WriteStl(words.out, meshes, words.scale)
                  : WriteObj(words.out, meshes, words.scale, CubeColours(solid, kDefaultCubeRgb));
  }
  if (!written) return Report(WriteFailure(words.out, errno), words.json);
  if (words.json) std::cout << JsonObject().Add("outcome", "done").Text() << '\n';
  return kExitOk;
}

}  // namespace zv::cli
