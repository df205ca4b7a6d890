// Texts (Russian, marked for translation: ui/tr.h) of a stopped run's kept
// place: the continue button, the question when the window closes during a
// run, and why a file of a stopped search (a checkpoint) cannot be opened.
#pragma once

#include <QtGlobal>

namespace zv {

inline constexpr const char* kContinueCaption = QT_TRANSLATE_NOOP("Zorvat", "Продолжить");
inline constexpr const char* kContinueHint =
    QT_TRANSLATE_NOOP("Zorvat", "Продолжить остановленный поиск с того места, где он остановлен");
// Closing during a run: Save keeps the place, Discard closes without it, Cancel goes on.
inline constexpr const char* kKeepRunCaption = QT_TRANSLATE_NOOP("Zorvat", "Поиск ещё идёт");
inline constexpr const char* kKeepRunQuestion =
    QT_TRANSLATE_NOOP("Zorvat",
                      "Сохранить ход поиска, чтобы продолжить его при следующем запуске? «Отмена» — "
                      "продолжить поиск.");
// Under the path of a kept place that could not be written.
inline constexpr const char* kRunNotKeptText =
    QT_TRANSLATE_NOOP("Zorvat", "Ход поиска не сохранён; найденные решения можно просмотреть");
// Captions of a file of a stopped search that cannot be opened, each
// repeated under the path.
inline constexpr const char* kRunFileDamaged = QT_TRANSLATE_NOOP("Zorvat", "Ошибка в файле хода поиска");
inline constexpr const char* kRunFileNewer =
    QT_TRANSLATE_NOOP("Zorvat", "Файл хода поиска записан более новой версией программы");
inline constexpr const char* kRunFileOtherTask =
    QT_TRANSLATE_NOOP("Zorvat", "Ход поиска относится к другой задаче; сначала откройте её файл");
inline constexpr const char* kRunFileOtherCut =
    QT_TRANSLATE_NOOP("Zorvat", "Ход поиска записан другой версией программы и не подходит к этой");
inline constexpr const char* kRunFilePart =
    QT_TRANSLATE_NOOP("Zorvat",
                      "Это одна часть поиска, разделённого на части; части соединяет команда "
                      "zorvat-cli merge");
// At start: the run kept at the last exit was made on another task (or no
// autosaved task came with it); under the path, where it was moved (%1).
inline constexpr const char* kKeptRunOtherTask =
    QT_TRANSLATE_NOOP("Zorvat", "Ход поиска, сохранённый при выходе, относится к другой задаче");
inline constexpr const char* kKeptRunSetAsideText =
    QT_TRANSLATE_NOOP("Zorvat", "Файл сохранён под именем %1; его можно открыть кнопкой открытия задачи");
// The open dialog takes task files (and their text form), files of stopped searches and result files.
inline constexpr const char* kOpenFilter = "*.zvt *.json *.zvu *.zvr";

}  // namespace zv
