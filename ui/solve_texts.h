// Russian texts and colours of the solve command and the solution browser.
#pragma once

#include <QColor>

namespace zv {

inline constexpr const char* kSolveCaption = "Решить";
inline constexpr const char* kStopCaption = "Стоп";
inline constexpr const char* kEditCaption = "Редакт.";
inline constexpr const char* kEditHint = "Перейти в режим редактирования";
inline constexpr const char* kSolutionOfCount = "%1 из %2";  // "%d из %d": index + 1, count
inline constexpr const char* kSolutionHint = "Решение";
// Past the 10000 kept: index + 1, kept, and found ("≥ found" for a lower bound).
inline constexpr const char* kSolutionOfKeptFound = "%1 из %2 (%3)";
inline constexpr const char* kAtLeast = "≥";
inline constexpr const char* kSolutionsFoundHint = "Найдено решений: %1, сохранено первых %2";
inline constexpr const char* kNoSolutions = "Решений нет";
// The solver's memory box: this text, an empty caption, the error icon.
inline constexpr const char* kNotEnoughMemory = "Not enough memory";

inline const QColor kSolveColor{0, 128, 0};  // "Решить"
inline const QColor kStopColor{255, 0, 0};   // "Стоп"
inline const QColor kEditColor{128, 0, 0};   // "Редакт."

}  // namespace zv
