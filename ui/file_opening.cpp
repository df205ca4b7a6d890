// Opening a task or result file into the session (ui/file_opening.h).
#include "ui/file_opening.h"

#include <QFile>
#include <QLabel>

#include "run/result_file.h"
#include "run/run_file_check.h"
#include "ui/file_boxes.h"
#include "ui/result_panel.h"
#include "ui/solve_texts.h"

namespace zv {

namespace {

constexpr const char* kNewerResultFileCaption =
    QT_TRANSLATE_NOOP("Zorvat", "Версия файла решений более новая, чем у программы");
constexpr const char* kDamagedResultFileCaption = QT_TRANSLATE_NOOP("Zorvat", "Ошибка в файле решений");
constexpr const char* kResultNotFittingCaption =
    QT_TRANSLATE_NOOP("Zorvat", "Решения в файле не подходят к его задаче");

}  // namespace

OpenedTask OpenFileIntoSession(const QString& path, EditorSession::TaskOrigin origin, EditorSession& session,
                               const SolveOptions& options, Services& services, ResultPanel& panel) {
  const std::string file = QFile::encodeName(path).toStdString();
  // Only a file that starts as a result file is one; the rest (a missing or
  // unreadable file too) is told apart by the task file reader.
  ResultFile run;
  const ResultFileStatus status = KindOfFile(file) == RunFileKind::ResultFile
                                      ? ReadResultFile(file, run)
                                      : ResultFileStatus::NotResultFile;
  if (status != ResultFileStatus::Ok && status != ResultFileStatus::NewerFormat &&
      status != ResultFileStatus::Damaged) {
    TaskState loaded;
    OpenedTask read;
    read.result = ReadTaskFile(file, loaded, &read.textError);
    if (read.result == ReadResult::Ok) read.changes = session.ReplaceTask(std::move(loaded), origin);
    return read;
  }
  const char* reason = status == ResultFileStatus::NewerFormat ? kNewerResultFileCaption
                       : status == ResultFileStatus::Damaged   ? kDamagedResultFileCaption
                                                               : nullptr;
  EditorSession::StoredRun opened;
  if (reason == nullptr) {
    opened = session.OpenStoredRun(std::move(run), options);
    if (opened.result != Solver::RestoreResult::Ok)
      reason =
          opened.result == Solver::RestoreResult::OutOfMemory ? kNotEnoughMemory : kResultNotFittingCaption;
  }
  if (reason != nullptr) {
    services.ShowMessage(FileErrorBox(path, reason, MessageIcon::Error));
    return {};
  }
  panel.ShowRunEnd(std::nullopt, session.solver().DeadEnds());  // a kept run has no time of its own
  OpenedTask shown;
  shown.result = ReadResult::Ok;
  shown.changes = opened.changes;
  return shown;
}

}  // namespace zv
