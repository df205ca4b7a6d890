// The task description window TTextForm, caption "Информация о задаче": the
// description in the text box E with the buttons ClearBt, FromBufBt and
// ToBufBt and the length counter SizeL.
//
// The task keeps the description as Windows-1251 bytes with CR LF line
// breaks; the box shows it as Unicode with '\n'. Every change in the box is
// converted back and announced through textEdited(), which the main window
// connects to store it in the task and to call ShowDescriptionMark().
// LoadText() fills the box without announcing anything, so showing a task's
// description never changes the task.
//
// The window reads its placement from section "Text" of the profile when it
// is created and stores it there when it is destroyed, so the profile must
// outlive it.
#pragma once

#include <QColor>
#include <QIcon>
#include <QWidget>
#include <string>

class QAbstractButton;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace zv {

class Profile;
class Services;

class TTextForm : public QWidget {
  Q_OBJECT

 public:
  TTextForm(Services& services, Profile& profile, QWidget* parent = nullptr);
  ~TTextForm() override;

  // Shows `text` (the task's bytes) in the box.
  void LoadText(const std::string& text);
  // The box's text as the task keeps it.
  std::string Text() const;

 signals:
  // The box changed (typing, a button); `text` is its new content as the
  // task keeps it.
  void textEdited(const std::string& text);
  // The user closed the window, which is hidden, not destroyed.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void EChange();
  void ClearBtClick();
  void FromBufBtClick();
  void ToBufBtClick();

  Services& services_;
  Profile& profile_;
  bool loading_ = false;  // set while LoadText fills the box
  QToolButton *ClearBt = nullptr, *FromBufBt = nullptr, *ToBufBt = nullptr;
  QLabel* SizeL = nullptr;
  QPlainTextEdit* E = nullptr;
};

// Colour of TextBt's caption: blue (0,0,255) when the task has a
// description, black when it has none.
QColor DescriptionMarkColor(const std::string& text);
void ShowDescriptionMark(QAbstractButton& TextBt, const std::string& text);

// The copy command of the description and help windows: the box's selected
// text, or all of it when nothing is selected, onto the clipboard as
// Unicode text with '\n' line breaks. An empty box puts an empty string.
void CopyBoxText(const QPlainTextEdit& box, Services& services);

// Image of the copy buttons (ToBufBt) of both windows.
QIcon ToBufIcon();

}  // namespace zv
