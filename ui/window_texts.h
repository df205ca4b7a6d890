// Texts of the main window that more than one handler shows, in Russian and
// marked for translation (ui/tr.h).
#pragma once

#include <QtGlobal>

namespace zv {

inline constexpr const char* kProgramCaption = QT_TRANSLATE_NOOP("Zorvat", "Зорват");
inline constexpr const char* kProgramCaptionWithFile =
    QT_TRANSLATE_NOOP("Zorvat", "Зорват (%1)");  // %1: task file base name
inline constexpr const char* kTooManyCubesText =
    QT_TRANSLATE_NOOP("Zorvat", "Количество кубиков не должно быть больше 254");
inline constexpr const char* kAddCubesImpossibleCaption =
    QT_TRANSLATE_NOOP("Zorvat", "Добавление кубиков невозможно");
inline constexpr const char* kOperationImpossibleCaption = QT_TRANSLATE_NOOP("Zorvat", "Операция невозможна");
inline constexpr const char* kOpenTaskTitle = QT_TRANSLATE_NOOP("Zorvat", "Открыть задачу");
inline constexpr const char* kSaveTaskTitle = QT_TRANSLATE_NOOP("Zorvat", "Сохранить задачу");
inline constexpr const char* kOverwriteQuestion = QT_TRANSLATE_NOOP("Zorvat", "Сохранять?");
inline constexpr const char* kOverwriteCaption = QT_TRANSLATE_NOOP("Zorvat", "Файл уже существует");
// A file to save whose extension names no type the window writes (%1:
// the extensions it writes there).
inline constexpr const char* kUnknownFileTypeCaption = QT_TRANSLATE_NOOP("Zorvat", "Неизвестный тип файла");
inline constexpr const char* kKnownFileTypesText = QT_TRANSLATE_NOOP("Zorvat", "Сохранить можно в файлы %1");
// An autosave that could not be read at start (%1: where it was moved).
inline constexpr const char* kAutosaveSetAsideText =
    QT_TRANSLATE_NOOP("Zorvat", "Файл сохранён под именем %1");
inline constexpr const char* kAutosaveHeldText =
    QT_TRANSLATE_NOOP("Zorvat", "Файл не удалось переименовать; при выходе он не будет перезаписан");
// Where a task file in the text form goes wrong (%1 line, %2 column).
inline constexpr const char* kTextFormPlaceText = QT_TRANSLATE_NOOP("Zorvat", "Строка %1, столбец %2");
// A write that failed at exit: the question under the failed files.
inline constexpr const char* kSettingsNotWrittenText = QT_TRANSLATE_NOOP("Zorvat", "Настройки не записаны");
inline constexpr const char* kAutosaveNotWrittenText = QT_TRANSLATE_NOOP("Zorvat", "Задача не записана");
inline constexpr const char* kSaveElsewhereQuestion = QT_TRANSLATE_NOOP(
    "Zorvat", "Сохранить задачу в другой файл перед выходом? «Отмена» — продолжить работу.");
// The new task command: the button's hint and the caption of its question,
// asked when the present task has changes no file holds.
inline constexpr const char* kNewTaskTitle = QT_TRANSLATE_NOOP("Zorvat", "Новая задача");
inline constexpr const char* kSaveChangesQuestion =
    QT_TRANSLATE_NOOP("Zorvat", "Сохранить изменения в задаче?");
// A shift button that could not shift, in the message line.
inline constexpr const char* kShiftEmptyText = QT_TRANSLATE_NOOP("Zorvat", "Сдвигать нечего: поле пусто");
inline constexpr const char* kShiftAtBorderText =
    QT_TRANSLATE_NOOP("Zorvat", "Сдвиг невозможен: в этом направлении нет места; увеличьте размер поля");
inline constexpr const char* kTaskExtension = "zvt";
inline constexpr const char* kTaskFilter = "*.zvt";

}  // namespace zv
