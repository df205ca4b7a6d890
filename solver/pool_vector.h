// Vectors whose room comes from a run's block pool, so that the memory limit
// covers the search tables too. Without a pool they use the general heap.
//
// Usage:
//   zv::PoolVector<int> v{zv::PoolAllocator<int>(&pool)};
//   zv::UsePool(&pool, a, b, c);   // empty vectors a, b, c take from the pool
//   v.resize(n);                   // throws std::bad_alloc when the pool refuses
//
// The pool never takes single areas back, so a vector that grows leaves its
// old room unused until the run ends; the tables are sized once, and the
// search's list stack doubles when it grows. Each vector's room starts and
// ends on cache lines of its own: the workers of a parallel search take
// their state from one pool, and state that two processors write would
// otherwise share lines and move between their caches at every write.
#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "solver/block_pool.h"

namespace zv {

template <class T>
class PoolAllocator {
 public:
  using value_type = T;
  using propagate_on_container_copy_assignment = std::true_type;
  using propagate_on_container_move_assignment = std::true_type;
  using propagate_on_container_swap = std::true_type;

  PoolAllocator() = default;
  explicit PoolAllocator(BlockPool* pool) : pool_(pool) {}
  template <class U>
  PoolAllocator(const PoolAllocator<U>& other) : pool_(other.Pool()) {}  // NOLINT: rebinding converts

  T* allocate(std::size_t count) {
    if (pool_ == nullptr) return std::allocator<T>{}.allocate(count);
    constexpr std::size_t kLine = 64;
    if (count > (SIZE_MAX - 2 * kLine) / sizeof(T)) throw std::bad_alloc();
    // A line more on each side than the objects need, then the first
    // line boundary: nothing else of the pool lies on the lines they use.
    std::uint8_t* raw = pool_->AllocateArray<std::uint8_t>(count * sizeof(T) + 2 * kLine);
    if (raw == nullptr) throw std::bad_alloc();
    const auto address = reinterpret_cast<std::uintptr_t>(raw);
    return reinterpret_cast<T*>(raw + (kLine - address % kLine));
  }
  void deallocate(T* room, std::size_t count) {
    if (pool_ == nullptr) std::allocator<T>{}.deallocate(room, count);
  }

  BlockPool* Pool() const { return pool_; }
  template <class U>
  bool operator==(const PoolAllocator<U>& other) const {
    return pool_ == other.Pool();
  }

 private:
  BlockPool* pool_ = nullptr;
};

template <class T>
using PoolVector = std::vector<T, PoolAllocator<T>>;

template <class... Vectors>
void UsePool(BlockPool* pool, Vectors&... vectors) {
  ((vectors = Vectors(typename Vectors::allocator_type(pool))), ...);
}

}  // namespace zv
