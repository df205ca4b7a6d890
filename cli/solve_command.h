// zorvat-cli solve: the entry point.
#pragma once

#include "cli/commands.h"

namespace zv::cli {

int RunSolve(const Command& self, Arguments args);

}  // namespace zv::cli
