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
inline constexpr const char* kTaskExtension = "zvt";
inline constexpr const char* kTaskFilter = "*.zvt";

}  // namespace zv
