// Argument checks and task loading shared by the commands of zorvat-cli.
#include <iostream>

#include "cli/commands.h"
#include "storage/task_file.h"

namespace zv::cli {

bool ExpectPaths(const Command& self, Arguments args, std::size_t count) {
  for (const std::string& arg : args)
    if (arg.size() > 1 && arg[0] == '-') {
      std::cerr << "zorvat-cli: unknown option '" << arg << "'\n";
      return false;
    }
  if (args.size() == count) return true;
  std::cerr << "usage: zorvat-cli " << self.name << ' ' << self.arguments << '\n';
  return false;
}

bool LoadTask(const std::string& path, TaskState& task) {
  ReadResult result = ReadTaskFile(path, task);
  if (result == ReadResult::Ok) return true;
  const char* caption = result == ReadResult::Missing ? "Файл не найден" : ReadResultCaption(result);
  std::cerr << caption << ": " << path << '\n';
  return false;
}

}  // namespace zv::cli
