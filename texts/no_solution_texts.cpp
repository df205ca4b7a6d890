// The Russian texts of the reasons a task has no solution.
#include "texts/no_solution_texts.h"

#include <algorithm>
#include <array>

// Marks the texts for Qt's lupdate (texts/core_texts.cpp says why).
#define QT_TRANSLATE_NOOP(context, text) text

namespace zv {
namespace {

// By NoSolutionKind, in the enum's order.
constexpr std::array kReasonTexts{
    QT_TRANSLATE_NOOP("Zorvat", "Поиск не нашёл решений, тупиков: %1"),             // Unknown
    QT_TRANSLATE_NOOP("Zorvat", "Блок из кубиков %1 нигде не помещается в форме"),  // BlockFitsNowhere
    QT_TRANSLATE_NOOP("Zorvat",
                      "Часть из кубиков %1 нельзя уложить в форму, сохранив шарниры"),  // PartFitsNowhere
    QT_TRANSLATE_NOOP("Zorvat", "Клетку формы %1 не может занять ни один кубик"),       // CellUncovered
    QT_TRANSLATE_NOOP("Zorvat",
                      "Клеток формы, которые не может занять ни один кубик: %1, а пустыми остаются только "
                      "%2"),  // TooManyUncovered
    QT_TRANSLATE_NOOP(
        "Zorvat",
        "Шахматная раскраска: блоки не могут покрыть %1 тёмных и %2 светлых клеток формы"),  // Colouring
};
static_assert(kReasonTexts.size() == static_cast<std::size_t>(NoSolutionKind::Colouring) + 1,
              "kReasonTexts needs one row per NoSolutionKind");

}  // namespace

std::string CubeListText(const std::vector<CubeIndex>& cubes, const FigureState& figure) {
  std::vector<int> numbers;
  for (const CubeIndex k : cubes) numbers.push_back(UserNumberOfCube(figure, k));
  std::sort(numbers.begin(), numbers.end());
  std::string text;
  for (std::size_t i = 0; i < numbers.size();) {
    std::size_t j = i;
    while (j + 1 < numbers.size() && numbers[j + 1] == numbers[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    text += std::to_string(numbers[i]);
    if (j > i) text += (j == i + 1 ? ", " : "-") + std::to_string(numbers[j]);
    i = j + 1;
  }
  return text;
}

ReasonText NoSolutionText(const NoSolutionReason& why, const FigureState& figure, std::uint64_t deadEnds) {
  ReasonText text{kReasonTexts[static_cast<std::size_t>(why.kind)], "", ""};
  switch (why.kind) {
    case NoSolutionKind::Unknown:
      text.first = std::to_string(deadEnds);
      break;
    case NoSolutionKind::BlockFitsNowhere:
    case NoSolutionKind::PartFitsNowhere:
      text.first = CubeListText(why.cubes, figure);
      break;
    case NoSolutionKind::CellUncovered:
      text.first = std::to_string(why.cellX + 1);
      text.first.append(", ").append(std::to_string(why.cellY + 1));
      text.first.append(", ").append(std::to_string(why.cellZ + 1));
      text.first.insert(text.first.begin(), '(');
      text.first.push_back(')');
      break;
    case NoSolutionKind::TooManyUncovered:
      text.first = std::to_string(why.uncovered);
      text.second = std::to_string(why.spare);
      break;
    case NoSolutionKind::Colouring:
      text.first = std::to_string(why.formDark);
      text.second = std::to_string(why.formLight);
      break;
  }
  return text;
}

std::string FillWords(const char* pattern, const std::string& first, const std::string& second) {
  std::string text = pattern;
  for (const auto& [key, value] : {std::pair<std::string, const std::string&>{"%1", first}, {"%2", second}})
    for (std::size_t at = text.find(key); at != std::string::npos; at = text.find(key, at + value.size()))
      text.replace(at, key.size(), value);
  return text;
}

}  // namespace zv
