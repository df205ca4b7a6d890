// zorvat-cli explore: the entry point.
#pragma once

#include "cli/commands.h"

namespace zv::cli {

int RunExplore(const Command& self, Arguments args);

}  // namespace zv::cli
