// The window's language: Russian by default, with the help window's switch
// showing the help in English; with the English translation installed,
// every window, box, dialog title and the help speak English, and no text
// or tooltip of any widget is left in Cyrillic.
#include <QAbstractButton>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QtTest>

#include "platform/qt/qt_translations.h"
#include "tests/ui/window_helpers.h"
#include "ui/help_window.h"
#include "ui/numbers_window.h"
#include "ui/text_window.h"
#include "ui/zv_form.h"

namespace zv {

using test::WindowFixture;

namespace {

QString HelpBoxText(TZvForm& w) { return w.helpForm()->findChild<QPlainTextEdit*>("E")->toPlainText(); }

QString ButtonText(QWidget& w, const char* name) { return w.findChild<QAbstractButton*>(name)->text(); }

// Every visible text of `top` and its widgets: titles, tooltips, label and
// button texts and the text boxes' contents, each with its widget's name.
QStringList TextsOf(QWidget& top) {
  QStringList texts;
  QList<QWidget*> widgets = top.findChildren<QWidget*>();
  widgets.prepend(&top);
  for (QWidget* widget : widgets) {
    const QString name = widget->objectName() + QLatin1String(": ");
    texts << name + widget->windowTitle() << name + widget->toolTip();
    if (auto* label = qobject_cast<QLabel*>(widget)) texts << name + label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) texts << name + button->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(widget)) texts << name + box->toPlainText();
  }
  return texts;
}

}  // namespace

class LanguageTest : public QObject {
  Q_OBJECT

 private slots:
  // Runs first, while the English translation is loaded but not installed.
  void russianIsTheDefaultAndTheHelpSwitchesToEnglish() {
    QVERIFY(InstallTranslations(*QCoreApplication::instance(), Language::Russian, {ZORVAT_TRANSLATIONS}));
    QCOMPARE(InstalledLanguage(), Language::Russian);
    WindowFixture fx;
    TZvForm& w = fx.Start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват"));
    QCOMPARE(ButtonText(w, "SolveBt"), QStringLiteral("Решить"));
    QCOMPARE(ButtonText(w, "LinksCB"), QStringLiteral("Связи"));
    QCOMPARE(w.findChild<QLabel*>("ErL")->text(), QStringLiteral("В исходной фигуре меньше 2 кубиков"));
    QCOMPARE(w.numsForm()->windowTitle(), QStringLiteral("Номер кубика"));
    QCOMPARE(w.textForm()->windowTitle(), QStringLiteral("Информация о задаче"));
    THelpForm& help = *w.helpForm();
    QCOMPARE(help.windowTitle(), QStringLiteral("Справка по программе"));
    QVERIFY(HelpBoxText(w).startsWith(QStringLiteral("Программа «Зорват»")));

    auto* english = help.findChild<QAbstractButton*>("LangBt");
    QVERIFY(!english->isChecked());
    english->click();
    QCOMPARE(help.windowTitle(), QStringLiteral("Help"));
    QVERIFY(HelpBoxText(w).startsWith(QStringLiteral("Zorvat helps")));
    QCOMPARE(help.findChild<QLabel*>("Label1")->text(), QStringLiteral("Version 2.0"));
    english->click();
    QCOMPARE(help.windowTitle(), QStringLiteral("Справка по программе"));
    QVERIFY(HelpBoxText(w).startsWith(QStringLiteral("Программа «Зорват»")));
    QCOMPARE(w.windowTitle(), QStringLiteral("Зорват"));  // the rest stays Russian
    fx.CloseWithoutSaving();
  }

  void withEnglishChosenNoTextIsLeftInRussian() {
    QVERIFY(InstallTranslations(*QCoreApplication::instance(), Language::English, {ZORVAT_TRANSLATIONS}));
    QCOMPARE(InstalledLanguage(), Language::English);
    WindowFixture fx;
    TZvForm& w = fx.Start();
    QCOMPARE(w.windowTitle(), QStringLiteral("Zorvat"));
    QCOMPARE(ButtonText(w, "SolveBt"), QStringLiteral("Solve"));
    QCOMPARE(ButtonText(w, "LinksCB"), QStringLiteral("Links"));
    QCOMPARE(w.findChild<QLabel*>("ErL")->text(), QStringLiteral("The flat figure has fewer than 2 cubes"));
    QCOMPARE(w.numsForm()->windowTitle(), QStringLiteral("Cube number"));
    QCOMPARE(w.textForm()->windowTitle(), QStringLiteral("About the task"));
    QCOMPARE(w.helpForm()->windowTitle(), QStringLiteral("Help"));
    QVERIFY(HelpBoxText(w).startsWith(QStringLiteral("Zorvat helps")));
    QVERIFY(w.helpForm()->findChild<QAbstractButton*>("LangBt")->isChecked());

    // A box and a dialog: a damaged task file, and the open dialog's title.
    const QString damaged = fx.file("damaged.zvt");
    test::WriteBytes(damaged, QByteArray(10, 'x'));
    QVERIFY(!w.ReadTask(damaged, true));
    QCOMPARE(fx.services.messages.back().caption, QStringLiteral("Error in the task file"));
    w.OpenBtClick();
    QCOMPARE(fx.services.dialogs.back().title, QStringLiteral("Open task"));

    const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
    QStringList russian;
    for (QWidget* top : {static_cast<QWidget*>(&w), static_cast<QWidget*>(w.helpForm()),
                         static_cast<QWidget*>(w.numsForm()), static_cast<QWidget*>(w.textForm())})
      for (const QString& text : TextsOf(*top))
        if (text.contains(cyrillic)) russian << text;
    for (const MessageRequest& box : fx.services.messages) russian << box.text.split('\n').filter(cyrillic);
    QVERIFY2(russian.isEmpty(), qPrintable(russian.join(QLatin1Char('\n'))));
    fx.CloseWithoutSaving();
  }
};

}  // namespace zv

QTEST_MAIN(zv::LanguageTest)
#include "language_test.moc"
