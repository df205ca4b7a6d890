// The Russian texts of validation codes and task file results, one row per
// code (texts/core_texts.h).
#include "texts/core_texts.h"

#include <array>
#include <cstddef>

// Qt's lupdate collects the window's texts by this marker's name into the
// translation files; here, without Qt, it only marks them: the text stays
// the text, and the window translates it where it shows it.
#define QT_TRANSLATE_NOOP(context, text) text

namespace zv {
namespace {

// By ValidationError, in the enum's order.
constexpr std::array kValidationTexts{
    "",                                                                            // None
    QT_TRANSLATE_NOOP("Zorvat", "В исходной фигуре меньше 2 кубиков"),             // TooFewCubes
    QT_TRANSLATE_NOOP("Zorvat", "В исходной фигуре больше 254 кубиков"),           // TooManyCubes
    QT_TRANSLATE_NOOP("Zorvat", "Кубики %1 и %2 должны быть жестко связаны"),      // MustBeRigid
    QT_TRANSLATE_NOOP("Zorvat", "Кубики %1 и %2 не могут быть шарнирно связаны"),  // CannotBeHinged
    QT_TRANSLATE_NOOP("Zorvat", "В форме больше 254 кубиков"),                     // FormTooLarge
    QT_TRANSLATE_NOOP("Zorvat", "В форме на %1 меньше кубиков, чем в условии"),    // FormTooSmall
    QT_TRANSLATE_NOOP("Zorvat", "В форме на %1 больше кубиков, чем в условии"),    // FormTooBig
};
static_assert(kValidationTexts.size() == static_cast<std::size_t>(ValidationError::FormTooBig) + 1,
              "kValidationTexts needs one row per ValidationError");

constexpr const char* kDamagedFileCaption = QT_TRANSLATE_NOOP("Zorvat", "Ошибка в файле задачи");

// By ReadResult, in the enum's order.
constexpr std::array kReadCaptions{
    "",                                                                               // Ok
    "",                                                                               // Missing
    QT_TRANSLATE_NOOP("Zorvat", "Невозможно считать файл"),                           // Unreadable
    kDamagedFileCaption,                                                              // TooShort
    QT_TRANSLATE_NOOP("Zorvat", "Неправильный заголовок файла задачи"),               // BadHeader
    QT_TRANSLATE_NOOP("Zorvat", "Версия файла задачи более новая, чем у программы"),  // NewerVersion
    kDamagedFileCaption,                                                              // Damaged
    kDamagedFileCaption,                                                              // BadText
};
static_assert(kReadCaptions.size() == static_cast<std::size_t>(ReadResult::BadText) + 1,
              "kReadCaptions needs one row per ReadResult");

}  // namespace

const char* const kWriteFailedCaption = QT_TRANSLATE_NOOP("Zorvat", "Невозможно записать файл");
const char* const kMissingFileCaption = QT_TRANSLATE_NOOP("Zorvat", "Файл не найден");

const char* ValidationText(ValidationError error) {
  return kValidationTexts[static_cast<std::size_t>(error)];
}

std::pair<int, int> ValidationNumbers(const Validation& v, const FigureState& figure) {
  switch (v.error) {
    case ValidationError::MustBeRigid:
    case ValidationError::CannotBeHinged:
      return {UserNumberOfCube(figure, v.cubeA), UserNumberOfCube(figure, v.cubeB)};
    default:
      return {v.count, 0};
  }
}

std::string ValidationMessage(const Validation& v, const FigureState& figure) {
  const auto [first, second] = ValidationNumbers(v, figure);
  return FillNumbers(ValidationText(v.error), first, second);
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
