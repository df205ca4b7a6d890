// ByteKeySet: the hash value, the table sizes and when the table grows, and
// that keys are found exactly when present through every growth.
#include "solver/byte_key_set.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <vector>

namespace zv {
namespace {

// Bits 32..63 of word * M, computed from M's two halves: the low half
// contributes only its carry into bit 32.
std::uint32_t HighWordOfProduct(std::uint32_t word) {
  const std::uint64_t mHigh = 0x01ded1e3, mLow = 0x6bfaace9;
  return static_cast<std::uint32_t>(word * mHigh + ((word * mLow) >> 32));
}

TEST(ByteKeySetHash, MultiplierHalves) { EXPECT_EQ(ByteKeySet::kHashMultiplier, 0x01ded1e36bfaace9ull); }

TEST(ByteKeySetHash, SevenByteKeyIsOneWordAndAPaddedTail) {
  // Byte 7 lies outside the key and must not enter the hash.
  const std::uint8_t key[8] = {0x01, 0x02, 0x03, 0x04, 0xA5, 0xB6, 0xC7, 0xFF};
  const std::uint32_t expected = HighWordOfProduct(0x04030201u) + HighWordOfProduct(0x00C7B6A5u);
  EXPECT_EQ(ByteKeySet::Hash(key, 7), expected);
  // Word value 1 gives the multiplier's high half, 0x01ded1e3, exactly.
  const std::uint8_t ones[7] = {1, 0, 0, 0, 1, 0, 0};
  EXPECT_EQ(ByteKeySet::Hash(ones, 7), 2u * 0x01ded1e3u);
  // The sum wraps modulo 2^32 rather than saturating.
  const std::uint8_t high[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  EXPECT_EQ(ByteKeySet::Hash(high, 8), static_cast<std::uint32_t>(2u * HighWordOfProduct(0xFFFFFFFFu)));
}

// Keys of `length` bytes numbered from `first`, each distinct.
std::vector<std::vector<std::uint8_t>> NumberedKeys(int count, std::size_t length, std::uint32_t first = 0) {
  std::vector<std::vector<std::uint8_t>> keys;
  for (int i = 0; i < count; ++i) {
    std::vector<std::uint8_t> key(length, 0x5A);
    const std::uint32_t n = first + static_cast<std::uint32_t>(i);
    for (int b = 0; b < 4; ++b) key[b] = static_cast<std::uint8_t>(n >> (8 * b));
    keys.push_back(key);
  }
  return keys;
}

TEST(ByteKeySetGrowth, ResetTableHoldsOneHundredKeys) {
  ByteKeySet set;
  set.Reset(12);
  EXPECT_EQ(set.capacity(), 100u);
  EXPECT_EQ(set.slotCount(), 200u);
  EXPECT_EQ(set.nodeCount(), 26u);
  // Spread keys may still collide now and then; keep to those the first table
  // can hold without running out of nodes, which 100 numbered keys do.
  const auto keys = NumberedKeys(101, 12);
  for (int i = 0; i < 100; ++i) set.Insert(keys[i].data());
  ASSERT_LT(set.nodesInUse(), 26u);
  EXPECT_EQ(set.capacity(), 100u);
  EXPECT_EQ(set.size(), 100u);
  set.Insert(keys[100].data());
  EXPECT_EQ(set.capacity(), 200u);
  EXPECT_EQ(set.slotCount(), 400u);
  EXPECT_EQ(set.nodeCount(), 51u);
  EXPECT_EQ(set.size(), 101u);
  for (const auto& key : keys) EXPECT_EQ(set.Find(key.data()), key.data());
}

TEST(ByteKeySetGrowth, UsingTheLastNodeRebuildsBeforeTheNextInsert) {
  ByteKeySet set;
  set.Reset(12);
  // 27 keys that fall into one slot of 200: the first fills the slot, the
  // other 26 take every node.
  std::vector<std::vector<std::uint8_t>> sameSlot;
  std::size_t targetSlot = SIZE_MAX;
  for (const auto& key : NumberedKeys(200000, 12)) {
    const std::size_t slot = (std::uint64_t{ByteKeySet::Hash(key.data(), 12)} * 200) >> 32;
    if (targetSlot == SIZE_MAX) targetSlot = slot;
    if (slot == targetSlot) sameSlot.push_back(key);
    if (sameSlot.size() == 28) break;
  }
  ASSERT_EQ(sameSlot.size(), 28u);
  for (int i = 0; i < 27; ++i) set.Insert(sameSlot[i].data());
  EXPECT_EQ(set.nodesInUse(), 26u);
  EXPECT_EQ(set.capacity(), 100u);
  set.Insert(sameSlot[27].data());
  EXPECT_EQ(set.capacity(), 200u);
  EXPECT_EQ(set.size(), 28u);
  for (const auto& key : sameSlot) EXPECT_EQ(set.Find(key.data()), key.data());
}

TEST(ByteKeySetGrowth, FindOnASetNeverResetMakesTheFirstTable) {
  ByteKeySet set;
  const std::uint8_t key[1] = {7};
  EXPECT_EQ(set.Find(key), nullptr);
  EXPECT_EQ(set.capacity(), 1024u);
  EXPECT_EQ(set.slotCount(), 2048u);
  EXPECT_EQ(set.nodeCount(), 257u);
  EXPECT_EQ(set.size(), 0u);
}

TEST(ByteKeySetContents, FoundExactlyWhenPresentAcrossGrowth) {
  const unsigned seed =
      std::getenv("ZORVAT_SEED") ? std::strtoul(std::getenv("ZORVAT_SEED"), nullptr, 10) : 20240611u;
  SCOPED_TRACE("ZORVAT_SEED=" + std::to_string(seed));
  std::mt19937 random(seed);
  // Short keys of 5 bytes over a small alphabet: many repeats among the
  // candidates, and many collisions in the table.
  std::vector<std::array<std::uint8_t, 5>> stored;
  stored.reserve(6000);
  std::set<std::array<std::uint8_t, 5>> reference;
  ByteKeySet set;
  set.Reset(5);
  for (int i = 0; i < 6000; ++i) {
    std::array<std::uint8_t, 5> key{};
    for (auto& b : key) b = static_cast<std::uint8_t>(random() % 6);
    const std::uint8_t* found = set.Find(key.data());
    ASSERT_EQ(found != nullptr, reference.count(key) == 1) << "draw " << i;
    if (found != nullptr) {
      ASSERT_EQ(std::memcmp(found, key.data(), 5), 0);
      continue;
    }
    stored.push_back(key);
    set.Insert(stored.back().data());
    reference.insert(key);
  }
  EXPECT_EQ(set.size(), reference.size());
  EXPECT_GE(set.capacity(), set.size());
  for (const auto& key : stored) EXPECT_EQ(set.Find(key.data()), key.data());
}

TEST(ByteKeySetContents, ResetForgetsEverything) {
  const auto keys = NumberedKeys(300, 4);
  ByteKeySet set;
  set.Reset(4);
  for (const auto& key : keys) set.Insert(key.data());
  EXPECT_GT(set.capacity(), 100u);
  set.Reset(4);
  EXPECT_EQ(set.size(), 0u);
  EXPECT_EQ(set.capacity(), 100u);
  EXPECT_EQ(set.nodesInUse(), 0u);
  for (const auto& key : keys) EXPECT_EQ(set.Find(key.data()), nullptr);
}

TEST(ByteKeySetContents, EqualHashDifferentBytesAreTwoKeys) {
  // Bytes beyond the key length do not count, so these two 3-byte keys are
  // the same key, while a change inside the length makes another.
  const std::uint8_t a[4] = {1, 2, 3, 9};
  const std::uint8_t b[4] = {1, 2, 3, 8};
  const std::uint8_t c[4] = {1, 2, 4, 9};
  ByteKeySet set;
  set.Reset(3);
  set.Insert(a);
  EXPECT_EQ(set.Find(b), a);
  EXPECT_EQ(set.Find(c), nullptr);
}

}  // namespace
}  // namespace zv
