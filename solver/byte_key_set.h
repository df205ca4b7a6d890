// ByteKeySet: a hash set of references to byte keys of one fixed length. The
// keys live elsewhere (in the block pool) and are never copied or freed here.
//
// Usage:
//   zv::ByteKeySet set;
//   set.Reset(12);                           // capacity 100: 200 slots, 26 nodes
//   if (set.Find(scratch) == nullptr) {      // compares 12 bytes
//     std::uint8_t* kept = copy of scratch in the pool;
//     set.Insert(kept);                      // known not to be present
//   }
//
// Slots (2n for capacity n) hold nothing, one key, or the newest node of a
// chain; a node holds one key and what the slot held before, so a chain runs
// newest to oldest. Nodes (floor(n/4 + 1)) are handed out in order. Before an
// insert, when the key count has reached n or every node is in use, the set is
// rebuilt with capacity 2n (1024 from none).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace zv {

class ByteKeySet {
 public:
  // The 64-bit multiplier of the hash: high word 0x1ded1e3, low word 0x6bfaace9.
  static constexpr std::uint64_t kHashMultiplier = 134775813567065321ull;
  static constexpr std::size_t kResetCapacity = 100;
  static constexpr std::size_t kFirstCapacity = 1024;

  // Sum over the key's 32-bit little-endian words (the last one padded with
  // zero bytes) of bits 32..63 of word * kHashMultiplier, modulo 2^32.
  static std::uint32_t Hash(const std::uint8_t* key, std::size_t length);

  // Empties the set and sets the key length; capacity 100.
  void Reset(std::size_t keyLength);
  // The stored key with the same bytes, or nullptr. A set that has no table
  // yet (never reset) first makes one of capacity 1024.
  const std::uint8_t* Find(const std::uint8_t* key);
  // Adds a key that is not present; the bytes must stay valid and unchanged.
  void Insert(const std::uint8_t* key);

  std::size_t keyLength() const { return keyLength_; }
  std::size_t size() const { return count_; }
  std::size_t capacity() const { return capacity_; }
  std::size_t slotCount() const { return slots_.size(); }
  std::size_t nodeCount() const { return nodes_.size(); }
  std::size_t nodesInUse() const { return nodesUsed_; }

 private:
  // A slot or a node's link: a key (node < 0), a chain node (node >= 0), or
  // nothing (node < 0 and key == nullptr).
  struct Ref {
    const std::uint8_t* key = nullptr;
    std::int32_t node = -1;
  };
  struct Node {
    Ref older;
    const std::uint8_t* key;
  };

  void MakeTable(std::size_t capacity);
  void Rebuild(std::size_t capacity);
  std::size_t SlotOf(const std::uint8_t* key) const;
  void Link(std::size_t slot, const std::uint8_t* key);

  std::size_t keyLength_ = 0;
  std::size_t count_ = 0;
  std::size_t capacity_ = 0;
  std::size_t nodesUsed_ = 0;
  std::vector<Ref> slots_;
  std::vector<Node> nodes_;
};

}  // namespace zv
