// Memory blocks straight from the operating system: anonymous private
// mappings, which arrive zero-filled and go back whole, backed by huge pages
// where the system offers them.
#include "platform/memory_blocks.h"

#include <sys/mman.h>
#include <unistd.h>

namespace zv {

void* AllocateSystemBlock(std::size_t bytes) {
  if (bytes == 0) return nullptr;
  void* block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (block == MAP_FAILED) return nullptr;
  // The solver fills its tables front to back, so small pages would each
  // cost a fault (thousands on a large task, a good part of a short run).
  // Only a hint: without huge pages the block works as before.
  madvise(block, bytes, MADV_HUGEPAGE);
  return block;
}

void FreeSystemBlock(void* block, std::size_t bytes) {
  if (block != nullptr) munmap(block, bytes);
}

std::size_t DefaultMemoryLimit() {
  const long pages = sysconf(_SC_PHYS_PAGES);
  const long pageSize = sysconf(_SC_PAGESIZE);
  // Without an answer from the system, 1 GB (64 blocks of 16 MB).
  if (pages <= 0 || pageSize <= 0) return std::size_t{1} << 30;
  return static_cast<std::size_t>(pages) / 4 * 3 * static_cast<std::size_t>(pageSize);
}

}  // namespace zv
