// The Russian texts (UTF-8) of why a task has no solution
// (solver/no_solution.h), for the window's result panel and zorvat-cli's
// "message_ru": a pattern with "%1" and "%2" where its words go, and those
// words, so that the window translates the pattern and then fills it.
//
//   zv::ReasonText t = zv::NoSolutionText(why, task.figure, solver.DeadEnds());
//   show(zv::FillWords(t.pattern, t.first, t.second));
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/task.h"
#include "solver/no_solution.h"

namespace zv {

struct ReasonText {
  const char* pattern;
  std::string first, second;
};

ReasonText NoSolutionText(const NoSolutionReason& why, const FigureState& figure, std::uint64_t deadEnds);

// Cubes by their user numbers, ascending, runs shortened: "1-4, 7".
std::string CubeListText(const std::vector<CubeIndex>& cubes, const FigureState& figure);

// `pattern` with "%1" replaced by `first` and "%2" by `second`.
std::string FillWords(const char* pattern, const std::string& first, const std::string& second = "");

}  // namespace zv
