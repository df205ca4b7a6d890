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
inline constexpr const char* kSolidExportHint = QT_TRANSLATE_NOOP(
    "Zorvat", "Сохранить решение: модель STL или OBJ, рисунок PNG или SVG, веб-страницу HTML");
inline constexpr const char* kSolidExportTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить решение");
inline constexpr const char* kSolidExportFilter = "*.stl *.obj *.png *.svg *.html";
inline constexpr const char* kModelScaleLabel =
    QT_TRANSLATE_NOOP("Zorvat", "Размер модели: длина ребра кубика в единицах файла (например, мм)");
// The fold check's verdict (solid/fold_verdict.h). %1: steps of the motion.
inline constexpr const char* kFoldCheckingText = QT_TRANSLATE_NOOP("Zorvat", "Проверка складывания…");
inline constexpr const char* kFoldableText =
    QT_TRANSLATE_NOOP("Zorvat", "Складывается: движение без столкновений найдено (%1 шагов)");
inline constexpr const char* kFoldNotFoundText =
    QT_TRANSLATE_NOOP("Zorvat", "Движение складывания не найдено в пределах поиска");
inline constexpr const char* kFoldLockedText = QT_TRANSLATE_NOOP(
    "Zorvat", "Движение складывания не найдено: в решении ни один шарнир не может повернуться");
// %1: the part's number.
inline constexpr const char* kFoldNoWayInText =
    QT_TRANSLATE_NOOP("Zorvat", "Движение складывания не найдено: часть %1 не входит в форму");
inline constexpr const char* kFoldCycleText =
    QT_TRANSLATE_NOOP("Zorvat", "Не проверено (замкнутый цикл шарниров)");
inline constexpr const char* kFoldStoppedText =
    QT_TRANSLATE_NOOP("Zorvat", "Не проверено (проверка остановлена)");
// %1, %2: user numbers of the cubes; %3: the step; %4: steps of the fold.
inline constexpr const char* kFoldCollisionText =
    QT_TRANSLATE_NOOP("Zorvat", "в простом порядке кубики %1 и %2 сталкиваются на шаге %3 из %4");

}  // namespace zv
