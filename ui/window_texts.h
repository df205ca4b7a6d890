// Russian texts of the main window that more than one handler shows.
#pragma once

namespace zv {

inline constexpr const char* kProgramCaption = "Зорват";
inline constexpr const char* kProgramCaptionWithFile = "Зорват (%1)";  // %1: task file base name
inline constexpr const char* kTooManyCubesText = "Количество кубиков не должно быть больше 254";
inline constexpr const char* kAddCubesImpossibleCaption = "Добавление кубиков невозможно";
inline constexpr const char* kOperationImpossibleCaption = "Операция невозможна";
inline constexpr const char* kOpenTaskTitle = "Открыть задачу";
inline constexpr const char* kSaveTaskTitle = "Сохранить задачу";
inline constexpr const char* kOverwriteQuestion = "Сохранять?";
inline constexpr const char* kOverwriteCaption = "Файл уже существует";
// An autosave that could not be read at start (%1: where it was moved).
inline constexpr const char* kAutosaveSetAsideText = "Файл сохранён под именем %1";
inline constexpr const char* kAutosaveHeldText =
    "Файл не удалось переименовать; при выходе он не будет перезаписан";
// A write that failed at exit: the question under the failed files.
inline constexpr const char* kSettingsNotWrittenText = "Настройки не записаны";
inline constexpr const char* kAutosaveNotWrittenText = "Задача не записана";
inline constexpr const char* kSaveElsewhereQuestion =
    "Сохранить задачу в другой файл перед выходом? «Отмена» — продолжить работу.";
inline constexpr const char* kTaskExtension = "zvt";
inline constexpr const char* kTaskFilter = "*.zvt";

}  // namespace zv
