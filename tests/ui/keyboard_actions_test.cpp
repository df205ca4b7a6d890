// The main window's keyboard actions pressed while another window of the
// program has the keyboard focus: F1 and Esc for help, F2/Ctrl+S for save,
// F3/Ctrl+O for open and Shift+F11 for closing without saving, typed into
// the description text, the numbering list and the help text.
#include <QListWidget>
#include <QPlainTextEdit>

#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/text_window.h"

namespace zv {

using namespace zv::test;

class KeyboardActionsTest : public QObject {
  Q_OBJECT

 private:
  WindowFixture* fx_ = nullptr;
  TZvForm& W() { return *fx_->window; }

  // Shows `window`, makes it the active window and returns the widget in it
  // that takes the keys.
  static QWidget* Focus(QWidget* window, QWidget* target) {
    window->show();
    window->raise();
    QApplication::setActiveWindow(window);
    if (!QTest::qWaitForWindowActive(window)) qFatal("window not active");
    target->setFocus();
    return target;
  }
  QWidget* DescriptionText() {
    ClickButton(W(), "TextBt");
    return Focus(W().textForm(), W().textForm()->findChild<QPlainTextEdit*>(QStringLiteral("E")));
  }
  QWidget* NumberList() {
    ClickButton(W(), "NumsBt");
    return Focus(W().numsForm(), W().numsForm()->findChild<QListWidget*>(QStringLiteral("LB")));
  }

 private slots:
  void init() {
    fx_ = new WindowFixture;
    fx_->Start();
    Activate(W());
    LoadTask(*fx_, MakeTask({"##"}, {{"##"}}), "two.zvt");
  }
  void cleanup() {
    if (fx_->window->isVisible()) fx_->window->CloseWithoutSaveAExecute();
    delete fx_;
  }

  void helpKeysActFromTheDescriptionAndTheNumberingWindows() {
    QWidget* text = DescriptionText();
    QTest::keyClick(text, Qt::Key_F1);
    QVERIFY(W().helpForm()->isVisible());
    QTest::keyClick(Focus(W().textForm(), text), Qt::Key_Escape);
    QVERIFY(!W().helpForm()->isVisible());
    QVERIFY(W().textForm()->isVisible());  // Esc hides only the help window

    QWidget* list = NumberList();
    QTest::keyClick(list, Qt::Key_F1);
    QVERIFY(W().helpForm()->isVisible());
    QTest::keyClick(Focus(W().numsForm(), list), Qt::Key_Escape);
    QVERIFY(!W().helpForm()->isVisible());
    QVERIFY(W().numberingMode());
  }

  void saveAndOpenKeysActFromTheHelpAndDescriptionWindows() {
    ClickButton(W(), "HelpBt");
    QWidget* help = Focus(W().helpForm(), W().helpForm()->findChild<QPlainTextEdit*>(QStringLiteral("E")));
    fx_->services.savePaths.push_back(fx_->file("saved.zvt"));
    QTest::keyClick(help, Qt::Key_F2);
    QVERIFY(QFile::exists(fx_->file("saved.zvt")));
    QCOMPARE(W().windowTitle(), QStringLiteral("Зорват (saved)"));
    fx_->services.savePaths.push_back(std::nullopt);
    QTest::keyClick(help, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fx_->services.dialogs.size(), std::size_t{2});

    LoadTask(*fx_, MakeTask({"###"}, {{"###"}}), "three.zvt");
    QWidget* text = DescriptionText();
    fx_->services.openPaths.push_back(fx_->file("saved.zvt"));
    QTest::keyClick(text, Qt::Key_F3);
    QCOMPARE(W().validation().cubeCount, 2);
    QCOMPARE(W().windowTitle(), QStringLiteral("Зорват (saved)"));
    fx_->services.openPaths.push_back(fx_->file("three.zvt"));
    QTest::keyClick(Focus(W().textForm(), text), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(W().validation().cubeCount, 3);
  }

  void closeWithoutSavingActsFromTheNumberingWindow() {
    QWidget* list = NumberList();
    QTest::keyClick(list, Qt::Key_F11, Qt::ShiftModifier);
    QVERIFY(!W().isVisible());
    // Nothing of the main window was written: no autosave file.
    QVERIFY(!QFile::exists(fx_->file("Current.zvt")));
  }
};

}  // namespace zv

QTEST_MAIN(zv::KeyboardActionsTest)
#include "keyboard_actions_test.moc"
