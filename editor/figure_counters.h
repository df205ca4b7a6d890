// The figure's counters as the window shows them: cubes always; parts and
// cycles from the link analysis, and without it (fewer than two cubes) as
// many parts as cubes and no cycle; more than 254 cubes are never analysed,
// so they show no part or cycle count.
#pragma once

#include <optional>

#include "model/validation.h"

namespace zv {

struct FigureCounters {
  int cubes = 0;
  std::optional<int> parts;   // nothing: not shown
  std::optional<int> cycles;  // nothing: not shown
};

inline FigureCounters CountersOf(const Validation& v) {
  if (v.linksAnalysed) return {v.cubeCount, v.links.partCount, v.links.cycleCount};
  if (v.cubeCount < 2) return {v.cubeCount, v.cubeCount, 0};
  return {v.cubeCount, std::nullopt, std::nullopt};
}

}  // namespace zv
