// Symmetric images, a reduction of the reduced search: the branch
// symmetries that carry the state so far onto itself, narrowed as blocks
// are placed, and whether a class is the image of one an earlier branch of
// the same branching handled.
#include <bit>

#include "solver/fast_search.h"

namespace zv {

void FastSearch::NarrowSymmetries(std::int32_t placement) {
  const std::int32_t cls = red_->classOf[placement];
  for (std::uint64_t rest = symmetries_ & ~std::uint64_t{1}; rest != 0; rest &= rest - 1) {
    const int s = std::countr_zero(rest);
    if (red_->Image(s, placement) != cls) symmetries_ &= ~(std::uint64_t{1} << s);
  }
}

bool FastSearch::ImageOfEarlier(std::int32_t cls, std::uint32_t stamp, std::uint64_t mask,
                                std::uint64_t& count) const {
  for (std::uint64_t rest = mask & ~std::uint64_t{1}; rest != 0; rest &= rest - 1) {
    const std::int32_t image = red_->Image(std::countr_zero(rest), cls);
    if (image >= 0 && image != cls && stamp_[image] == stamp) {
      count = classCount_[image];
      return true;
    }
  }
  return false;
}

}  // namespace zv
