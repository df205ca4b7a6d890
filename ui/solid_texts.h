// Texts of the 3-D view and its fold animation, in Russian and marked for
// translation (ui/tr.h).
#pragma once

#include <QtGlobal>

namespace zv {

inline constexpr const char* kSolidViewToggleHint = QT_TRANSLATE_NOOP("Zorvat", "Объёмный вид решения");
inline constexpr const char* kSolidResetHint = QT_TRANSLATE_NOOP("Zorvat", "Исходный поворот и масштаб");
inline constexpr const char* kSolidLayersHint =
    QT_TRANSLATE_NOOP("Zorvat", "Показывать слои до этого (остальные срезаны)");
inline constexpr const char* kFoldPlayHint =
    QT_TRANSLATE_NOOP("Zorvat", "Показать, как фигура складывается в решение");
inline constexpr const char* kFoldBackHint = QT_TRANSLATE_NOOP("Zorvat", "Шаг назад");
inline constexpr const char* kFoldForwardHint = QT_TRANSLATE_NOOP("Zorvat", "Шаг вперёд");
inline constexpr const char* kFoldSliderHint =
    QT_TRANSLATE_NOOP("Zorvat", "Ход складывания: от плоской фигуры до решения");
inline constexpr const char* kFoldSpeedHint = QT_TRANSLATE_NOOP("Zorvat", "Скорость: шагов в секунду");
inline constexpr const char* kSolidExportHint =
    QT_TRANSLATE_NOOP("Zorvat", "Сохранить решение: модель STL или OBJ, рисунок PNG или SVG");
inline constexpr const char* kSolidExportTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить решение");
inline constexpr const char* kSolidExportFilter = "*.stl *.obj *.png *.svg *.html";
// %1: steps of the fold.
inline constexpr const char* kFoldFreeText =
    QT_TRANSLATE_NOOP("Zorvat", "Фигура складывается без столкновений (%1 шагов)");
// %1, %2: user numbers of the cubes; %3: the step; %4: steps of the fold.
inline constexpr const char* kFoldCollisionText =
    QT_TRANSLATE_NOOP("Zorvat", "Кубики %1 и %2 сталкиваются на шаге %3 из %4");
inline constexpr const char* kFoldOrderUnknownText =
    QT_TRANSLATE_NOOP("Zorvat", "Порядок шагов без столкновений не найден");

}  // namespace zv
