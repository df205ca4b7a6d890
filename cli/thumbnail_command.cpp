// zorvat-cli thumbnail FILE OUT.png [--size N] [--json]: the picture a file
// manager shows for a task, result or run file, N pixels square (default
// 256): a result file's first stored solution in 3-D, otherwise the task's
// figure over its form. Nothing is solved, so it takes the time of reading
// the file and painting. The freedesktop thumbnailer entry
// (packaging/zorvat.thumbnailer) runs it.
#include <cerrno>
#include <charconv>
#include <iostream>
#include <vector>

#include "cli/commands.h"
#include "cli/picture_files.h"
#include "run/result_file.h"
#include "run/unit_file.h"
#include "texts/core_texts.h"

namespace zv::cli {
namespace {

constexpr int kDefaultSize = 256;
constexpr int kLargestSize = 4096;

struct ThumbnailArguments {
  std::vector<std::string> paths;
  int size = kDefaultSize;
  bool json = false;
};

std::optional<Failure> ParseThumbnail(const Command& self, Arguments args, ThumbnailArguments& out) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (word == "--json") {
      out.json = true;
    } else if (word == "--size") {
      const std::string value = i + 1 < args.size() ? args[++i] : "";
      const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), out.size);
      if (value.empty() || error != std::errc() || end != value.data() + value.size() || out.size < 1 ||
          out.size > kLargestSize)
        return ArgumentFailure("--size expects a number of pixels from 1 to 4096, not '" + value + "'",
                               UsageLine(self));
    } else if (word.size() > 1 && word[0] == '-') {
      return ArgumentFailure("unknown option '" + word + "'", UsageLine(self));
    } else {
      out.paths.push_back(word);
    }
  }
  if (out.paths.size() != 2)
    return ArgumentFailure("'thumbnail' takes a file and a picture file", UsageLine(self));
  return std::nullopt;
}

// The first stored solution as solid geometry, when the file has one that
// places every cube of its task once (a file whose solutions do not fit its
// task gets the task's picture instead).
std::optional<SolidSolution> FirstSolution(const ResultFile& file, std::vector<std::int16_t>& formCells) {
  const std::size_t n = static_cast<std::size_t>(FormCellCount(file.task));
  if (file.solutions.size() < 2 * n) return std::nullopt;
  const Validation v = ValidateTask(file.task);
  if (!v.ok()) return std::nullopt;
  const FormState& form = file.task.form;
  for (int z = 0; z < form.FormHeight; ++z)
    for (int y = 0; y < form.FormDepth; ++y)
      for (int x = 0; x < form.FormWidth; ++x)
        if (form.At(FormCellIndex(x, y, z)) != 0)
          formCells.push_back(static_cast<std::int16_t>(FormCellIndex(x, y, z).value()));
  const std::span<const std::uint8_t> cubes(file.solutions.data(), n),
      rotations(file.solutions.data() + n, n);
  std::vector<int> placed(static_cast<std::size_t>(v.cubeCount) + 1);
  for (std::size_t i = 0; i < n; ++i)
    if (cubes[i] > v.cubeCount || rotations[i] >= 24 || (cubes[i] != 0 && placed[cubes[i]]++ != 0))
      return std::nullopt;
  for (int k = 1; k <= v.cubeCount; ++k)
    if (placed[static_cast<std::size_t>(k)] != 1) return std::nullopt;
  return MakeSolidSolution(v.links, {cubes, rotations, formCells});
}

Failure DamagedFailure(const std::string& path) {
  return Failure(FailureKind::DamagedFile, path, ReadResultCaption(ReadResult::Damaged), path);
}

}  // namespace

int RunThumbnail(const Command& self, Arguments args) {
  ThumbnailArguments words;
  if (auto failure = ParseThumbnail(self, args, words)) return Report(*failure, WantsJson(args));
  if (const std::optional<int> status = HandPicturesOver(self, args, words.json)) return *status;
  const std::string& in = words.paths[0];
  const std::string& out = words.paths[1];

  const NamedPath input{"the file", in};
  if (auto failure = OutputClash({&input, 1}, std::vector<NamedPath>{{"the output", out}}))
    return Report(*failure, words.json);
  TaskState task;
  ResultFile result;
  UnitFile run;
  PictureResult written = PictureResult::NotBuilt;
  const ResultFileStatus resultStatus = ReadResultFile(in, result);
  if (resultStatus == ResultFileStatus::Ok) {
    std::vector<std::int16_t> formCells;
    if (const std::optional<SolidSolution> solid = FirstSolution(result, formCells))
      written = WriteSolutionPicture(out, false, words.size, *solid, result.task.figure);
    else
      written = WriteTaskPicture(out, words.size, result.task);
  } else if (resultStatus == ResultFileStatus::NewerFormat || resultStatus == ResultFileStatus::Damaged) {
    return Report(DamagedFailure(in), words.json);
  } else if (StartsAsUnitFile(in)) {
    if (ReadUnitFile(in, run) != UnitFileStatus::Ok || !TaskOfUnitFile(run, task))
      return Report(DamagedFailure(in), words.json);
    written = WriteTaskPicture(out, words.size, task);
  } else {
    if (auto failure = LoadTask(in, task)) return Report(*failure, words.json);
    written = WriteTaskPicture(out, words.size, task);
  }
  if (written == PictureResult::NotBuilt)
    return Report(
        ArgumentFailure("this zorvat-cli was built without the window program and draws no pictures"),
        words.json);
  if (written != PictureResult::Written) return Report(WriteFailure(out, errno), words.json);
  if (words.json) std::cout << JsonObject().Add("outcome", "done").Text() << '\n';
  return kExitOk;
}

}  // namespace zv::cli
