// BlockPool: bump allocation, alignment, blocks of their own, release, the
// memory limit and the sticky exhausted state; pool vectors on cache lines
// of their own.
#include "solver/block_pool.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "solver/pool_vector.h"

namespace zv {
namespace {

constexpr std::size_t kStandardBlock = BlockPool::kUsableBytes + 32;  // with its header

std::uintptr_t Address(const void* p) { return reinterpret_cast<std::uintptr_t>(p); }

TEST(BlockPool, SmallRequestsFollowEachOtherInOneBlock) {
  BlockPool pool;
  auto* a = static_cast<std::uint8_t*>(pool.Allocate(5));
  auto* b = static_cast<std::uint8_t*>(pool.Allocate(7));
  auto* c = static_cast<std::uint8_t*>(pool.Allocate(0));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(b, a + 5);
  EXPECT_EQ(c, a + 12);
  EXPECT_EQ(pool.BlockCount(), 1u);
  EXPECT_EQ(pool.BytesHeld(), kStandardBlock);
  EXPECT_EQ(BlockPool::kUsableBytes, 16777204u);
}

TEST(BlockPool, AlignedRequestsSkipToTheNextMultiple) {
  BlockPool pool;
  auto* a = static_cast<std::uint8_t*>(pool.Allocate(1));
  auto* b = static_cast<std::uint8_t*>(pool.AllocateAligned(8));
  EXPECT_EQ(Address(b) % 4, 0u);
  EXPECT_EQ(b, a + 4);  // a block's first byte is at a multiple of 16
  auto* c = static_cast<std::uint8_t*>(pool.AllocateAligned(3, 16));
  EXPECT_EQ(Address(c) % 16, 0u);
  EXPECT_EQ(c, a + 16);
  auto* d = pool.AllocateArray<std::uint64_t>(3);
  EXPECT_EQ(Address(d) % alignof(std::uint64_t), 0u);
  EXPECT_GE(Address(d), Address(c) + 3);
}

TEST(BlockPool, FreshAreasReadAsZero) {
  BlockPool pool;
  auto* a = pool.AllocateArray<std::uint32_t>(1000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(a[i], 0u);
  for (int i = 0; i < 1000; ++i) a[i] = 0xDEADBEEF;
  pool.ReleaseAll();
  auto* b = pool.AllocateArray<std::uint32_t>(1000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(b[i], 0u);
}

TEST(BlockPool, RequestThatDoesNotFitOpensANewBlock) {
  BlockPool pool;
  auto* a = static_cast<std::uint8_t*>(pool.Allocate(BlockPool::kUsableBytes - 10));
  auto* b = static_cast<std::uint8_t*>(pool.Allocate(10));  // exactly the rest
  EXPECT_EQ(b, a + BlockPool::kUsableBytes - 10);
  EXPECT_EQ(pool.BlockCount(), 1u);
  auto* c = static_cast<std::uint8_t*>(pool.Allocate(1));
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(pool.BlockCount(), 2u);
  EXPECT_TRUE(Address(c) < Address(a) || Address(c) >= Address(a) + BlockPool::kUsableBytes);
  // A request of exactly the usable size takes a standard block.
  ASSERT_NE(pool.Allocate(BlockPool::kUsableBytes), nullptr);
  EXPECT_EQ(pool.BytesHeld(), 3 * kStandardBlock);
}

TEST(BlockPool, AlignedRequestNeverStartsMisalignedAtABlockEnd) {
  BlockPool pool;
  auto* a = static_cast<std::uint8_t*>(pool.Allocate(BlockPool::kUsableBytes - 6));
  // 6 bytes are left from an address that is 2 past a multiple of 4: an
  // unaligned 5-byte request would fit, the aligned one does not.
  auto* b = static_cast<std::uint8_t*>(pool.AllocateAligned(5));
  EXPECT_EQ(Address(b) % 4, 0u);
  EXPECT_EQ(pool.BlockCount(), 2u);
  auto* c = static_cast<std::uint8_t*>(pool.Allocate(6));
  EXPECT_EQ(c, b + 5);
  EXPECT_NE(c, a + BlockPool::kUsableBytes - 6);
}

TEST(BlockPool, OversizedRequestGetsABlockOfItsOwn) {
  BlockPool pool;
  auto* a = static_cast<std::uint8_t*>(pool.Allocate(100));
  const std::size_t big = BlockPool::kUsableBytes + 1;
  auto* huge = static_cast<std::uint8_t*>(pool.Allocate(big));
  ASSERT_NE(huge, nullptr);
  huge[0] = 1;
  huge[big - 1] = 2;
  EXPECT_EQ(pool.BlockCount(), 2u);
  EXPECT_EQ(pool.BytesHeld(), kStandardBlock + big + 32);
  // The standard block keeps serving small requests.
  EXPECT_EQ(pool.Allocate(4), a + 100);
}

TEST(BlockPool, ReleaseAllReturnsEveryBlock) {
  BlockPool pool;
  pool.Allocate(10);
  pool.Allocate(BlockPool::kUsableBytes + 5);
  pool.Allocate(BlockPool::kUsableBytes);
  EXPECT_EQ(pool.BlockCount(), 3u);
  pool.ReleaseAll();
  EXPECT_EQ(pool.BlockCount(), 0u);
  EXPECT_EQ(pool.BytesHeld(), 0u);
  ASSERT_NE(pool.Allocate(1), nullptr);
  EXPECT_EQ(pool.BlockCount(), 1u);
  pool.ReleaseAll();
  pool.ReleaseAll();  // twice is harmless
  EXPECT_EQ(pool.BlockCount(), 0u);
}

TEST(BlockPoolLimit, BlockPastTheLimitIsRefusedAndExhaustionSticks) {
  BlockPool pool(kStandardBlock + 100);
  auto* a = static_cast<std::uint8_t*>(pool.Allocate(BlockPool::kUsableBytes - 8));
  ASSERT_NE(a, nullptr);
  EXPECT_FALSE(pool.Exhausted());
  EXPECT_EQ(pool.Allocate(9), nullptr);
  EXPECT_TRUE(pool.Exhausted());
  EXPECT_EQ(pool.BlockCount(), 1u);
  // What still fits is served, and the pool stays exhausted.
  EXPECT_EQ(pool.Allocate(8), a + BlockPool::kUsableBytes - 8);
  EXPECT_TRUE(pool.Exhausted());
  pool.ReleaseAll();
  EXPECT_FALSE(pool.Exhausted());
  EXPECT_NE(pool.Allocate(9), nullptr);
}

TEST(BlockPoolLimit, LimitBelowOneBlockRefusesTheFirstRequest) {
  BlockPool pool(1000);
  EXPECT_EQ(pool.Allocate(1), nullptr);
  EXPECT_TRUE(pool.Exhausted());
  EXPECT_EQ(pool.BytesHeld(), 0u);
  pool.SetLimit(SIZE_MAX);
  pool.ReleaseAll();
  EXPECT_NE(pool.Allocate(1), nullptr);
}

TEST(BlockPoolLimit, SystemRefusalAndSizeOverflowExhaustThePool) {
  BlockPool pool;
  // 2^50 bytes is more address space than the system gives a process.
  EXPECT_EQ(pool.Allocate(std::size_t{1} << 50), nullptr);
  EXPECT_TRUE(pool.Exhausted());
  pool.ReleaseAll();
  EXPECT_EQ(pool.Allocate(SIZE_MAX - 8), nullptr);
  EXPECT_TRUE(pool.Exhausted());
  pool.ReleaseAll();
  EXPECT_EQ(pool.AllocateArray<std::uint32_t>(SIZE_MAX / 2), nullptr);
  EXPECT_TRUE(pool.Exhausted());
}

TEST(BlockPool, GrowArrayCopiesIntoANewArea) {
  BlockPool pool;
  auto* small = pool.AllocateArray<std::int32_t>(4);
  for (int i = 0; i < 4; ++i) small[i] = 10 * i + 1;
  auto* grown = pool.GrowArray(small, 4, 8);
  ASSERT_NE(grown, nullptr);
  EXPECT_NE(grown, small);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(grown[i], 10 * i + 1);
  for (int i = 4; i < 8; ++i) EXPECT_EQ(grown[i], 0);
  EXPECT_EQ(small[3], 31);  // the old area is left alone
}

}  // namespace
}  // namespace zv

namespace zv {
namespace {

TEST(PoolVector, EachVectorKeepsCacheLinesOfItsOwn) {
  // Two workers' small state arrays taken one after another must never
  // share a cache line, or every write moves the line between processors.
  BlockPool pool;
  PoolVector<std::uint8_t> a{PoolAllocator<std::uint8_t>(&pool)};
  PoolVector<std::int32_t> b{PoolAllocator<std::int32_t>(&pool)};
  PoolVector<std::uint8_t> c{PoolAllocator<std::uint8_t>(&pool)};
  a.resize(3);
  b.resize(5);
  c.resize(70);
  auto line = [](const void* p) { return Address(p) / 64; };
  EXPECT_EQ(Address(a.data()) % 64, 0u);
  EXPECT_EQ(Address(b.data()) % 64, 0u);
  EXPECT_EQ(Address(c.data()) % 64, 0u);
  EXPECT_LT(line(a.data() + a.size() - 1), line(b.data()));
  EXPECT_LT(line(b.data() + b.size() - 1), line(c.data()));
  EXPECT_EQ(c[69], 0);
}

}  // namespace
}  // namespace zv
