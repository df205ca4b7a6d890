// Wiring of the main window's controls to their handlers, and the keyboard
// actions: F1, F2, F3, Ctrl+N, Esc and Shift+F11 act in every window of the
// program; the undo and redo keys only in the main window, so that they stay
// the text boxes' own keys in the description and help windows.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QSpinBox>
#include <QToolButton>
#include <utility>

#include "ui/controls.h"
#include "ui/figure_half.h"
#include "ui/fold_bar.h"
#include "ui/fold_filter.h"
#include "ui/form_half.h"
#include "ui/hinge_tips.h"
#include "ui/picture.h"
#include "ui/solid_view.h"
#include "ui/solution_browser.h"
#include "ui/solve_button.h"
#include "ui/task_buttons.h"
#include "ui/zv_form.h"

namespace zv {

void TZvForm::ConnectControls() {
  const FigureHalf& a = *figureHalf_;
  const FormHalf& b = *formHalf_;
  const TaskButtons& t = *a.buttons;
  connect(a.image.picture, &Picture::mousePressed, this, &TZvForm::ImAMouseDown);
  connect(a.image.picture, &Picture::mouseMoved, this, &TZvForm::ImAMouseMove);
  connect(a.image.picture, &Picture::mouseReleased, this, [this] { ImAMouseUp(); });
  a.image.picture->toolTipAt = [this](int x, int y) { return HingeFaceTip(task().figure, x, y); };
  connect(b.image.picture, &Picture::mousePressed, this,
          [this](Qt::MouseButton, Qt::MouseButtons, int x, int y) { ImBMouseDown(x, y); });
  connect(b.image.picture, &Picture::mouseMoved, this,
          [this](Qt::MouseButtons, int x, int y) { ImBMouseMove(x, y); });
  connect(b.image.picture, &Picture::mouseReleased, this, [this] { ImBMouseUp(); });
  connect(a.drawModeGroup, &QButtonGroup::idClicked, this, &TZvForm::DrawABtClick);
  connect(figureHalf_, &FigureHalf::shiftClicked, this, &TZvForm::ShiftFigureBy);
  connect(formHalf_, &FormHalf::shiftClicked, this, &TZvForm::ShiftFormBy);
  connect(formHalf_, &FormHalf::stripChanged, this, &TZvForm::Layout);
  connect(b.SolP->SolidBt, &QToolButton::toggled, this, [this](bool on) {
    formHalf_->ShowSolid(on);
    SolidRedraw();
  });
  connect(b.FoldP->FoldBt, &QToolButton::toggled, this, &TZvForm::FoldBtToggled);
  connect(b.FoldP->FoldOnlyCB, &QCheckBox::toggled, this, &TZvForm::FoldOnlyToggled);
  connect(b.FoldP->filter, &FoldFilter::changed, this, &TZvForm::ShowBrowseState);
  connect(b.solidView, &SolidView::cellClicked, this, &TZvForm::SelectSolutionCell);
  connect(b.solidView, &SolidView::exportRequested, this,
          [this] { formHalf_->solidView->ExportThroughDialog(services_); });
  connect(formHalf_, &FormHalf::pictureRequested, this,
          [this](WindowPicture what) { SaveWindowPicture(*this, services_, what); });

  using Handler = void (TZvForm::*)();
  // clang-format off
  const std::pair<QAbstractButton*, Handler> clicks[] = {
      {t.OpenBt, &TZvForm::OpenBtClick},             {t.SaveBt, &TZvForm::SaveBtClick},
      {t.NewBt, &TZvForm::NewBtClick},
      {t.ChooseColBt, &TZvForm::ChooseColBtClick},   {t.HelpBt, &TZvForm::HelpBtClick},
      {a.NumberCB, &TZvForm::NumberCBClick},         {a.LinksCB, &TZvForm::LinksCBClick},
      {b.EmptyCellsCB, &TZvForm::EmptyCellsCBClick}, {a.ClearLinksBt, &TZvForm::ClearLinksBtClick},
      {a.ClearABt, &TZvForm::ClearABtClick},         {a.FillABt, &TZvForm::FillABtClick},
      {b.ClearBBt, &TZvForm::ClearBBtClick},         {b.FillBBt, &TZvForm::FillBBtClick},
      {a.UndoBt, &TZvForm::UndoBtClick},             {a.RedoBt, &TZvForm::RedoBtClick},
      {a.Move0Bt, &TZvForm::Move0BtClick},           {b.Move0BBt, &TZvForm::Move0BBtClick},
      {b.SolveBt, &TZvForm::SolveBtClick},           {b.SolP->FirstSolBt, &TZvForm::FirstSolBtClick},
      {b.SolP->PrevSolBt, &TZvForm::PrevSolBtClick}, {b.SolP->NextSolBt, &TZvForm::NextSolBtClick},
      {b.SolP->LastSolBt, &TZvForm::LastSolBtClick}, {b.VariantsBt, &TZvForm::VariantsBtClick}};
  // The toggle buttons act on every change of state, also when the program sets it.
  const std::pair<QAbstractButton*, Handler> toggles[] = {
      {a.NumsBt, &TZvForm::NumsBtClick},             {t.TextBt, &TZvForm::TextBtClick},
      {b.PrevLayerBt, &TZvForm::PrevLayerBtClick},   {b.NextLayerBt, &TZvForm::NextLayerBtClick}};
  const std::pair<QSpinBox*, Handler> spins[] = {
      {a.XASE, &TZvForm::XASEChange}, {a.YASE, &TZvForm::YASEChange}, {b.XBSE, &TZvForm::XBSEChange},
      {b.YBSE, &TZvForm::YBSEChange}, {b.ZBSE, &TZvForm::ZBSEChange}};
  // clang-format on
  for (const auto& [button, handler] : clicks) connect(button, &QAbstractButton::clicked, this, handler);
  for (const auto& [button, handler] : toggles) connect(button, &QAbstractButton::toggled, this, handler);
  for (const auto& [spin, handler] : spins) connect(spin, &QSpinBox::valueChanged, this, handler);

  const struct {
    const char* name;
    QList<QKeySequence> keys;
    Handler handler;
  } actions[] = {
      {"SaveA", {Qt::Key_F2, QKeySequence(Qt::CTRL | Qt::Key_S)}, &TZvForm::SaveBtClick},
      {"OpenA", {Qt::Key_F3, QKeySequence(Qt::CTRL | Qt::Key_O)}, &TZvForm::OpenBtClick},
      {"NewA", {QKeySequence(Qt::CTRL | Qt::Key_N)}, &TZvForm::NewBtClick},
      {"HelpA", {Qt::Key_F1}, &TZvForm::HelpBtClick},
      {"CancelA", {Qt::Key_Escape}, &TZvForm::CancelAExecute},
      {"CloseWithoutSaveA", {QKeySequence(Qt::SHIFT | Qt::Key_F11)}, &TZvForm::CloseWithoutSaveAExecute},
      {"ZoomInA",
       {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus)},
       &TZvForm::ZoomInAExecute},
      {"ZoomOutA", {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, &TZvForm::ZoomOutAExecute},
      {"ZoomFitA", {QKeySequence(Qt::CTRL | Qt::Key_0)}, &TZvForm::ZoomFitAExecute},
  };
  for (const auto& action : actions)
    connect(MakeAction(this, action.name, action.keys), &QAction::triggered, this, action.handler);
  // The undo and redo keys press their buttons, which do nothing while disabled.
  const struct {
    const char* name;
    QList<QKeySequence> keys;
    QAbstractButton* button;
  } windowKeys[] = {
      {"UndoA", {QKeySequence(Qt::CTRL | Qt::Key_Z)}, a.UndoBt},
      {"RedoA",
       {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)},
       a.RedoBt},
  };
  for (const auto& key : windowKeys) {
    QAction* action = MakeAction(this, key.name, key.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, key.button, &QAbstractButton::click);
  }
}

}  // namespace zv
