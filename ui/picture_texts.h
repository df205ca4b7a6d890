// Texts of the picture files the window saves (the figure, the form layers,
// a sheet of solutions, a solution's fold instructions), in Russian and
// marked for translation (ui/tr.h).
#pragma once

#include <QtGlobal>

namespace zv {

inline constexpr const char* kPicturesHint = QT_TRANSLATE_NOOP(
    "Zorvat",
    "Сохранить рисунок: фигуру, слои формы или лист решений (SVG или PNG), инструкцию по складыванию (PDF "
    "или SVG)");
inline constexpr const char* kFigurePictureItem = QT_TRANSLATE_NOOP("Zorvat", "Фигура…");
inline constexpr const char* kLayersPictureItem = QT_TRANSLATE_NOOP("Zorvat", "Слои формы…");
inline constexpr const char* kSheetPictureItem = QT_TRANSLATE_NOOP("Zorvat", "Лист решений…");
inline constexpr const char* kFigurePictureTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить рисунок фигуры");
inline constexpr const char* kLayersPictureTitle =
    QT_TRANSLATE_NOOP("Zorvat", "Сохранить рисунок слоёв формы");
inline constexpr const char* kSheetPictureTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить лист решений");
inline constexpr const char* kPictureFilter = "*.svg *.png";
// The fold instructions of the shown solution (ui/pictures/fold_sheet.h).
inline constexpr const char* kFoldSheetItem = QT_TRANSLATE_NOOP("Zorvat", "Инструкция по складыванию…");
inline constexpr const char* kFoldSheetSaveTitle =
    QT_TRANSLATE_NOOP("Zorvat", "Сохранить инструкцию по складыванию");
inline constexpr const char* kFoldSheetFilter = "*.pdf *.svg";
// %1: the solution's number, %2: the fold check's verdict in words.
inline constexpr const char* kFoldSheetNoMotionText =
    QT_TRANSLATE_NOOP("Zorvat", "У решения %1 нет найденного движения складывания, инструкции нет. %2");
inline constexpr const char* kFoldSheetNothingText =
    QT_TRANSLATE_NOOP("Zorvat", "Решение %1 ложится в форму без поворота шарниров, инструкции нет.");
// While the fold instructions wait for the check of solution %1, and its stop button.
inline constexpr const char* kFoldSheetCheckingText =
    QT_TRANSLATE_NOOP("Zorvat", "Проверка складывания решения %1 для инструкции…");
inline constexpr const char* kFoldSheetStopCheck = QT_TRANSLATE_NOOP("Zorvat", "Остановить");
inline constexpr const char* kFoldSheetStoppedText =
    QT_TRANSLATE_NOOP("Zorvat", "Проверка складывания остановлена, инструкция не сохранена.");
// On the sheet: %1 the task's name, %2 the solution's number.
inline constexpr const char* kFoldSheetHeading = QT_TRANSLATE_NOOP("Zorvat", "%1 — решение %2");
inline constexpr const char* kFoldSheetLegend = QT_TRANSLATE_NOOP(
    "Zorvat",
    "На каждом шаге кубики, которые движутся, в цвете; поворачиваемые шарниры отмечены оранжевым и "
    "названы номерами их кубиков, с углом после шага.");
inline constexpr const char* kFoldSheetStart = QT_TRANSLATE_NOOP("Zorvat", "Развёртка");
inline constexpr const char* kFoldSheetStep = QT_TRANSLATE_NOOP("Zorvat", "Шаг %1");
inline constexpr const char* kFoldSheetPlacing = QT_TRANSLATE_NOOP("Zorvat", "Часть %1 идёт в форму");
inline constexpr const char* kFoldSheetPage = QT_TRANSLATE_NOOP("Zorvat", "Лист %1 из %2");
// The sheet's range: solutions from .. to; %1: the most on one sheet.
inline constexpr const char* kSheetRangeTitle = QT_TRANSLATE_NOOP("Zorvat", "Лист решений");
inline constexpr const char* kSheetFromLabel = QT_TRANSLATE_NOOP("Zorvat", "Решения с");
inline constexpr const char* kSheetToLabel = QT_TRANSLATE_NOOP("Zorvat", "по");
inline constexpr const char* kSheetLimitText =
    QT_TRANSLATE_NOOP("Zorvat", "На одном листе не больше %1 решений");

}  // namespace zv
