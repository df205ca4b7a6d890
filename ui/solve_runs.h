// The window's solve runs and the place a stopped one keeps: SolveBt's
// click (solve, stop, back to editing), the "Продолжить" button under it
// that goes on from the kept place, the run itself with the window kept
// alive, the kept-run file beside the autosave that follows the session's
// place (written when a place is kept and every ten minutes of a run, so
// that a crash loses at most that much; removed when the place is dropped;
// read back at the next start), the question when the window closes during
// a run, and opening a file of a stopped search (a checkpoint).
//
// The session decides what a place is and when it goes (editor/
// editor_session.h), and run/kept_run_file.h which kept-run file is this
// window's to write over or remove and where one that cannot be used goes;
// this shows it and says what happened.
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

#include "editor/changes.h"
#include "run/kept_run_file.h"
#include "solver/solver.h"

class QToolButton;

namespace zv {

class CheckpointPolicy;
class EditorSession;
class FormHalf;
class WindowSolveObserver;
class Services;
struct Settings;
struct UnitFile;

class SolveRuns : public QObject {
  Q_OBJECT

 public:
  // What the runs need of the main window: redrawing from changes, showing
  // a task that replaced the present one, and closing.
  struct Window {
    std::function<void(const Changes&)> apply;
    std::function<void(const Changes&)> showTask;
    std::function<void()> close;
  };

  // `settings` are read at every run (the thread count); `keptFile` is the
  // kept-run file's path.
  SolveRuns(EditorSession& session, Services& services, FormHalf& half, const Settings& settings,
            std::size_t memoryLimit, QString keptFile, Window window);
  ~SolveRuns() override;

  // SolveBt: a fresh run in edit mode, a stop while solving, back to editing in solution view.
  void SolveClick();
  // ContinueBt: goes on from the kept place.
  void ContinueClick();
  // After every change: ContinueBt shows exactly while a place is kept and
  // no run goes, and the kept-run file follows the place.
  void ShowPlace();
  // How the window closes during a run (it waits for the run). Ask: whether
  // to keep the run: Save keeps its place in the kept-run file and closes,
  // Discard closes without, Cancel goes on with the run. Keep: as Save,
  // without a question or a box (a signal asked the program to end).
  // Quiet (close without saving): the run stops and the file stays as it is.
  enum class RunClosing { Ask, Keep, Quiet };
  void CloseDuringRun(RunClosing how);
  // Opens `path` when it is a file of a stopped search: its task (or the
  // present one, for a file without its task) and the run as it stopped.
  // Nothing when it is none (a task file, or no file); else whether it was
  // opened; a refusal shows its box and changes nothing.
  std::optional<bool> OpenCheckpoint(const QString& path);
  // At start, after the autosave was read (`taskRead`: it was): the place
  // the last session kept, when it was made on that task. A kept-run file
  // that cannot be used (damaged, newer, of another task, or no task to go
  // with) is moved aside under a dated name ("Current.damaged-...zvu",
  // "Current.other-...zvu"), where it can still be opened, and a box says so.
  void RestoreKeptPlace(bool taskRead);

  QToolButton* ContinueBt;

 private:
  enum class Closing { No, Keep, KeepQuietly, Discard, Quiet };

  void Run(bool fromPlace);
  SolveOptions Options() const;
  // Restores the place of `file` on `task`: null and what to show, or why
  // it cannot be (a text of ui/run_texts.h), nothing changed.
  const char* Restore(UnitFile& file, const TaskState& task, Changes& shown);
  // Writes the session's place, or the units of the run going on, to the kept-run file.
  bool WriteKept();
  void WriteKeptFile();  // a kept place, its failure said
  void UnitFinished();   // a unit of the run finished: the file every ten minutes

  EditorSession& session_;
  Services& services_;
  FormHalf& half_;
  const Settings& settings_;
  std::size_t memoryLimit_;
  QString keptFile_;
  KeptRunFile kept_;  // the file at keptFile_
  Window window_;

  Closing closing_ = Closing::No;
  std::uint64_t priorMs_ = 0;               // time of the run's earlier stretches, earlier sessions too
  WindowSolveObserver* running_ = nullptr;  // the run going on, whose clock times the kept-run file
  CheckpointPolicy* keeping_ = nullptr;     // when the run going on writes the kept-run file
  unsigned written_ = 0;                    // the session's place number the kept-run file holds
  bool writeFailed_ = false;                // the last write of the file failed
};

}  // namespace zv
