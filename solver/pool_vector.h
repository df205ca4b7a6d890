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
// search's list stack doubles when it grows.
#pragma once

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
    T* room = pool_->AllocateArray<T>(count);
    if (room == nullptr) throw std::bad_alloc();
    return room;
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
