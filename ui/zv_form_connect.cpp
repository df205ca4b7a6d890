// Wiring of the main window's controls to their handlers, and the keyboard
// actions, which act in every window of the program.
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QShortcut>
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

  // F2/Ctrl+S and F3/Ctrl+O run Save and Open. HelpA and CancelA show and
  // hide the help window, which connects to them when it exists.
  connect(MakeAction(this, "SaveA", {Qt::Key_F2, QKeySequence(Qt::CTRL | Qt::Key_S)}),
          &QAction::triggered, this, &TZvForm::SaveBtClick);
  connect(MakeAction(this, "OpenA", {Qt::Key_F3, QKeySequence(Qt::CTRL | Qt::Key_O)}),
          &QAction::triggered, this, &TZvForm::OpenBtClick);
  QAction* help = MakeAction(this, "HelpA", {Qt::Key_F1});
  connect(HelpBt, &QToolButton::clicked, help, &QAction::trigger);
  MakeAction(this, "CancelA", {Qt::Key_Escape});
  connect(MakeAction(this, "CloseWithoutSaveA", {QKeySequence(Qt::SHIFT | Qt::Key_F11)}),
          &QAction::triggered, this, &TZvForm::CloseWithoutSaveAExecute);
}

}  // namespace zv
