// Large memory blocks from the operating system for the solver's pool:
// committed, readable and writable, or refused. A limit on the total makes
// refusal reproducible (the solver's memory limit).
#pragma once

#include <cstddef>

namespace zv {

// Returns nullptr when the system (or the limit) refuses.
void* AllocateSystemBlock(std::size_t bytes);
void FreeSystemBlock(void* block, std::size_t bytes);

// Most of the machine's physical memory: the default limit for a solve.
std::size_t DefaultMemoryLimit();

}  // namespace zv
