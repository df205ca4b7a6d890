// Wiring of the main window's controls to their handlers, and the keyboard
// actions: F1, F2, F3, Esc and Shift+F11 act in every window of the
// program; the undo and redo keys only in the main window, so that they stay
// the text boxes' own keys in the description and help windows.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QShortcut>
#include <QSpinBox>
#include <QToolButton>

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
  connect(OpenBt, &QToolButton::clicked, this, &TZvForm::OpenBtClick);
  connect(SaveBt, &QToolButton::clicked, this, &TZvForm::SaveBtClick);
  connect(ChooseColBt, &QToolButton::clicked, this, &TZvForm::ChooseColBtClick);
  connect(NumberCB, &QCheckBox::clicked, this, &TZvForm::NumberCBClick);
  connect(LinksCB, &QCheckBox::clicked, this, &TZvForm::LinksCBClick);
  connect(NumsBt, &QToolButton::toggled, this, &TZvForm::NumsBtClick);
  connect(PrevLayerBt, &QToolButton::toggled, this, &TZvForm::PrevLayerBtClick);
  connect(NextLayerBt, &QToolButton::toggled, this, &TZvForm::NextLayerBtClick);
  connect(EmptyCellsCB, &QCheckBox::clicked, this, &TZvForm::EmptyCellsCBClick);
  connect(ClearABt, &QToolButton::clicked, this, &TZvForm::ClearABtClick);
  connect(FillABt, &QToolButton::clicked, this, &TZvForm::FillABtClick);
  connect(ClearLinksBt, &QToolButton::clicked, this, &TZvForm::ClearLinksBtClick);
  connect(ClearBBt, &QToolButton::clicked, this, &TZvForm::ClearBBtClick);
  connect(FillBBt, &QToolButton::clicked, this, &TZvForm::FillBBtClick);
  connect(UndoBt, &QToolButton::clicked, this, &TZvForm::UndoBtClick);
  connect(RedoBt, &QToolButton::clicked, this, &TZvForm::RedoBtClick);
  connect(SolveBt, &QToolButton::clicked, this, &TZvForm::SolveBtClick);
  connect(FirstSolBt, &QToolButton::clicked, this, &TZvForm::FirstSolBtClick);
  connect(PrevSolBt, &QToolButton::clicked, this, &TZvForm::PrevSolBtClick);
  connect(NextSolBt, &QToolButton::clicked, this, &TZvForm::NextSolBtClick);
  connect(LastSolBt, &QToolButton::clicked, this, &TZvForm::LastSolBtClick);
  connect(TextBt, &QToolButton::toggled, this, &TZvForm::TextBtClick);

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
  connect(HelpBt, &QToolButton::clicked, this, &TZvForm::HelpBtClick);
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
