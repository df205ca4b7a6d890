// The Russian texts of validation codes and task file results, one row per
// code (ui/texts/core_texts.h).
#include "ui/texts/core_texts.h"

#include <array>
#include <cstddef>

namespace zv {
namespace {

// By ValidationError, in the enum's order.
constexpr std::array kValidationTexts{
    "",                                               // None
    "В исходной фигуре меньше 2 кубиков",             // TooFewCubes
    "В исходной фигуре больше 254 кубиков",           // TooManyCubes
    "Кубики %1 и %2 должны быть жестко связаны",      // MustBeRigid
    "Кубики %1 и %2 не могут быть шарнирно связаны",  // CannotBeHinged
    "В форме больше 254 кубиков",                     // FormTooLarge
    "В форме на %1 меньше кубиков, чем в условии",    // FormTooSmall
    "В форме на %1 больше кубиков, чем в условии",    // FormTooBig
};
static_assert(kValidationTexts.size() == static_cast<std::size_t>(ValidationError::FormTooBig) + 1,
              "kValidationTexts needs one row per ValidationError");

constexpr const char* kDamagedFileCaption = "Ошибка в файле задачи";

// By ReadResult, in the enum's order.
constexpr std::array kReadCaptions{
    "",                                                  // Ok
    "",                                                  // Missing
    "Невозможно считать файл",                           // Unreadable
    kDamagedFileCaption,                                 // TooShort
    "Неправильный заголовок файла задачи",               // BadHeader
    "Версия файла задачи более новая, чем у программы",  // NewerVersion
    kDamagedFileCaption,                                 // Damaged
};
static_assert(kReadCaptions.size() == static_cast<std::size_t>(ReadResult::Damaged) + 1,
              "kReadCaptions needs one row per ReadResult");

}  // namespace

const char* ValidationText(ValidationError error) {
  return kValidationTexts[static_cast<std::size_t>(error)];
}

std::string ValidationMessage(const Validation& v, const FigureState& figure) {
  switch (v.error) {
    case ValidationError::MustBeRigid:
    case ValidationError::CannotBeHinged:
      return FillNumbers(ValidationText(v.error), UserNumberOfCube(figure, v.cubeA),
                         UserNumberOfCube(figure, v.cubeB));
    default:
      return FillNumbers(ValidationText(v.error), v.count);
  }
}

const char* ReadResultCaption(ReadResult result) { return kReadCaptions[static_cast<std::size_t>(result)]; }

std::string FillNumbers(const char* pattern, int first, int second) {
  std::string text;
  for (const char* p = pattern; *p != '\0'; ++p) {
    if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
      text += std::to_string(p[1] == '1' ? first : second);
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

}  // namespace zv
