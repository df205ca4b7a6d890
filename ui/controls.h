// The program's controls as its windows make them: named panels, flat
// speed buttons (no focus, raised under the mouse), labels sized to their
// text, the bold size spin edits with their captions, and the bold blue
// counters of the figure strip. Object names are the controls' names.
#pragma once

#include <QString>

class QLabel;
class QSpinBox;
class QToolButton;
class QWidget;

namespace zv {

QWidget* MakePanel(QWidget* parent, const char* name, int x, int y, int w, int h);

// A flat speed button with hint `hint` (UTF-8) at (x, y), w x h.
QToolButton* MakeButton(QWidget* parent, const char* name, const char* hint, int x, int y, int w, int h,
                        const QString& text = {}, bool checkable = false);

// A label with `text` (UTF-8) at (x, y), sized to the text; name may be null.
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y);

// A size spin edit at (x, y) that takes any two-digit value: the change
// handler clamps it and writes the clamped value back. Typed numbers take
// effect when editing finishes, arrows and the wheel at once.
QSpinBox* MakeSpin(QWidget* parent, const char* name, int value, int x, int y);

// A caption label followed by its spin edit; returns the x after both.
int LabelledSpin(QWidget* parent, const char* caption, QSpinBox*& spin, const char* name, int value, int x,
                 int y);

// A caption and, 52 pixels right of it, a bold blue counter showing "0".
QLabel* MakeCounter(QWidget* parent, const char* caption, const char* name, int x, int y);

}  // namespace zv
