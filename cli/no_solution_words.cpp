// Why a task has no solution, in English for zorvat-cli.
#include "cli/no_solution_words.h"

#include <array>

#include "solver/no_solution.h"
#include "texts/no_solution_texts.h"

namespace zv::cli {
namespace {

struct ReasonWords {
  const char* code;
  const char* english;  // "%1" and "%2" as in the Russian pattern
};

// By NoSolutionKind, in the enum's order.
constexpr std::array kReasonWords{
    ReasonWords{"search", "the search found none (dead ends: %1)"},
    ReasonWords{"block_fits_nowhere", "the block of cubes %1 fits nowhere in the form"},
    ReasonWords{"part_fits_nowhere", "the part of cubes %1 fits nowhere in the form with its hinges kept"},
    ReasonWords{"cell_uncovered", "no cube can fill the form cell %1 (x, y, layer)"},
    ReasonWords{"too_many_uncovered", "%1 form cells can be filled by no cube, but only %2 may stay empty"},
    ReasonWords{"colouring",
                "checkerboard colouring: no placement of the blocks covers the form's %1 dark and %2 light "
                "cells as they must be filled"},
};

}  // namespace

std::string NoSolutionLine(const TaskState& task, const LinkAnalysis& links, std::uint64_t deadEnds,
                           JsonObject* json) {
  const NoSolutionReason why = FindNoSolutionReason(task, links);
  const ReasonText text = NoSolutionText(why, task.figure, deadEnds);
  const ReasonWords& words = kReasonWords[static_cast<std::size_t>(why.kind)];
  const std::string english = FillWords(words.english, text.first, text.second);
  if (json != nullptr)
    json->AddRaw("reason", JsonObject()
                               .Add("code", words.code)
                               .Add("message", english)
                               .Add("message_ru", FillWords(text.pattern, text.first, text.second))
                               .Text());
  return english;
}

}  // namespace zv::cli
