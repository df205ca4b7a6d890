// Argument checks and task loading shared by the commands of zorvat-cli.
#include <algorithm>

#include "cli/commands.h"
#include "storage/task_file.h"

namespace zv::cli {

std::string UsageLine(const Command& self) {
  return std::string("usage: zorvat-cli ") + self.name + ' ' + self.arguments;
}

bool WantsJson(Arguments words) { return std::find(words.begin(), words.end(), "--json") != words.end(); }

std::optional<Failure> ParsePaths(const Command& self, Arguments args, std::size_t count,
                                  PathArguments& out) {
  out = PathArguments{};
  for (const std::string& arg : args) {
    if (arg == "--json")
      out.json = true;
    else if (arg.size() > 1 && arg[0] == '-')
      return ArgumentFailure("unknown option '" + arg + "'", UsageLine(self));
    else
      out.paths.push_back(arg);
  }
  if (out.paths.size() != count)
    return ArgumentFailure(
        "'" + std::string(self.name) + "' takes " + std::to_string(count) + (count == 1 ? " path" : " paths"),
        UsageLine(self));
  return std::nullopt;
}

std::optional<Failure> LoadTask(const std::string& path, TaskState& task) {
  TaskJsonError textError;
  const ReadResult result = ReadTaskFile(path, task, &textError);
  if (result == ReadResult::Ok) return std::nullopt;
  return ReadFailure(result, path, &textError);
}

std::optional<Failure> LoadSolvableTask(const std::string& path, TaskState& task, Validation& v) {
  if (auto failure = LoadTask(path, task)) return failure;
  v = ValidateTask(task);
  if (!v.ok()) return RefusalFailure(v, task.figure);
  return std::nullopt;
}

}  // namespace zv::cli
