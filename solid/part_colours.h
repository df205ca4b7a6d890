// The colours that tell the parts of a solution apart, as 0xRRGGBB values:
// the 3-D view (which shows a figure of one part in the user's cube colour
// instead), the pictures and the OBJ materials take them from here.
#pragma once

#include <array>
#include <cstdint>

namespace zv {

// clang-format off
inline constexpr std::array<std::uint32_t, 12> kPartColours{
    0xE6194B, 0x3CB44B, 0x4363D8, 0xF58231, 0x911EB4, 0x42D4F4,
    0xF032E6, 0xBFEF45, 0x9A6324, 0x469990, 0xFFE119, 0x800000};
// clang-format on

constexpr std::uint32_t PartColour(int part) { return kPartColours[part % kPartColours.size()]; }

}  // namespace zv
