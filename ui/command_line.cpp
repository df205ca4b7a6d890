// Parsing of the program's command line.
#include "ui/command_line.h"

namespace zv {

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine cl;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      if (!cl.startParameter) cl.startParameter = arg;
      continue;
    }
    if (arg == "--help") {
      cl.action = CommandLine::Action::Help;
      return cl;
    }
    if (arg == "--version") {
      cl.action = CommandLine::Action::Version;
      return cl;
    }
    if (arg == "--screenshot") {
      if (i + 1 >= args.size() || args[i + 1].empty()) {
        cl.action = CommandLine::Action::Error;
        cl.error = "--screenshot needs the path of the PNG file to write";
        return cl;
      }
      cl.screenshotPath = args[++i];
      continue;
    }
    cl.action = CommandLine::Action::Error;
    cl.error = "unknown option " + arg;
    return cl;
  }
  return cl;
}

std::string CommandLineUsage() {
  return "Usage: zorvat [options] [TASK.zvt | -]\n"
         "  TASK.zvt             open this task file (it becomes the current task file)\n"
         "  -                    start with an empty task\n"
         "  (nothing)            reopen the task autosaved at the last exit\n"
         "Options:\n"
         "  --help               show this text\n"
         "  --version            show the program's version\n"
         "  --screenshot OUT.png render the main window to OUT.png after start-up and exit\n"
         "                       without writing the settings or the autosave file\n";
}

}  // namespace zv
