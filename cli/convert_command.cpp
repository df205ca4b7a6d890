// zorvat-cli convert IN OUT [--json]: reads a task in either form and writes
// it in the form OUT's name asks for, "*.json" the text form, "*.zvt" the
// program's binary file (OUT is replaced atomically; OUT the same file as IN
// is refused); with --json it prints
// {"outcome":"done"} or the failure.
#include <cerrno>
#include <iostream>
#include <vector>

#include "cli/commands.h"
#include "platform/files.h"
#include "storage/task_file.h"
#include "texts/core_texts.h"

namespace zv::cli {
namespace {

bool EndsWith(const std::string& text, std::string_view tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

int RunConvert(const Command& self, Arguments args) {
  PathArguments words;
  if (auto failure = ParsePaths(self, args, 2, words)) return Report(*failure, WantsJson(args));
  const std::string& out = words.paths[1];
  const bool toText = EndsWith(out, ".json");
  if (!toText && !EndsWith(out, ".zvt"))
    return Report(ArgumentFailure("OUT must end in .zvt or .json", UsageLine(self)), words.json);
  const NamedPath in{"the task file", words.paths[0]};
  if (auto failure = OutputClash({&in, 1}, std::vector<NamedPath>{{"the output", out}}))
    return Report(*failure, words.json);
  TaskState task;
  if (auto failure = LoadTask(words.paths[0], task)) return Report(*failure, words.json);

  bool written = false;
  if (toText) {
    const std::optional<std::string> text = BuildTaskJson(task);
    if (!text)
      return Report(
          Failure(FailureKind::DamagedFile,
                  words.paths[0] + ": a link whose two cubes are not both there; the text form names "
                                   "links by their cubes",
                  ReadResultCaption(ReadResult::Damaged), words.paths[0]),
          words.json);
    written = WriteWholeFileAtomic(
        out, std::span(reinterpret_cast<const std::uint8_t*>(text->data()), text->size()));
  } else {
    written = WriteTaskFile(out, task) == WriteResult::Ok;
  }
  if (!written) return Report(WriteFailure(out, errno), words.json);
  if (words.json) std::cout << JsonObject().Add("outcome", "done").Text() << '\n';
  return kExitOk;
}

}  // namespace zv::cli
