// Wiring of the main window's controls to their handlers, and the keyboard
// actions: F1, F2, F3, Esc and Shift+F11 act in every window of the
// program; the undo and redo keys only in the main window, so that they stay
// the text boxes' own keys in the description and help windows.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>
#include <utility>

#include "ui/picture.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

// A named action with application-wide shortcuts.
QAction* MakeAction(QWidget* owner, const char* name, std::initializer_list<QKeySequence> keys) {
  auto* action = new QAction(owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(QList<QKeySequence>(keys));
  action->setShortcutContext(Qt::ApplicationShortcut);
  owner->addAction(action);
  return action;
}

}  // namespace

void TZvForm::ConnectControls() {
  const auto Button = [this](const char* name) { return findChild<QToolButton*>(QString::fromLatin1(name)); };
  connect(ImA, &Picture::mousePressed, this, &TZvForm::ImAMouseDown);
  connect(ImA, &Picture::mouseMoved, this, &TZvForm::ImAMouseMove);
  connect(ImA, &Picture::mouseReleased, this, [this] { ImAMouseUp(); });
  connect(ImB, &Picture::mousePressed, this,
          [this](Qt::MouseButton, Qt::MouseButtons, int x, int y) { ImBMouseDown(x, y); });
  connect(ImB, &Picture::mouseMoved, this, [this](Qt::MouseButtons, int x, int y) { ImBMouseMove(x, y); });
  connect(ImB, &Picture::mouseReleased, this, [this] { ImBMouseUp(); });

  connect(drawModeGroup_, &QButtonGroup::idClicked, this, &TZvForm::DrawABtClick);
  using Handler = void (TZvForm::*)();
  // clang-format off
  const std::pair<QAbstractButton*, Handler> clicks[] = {
      {OpenBt, &TZvForm::OpenBtClick},             {SaveBt, &TZvForm::SaveBtClick},
      {ChooseColBt, &TZvForm::ChooseColBtClick},   {HelpBt, &TZvForm::HelpBtClick},
      {NumberCB, &TZvForm::NumberCBClick},         {LinksCB, &TZvForm::LinksCBClick},
      {EmptyCellsCB, &TZvForm::EmptyCellsCBClick}, {ClearLinksBt, &TZvForm::ClearLinksBtClick},
      {ClearABt, &TZvForm::ClearABtClick},         {FillABt, &TZvForm::FillABtClick},
      {ClearBBt, &TZvForm::ClearBBtClick},         {FillBBt, &TZvForm::FillBBtClick},
      {UndoBt, &TZvForm::UndoBtClick},             {RedoBt, &TZvForm::RedoBtClick},
      {SolveBt, &TZvForm::SolveBtClick},           {FirstSolBt, &TZvForm::FirstSolBtClick},
      {PrevSolBt, &TZvForm::PrevSolBtClick},       {NextSolBt, &TZvForm::NextSolBtClick},
      {LastSolBt, &TZvForm::LastSolBtClick}};
  // The toggle buttons act on every change of state, also when the program sets it.
  const std::pair<QAbstractButton*, Handler> toggles[] = {
      {NumsBt, &TZvForm::NumsBtClick},             {TextBt, &TZvForm::TextBtClick},
      {PrevLayerBt, &TZvForm::PrevLayerBtClick},   {NextLayerBt, &TZvForm::NextLayerBtClick}};
  // clang-format on
  for (const auto& [button, handler] : clicks) connect(button, &QAbstractButton::clicked, this, handler);
  for (const auto& [button, handler] : toggles) connect(button, &QAbstractButton::toggled, this, handler);

  const struct {
    const char* name;
    int dx, dy;
  } figureMoves[] = {{"MoveX0Bt", -1, 0}, {"MoveX1Bt", 1, 0}, {"MoveY0Bt", 0, -1}, {"MoveY2Bt", 0, 1}};
  for (const auto& m : figureMoves)
    connect(Button(m.name), &QToolButton::clicked, this, [this, m] { ShiftFigureBy(m.dx, m.dy); });
  connect(Button("Move0Bt"), &QToolButton::clicked, this, &TZvForm::Move0BtClick);
  const struct {
    const char* name;
    int dx, dy, dz;
  } formMoves[] = {{"MoveX0BBt", -1, 0, 0}, {"MoveX1BBt", 1, 0, 0},  {"MoveY0BBt", 0, -1, 0},
                   {"MoveY1BBt", 0, 1, 0},  {"MoveZ0BBt", 0, 0, -1}, {"MoveZ1BBt", 0, 0, 1}};
  for (const auto& m : formMoves)
    connect(Button(m.name), &QToolButton::clicked, this, [this, m] { ShiftFormBy(m.dx, m.dy, m.dz); });
  connect(Button("Move0BBt"), &QToolButton::clicked, this, &TZvForm::Move0BBtClick);
  connect(XASE, &QSpinBox::valueChanged, this, &TZvForm::XASEChange);
  connect(YASE, &QSpinBox::valueChanged, this, &TZvForm::YASEChange);
  connect(XBSE, &QSpinBox::valueChanged, this, &TZvForm::XBSEChange);
  connect(YBSE, &QSpinBox::valueChanged, this, &TZvForm::YBSEChange);
  connect(ZBSE, &QSpinBox::valueChanged, this, &TZvForm::ZBSEChange);

  // F2/Ctrl+S and F3/Ctrl+O run Save and Open.
  connect(MakeAction(this, "SaveA", {Qt::Key_F2, QKeySequence(Qt::CTRL | Qt::Key_S)}), &QAction::triggered,
          this, &TZvForm::SaveBtClick);
  connect(MakeAction(this, "OpenA", {Qt::Key_F3, QKeySequence(Qt::CTRL | Qt::Key_O)}), &QAction::triggered,
          this, &TZvForm::OpenBtClick);
  connect(MakeAction(this, "HelpA", {Qt::Key_F1}), &QAction::triggered, this, &TZvForm::HelpBtClick);
  connect(MakeAction(this, "CancelA", {Qt::Key_Escape}), &QAction::triggered, this, &TZvForm::CancelAExecute);
  // The keys act exactly as the buttons would: only while they are enabled.
  QAction* undo = MakeAction(this, "UndoA", {QKeySequence(Qt::CTRL | Qt::Key_Z)});
  undo->setShortcutContext(Qt::WindowShortcut);
  connect(undo, &QAction::triggered, this, [this] {
    if (UndoBt->isEnabled()) UndoBtClick();
  });
  QAction* redo = MakeAction(
      this, "RedoA", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  redo->setShortcutContext(Qt::WindowShortcut);
  connect(redo, &QAction::triggered, this, [this] {
    if (RedoBt->isEnabled()) RedoBtClick();
  });
  connect(MakeAction(this, "CloseWithoutSaveA", {QKeySequence(Qt::SHIFT | Qt::Key_F11)}), &QAction::triggered,
          this, &TZvForm::CloseWithoutSaveAExecute);
}

}  // namespace zv
