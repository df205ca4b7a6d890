// BlockPool: the solver's memory for one run, carved by pointer bumps from
// 16 MB blocks of the operating system and returned as a whole.
//
// Usage:
//   zv::BlockPool pool(limitBytes);
//   auto* cells = pool.AllocateArray<std::uint8_t>(n);   // nullptr when refused
//   if (pool.Exhausted()) ...                            // end the run as if stopped
//   pool.ReleaseAll();                                   // at the next solve
//
// Nothing is freed one by one and no area is ever handed out twice before
// ReleaseAll, so fresh memory always reads as zero (blocks come zero-filled
// from the system). Each block keeps 16,777,204 usable bytes (or, in a pool
// made with smaller blocks, its block size less 12); a request larger than
// that gets a block of its own size. Once the system or the limit refuses
// a block, Exhausted() stays true until ReleaseAll. Allocations may come
// from several threads at once (the workers of a parallel search).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <type_traits>

namespace zv {

class BlockPool {
 public:
  static constexpr std::size_t kBlockBytes = 16777216;
  static constexpr std::size_t kUsableBytes = kBlockBytes - 12;  // 16,777,204
  static constexpr std::size_t kMaxAlignment = 16;

  // limitBytes bounds the total size of the blocks held at once; blockBytes
  // (at least 4096) sets the size of the standard blocks.
  explicit BlockPool(std::size_t limitBytes = SIZE_MAX, std::size_t blockBytes = kBlockBytes);
  ~BlockPool();
  BlockPool(const BlockPool&) = delete;
  BlockPool& operator=(const BlockPool&) = delete;

  // The next `size` bytes, unaligned; nullptr when refused.
  void* Allocate(std::size_t size);
  // Bytes at a multiple of 4.
  void* AllocateAligned(std::size_t size) { return AllocateAligned(size, 4); }
  // Bytes at a multiple of `alignment` (a power of two up to 16).
  void* AllocateAligned(std::size_t size, std::size_t alignment);

  // Room for `count` zero-filled objects of a trivially copyable type.
  template <class T>
  T* AllocateArray(std::size_t count) {
    static_assert(std::is_trivially_copyable_v<T> && alignof(T) <= kMaxAlignment);
    if (count > SIZE_MAX / sizeof(T)) {
      exhausted_ = true;
      return nullptr;
    }
    return static_cast<T*>(AllocateAligned(count * sizeof(T), alignof(T)));
  }

  // A new array of newCount entries holding the first oldCount entries of
  // `old`; the old area is not reused. nullptr (old intact) when refused.
  template <class T>
  T* GrowArray(const T* old, std::size_t oldCount, std::size_t newCount) {
    T* grown = AllocateArray<T>(newCount);
    if (grown != nullptr && oldCount > 0) std::memcpy(grown, old, oldCount * sizeof(T));
    return grown;
  }

  // Returns every block to the system; all areas handed out become invalid.
  void ReleaseAll();

  bool Exhausted() const { return exhausted_; }
  void SetLimit(std::size_t limitBytes) { limit_ = limitBytes; }
  std::size_t Limit() const { return limit_; }
  std::size_t BytesHeld() const { return bytesHeld_; }  // system bytes of all blocks
  std::size_t BlockCount() const { return blockCount_; }

 private:
  struct BlockHeader;

  void* FreshArea(std::size_t size);  // from a new block, at a multiple of 16
  BlockHeader* NewBlock(std::size_t usable);

  std::mutex mutex_;  // around Allocate and AllocateAligned
  std::size_t limit_;
  std::size_t usable_;  // of a standard block
  std::size_t bytesHeld_ = 0;
  std::size_t blockCount_ = 0;
  bool exhausted_ = false;
  BlockHeader* first_ = nullptr;    // chain of every block held
  BlockHeader* current_ = nullptr;  // the 16 MB block being carved
  std::uint8_t* next_ = nullptr;    // next free byte of the current block
  std::uint8_t* end_ = nullptr;     // end of the current block
};

}  // namespace zv
