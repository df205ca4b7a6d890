// Solution images back to placements: a stored solution (the cube index + 1
// on each form cell by form cell number, then each cell's rotation, as the
// solution store keeps it) read as the placement of every block, so that a
// solution kept outside the solver can be checked against the task's
// tables and stored again.
#pragma once

#include <cstdint>
#include <span>

#include "solver/prepare.h"

namespace zv {

// Fills chosen[b] (B entries) with the placement of block b the image
// shows. False when the image is not a complete assignment of the tables:
// a block missing or on no available placement, a stray cube or rotation,
// or a hinge partner on a placement the hinge does not allow.
bool PlacementsOfImage(const PreparedSearch& prep, std::span<const std::uint8_t> image, std::int32_t* chosen);

}  // namespace zv
