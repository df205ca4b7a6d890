// Opening a file into the editing session from the window: a result file
// (run/result_file.h) shows its run in solution view, its dead ends on
// the result panel, ready to browse without solving; any other file is read
// as a task file. A result file that cannot be used (damaged, newer, its
// solutions not fitting its task, or no memory to check them) is said here
// in a box (the path, then the reason) and changes nothing.
#pragma once

#include <QString>

#include "editor/editor_session.h"
#include "platform/qt/services.h"
#include "storage/task_file.h"

namespace zv {

class ResultPanel;

struct OpenedTask {
  // Ok when a task or a run replaced the present one; a task file's failure
  // for the caller to show; Missing (silent) also when a result file's box
  // was shown already.
  ReadResult result = ReadResult::Missing;
  Changes changes;          // on Ok: what to redraw
  TaskJsonError textError;  // on BadText: what is wrong in the text form, and where
};

OpenedTask OpenFileIntoSession(const QString& path, EditorSession::TaskOrigin origin, EditorSession& session,
                               const SolveOptions& options, Services& services, ResultPanel& panel);

}  // namespace zv
