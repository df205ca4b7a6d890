// The program's controls as its windows make them (ui/controls.h).
#include "ui/controls.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include "ui/pictures/view_colors.h"
#include "ui/tr.h"

namespace zv {

namespace {

// The spin edit takes any two-digit value: the change handler clamps it to
// the dimension's limits and writes the clamped value back.
constexpr int kSpinInputMaximum = 99;

}  // namespace

QWidget* MakePanel(QWidget* parent, const char* name, int x, int y, int w, int h) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setGeometry(x, y, w, h);
  return panel;
}

QWidget* MakeBevel(QWidget* parent, const char* name, int x, int h) {
  QWidget* bevel = MakePanel(parent, name, x, 0, 2, h);
  bevel->setStyleSheet(
      QStringLiteral("#%1 { border-left: 1px solid #a0a0a0; border-right: 1px solid #ffffff; }")
          .arg(QString::fromLatin1(name)));
  return bevel;
}

QToolButton* MakeButton(QWidget* parent, const char* name, const char* hint, int x, int y, int w, int h,
                        const QString& text, bool checkable) {
  auto* button = new QToolButton(parent);
  SetUpButton(button, name, hint, x, y, w, h);
  button->setCheckable(checkable);
  if (!text.isEmpty()) button->setText(text);
  return button;
}

void SetUpButton(QToolButton* button, const char* name, const char* hint, int x, int y, int w, int h) {
  button->setObjectName(QString::fromLatin1(name));
  button->setToolTip(Tr(hint));
  button->setGeometry(x, y, w, h);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* text, const char* hint, int x, int y,
                        int w) {
  auto* box = new QCheckBox(Tr(text), parent);
  box->setObjectName(QString::fromLatin1(name));
  box->setToolTip(Tr(hint));
  box->setGeometry(x, y, w, 22);
  return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y) {
  auto* label = new QLabel(Tr(text), parent);
  if (name != nullptr) label->setObjectName(QString::fromLatin1(name));
  label->move(x, y);
  label->adjustSize();
  return label;
}

QSpinBox* MakeSpin(QWidget* parent, const char* name, int value, int x, int y) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(0, kSpinInputMaximum);
  spin->setValue(value);
  QFont bold = spin->font();
  bold.setBold(true);
  spin->setFont(bold);
  spin->setGeometry(x, y, 38, 21);
  spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  // A typed number takes effect when editing finishes (Enter, Tab, focus
  // out), never digit by digit: a half-typed "1" of "12" would clamp the
  // size and push the cubes. Arrows and the wheel still act at once.
  spin->setKeyboardTracking(false);
  return spin;
}

// A caption label followed by its spin edit; returns the x after both.
int LabelledSpin(QWidget* parent, const char* caption, QSpinBox*& spin, const char* name, int value, int x,
                 int y) {
  QLabel* label = MakeLabel(parent, nullptr, caption, x, y + 3);
  spin = MakeSpin(parent, name, value, x + label->width() + 1, y);
  return spin->x() + spin->width() + 3;
}

QAction* MakeAction(QWidget* owner, const char* name, const QList<QKeySequence>& keys) {
  auto* action = new QAction(owner);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcuts(keys);
  action->setShortcutContext(Qt::ApplicationShortcut);
  owner->addAction(action);
  return action;
}

void SetLabelLook(QLabel* label, const QColor& color, bool bold) {
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  QFont font = label->font();
  font.setBold(bold);
  label->setFont(font);
}

QLabel* MakeCounter(QWidget* parent, const char* caption, const char* name, int x, int y) {
  MakeLabel(parent, nullptr, caption, x, y + 3);
  QLabel* counter = MakeLabel(parent, name, "0", x + 52, y + 1);
  SetLabelLook(counter, kBlue, true);
  QFont font = counter->font();
  font.setPointSize(10);
  counter->setFont(font);
  counter->resize(34, 18);
  return counter;
}

}  // namespace zv
