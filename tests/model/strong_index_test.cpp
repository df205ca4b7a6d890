// The index types: none converts to another or to int by itself, each is
// an int in size and copying, and they order and count as their values.
#include "model/strong_index.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <vector>

#include "model/task.h"

namespace zv {
namespace {

template <class A, class B>
constexpr bool kMixes = std::is_convertible_v<A, B> || std::is_constructible_v<A, B>;

static_assert(!kMixes<CellIndex, CellNumber> && !kMixes<CellNumber, CellIndex>);
static_assert(!kMixes<CubeIndex, CellNumber> && !kMixes<PlacementId, CubeIndex>);
static_assert(!std::is_convertible_v<int, CellIndex> && !std::is_convertible_v<CellIndex, int>);
static_assert(sizeof(CellIndex) == sizeof(int) && std::is_trivially_copyable_v<PlacementId>);

// The model's interfaces take each index of their own kind only.
template <class I>
constexpr bool kFormTakes = requires(const FormState& form, I i) {
  form.At(i);
  FormCellX(i);
};
template <class I>
constexpr bool kNumbersTake = requires(const FigureState& figure, I i) {
  UserNumberOfCube(figure, i);
};
static_assert(kFormTakes<CellIndex> && !kFormTakes<CellNumber> && !kFormTakes<int>);
static_assert(kNumbersTake<CubeIndex> && !kNumbersTake<CellIndex> && !kNumbersTake<int>);

TEST(StrongIndex, OrdersAndCountsAsItsValue) {
  CellNumber n(3);
  EXPECT_EQ((++n).value(), 4);
  EXPECT_LT(CellNumber(2), n);
  EXPECT_EQ(n, CellNumber(4));
  EXPECT_FALSE(CubeIndex::None().valid());
  EXPECT_TRUE(CubeIndex(0).valid());
}

}  // namespace
}  // namespace zv
