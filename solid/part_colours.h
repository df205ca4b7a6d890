// The colours of a solution's cubes, as 0xRRGGBB values, in one table that
// the 3-D view, the pictures, the OBJ materials and the web page all take:
// each part has a colour of its own (kPartColours) and each block of a part
// a shade of it, so that the blocks of one part are told apart without the
// numbers. A figure of one part takes the user's cube colour instead, its
// blocks tinted with the part colours' hues (shades of a grey would differ
// no more than the light on a cube's faces does).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "solid/solid_solution.h"
#include "storage/settings.h"

namespace zv {

// clang-format off
inline constexpr std::array<std::uint32_t, 12> kPartColours{
    0xE6194B, 0x3CB44B, 0x4363D8, 0xF58231, 0x911EB4, 0x42D4F4,
    0xF032E6, 0xBFEF45, 0x9A6324, 0x469990, 0xFFE119, 0x800000};
// clang-format on

// The cube colour a figure of one part takes when the user chose none: the
// settings' default, whose bytes run blue, green, red.
inline constexpr std::uint32_t kDefaultCubeRgb =
    (kDefaultCubeColor & 0xFF) << 16 | (kDefaultCubeColor & 0xFF00) | (kDefaultCubeColor >> 16 & 0xFF);

constexpr std::uint32_t PartColour(int part) { return kPartColours[part % kPartColours.size()]; }

// Shade `shade` of colour `rgb`: 0 is the colour itself, then lighter and
// darker in turn (kBlockShadeCount of them, then over again).
inline constexpr int kBlockShadeCount = 7;
std::uint32_t BlockShade(std::uint32_t rgb, int shade);

// The colour of every cube of `solid`. Every block takes a shade that no
// block of its part linked to it or touching it face to face has, where the
// shades go round (else the one fewest of them have); the first block of
// each part takes the part's colour itself. A figure of one part starts
// from `singlePartRgb`, its other blocks tinted half way to a part colour.
std::vector<std::uint32_t> CubeColours(const SolidSolution& solid, std::uint32_t singlePartRgb);

}  // namespace zv
