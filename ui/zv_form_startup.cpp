// Start-up and shut-down of the main window: the settings file, the window
// placement, the display switches and cube colour, the first task (from the
// command line or the autosave file), and at the end the placement,
// settings and autosave, unless the window was closed without saving. A
// write that fails at exit is reported, and the user may save the task
// elsewhere or go on working instead of losing it.
// Closing during a solve asks whether to keep the run and asks it to stop;
// the runs close the window again when it has returned.
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

#include "platform/qt/color_value.h"
#include "storage/placement.h"
#include "ui/button_glyphs.h"
#include "ui/controls.h"
#include "ui/figure_half.h"
#include "ui/file_boxes.h"
#include "ui/form_half.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/pictures/view_colors.h"
#include "ui/recent_files.h"
#include "ui/solve_runs.h"
#include "ui/task_buttons.h"
#include "ui/text_window.h"
#include "ui/tr.h"
#include "ui/variants_window.h"
#include "ui/window_placement.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace zv {

TZvForm::TZvForm(Services& services, const StartOptions& options, QWidget* parent)
    : QWidget(parent), services_(services), solverMemoryLimit_(options.solverMemoryLimit) {
  setObjectName(QStringLiteral("ZvForm"));
  setFont(ViewFont(kWindowPointSize));
  const QSize design(871, 602);
  resize(design);
  setWindowTitle(Tr(kProgramCaption));
  figureHalf_ = new FigureHalf(this, height());
  Bevel1 = MakeBevel(this, "Bevel1", 290, height());
  formHalf_ = new FormHalf(this, {292, 0, width() - 292, height()});
  ConnectControls();
  InstallLayoutHandlers();
  fitScreen_ = options.fitScreen;
  FitMinimumSize();
  if (fitScreen_) FirstPlacement(design);
  StartUp(options);
  CreateAuxWindows();
}

TZvForm::~TZvForm() = default;

void TZvForm::FirstPlacement(QSize design) {
  // Four fifths of the screen's room in each direction, never less than the
  // design size where the screen has it, the window's frame included, and
  // in the middle of the screen. A stored placement replaces this (StartUp).
  const QRect room = screen()->availableGeometry();
  const QSize frame = kFrameAllowance;
  const QSize most = room.size() - frame;
  const QSize size = design.expandedTo(room.size() * 4 / 5 - frame).boundedTo(most);
  resize(size);
  move(room.left() + (room.width() - size.width() - frame.width()) / 2,
       room.top() + (room.height() - size.height() - frame.height()) / 2);
}

void TZvForm::KeepOnScreen() {
  // The frame is known once the window is shown: all of it goes on the
  // screen, its bottom line included, shrinking the window where it must.
  const QRect room = screen()->availableGeometry();
  const QRect outer = frameGeometry();
  if (!fitScreen_ || isMaximized() || isFullScreen() || room.contains(outer)) return;
  const QSize frame = outer.size() - size();
  const QSize size = this->size().boundedTo(room.size() - frame);
  resize(size);
  const QSize outerSize = size + frame;
  move(std::clamp(outer.left(), room.left(), room.right() + 1 - outerSize.width()),
       std::clamp(outer.top(), room.top(), room.bottom() + 1 - outerSize.height()));
}

void TZvForm::SetHandlerGuarded(QAbstractButton* button, bool checked) {
  handlerGuard_ = true;
  button->setChecked(checked);
  handlerGuard_ = false;
}

void TZvForm::StartUp(const StartOptions& options) {
  handlerGuard_ = false;
  vScrollWidth_ = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  hScrollHeight_ = vScrollWidth_;
  dataFolder_ = options.dataFolder;
  profile_ = std::make_unique<QtProfile>(dataFolder_ + QString::fromLatin1(kSettingsFileName));
  LoadWindowPlacement(*this, *profile_, kMainWindowSection);
  autosavePath_ = dataFolder_ + QString::fromLatin1(kAutosaveFileName);
  opt_ = LoadSettings(*profile_, QFile::encodeName(autosavePath_).toStdString());
  ApplySettings();
  recent_ = new RecentFiles(
      *profile_, services_, *figureHalf_->buttons->OpenBt, *this,
      [this](const QString& path) { ReadTask(path, true); },
      [this] { return ControlsOf(workMode()).openEnabled; });
  runs_ = std::make_unique<SolveRuns>(
      session_, services_, *formHalf_, opt_, solverMemoryLimit_,
      dataFolder_ + QString::fromLatin1(kKeptRunFileName),
      SolveRuns::Window{[this](const Changes& c) { Apply(c); },
                        [this](const Changes& c) { ShowReplacedTask(c); }, [this] { close(); }});

  QString startFile;
  if (!options.startParameter)
    startFile = autosavePath_;
  else if (*options.startParameter != QStringLiteral("-"))
    // Cancel to the question about unsaved work goes on with the autosaved task.
    startFile = AutosaveMayGo() ? *options.startParameter : autosavePath_;
  if (startFile != autosavePath_) currentTaskFile_ = startFile;
  if (currentTaskFile_.isEmpty()) currentTaskFile_ = QFile::decodeName(opt_.TaskFile.c_str());
  setAcceptDrops(true);

  if (!startFile.isEmpty() && (startFile == autosavePath_ ? ReadAutosave() : ReadTask(startFile, false)))
    return;
  Apply(session_.Start());
}

void TZvForm::ApplySettings() {
  handlerGuard_ = true;
  TextBt()->setChecked(opt_.ShowText);
  figureHalf_->NumberCB->setChecked(opt_.Numbers);
  figureHalf_->LinksCB->setChecked(opt_.Links);
  formHalf_->PrevLayerBt->setChecked(opt_.PrevLayer);
  formHalf_->NextLayerBt->setChecked(opt_.NextLayer);
  handlerGuard_ = false;
  figureHalf_->buttons->ChooseColBt->setIcon(ColorSwatchIcon(cubeColor()));
}

void TZvForm::ChooseColBtClick() {
  const std::optional<ColorValue> chosen = services_.ChooseColor(opt_.Color, kDefaultCubeColor);
  if (!chosen) return;
  opt_.Color = *chosen;
  figureHalf_->buttons->ChooseColBt->setIcon(ColorSwatchIcon(cubeColor()));
  FigureRedraw();
  FormRedraw();
}

void TZvForm::CloseWithoutSaveAExecute() {
  closeWithoutSaving_ = true;
  close();
}

void TZvForm::CloseWithoutQuestions() {
  if (closeWithoutSaving_) return;  // closing already, with nothing to write
  closeQuietly_ = true;
  close();
}

void TZvForm::closeEvent(QCloseEvent* event) {
  if (workMode() == WorkMode::Solving) {
    using How = SolveRuns::RunClosing;
    runs_->CloseDuringRun(closeWithoutSaving_ ? How::Quiet : closeQuietly_ ? How::Keep : How::Ask);
    event->ignore();
    return;
  }
  if (!closeWithoutSaving_ && !SaveAtExit()) {
    event->ignore();
    return;
  }
  ShutDown();
  event->accept();
}

bool TZvForm::SaveAtExit() {
  if (savedAtExit_) return true;
  for (;;) {
    SaveWindowPlacement(*this, *profile_, kMainWindowSection);
    opt_.TaskFile = QFile::encodeName(currentTaskFile_).toStdString();
    opt_.ShowText = TextBt()->isChecked();
    SaveSettings(*profile_, opt_);
    recent_->Save(*profile_);
    const bool settingsWritten = profile_->Flush();
    const bool taskWritten = !autosaveHeld_ && WriteTaskQuietly(autosavePath_, false);
    if (settingsWritten && taskWritten) break;
    if (closeQuietly_) break;  // nobody is there to answer

    // Nothing is lost silently: both failures are named, and the task can
    // still go to a file of the user's choice before the program ends.
    const MessageAnswer answer = services_.ShowMessage(ExitWriteFailedBox(
        autosavePath_, taskWritten, dataFolder_ + QString::fromLatin1(kSettingsFileName), settingsWritten));
    if (answer == MessageAnswer::Discard) break;
    if (answer != MessageAnswer::Save) return false;
    if (SaveThroughDialog()) {
      // The settings then name the file the task went to.
      opt_.TaskFile = QFile::encodeName(currentTaskFile_).toStdString();
      SaveSettings(*profile_, opt_);
      profile_->Flush();
      break;
    }
  }
  savedAtExit_ = true;
  return true;
}

void TZvForm::ShutDown() {
  if (shutDown_) return;
  shutDown_ = true;
  // The numbering and description windows store their placements as they
  // go, whether or not the rest is saved; SaveAtExit has written the rest.
  session_.SetNumberSource(nullptr);
  numsForm_.reset();
  textForm_.reset();
  helpForm_.reset();
  profile_->Flush();
}

}  // namespace zv
