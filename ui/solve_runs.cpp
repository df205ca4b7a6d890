// The window's solve runs and their kept place (ui/solve_runs.h).
#include "ui/solve_runs.h"

#include <QFile>
#include <QLabel>
#include <QToolButton>
#include <algorithm>
#include <ctime>
#include <utility>

#include "editor/editor_session.h"
#include "editor/time_estimate.h"
#include "run/checkpoint_policy.h"
#include "run/run_file_check.h"
#include "run/unit_file.h"
#include "storage/settings.h"
#include "texts/core_texts.h"
#include "ui/controls.h"
#include "ui/file_boxes.h"
#include "ui/form_half.h"
#include "ui/result_panel.h"
#include "ui/run_texts.h"
#include "ui/solve_button.h"
#include "ui/solve_observer.h"
#include "ui/solve_texts.h"
#include "ui/tr.h"

namespace zv {

namespace {

// How often the units of a run going on go to the kept-run file.
constexpr std::uint64_t kKeepEveryMs = 10 * 60 * 1000;

std::string FilePath(const QString& path) { return QFile::encodeName(path).toStdString(); }

// Why a run file that is one cannot be used (ui/run_texts.h).
const char* RunFileText(RunFileCheck check) {
  return check == RunFileCheck::NewerFormat ? kRunFileNewer
         : check == RunFileCheck::OtherTask ? kRunFileOtherTask
                                            : kRunFileDamaged;
}

}  // namespace

SolveRuns::SolveRuns(EditorSession& session, Services& services, FormHalf& half, const Settings& settings,
                     std::size_t memoryLimit, QString keptFile, Window window)
    : session_(session),
      services_(services),
      half_(half),
      settings_(settings),
      memoryLimit_(memoryLimit),
      keptFile_(std::move(keptFile)),
      kept_(FilePath(keptFile_)),
      window_(std::move(window)) {
  // Under SolveBt, below the result labels and clear of the layer tools of
  // edit mode (Edit1P ends at 262), in SolveBt's letters.
  ContinueBt = MakeButton(half.Panel4, "ContinueBt", kContinueHint, 262, 66, 95, 29, Tr(kContinueCaption));
  ContinueBt->setFont(half.SolveBt->font());
  ContinueBt->setStyleSheet(QStringLiteral("#ContinueBt { color: %1; }").arg(kSolveColor.name()));
  ContinueBt->setVisible(false);
  connect(ContinueBt, &QToolButton::clicked, this, &SolveRuns::ContinueClick);
  session_.keptPlace().SetUnitFinished([this] { UnitFinished(); });
}

SolveRuns::~SolveRuns() { session_.keptPlace().SetUnitFinished({}); }

void SolveRuns::SolveClick() {
  if (session_.workMode() == WorkMode::Solving) return session_.StopSolving();
  if (session_.workMode() == WorkMode::SolutionView) return window_.apply(session_.ReturnToEditing());
  Run(false);
}

void SolveRuns::ContinueClick() { Run(true); }

SolveOptions SolveRuns::Options() const {
  SolveOptions options;
  options.memoryLimit = memoryLimit_;
  options.threads = settings_.Threads > 0 ? std::min(settings_.Threads, kMaxThreads) : DefaultThreadCount();
  return options;
}

void SolveRuns::Run(bool fromPlace) {
  const Changes begin = session_.BeginSolving(fromPlace);
  if (!begin.mode) return;  // SolveBt is enabled only for a valid task, ContinueBt only with a place
  if (!fromPlace) priorMs_ = 0;
  window_.apply(begin);
  ResultPanel& results = *half_.ResP;
  results.ClearCounts();
  // The once-a-second refresh; a continued run's time goes on from its
  // earlier stretches, those of earlier sessions too (the kept-run file
  // holds them). The estimate follows this stretch alone.
  const std::uint64_t prior = priorMs_;
  RemainingEstimate estimate;
  WindowSolveObserver observer(
      services_.SolveClock(), services_,
      [this, &results, &estimate, prior](ProgressStep step, const SolveStats& stats) {
        if (step.first) half_.SolveBt->ShowStop();
        const std::optional<double> remaining = estimate.Update(step.elapsedMs, stats.explored);
        step.elapsedMs += prior;
        step.seconds += (prior + 500) / 1000;
        results.ShowProgress(step, stats, remaining);
      });
  running_ = &observer;
  // A crash during the run loses at most the last ten minutes.
  CheckpointPolicy keeping([this] { return WriteKept(); }, [&observer] { return observer.ElapsedMs(); },
                           kKeepEveryMs);
  keeping_ = &keeping;
  const SolveRun run = session_.RunSolver(observer, Options());
  running_ = nullptr;
  keeping_ = nullptr;
  priorMs_ += observer.ElapsedMs();
  if (closing_ == Closing::Discard) session_.keptPlace().Drop();
  window_.apply(run.changes);  // the kept-run file follows the place
  results.ShowRunEnd(priorMs_, session_.solver().DeadEnds());
  if (closing_ != Closing::No) {
    // A place that was to be kept and could not be written keeps the window open.
    const bool stay = closing_ == Closing::Keep && session_.placeKept() && writeFailed_;
    closing_ = Closing::No;
    if (!stay) window_.close();
    return;
  }
  // A run that ran out of memory ends as after a stop, its solutions browsed.
  if (run.outcome == SolveOutcome::OutOfMemory)
    services_.ShowMessage({Tr(kNotEnoughMemory), QString(), MessageIcon::Error, MessageButtons::Ok});
}

void SolveRuns::CloseDuringRun(RunClosing closing) {
  if (closing_ != Closing::No) return;  // asked already; the run is stopping
  Closing how = closing == RunClosing::Keep ? Closing::KeepQuietly : Closing::Quiet;
  if (closing == RunClosing::Ask) {
    const MessageAnswer answer = services_.ShowMessage(
        {Tr(kKeepRunQuestion), Tr(kKeepRunCaption), MessageIcon::None, MessageButtons::SaveDiscardCancel});
    if (answer != MessageAnswer::Save && answer != MessageAnswer::Discard) return;
    how = answer == MessageAnswer::Save ? Closing::Keep : Closing::Discard;
  }
  closing_ = how;
  session_.StopSolving();
}

void SolveRuns::ShowPlace() {
  const bool solving = session_.workMode() == WorkMode::Solving;
  ContinueBt->setVisible(session_.placeKept() && !solving);
  half_.ShowContinue(!ContinueBt->isHidden());  // the fold row makes way for it
  if (solving || closing_ == Closing::Quiet) return;
  if (session_.placeKept() && written_ != session_.keptPlace().number()) {
    WriteKeptFile();
  } else if (!session_.placeKept()) {
    kept_.Drop();  // another instance's run stays
  }
}

bool SolveRuns::WriteKept() {
  const std::uint64_t elapsedMs = priorMs_ + (running_ != nullptr ? running_->ElapsedMs() : 0);
  return kept_.Write(MakeUnitFile(session_.task(), session_.validation().links.blockCount,
                                  session_.keptPlace().engine(), session_.keptPlace().Job(), elapsedMs));
}

void SolveRuns::UnitFinished() {
  // A failure is said when the run stops and the place is written again.
  if (keeping_ != nullptr) keeping_->UnitFinished();
}

void SolveRuns::WriteKeptFile() {
  written_ = session_.keptPlace().number();  // tried once, so a failure is said once
  writeFailed_ = !WriteKept();
  if (writeFailed_ && closing_ != Closing::KeepQuietly)
    services_.ShowMessage(
        FileErrorBox(keptFile_, kWriteFailedCaption, MessageIcon::Exclamation, Tr(kRunNotKeptText)));
}

std::optional<bool> SolveRuns::OpenCheckpoint(const QString& path) {
  // Files that are none, or cannot be read at all, are left to the task file reader.
  if (KindOfFile(FilePath(path)) != RunFileKind::UnitFile) return std::nullopt;
  UnitFile file;
  TaskState task = session_.task();  // a file without its task goes with the present one
  const RunFileCheck check = OpenRunFile(FilePath(path), TaskMatch::OwnFirst, task, file);
  if (check == RunFileCheck::Missing || check == RunFileCheck::Unreadable) return std::nullopt;
  Changes shown;
  const char* why = check != RunFileCheck::Ok ? RunFileText(check) : Restore(file, task, shown);
  if (why != nullptr) {
    services_.ShowMessage(FileErrorBox(path, why, MessageIcon::Error));
    return false;
  }
  window_.showTask(shown);
  return true;
}

void SolveRuns::RestoreKeptPlace(bool taskRead) {
  UnitFile file;
  TaskState task = session_.task();
  Changes shown;
  // Made on the autosave's task, whose description may have changed since.
  const RunFileCheck check = OpenRunFile(FilePath(keptFile_), TaskMatch::Alike, task, file);
  if (check == RunFileCheck::Missing) return;
  const char* why = check == RunFileCheck::OtherTask || (check == RunFileCheck::Ok && !taskRead)
                        ? kKeptRunOtherTask
                    : check != RunFileCheck::Ok ? RunFileText(check)
                                                : Restore(file, session_.task(), shown);
  if (why == nullptr) {
    written_ = session_.keptPlace().number();
    kept_.Adopt();
    window_.showTask(shown);
    return;
  }
  // Not enough memory now says nothing against the file: it stays for the next start.
  const KeptRunAside kind = why == kKeptRunOtherTask ? KeptRunAside::OtherTask
                            : why == kRunFileNewer   ? KeptRunAside::Newer
                                                     : KeptRunAside::Damaged;
  const std::optional<std::string> aside =
      why == kNotEnoughMemory ? std::nullopt : kept_.SetAside(kind, std::time(nullptr));
  const QString more = aside ? Tr(kKeptRunSetAsideText).arg(QFile::decodeName(aside->c_str())) : QString();
  services_.ShowMessage(FileErrorBox(keptFile_, why, MessageIcon::Exclamation, more));
}

const char* SolveRuns::Restore(UnitFile& file, const TaskState& task, Changes& shown) {
  if (file.parts != 1) return kRunFilePart;
  PlaceRestore restored = session_.RestorePlace(task, file.engine, file.cut, std::move(file.results),
                                                Options(), std::move(file.begun));
  switch (restored.refusal) {
    case PlaceRefusal::None:
      break;
    case PlaceRefusal::Units:
      return restored.check == UnitCheck::OtherCut ? kRunFileOtherCut : kRunFileDamaged;
    case PlaceRefusal::OutOfMemory:
      return kNotEnoughMemory;
    case PlaceRefusal::Solving:
    case PlaceRefusal::InvalidTask:
      return kRunFileDamaged;
  }
  // The run's time so far goes on in the next stretch; a file that does not
  // hold it (written by an earlier version) shows none.
  priorMs_ = file.elapsedMs;
  half_.ResP->ShowRunEnd(priorMs_ == 0 ? std::nullopt : std::optional(priorMs_),
                         session_.solver().DeadEnds());
  shown = restored.changes;
  return nullptr;
}

}  // namespace zv
