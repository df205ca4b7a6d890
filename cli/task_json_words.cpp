// The English words for what is wrong in a text form task file, and where:
// "PATH:LINE:COLUMN: what", the way compilers point at a place in a file.
#include <array>

#include "cli/failures.h"

namespace zv::cli {
namespace {

// By JsonProblem, in the enum's order.
constexpr std::array kSyntaxWords{
    "",                                     // None
    "the text ends inside a value",         // UnexpectedEnd
    "unexpected character",                 // UnexpectedCharacter
    "not a JSON number",                    // BadNumber
    "unknown escape or lone surrogate",     // BadEscape
    "bytes that are not UTF-8",             // BadUtf8
    "control character inside a string",    // ControlCharacter
    "the key appears twice in one object",  // DuplicateKey
    "arrays and objects nested too deep",   // TooDeep
    "too many values",                      // TooManyValues
    "text after the end of the document",   // TrailingText
};
static_assert(kSyntaxWords.size() == static_cast<std::size_t>(JsonProblem::TrailingText) + 1);

// By TaskJsonProblem, in the enum's order; "%s" stands for the member's name.
constexpr std::array kTaskWords{
    "",                                                         // None
    "",                                                         // Syntax
    "not a Zorvat task: \"format\" must be \"zorvat-task\"",    // NotATask
    "the task is from a newer version of the program",          // NewerVersion
    "missing member \"%s\"",                                    // MissingField
    "unknown member \"%s\"",                                    // UnknownField
    "\"%s\" has the wrong type",                                // WrongType
    "\"%s\" is out of range",                                   // OutOfRange
    "a form row may hold only '#' (a cell) and '.' (no cell)",  // BadFormRow
    "the form's layers and rows must all have one length",      // UnevenForm
    "the cube is outside the figure",                           // CubeOutside
    "a second cube in the same cell",                           // CubeTwice
    "either every cube has a \"number\" or none has",           // PartlyNumbered
    "the cube numbers must be 1 to the number of cubes, each once (renumbered figures hold at most 256 "
    "cubes)",                                                  // BadNumbers
    "no cube has this number",                                 // UnknownCube
    "no link of this kind and edge can join these two cubes",  // NoSuchLink
    "the description holds a character outside Windows-1251",  // TextNotCp1251
    "the description is too long",                             // TextTooLong
};
static_assert(kTaskWords.size() == static_cast<std::size_t>(TaskJsonProblem::TextTooLong) + 1);

}  // namespace

std::string DescribeTaskJsonError(const TaskJsonError& error) {
  std::string words = error.problem == TaskJsonProblem::Syntax
                          ? kSyntaxWords[static_cast<std::size_t>(error.syntax)]
                          : kTaskWords[static_cast<std::size_t>(error.problem)];
  if (const std::size_t at = words.find("%s"); at != std::string::npos) words.replace(at, 2, error.field);
  return std::to_string(error.at.line) + ':' + std::to_string(error.at.column) + ": " + words;
}

}  // namespace zv::cli
