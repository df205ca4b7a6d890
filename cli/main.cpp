// zorvat-cli: task files from the command line. Dispatches the first word to
// a row of the command table; --help and --version need no command.
#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/explore_command.h"
#include "cli/solve_command.h"

namespace zv::cli {
namespace {

// clang-format off
constexpr std::array kCommands{
    Command{"check",   "TASK.zvt [--json]",       "print the task's counters and whether it can be solved", RunCheck},
    Command{"rewrite", "IN.zvt OUT.zvt [--json]", "read a task file and write it back with this program's writer", RunRewrite},
    Command{"convert", "IN OUT [--json]",         "write a task in the form OUT names: .json the text form, .zvt the task file", RunConvert},
    Command{"solve",   "TASK.zvt [--show N|all] [--json] [--foldable] [--memory-limit MB] [--time-limit S] [--engine reduced|fast|reference] [--threads N] [--checkpoint FILE [--every MIN]] [--resume FILE] [--part K/N --out FILE] [--result FILE] [--stop-after N | --verdict]", "find every solution (or the first N, or the verdict none|unique|several) and print the counts", RunSolve},
    Command{"explore", "TASK.zvt [--depth 1|2] [--kinds none,rigid,axis,edge] [--forms F.zvt...] [--threads N] [--json] [--write DIR] [--checkpoint FILE | --resume FILE] [--part K/N --out FILE] [--merge PART...]", "solve every variant of the figure with one (or two) links changed: none, unique or several", RunExplore},
    Command{"merge",   "TASK.zvt PART... [--show N|all] [--json] [--memory-limit MB] [--result FILE]", "merge the part files of a split run and print what solve prints", RunMerge},
    Command{"export",  "TASK.zvt --solution N --format stl|obj|svg|png|html|fold-svg|fold-pdf OUT [--scale S] [--json]", "solve the task and write stored solution N as a 3-D model, a picture, a web page of its fold or its fold instructions", RunExport},
    Command{"thumbnail", "FILE OUT.png [--size N] [--json]", "draw a task, result or run file as a file manager's thumbnail, N pixels square", RunThumbnail},
};
// clang-format on

// ZORVAT_VERSION: the project version of the top CMakeLists.txt.
constexpr const char* kVersion = "zorvat-cli " ZORVAT_VERSION;

void PrintHelp() {
  std::cout << "usage: zorvat-cli COMMAND ARGUMENTS...\n"
               "       zorvat-cli --help | --version\n\ncommands:\n";
  for (const Command& c : kCommands) {
    std::string head = std::string(c.name) + ' ' + c.arguments;
    std::cout << "  " << head << std::string(head.size() < 30 ? 30 - head.size() : 1, ' ') << c.summary
              << '\n';
  }
  std::cout
      << "\nwith --json every outcome, failures included, is one JSON object on stdout\n\nexit status:\n";
  for (const ExitStatusRow& row : kExitStatuses)
    std::cout << "  " << row.status << "  " << row.meaning << '\n';
  std::cout
      << "\nsignals during solve:\n"
         "  SIGINT, SIGTERM, SIGHUP  stop the run, print what it found (and write its checkpoint)\n"
         "  SIGUSR1                  write the --checkpoint file at the next refresh; the run goes on\n";
}

int Run(const std::vector<std::string>& words) {
  const bool json = WantsJson(words);
  if (words.empty()) return Report(ArgumentFailure("no command; see 'zorvat-cli --help'"), json);
  const std::string& first = words[0];
  if (first == "--help" || first == "-h") {
    PrintHelp();
    return kExitOk;
  }
  if (first == "--version") {
    std::cout << kVersion << '\n';
    return kExitOk;
  }
  for (const Command& c : kCommands)
    if (first == c.name) return c.run(c, Arguments(words).subspan(1));
  const char* what = first.size() > 1 && first[0] == '-' ? "unknown option '" : "unknown command '";
  return Report(ArgumentFailure(what + first + "'; see 'zorvat-cli --help'"), json);
}

}  // namespace
}  // namespace zv::cli

int main(int argc, char** argv) { return zv::cli::Run(std::vector<std::string>(argv + 1, argv + argc)); }
