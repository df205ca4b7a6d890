// The task description window: the length counter, writing changes back as
// Windows-1251 with CR LF breaks, the clipboard commands through the real
// clipboard, the description mark, and its placement in section "Text".
#include "ui/text_window.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include "platform/qt/qt_profile.h"
#include "platform/qt/qt_services.h"

namespace zv {

namespace {

// Windows-1251 bytes written out by hand: "Привет" and "мир".
const std::string kPrivet = "\xCF\xF0\xE8\xE2\xE5\xF2";
const std::string kMir = "\xEC\xE8\xF0";

}  // namespace

class TextWindowTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QtServices services_;
  std::unique_ptr<QtProfile> profile_;
  std::unique_ptr<TTextForm> w_;

  QPlainTextEdit* E() { return w_->findChild<QPlainTextEdit*>(QStringLiteral("E")); }
  QString SizeL() { return w_->findChild<QLabel*>(QStringLiteral("SizeL"))->text(); }
  void Click(const char* button) {
    auto* b = w_->findChild<QToolButton*>(QString::fromLatin1(button));
    QVERIFY(b != nullptr);
    QTest::mouseClick(b, Qt::LeftButton);
  }
  void Select(int from, int to) {
    QTextCursor cursor = E()->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    E()->setTextCursor(cursor);
  }
  // Types `text` as one key press, as a keyboard layout or input method
  // would deliver a character that has no key of its own.
  void Type(const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QApplication::sendEvent(E(), &press);
  }
  static int CountPixels(const QImage& image, const QColor& color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == color;
    return n;
  }
  static QString Clipboard() { return QApplication::clipboard()->text(); }

 private slots:
  void init() {
    profile_ = std::make_unique<QtProfile>(dir_.filePath(QStringLiteral("Zorvat.ini")));
    w_ = std::make_unique<TTextForm>(services_, *profile_);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_.get()));
  }
  void cleanup() {
    w_.reset();
    profile_.reset();
  }

  void loadingShowsTheTextWithoutWritingItBack() {
    QCOMPARE(SizeL(), QStringLiteral("0"));
    QSignalSpy edited(w_.get(), &TTextForm::textEdited);
    w_->LoadText("ab\r\ncd");
    QCOMPARE(E()->toPlainText(), QStringLiteral("ab\ncd"));
    QCOMPARE(SizeL(), QStringLiteral("6"));  // a line break counts two
    QCOMPARE(edited.count(), 0);
    w_->LoadText(kPrivet + "\r\n" + kMir);
    QCOMPARE(E()->toPlainText(), QStringLiteral("Привет\nмир"));
    QCOMPARE(w_->Text(), kPrivet + "\r\n" + kMir);
    QCOMPARE(SizeL(), QStringLiteral("11"));
  }

  void typingWritesEveryChangeBack() {
    QSignalSpy edited(w_.get(), &TTextForm::textEdited);
    E()->setFocus();
    Type(QStringLiteral("я"));
    QCOMPARE(SizeL(), QStringLiteral("1"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.last().at(0).value<std::string>(), std::string("\xFF"));
    QTest::keyClick(E(), Qt::Key_Return);
    Type(QStringLiteral("Ж"));
    QCOMPARE(edited.last().at(0).value<std::string>(), std::string("\xFF\r\n\xC6"));
    QCOMPARE(SizeL(), QStringLiteral("4"));
    QCOMPARE(w_->Text(), std::string("\xFF\r\n\xC6"));
  }

  void typedCharactersTheDescriptionCannotHoldShowAsQuestionMarks() {
    QSignalSpy edited(w_.get(), &TTextForm::textEdited);
    E()->setFocus();
    QTest::keyClicks(E(), QStringLiteral("a"));
    Type(QStringLiteral("中"));
    Type(QString::fromUtf8("\xF0\x9F\x98\x80"));  // one character, two UTF-16 units
    QTest::keyClicks(E(), QStringLiteral("b"));
    QCOMPARE(E()->toPlainText(), QStringLiteral("a??b"));  // the caret stayed at the end
    QCOMPARE(edited.last().at(0).value<std::string>(), std::string("a??b"));
  }

  void clearEmptiesTheTask() {
    w_->LoadText("abc");
    QSignalSpy edited(w_.get(), &TTextForm::textEdited);
    Click("ClearBt");
    QCOMPARE(E()->toPlainText(), QString());
    QCOMPARE(SizeL(), QStringLiteral("0"));
    QCOMPARE(edited.count(), 1);
    QCOMPARE(edited.last().at(0).value<std::string>(), std::string());
  }

  void copyTakesTheSelectionOrTheWholeText() {
    w_->LoadText(kPrivet + "\r\n" + kMir);
    Click("ToBufBt");
    QCOMPARE(Clipboard(), QStringLiteral("Привет\nмир"));
    Select(3, 8);  // "вет", the break, "м"
    Click("ToBufBt");
    QCOMPARE(Clipboard(), QStringLiteral("вет\nм"));
    w_->LoadText("");
    Click("ToBufBt");
    QCOMPARE(Clipboard(), QString());
    QVERIFY(QApplication::clipboard()->mimeData()->hasText());
  }

  void pasteReplacesTheSelectionInWindows1251() {
    w_->LoadText(kPrivet + "\r\n" + kMir);
    QSignalSpy edited(w_.get(), &TTextForm::textEdited);
    // "Ё" and "€" exist in Windows-1251 (0xA8, 0x88), "中" does not; a CR LF
    // pair is one line break.
    QApplication::clipboard()->setText(QStringLiteral("Ё€中\r\nж"));
    Select(3, 6);  // "вет"
    Click("FromBufBt");
    QCOMPARE(E()->toPlainText(), QStringLiteral("ПриЁ€?\nж\nмир"));
    const std::string expected = "\xCF\xF0\xE8\xA8\x88?\r\n\xE6\r\n" + kMir;
    QCOMPARE(w_->Text(), expected);
    QCOMPARE(edited.last().at(0).value<std::string>(), expected);
    QCOMPARE(SizeL(), QString::number(expected.size()));
  }

  void pasteDropsZeroCharactersWhichWouldCutTheSavedText() {
    w_->LoadText("xy");
    QTextCursor cursor = E()->textCursor();
    cursor.setPosition(1);
    E()->setTextCursor(cursor);
    QApplication::clipboard()->setText(QStringLiteral("a") + QChar(0) + QStringLiteral("b"));
    Click("FromBufBt");
    QCOMPARE(w_->Text(), std::string("xaby"));
  }

  void aClipboardWithoutTextChangesNothing() {
    w_->LoadText("abc");
    QSignalSpy edited(w_.get(), &TTextForm::textEdited);
    auto* data = new QMimeData;
    data->setData(QStringLiteral("application/x-zorvat-test"), QByteArray("xyz"));
    QApplication::clipboard()->setMimeData(data);
    Click("FromBufBt");
    QCOMPARE(w_->Text(), std::string("abc"));
    QCOMPARE(edited.count(), 0);
  }

  void descriptionMarkIsBlueForATextAndBlackWithout() {
    QCOMPARE(DescriptionMarkColor(""), QColor(0, 0, 0));
    QCOMPARE(DescriptionMarkColor("a"), QColor(0, 0, 255));
    QToolButton TextBt;
    TextBt.setText(QStringLiteral("T"));
    ShowDescriptionMark(TextBt, "a");
    QCOMPARE(TextBt.palette().color(QPalette::ButtonText), QColor(0, 0, 255));
    TextBt.resize(22, 22);
    QCOMPARE(CountPixels(TextBt.grab().toImage(), QColor(0, 0, 255)) > 0, true);
    ShowDescriptionMark(TextBt, "");
    QCOMPARE(TextBt.palette().color(QPalette::ButtonText), QColor(0, 0, 0));
    const QImage black = TextBt.grab().toImage();
    QCOMPARE(CountPixels(black, QColor(0, 0, 255)), 0);
    QCOMPARE(CountPixels(black, QColor(0, 0, 0)) > 0, true);
  }

  void closingHidesTheWindowAndAnnouncesIt() {
    QSignalSpy closed(w_.get(), &TTextForm::closed);
    QVERIFY(w_->close());
    QCOMPARE(closed.count(), 1);
    QVERIFY(!w_->isVisible());
  }

  void placementRoundTripInSectionText() {
    w_->hide();
    w_->setGeometry(40, 60, 420, 300);
    w_.reset();
    QCOMPARE(profile_->Read("Text", "WinPosition", ""), std::string("60,40,420,300,0"));
    QCOMPARE(profile_->Read("Numbers", "WinPosition", "none"), std::string("none"));
    w_ = std::make_unique<TTextForm>(services_, *profile_);
    QCOMPARE(w_->geometry(), QRect(40, 60, 420, 300));
  }
};

}  // namespace zv

QTEST_MAIN(zv::TextWindowTest)
#include "text_window_test.moc"
