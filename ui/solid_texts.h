// Russian texts of the 3-D view and its fold animation.
#pragma once

namespace zv {

inline constexpr const char* kSolidViewToggleHint = "Объёмный вид решения";
inline constexpr const char* kSolidResetHint = "Исходный поворот и масштаб";
inline constexpr const char* kSolidLayersHint = "Показывать слои до этого (остальные срезаны)";
inline constexpr const char* kFoldPlayHint = "Показать, как фигура складывается в решение";
inline constexpr const char* kFoldBackHint = "Шаг назад";
inline constexpr const char* kFoldForwardHint = "Шаг вперёд";
inline constexpr const char* kFoldSliderHint = "Ход складывания: от плоской фигуры до решения";
inline constexpr const char* kFoldSpeedHint = "Скорость: шагов в секунду";
inline constexpr const char* kSolidExportHint = "Сохранить решение: модель STL или OBJ, рисунок PNG или SVG";
inline constexpr const char* kSolidExportTitle = "Сохранить решение";
inline constexpr const char* kSolidExportFilter = "*.stl *.obj *.png *.svg";
// %1: steps of the fold.
inline constexpr const char* kFoldFreeText = "Фигура складывается без столкновений (%1 шагов)";
// %1, %2: user numbers of the cubes; %3: the step; %4: steps of the fold.
inline constexpr const char* kFoldCollisionText = "Кубики %1 и %2 сталкиваются на шаге %3 из %4";
inline constexpr const char* kFoldOrderUnknownText = "Порядок шагов без столкновений не найден";

}  // namespace zv
