// The program's command line. Parameters beginning with "--" are the
// program's own options (--help, --version, --screenshot OUT.png, and with
// it --solve, --select X,Y,Z, --view 3d and --fold T); the first other
// parameter names the task file (or the file of a stopped search) to open
// at start, "-" meaning start with an empty task; further parameters are
// ignored.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zv {

struct CommandLine {
  enum class Action { Run, Help, Version, Error };
  Action action = Action::Run;
  // The first parameter that is no option: a task file path, or "-".
  std::optional<std::string> startParameter;
  std::string screenshotPath;                // non-empty: render the window to this PNG and exit
  bool solve = false;                        // solve before the screenshot
  std::optional<std::array<int, 3>> select;  // form cell x, y, z (from 0) to select after solving
  bool view3d = false;                       // show the solution in the 3-D view
  std::optional<double> fold;                // with view3d: the fold position 0..1
  std::string error;                         // what was wrong, for Action::Error
};

// `args` excludes the program name.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The text printed for --help.
std::string CommandLineUsage();

}  // namespace zv
