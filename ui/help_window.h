// The help window THelpForm, caption "Справка по программе": the program's
// help in the text box E (editable, never saved) with its contents list
// ContentsL beside it (a click shows that section at the top of E), two
// link strips that open
// the project's web page, the version label Label1, the copy button
// ToBufBt and the switch LangBt ("EN"), which shows the window in English
// when down and in Russian when up, whichever language the program speaks. It keeps no placement. Esc hides
// it, also from inside the text; the main window shows it for HelpBt and F1 through ShowAndRaise().
#pragma once

#include <QWidget>

#include "storage/settings.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QToolButton;

namespace zv {

class Services;

// The page both link strips open.
inline constexpr const char* kProjectUrl = "https://zorvat.example.org/";

class THelpForm : public QWidget {
  Q_OBJECT

 public:
  explicit THelpForm(Services& services, QWidget* parent = nullptr);

  void ShowAndRaise();
  // Every text of the window in `language`; the switch follows.
  void ShowLanguage(Language language);
  // Shows section `index` of the contents (0: the first titled one) at the top of E.
  void ShowSection(int index);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The contents list and the text box above the two strips, the copy panel
  // in the bottom right corner.
  void Layout();
  void Panel1Click();
  void Panel2Click();
  void ToBufBtClick();

  Services& services_;
  QPlainTextEdit* E = nullptr;
  QListWidget* ContentsL = nullptr;
  QLabel *Panel1 = nullptr, *Panel2 = nullptr, *Label1 = nullptr;
  QWidget* ToBufP = nullptr;
  QToolButton *ToBufBt = nullptr, *LangBt = nullptr;
};

}  // namespace zv
