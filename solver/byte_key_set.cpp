// ByteKeySet: multiplicative hash over 32-bit words, chained buckets, and
// rebuilding by doubling.
#include "solver/byte_key_set.h"

#include <cstring>

namespace zv {

std::uint32_t ByteKeySet::Hash(const std::uint8_t* key, std::size_t length) {
  std::uint32_t h = 0;
  auto add = [&h](std::uint32_t word) { h += static_cast<std::uint32_t>((word * kHashMultiplier) >> 32); };
  std::size_t i = 0;
  for (; i + 4 <= length; i += 4)
    add(key[i] | key[i + 1] << 8 | key[i + 2] << 16 | static_cast<std::uint32_t>(key[i + 3]) << 24);
  if (i < length) {
    std::uint32_t tail = 0;
    for (std::size_t b = 0; i + b < length; ++b) tail |= static_cast<std::uint32_t>(key[i + b]) << (8 * b);
    add(tail);
  }
  return h;
}

void ByteKeySet::Reset(std::size_t keyLength) {
  keyLength_ = keyLength;
  MakeTable(kResetCapacity);
}

void ByteKeySet::MakeTable(std::size_t capacity) {
  capacity_ = capacity;
  count_ = 0;
  nodesUsed_ = 0;
  // Fresh vectors rather than clear(): the old arrays go back to the heap.
  std::vector<Ref>(2 * capacity).swap(slots_);
  std::vector<Node>(capacity / 4 + 1).swap(nodes_);
}

std::size_t ByteKeySet::SlotOf(const std::uint8_t* key) const {
  const std::uint64_t h = Hash(key, keyLength_);
  return static_cast<std::size_t>((h * slots_.size()) >> 32);
}

const std::uint8_t* ByteKeySet::Find(const std::uint8_t* key) {
  if (slots_.empty()) MakeTable(kFirstCapacity);
  Ref ref = slots_[SlotOf(key)];
  while (ref.node >= 0) {
    const Node& node = nodes_[ref.node];
    if (std::memcmp(node.key, key, keyLength_) == 0) return node.key;
    ref = node.older;
  }
  if (ref.key != nullptr && std::memcmp(ref.key, key, keyLength_) == 0) return ref.key;
  return nullptr;
}

void ByteKeySet::Insert(const std::uint8_t* key) {
  if (slots_.empty())
    MakeTable(kFirstCapacity);
  else if (count_ >= capacity_ || nodesUsed_ == nodes_.size())
    Rebuild(2 * capacity_);
  Link(SlotOf(key), key);
  ++count_;
}

void ByteKeySet::Link(std::size_t slot, const std::uint8_t* key) {
  Ref& head = slots_[slot];
  if (head.node < 0 && head.key == nullptr) {
    head.key = key;
    return;
  }
  nodes_[nodesUsed_] = Node{head, key};
  head = Ref{nullptr, static_cast<std::int32_t>(nodesUsed_)};
  ++nodesUsed_;
}

// Re-links every key, slot by slot, each chain from its newest key. With 2n
// slots becoming 4n, the new slot of a key is its old slot times two, or that
// plus one, so keys from different old slots never share a new one: the
// rebuilt table needs no more nodes than the old one used, and it has twice
// as many.
void ByteKeySet::Rebuild(std::size_t capacity) {
  std::vector<Ref> oldSlots;
  std::vector<Node> oldNodes;
  oldSlots.swap(slots_);
  oldNodes.swap(nodes_);
  const std::size_t count = count_;
  MakeTable(capacity);
  for (Ref ref : oldSlots) {
    while (ref.node >= 0) {
      const Node& node = oldNodes[ref.node];
      Link(SlotOf(node.key), node.key);
      ref = node.older;
    }
    if (ref.key != nullptr) Link(SlotOf(ref.key), ref.key);
  }
  count_ = count;
}

}  // namespace zv
