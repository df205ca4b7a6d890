// The program's controls as its windows make them: named panels, flat
// speed buttons (no focus, raised under the mouse), check boxes, labels
// sized to their text, the bold size spin edits with their captions, and
// the bold blue counters of the figure strip; and the grid of the main
// window's two tool strips. Object names are the controls' names.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QAction;
class QCheckBox;
class QColor;
class QLabel;
class QSpinBox;
class QToolButton;
class QWidget;

namespace zv {

// The main window's tool strips (Panel3, Panel4): their height, the tops
// of their five rows, and the pitch of glyph buttons.
inline constexpr int kMainStripHeight = 109;
inline constexpr int kMainStripRow[5] = {1, 23, 45, 67, 87};
inline constexpr int kGlyphPitch = 23;

QWidget* MakePanel(QWidget* parent, const char* name, int x, int y, int w, int h);
// A vertical bevel two pixels wide at x, dark on the left and light on the right.
QWidget* MakeBevel(QWidget* parent, const char* name, int x, int h);

// A flat speed button with hint `hint` (UTF-8) at (x, y), w x h.
QToolButton* MakeButton(QWidget* parent, const char* name, const char* hint, int x, int y, int w, int h,
                        const QString& text = {}, bool checkable = false);
// Makes `button` such a speed button.
void SetUpButton(QToolButton* button, const char* name, const char* hint, int x, int y, int w, int h);

// A check box with `text` and `hint` (UTF-8) at (x, y), w x 22.
QCheckBox* MakeCheckBox(QWidget* parent, const char* name, const char* text, const char* hint, int x, int y,
                        int w);

// A label with `text` (UTF-8) at (x, y), sized to the text; name may be null.
QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int x, int y);

// A size spin edit at (x, y) that takes any two-digit value: the change
// handler clamps it and writes the clamped value back. Typed numbers take
// effect when editing finishes, arrows and the wheel at once.
QSpinBox* MakeSpin(QWidget* parent, const char* name, int value, int x, int y);

// A caption label followed by its spin edit; returns the x after both.
int LabelledSpin(QWidget* parent, const char* caption, QSpinBox*& spin, const char* name, int value, int x,
                 int y);

// A named action of `owner` with shortcuts that act in every window of the
// program.
QAction* MakeAction(QWidget* owner, const char* name, const QList<QKeySequence>& keys);

// Sets a label's text colour and weight.
void SetLabelLook(QLabel* label, const QColor& color, bool bold);

// A caption and, 52 pixels right of it, a bold blue counter showing "0".
QLabel* MakeCounter(QWidget* parent, const char* caption, const char* name, int x, int y);

}  // namespace zv
