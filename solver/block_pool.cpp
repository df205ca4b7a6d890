// BlockPool: a chain of system blocks, each opened by a header, carved front
// to back by pointer bumps.
#include "solver/block_pool.h"

#include <algorithm>
#include <new>

#include "platform/memory_blocks.h"

namespace zv {

// Sits at the start of every block. Its 32 bytes (rather than three 4-byte
// fields) keep the first usable byte at a multiple of 16; the usable size
// stays 16,777,204 bytes per standard block, so a block takes 16,777,236
// bytes from the system.
struct alignas(BlockPool::kMaxAlignment) BlockPool::BlockHeader {
  BlockHeader* next;
  BlockHeader* previous;
  std::size_t usable;
  std::uint8_t* Data() { return reinterpret_cast<std::uint8_t*>(this + 1); }
  std::size_t SystemBytes() const { return sizeof(BlockHeader) + usable; }
};

BlockPool::BlockPool(std::size_t limitBytes, std::size_t blockBytes)
    : limit_(limitBytes), usable_(std::max<std::size_t>(blockBytes, 4096) - (kBlockBytes - kUsableBytes)) {}

BlockPool::~BlockPool() { ReleaseAll(); }

void* BlockPool::Allocate(std::size_t size) {
  std::lock_guard lock(mutex_);
  if (next_ != nullptr && size <= static_cast<std::size_t>(end_ - next_)) {
    std::uint8_t* area = next_;
    next_ += size;
    return area;
  }
  return FreshArea(size);
}

void* BlockPool::AllocateAligned(std::size_t size, std::size_t alignment) {
  std::lock_guard lock(mutex_);
  if (next_ != nullptr) {
    const auto address = reinterpret_cast<std::uintptr_t>(next_);
    const std::size_t padding = (alignment - address % alignment) % alignment;
    const auto room = static_cast<std::size_t>(end_ - next_);
    if (padding <= room && size <= room - padding) {
      std::uint8_t* area = next_ + padding;
      next_ = area + size;
      return area;
    }
  }
  return FreshArea(size);
}

void* BlockPool::FreshArea(std::size_t size) {
  if (size > usable_) {
    // A block of its own; the current block keeps serving smaller requests.
    BlockHeader* own = NewBlock(size);
    return own == nullptr ? nullptr : own->Data();
  }
  BlockHeader* block = NewBlock(usable_);
  if (block == nullptr) return nullptr;
  current_ = block;
  next_ = block->Data() + size;
  end_ = block->Data() + usable_;
  return block->Data();
}

BlockPool::BlockHeader* BlockPool::NewBlock(std::size_t usable) {
  if (usable > SIZE_MAX - sizeof(BlockHeader)) {
    exhausted_ = true;
    return nullptr;
  }
  const std::size_t bytes = sizeof(BlockHeader) + usable;
  void* memory = (bytes > limit_ || bytesHeld_ > limit_ - bytes) ? nullptr : AllocateSystemBlock(bytes);
  if (memory == nullptr) {
    exhausted_ = true;
    return nullptr;
  }
  auto* block = new (memory) BlockHeader{nullptr, nullptr, usable};
  // Chained right after the current block, or first when there is none.
  BlockHeader* before = current_;
  block->previous = before;
  block->next = before != nullptr ? before->next : first_;
  if (block->next != nullptr) block->next->previous = block;
  if (before != nullptr)
    before->next = block;
  else
    first_ = block;
  bytesHeld_ += bytes;
  ++blockCount_;
  return block;
}

void BlockPool::ReleaseAll() {
  for (BlockHeader* block = first_; block != nullptr;) {
    BlockHeader* next = block->next;
    FreeSystemBlock(block, block->SystemBytes());
    block = next;
  }
  first_ = current_ = nullptr;
  next_ = end_ = nullptr;
  bytesHeld_ = 0;
  blockCount_ = 0;
  exhausted_ = false;
}

}  // namespace zv
