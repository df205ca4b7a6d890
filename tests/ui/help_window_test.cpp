// The help window: the help text and its sections, the copy command, Esc
// from inside the text, and the link strips asking for the project's page.
#include "ui/help_window.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>
#include <QtTest>

#include "platform/qt/services.h"
#include "ui/help_text.h"

namespace zv {

namespace {

// Records the pages asked for and keeps the clipboard text; the help window
// uses nothing else.
class RecordingServices final : public Services {
 public:
  std::vector<QString> pages;
  std::optional<QString> clipboard;

  MessageAnswer ShowMessage(const MessageRequest&) override { return MessageAnswer::Ok; }
  std::optional<QString> OpenFileName(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<QString> SaveFileName(const FileDialogRequest&) override { return std::nullopt; }
  std::optional<ColorValue> ChooseColor(ColorValue, ColorValue) override { return std::nullopt; }
  std::optional<double> AskNumber(const NumberRequest&) override { return std::nullopt; }
  std::optional<QString> ClipboardText() override { return clipboard; }
  void SetClipboardText(const QString& text) override { clipboard = text; }
  void OpenWebPage(const QString& url) override { pages.push_back(url); }
  void ProcessPendingEvents() override {}
};

}  // namespace

class HelpWindowTest : public QObject {
  Q_OBJECT

  template <typename T>
  static T* Control(THelpForm& w, const char* name) {
    T* control = w.findChild<T*>(QString::fromLatin1(name));
    if (control == nullptr) qFatal("no control %s", name);
    return control;
  }

 private slots:
  void helpTextHasItsSectionsAndNamesTheFiles() {
    const QString text = QString::fromUtf8(HelpText().data(), static_cast<qsizetype>(HelpText().size()));
    QVERIFY(text.size() > 8000 && text.size() < 14000);
    QVERIFY(text.contains(QStringLiteral("zvt")));
    QVERIFY(text.contains(QStringLiteral("Current.zvt")));
    QVERIFY(text.contains(QStringLiteral("Current.zvu")));  // where a stopped run's place is kept
    QVERIFY(text.contains(QStringLiteral("Shift+F11")));
    QVERIFY(!text.contains(QLatin1Char('\r')));
    // Each section heading stands on its own line, underlined by as many
    // hyphens as it has letters, in this order.
    const QStringList lines = text.split(QLatin1Char('\n'));
    int previous = -1;
    for (const QString& heading :
         {QStringLiteral("Редактирование"), QStringLiteral("Масштаб и окно"),
          QStringLiteral("Сохранение и открытие файлов"), QStringLiteral("Решение и просмотр решений"),
          QStringLiteral("Объёмный вид и складывание"), QStringLiteral("Рисунки и модели"),
          QStringLiteral("Где программа хранит файлы")}) {
      const int at = static_cast<int>(lines.indexOf(heading));
      QVERIFY2(at > previous, qPrintable(heading));
      QCOMPARE(lines.at(at + 1), QString(heading.size(), QLatin1Char('-')));
      previous = at;
    }
  }

  // The contents list names every section in both languages, and a click
  // shows that section's title at the top of the text.
  void contentsJumpToEachSection() {
    RecordingServices services;
    THelpForm w(services);
    w.ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* contents = Control<QListWidget>(w, "ContentsL");
    auto* E = Control<QPlainTextEdit>(w, "E");
    for (const Language language : {Language::Russian, Language::English}) {
      w.ShowLanguage(language);
      QCOMPARE(contents->count(), 8);
      for (int i = 0; i < contents->count(); ++i) {
        QListWidgetItem* item = contents->item(i);
        const QRect at = contents->visualItemRect(item);
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {}, at.center());
        // The title is shown: at the top, or in view where the text ends too soon.
        QCOMPARE(E->textCursor().block().text(), item->text());
        QVERIFY(E->viewport()->rect().contains(E->cursorRect()));
        if (i < 4) QCOMPARE(E->cursorForPosition({0, 0}).block().text(), item->text());
      }
    }
    // Where the files are kept, and not "beside the program" alone.
    QVERIFY(E->toPlainText().contains(QStringLiteral("ZORVAT_HOME")));
    QVERIFY(E->toPlainText().contains(QStringLiteral("~/.config/zorvat")));
  }

  void windowShowsTheHelpWithItsStrips() {
    RecordingServices services;
    THelpForm w(services);
    QCOMPARE(w.windowTitle(), QStringLiteral("Справка по программе"));
    QCOMPARE(w.size(), QSize(701, 479));
    QVERIFY(!w.isVisible());  // created hidden
    auto* E = Control<QPlainTextEdit>(w, "E");
    QCOMPARE(E->toPlainText().toUtf8(),
             QByteArray(HelpText().data(), static_cast<qsizetype>(HelpText().size())));
    QVERIFY(!E->isReadOnly());
    QCOMPARE(Control<QLabel>(w, "Label1")->text(), QStringLiteral("Версия 2.0"));
    QCOMPARE(Control<QLabel>(w, "Panel1")->height(), 17);
    QCOMPARE(Control<QLabel>(w, "Panel2")->height(), 16);
    QCOMPARE(E->geometry().bottom() + 1, Control<QLabel>(w, "Panel1")->y());

    // The copy button's panel stays in the bottom right corner.
    w.ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.resize(800, 600);
    QCOMPARE(Control<QWidget>(w, "ToBufP")->geometry(), QRect(800 - 26, 600 - 25, 26, 25));
    QCOMPARE(Control<QLabel>(w, "Panel2")->geometry(), QRect(0, 600 - 16, 800, 16));
  }

  void copyPutsTheWholeTextOrTheSelection() {
    RecordingServices services;
    THelpForm w(services);
    w.ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* E = Control<QPlainTextEdit>(w, "E");
    auto* copy = Control<QToolButton>(w, "ToBufBt");
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(services.clipboard, std::optional<QString>(E->toPlainText()));
    QVERIFY(services.clipboard->contains(QStringLiteral("Current.zvt")));

    QTextCursor cursor = E->textCursor();
    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    E->setTextCursor(cursor);
    QTest::mouseClick(copy, Qt::LeftButton);
    // The first paragraph, its line break and the empty line's, as '\n'.
    const QString firstParagraph = E->document()->firstBlock().text();
    QCOMPARE(services.clipboard, std::optional<QString>(firstParagraph + QStringLiteral("\n\n")));
  }

  void escapeInsideTheTextHidesTheWindow() {
    RecordingServices services;
    THelpForm w(services);
    w.ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* E = Control<QPlainTextEdit>(w, "E");
    E->setFocus();
    QTest::keyClicks(E, QStringLiteral("x"));  // the text takes typing
    QVERIFY(E->toPlainText().startsWith(QLatin1Char('x')));
    QTest::keyClick(E, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QVERIFY(E->toPlainText().startsWith(QLatin1Char('x')));  // kept until the program ends
    w.ShowAndRaise();
    QVERIFY(w.isVisible());
  }

  void linkStripsAskForTheProjectPage() {
    RecordingServices services;
    THelpForm w(services);
    w.ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* strip1 = Control<QLabel>(w, "Panel1");
    auto* strip2 = Control<QLabel>(w, "Panel2");
    QVERIFY(strip1->text().startsWith(QStringLiteral("Автор головоломки")));
    QVERIFY(strip2->text().startsWith(QStringLiteral("Автор программы")));
    QCOMPARE(strip1->toolTip(), QStringLiteral("Зайти на сайт https://zorvat.example.org/"));
    QTest::mouseClick(strip1, Qt::LeftButton, {}, strip1->rect().center());
    QTest::mouseClick(strip2, Qt::LeftButton, {}, strip2->rect().center());
    QTest::mouseClick(strip2, Qt::RightButton, {}, strip2->rect().center());
    const std::vector<QString> expected(2, QStringLiteral("https://zorvat.example.org/"));
    QCOMPARE(services.pages, expected);
  }
};

}  // namespace zv

QTEST_MAIN(zv::HelpWindowTest)
#include "help_window_test.moc"
