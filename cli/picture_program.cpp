// zorvat-cli hands picture commands to zorvat-cli-pictures, the same
// commands linked with Qt Gui, so that every other command starts without
// loading a GUI library. The program is looked for beside zorvat-cli (the
// build tree) and then in the installation's program folder, given relative
// to zorvat-cli's own (ZORVAT_PICTURE_PROGRAM_DIR, e.g. ../libexec/zorvat),
// so a moved installation still finds it.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

#include "cli/picture_files.h"

namespace zv::cli {

#ifdef ZORVAT_PICTURE_PROGRAM

namespace {

// The folders to look in, most specific first.
std::vector<std::filesystem::path> ProgramFolders() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  const std::filesystem::path own = self.parent_path();
  return {own, (own / ZORVAT_PICTURE_PROGRAM_DIR).lexically_normal()};
}

}  // namespace

std::optional<int> HandPicturesOver(const Command& self, Arguments args, bool json) {
  std::vector<std::string> words{ZORVAT_PICTURE_PROGRAM, self.name};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  std::cout.flush();
  std::string tried;
  for (const std::filesystem::path& folder : ProgramFolders()) {
    const std::string program = (folder / ZORVAT_PICTURE_PROGRAM).string();
    execv(program.c_str(), argv.data());  // returns only when it failed
    tried += "; " + program + ": " + std::strerror(errno);
  }
  return Report(
      Failure(FailureKind::MissingProgram,
              std::string(ZORVAT_PICTURE_PROGRAM) + " draws the pictures; reinstall the program" + tried),
      json);
}

#else

std::optional<int> HandPicturesOver(const Command&, Arguments, bool) { return std::nullopt; }

#endif

}  // namespace zv::cli
