// zorvat-cli solve: the entry point and the exit status it adds to those of
// cli/commands.h.
#pragma once

#include "cli/commands.h"

namespace zv::cli {

inline constexpr int kExitOutOfMemory = 3;  // solve: the memory limit ended the run

int RunSolve(const Command& self, Arguments args);

}  // namespace zv::cli
