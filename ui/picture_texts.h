// Texts of the picture files the window saves (the figure, the form layers,
// a sheet of solutions), in Russian and marked for translation (ui/tr.h).
#pragma once

#include <QtGlobal>

namespace zv {

inline constexpr const char* kPicturesHint =
    QT_TRANSLATE_NOOP("Zorvat", "Сохранить рисунок: фигуру, слои формы или лист решений (SVG или PNG)");
inline constexpr const char* kFigurePictureItem = QT_TRANSLATE_NOOP("Zorvat", "Фигура…");
inline constexpr const char* kLayersPictureItem = QT_TRANSLATE_NOOP("Zorvat", "Слои формы…");
inline constexpr const char* kSheetPictureItem = QT_TRANSLATE_NOOP("Zorvat", "Лист решений…");
inline constexpr const char* kFigurePictureTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить рисунок фигуры");
inline constexpr const char* kLayersPictureTitle =
    QT_TRANSLATE_NOOP("Zorvat", "Сохранить рисунок слоёв формы");
inline constexpr const char* kSheetPictureTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить лист решений");
inline constexpr const char* kPictureFilter = "*.svg *.png";
// The sheet's range: solutions from .. to; %1: the most on one sheet.
inline constexpr const char* kSheetRangeTitle = QT_TRANSLATE_NOOP("Zorvat", "Лист решений");
inline constexpr const char* kSheetFromLabel = QT_TRANSLATE_NOOP("Zorvat", "Решения с");
inline constexpr const char* kSheetToLabel = QT_TRANSLATE_NOOP("Zorvat", "по");
inline constexpr const char* kSheetLimitText =
    QT_TRANSLATE_NOOP("Zorvat", "На одном листе не больше %1 решений");

}  // namespace zv
