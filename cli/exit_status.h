// zorvat-cli's exit statuses and the words --help shows for each.
#pragma once

#include <array>

namespace zv::cli {

// clang-format off
inline constexpr int kExitOk          = 0;  // done; for check: the task can be solved
inline constexpr int kExitRefused     = 1;  // validation refuses the task
inline constexpr int kExitFailure     = 2;  // wrong arguments, or a file could not be read or written
inline constexpr int kExitOutOfMemory = 3;  // solve: the memory limit ended the run
inline constexpr int kExitTimeLimit   = 4;  // solve: the time limit stopped the run
inline constexpr int kExitSignal      = 5;  // solve: SIGINT, SIGTERM or SIGHUP stopped the run
inline constexpr int kExitStopAfter   = 6;  // solve: --stop-after N solutions were stored
inline constexpr int kExitNotFoldable = 7;  // export fold-svg|fold-pdf: no folding motion was found

struct ExitStatusRow {
  int status;
  const char* meaning;
};

inline constexpr std::array kExitStatuses{
    ExitStatusRow{kExitOk,          "done (check: the task can be solved)"},
    ExitStatusRow{kExitRefused,     "the task is refused by validation"},
    ExitStatusRow{kExitFailure,     "wrong arguments, or a file that cannot be read or written"},
    ExitStatusRow{kExitOutOfMemory, "solve: the solver ran out of memory"},
    ExitStatusRow{kExitTimeLimit,   "solve: stopped by --time-limit"},
    ExitStatusRow{kExitSignal,      "solve: stopped by SIGINT (Ctrl+C), SIGTERM or SIGHUP"},
    ExitStatusRow{kExitStopAfter,   "solve: stopped by --stop-after N with N solutions stored"},
    ExitStatusRow{kExitNotFoldable, "export fold-svg|fold-pdf: the fold check found no folding motion"},
};
// clang-format on

}  // namespace zv::cli
