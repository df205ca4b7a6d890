// Parsing of the program's command line.
#include "ui/command_line.h"

#include <cstdio>

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
    if (arg == "--solve") {
      cl.solve = true;
      continue;
    }
    if (arg == "--select") {
      std::array<int, 3> c{};
      char end = 0;
      if (i + 1 >= args.size() ||
          std::sscanf(args[i + 1].c_str(), "%d,%d,%d%c", &c[0], &c[1], &c[2], &end) != 3 || c[0] < 0 ||
          c[1] < 0 || c[2] < 0) {
        cl.action = CommandLine::Action::Error;
        cl.error = "--select needs a form cell as X,Y,Z counted from 0";
        return cl;
      }
      cl.select = c;
      ++i;
      continue;
    }
    if (arg == "--view") {
      if (i + 1 >= args.size() || args[i + 1] != "3d") {
        cl.action = CommandLine::Action::Error;
        cl.error = "--view takes 3d";
        return cl;
      }
      cl.view3d = true;
      ++i;
      continue;
    }
    if (arg == "--fold") {
      double t = -1;
      char end = 0;
      if (i + 1 >= args.size() || std::sscanf(args[i + 1].c_str(), "%lf%c", &t, &end) != 1 ||
          !(t >= 0 && t <= 1)) {
        cl.action = CommandLine::Action::Error;
        cl.error = "--fold needs a position from 0 (the flat figure) to 1 (the solution)";
        return cl;
      }
      cl.fold = t;
      ++i;
      continue;
    }
    cl.action = CommandLine::Action::Error;
    cl.error = "unknown option " + arg;
    return cl;
  }
  if ((cl.solve || cl.select || cl.view3d || cl.fold) && cl.screenshotPath.empty()) {
    cl.action = CommandLine::Action::Error;
    cl.error = "--solve, --select, --view and --fold work only with --screenshot";
  } else if ((cl.select || cl.view3d) && !cl.solve) {
    cl.action = CommandLine::Action::Error;
    cl.error = "--select and --view need --solve";
  } else if (cl.fold && !cl.view3d) {
    cl.action = CommandLine::Action::Error;
    cl.error = "--fold needs --view 3d";
  }
  return cl;
}

std::string CommandLineUsage() {
  return "Usage: zorvat [options] [TASK.zvt | RUN.zvu | -]\n"
         "  TASK.zvt             open this task file (it becomes the current task file)\n"
         "  RUN.zvu              open this stopped search (a checkpoint) with its task\n"
         "  -                    start with an empty task\n"
         "  (nothing)            reopen the task autosaved at the last exit\n"
         "Options:\n"
         "  --help               show this text\n"
         "  --version            show the program's version\n"
         "  --screenshot OUT.png render the main window to OUT.png after start-up and exit\n"
         "                       without writing the settings or the autosave file\n"
         "  --solve              with --screenshot: solve the task first, show solution 1\n"
         "  --select X,Y,Z       with --solve: select form cell X,Y,Z (counted from 0)\n"
         "  --view 3d            with --solve: show the solution in the 3-D view\n"
         "  --fold T             with --view 3d: show the fold at T, 0 (flat figure) .. 1 (solution)\n";
}

}  // namespace zv
