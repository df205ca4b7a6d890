// Texts (Russian, marked for translation: ui/tr.h) and colours of the solve
// command and the solution browser.
#pragma once

#include <QColor>
#include <QtGlobal>

namespace zv {

inline constexpr const char* kSolveCaption = QT_TRANSLATE_NOOP("Zorvat", "Решить");
inline constexpr const char* kStopCaption = QT_TRANSLATE_NOOP("Zorvat", "Стоп");
inline constexpr const char* kEditCaption = QT_TRANSLATE_NOOP("Zorvat", "Редакт.");
inline constexpr const char* kEditHint = QT_TRANSLATE_NOOP("Zorvat", "Перейти в режим редактирования");
inline constexpr const char* kSolutionOfCount =
    QT_TRANSLATE_NOOP("Zorvat", "%1 из %2");  // "%d из %d": index + 1, count
inline constexpr const char* kSolutionHint = QT_TRANSLATE_NOOP("Zorvat", "Решение");
// Past the 10000 kept: index + 1, kept, and found ("≥ found" for a lower bound).
inline constexpr const char* kSolutionOfKeptFound = QT_TRANSLATE_NOOP("Zorvat", "%1 из %2 (%3)");
inline constexpr const char* kAtLeast = "≥";
inline constexpr const char* kSolutionsFoundHint =
    QT_TRANSLATE_NOOP("Zorvat", "Найдено решений: %1, сохранено первых %2");
inline constexpr const char* kNoSolutions = QT_TRANSLATE_NOOP("Zorvat", "Решений нет");
// A run stopped before its end: nothing is a verdict yet (%1: found so far),
// and the browse label of a stopped run's kept solutions (%1 of %2).
inline constexpr const char* kStoppedFound = QT_TRANSLATE_NOOP("Zorvat", "Остановлено, найдено %1");
inline constexpr const char* kSolutionOfStopped = QT_TRANSLATE_NOOP("Zorvat", "%1 из %2, остановлено");
inline constexpr const char* kStoppedHint =
    QT_TRANSLATE_NOOP("Zorvat", "Поиск остановлен до конца; «Продолжить» ищет дальше");
// The time still expected before the estimate can be trusted.
inline constexpr const char* kNoEstimate = "—";
// Captions before the result numbers (TimePastL, TimeRestL, DeadL,
// SolNumL), full and brief: the longest that fits is shown, or none.
struct ResultCaption {
  const char* full;
  const char* brief;
};
inline constexpr ResultCaption kResultCaptions[4] = {
    {QT_TRANSLATE_NOOP("Zorvat", "Прошло, с"), QT_TRANSLATE_NOOP("Zorvat", "с")},
    {QT_TRANSLATE_NOOP("Zorvat", "Осталось, с"), QT_TRANSLATE_NOOP("Zorvat", "ост.")},
    {QT_TRANSLATE_NOOP("Zorvat", "Тупиков"), QT_TRANSLATE_NOOP("Zorvat", "туп.")},
    {QT_TRANSLATE_NOOP("Zorvat", "Решений"), QT_TRANSLATE_NOOP("Zorvat", "реш.")}};
// The solver's memory box: this text, an empty caption, the error icon.
inline constexpr const char* kNotEnoughMemory = "Not enough memory";

inline const QColor kSolveColor{0, 128, 0};  // "Решить"
inline const QColor kStopColor{255, 0, 0};   // "Стоп"
inline const QColor kEditColor{128, 0, 0};   // "Редакт."

}  // namespace zv
