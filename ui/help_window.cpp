// The help window: the help text box, the two link strips with the version
// label, the copy button in the bottom right corner and the language switch
// beside it.
#include "ui/help_window.h"

#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QToolButton>
#include <algorithm>

#include "platform/qt/services.h"
#include "ui/controls.h"
#include "ui/help_text.h"
#include "ui/text_window.h"
#include "ui/tr.h"

namespace zv {

namespace {

constexpr int kClientWidth = 701;
constexpr int kClientHeight = 479;
constexpr int kStrip1Height = 17;
constexpr int kStrip2Height = 16;
constexpr int kCopyPanelWidth = 26;
constexpr int kCopyPanelHeight = 25;
constexpr int kContentsWidth = 190;  // the contents list's least width
constexpr int kTitlePadding = 6;     // room right of the longest title

constexpr const char* kPuzzleAuthor = QT_TRANSLATE_NOOP("Zorvat", "Автор головоломки: команда Зорват");
constexpr const char* kProgramAuthor =
    QT_TRANSLATE_NOOP("Zorvat", "Автор программы: разработчики Зорват, zorvat@example.org");
constexpr const char* kSiteHint =
    QT_TRANSLATE_NOOP("Zorvat", "Зайти на сайт ");  // followed by the page's address

constexpr const char* kHelpCaption = QT_TRANSLATE_NOOP("Zorvat", "Справка по программе");
constexpr const char* kVersionText = QT_TRANSLATE_NOOP("Zorvat", "Версия 2.0");
constexpr const char* kCopyHint = QT_TRANSLATE_NOOP("Zorvat", "Весь или выделенный текст в буфер обмена");
constexpr const char* kEnglishHint = QT_TRANSLATE_NOOP("Zorvat", "Справка на английском языке");

// A link strip: blue underlined 11-pixel sans-serif caption, centred, with
// the page's address in its hint (both set by ShowLanguage).
QLabel* LinkStrip(QWidget* parent, const char* name) {
  auto* strip = new QLabel(parent);
  strip->setObjectName(QString::fromLatin1(name));
  strip->setAlignment(Qt::AlignCenter);
  strip->setCursor(Qt::PointingHandCursor);
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  font.setUnderline(true);
  strip->setFont(font);
  QPalette palette = strip->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 255));
  strip->setPalette(palette);
  return strip;
}

}  // namespace

THelpForm::THelpForm(Services& services, QWidget* parent) : QWidget(parent, Qt::Window), services_(services) {
  setObjectName(QStringLiteral("HelpForm"));
  setAttribute(Qt::WA_QuitOnClose, false);

  E = new QPlainTextEdit(this);
  E->setObjectName(QStringLiteral("E"));
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(19);
  E->setFont(font);
  E->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  E->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  ContentsL = new QListWidget(this);
  ContentsL->setObjectName(QStringLiteral("ContentsL"));
  connect(ContentsL, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { ShowSection(ContentsL->row(item)); });

  Panel1 = LinkStrip(this, "Panel1");
  Panel2 = LinkStrip(this, "Panel2");
  Label1 = new QLabel(Panel1);
  Label1->setObjectName(QStringLiteral("Label1"));
  QPalette black = Label1->palette();
  black.setColor(QPalette::WindowText, QColor(0, 0, 0));
  Label1->setPalette(black);
  QFont plain = Label1->font();
  plain.setUnderline(false);
  Label1->setFont(plain);
  Label1->move(2, 1);
  Panel1->installEventFilter(this);
  Panel2->installEventFilter(this);

  ToBufP = new QWidget(this);
  ToBufP->setObjectName(QStringLiteral("ToBufP"));
  ToBufBt = MakeButton(ToBufP, "ToBufBt", kCopyHint, 0, 0, kCopyPanelWidth, kCopyPanelHeight);
  ToBufBt->setIcon(ToBufIcon());
  connect(ToBufBt, &QToolButton::clicked, this, &THelpForm::ToBufBtClick);
  LangBt = MakeButton(this, "LangBt", kEnglishHint, 0, 0, kCopyPanelWidth, kCopyPanelHeight,
                      QStringLiteral("EN"), true);
  connect(LangBt, &QToolButton::toggled, this,
          [this](bool english) { ShowLanguage(english ? Language::English : Language::Russian); });

  ShowLanguage(InstalledLanguage());
  resize(kClientWidth, kClientHeight);
  Layout();
}

void THelpForm::ShowLanguage(Language language) {
  setWindowTitle(TextIn(language, kHelpCaption));
  E->setPlainText(QString::fromStdString(
      JoinHelp([language](const char* text) { return TextIn(language, text).toStdString(); })));
  ContentsL->clear();
  for (const HelpSection& section : HelpSections())
    if (section.title != nullptr) ContentsL->addItem(TextIn(language, section.title));
  Panel1->setText(TextIn(language, kPuzzleAuthor));
  Panel2->setText(TextIn(language, kProgramAuthor));
  for (QLabel* strip : {Panel1, Panel2})
    strip->setToolTip(TextIn(language, kSiteHint) + QString::fromLatin1(kProjectUrl));
  Label1->setText(TextIn(language, kVersionText));
  Label1->adjustSize();
  ToBufBt->setToolTip(TextIn(language, kCopyHint));
  LangBt->setToolTip(TextIn(language, kEnglishHint));
  const QSignalBlocker quiet(LangBt);
  LangBt->setChecked(language == Language::English);
  Layout();  // the contents' width follows their titles
}

void THelpForm::ShowSection(int index) {
  const QListWidgetItem* item = ContentsL->item(index);
  if (item == nullptr) return;
  // The title is the line above its underline of hyphens.
  for (QTextBlock block = E->document()->begin(); block.isValid(); block = block.next()) {
    if (block.text() != item->text() || !block.next().text().startsWith(QStringLiteral("---"))) continue;
    // From the end back up, so that the title comes to the top of the box.
    E->moveCursor(QTextCursor::End);
    E->ensureCursorVisible();
    E->setTextCursor(QTextCursor(block));
    E->ensureCursorVisible();
    return;
  }
}

void THelpForm::ShowAndRaise() {
  show();
  raise();
  activateWindow();
}

void THelpForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Layout();
}

void THelpForm::Layout() {
  const int w = width();
  const int h = height();
  // The contents as wide as their longest title needs, up to a third of the window.
  const int titles = ContentsL->sizeHintForColumn(0) + 2 * ContentsL->frameWidth() + kTitlePadding;
  const int contents = std::clamp(titles, kContentsWidth, std::max(kContentsWidth, w / 3));
  ContentsL->setGeometry(0, 0, contents, h - kStrip1Height - kStrip2Height);
  E->setGeometry(contents, 0, w - contents, h - kStrip1Height - kStrip2Height);
  Panel1->setGeometry(0, h - kStrip1Height - kStrip2Height, w, kStrip1Height);
  Panel2->setGeometry(0, h - kStrip2Height, w, kStrip2Height);
  ToBufP->setGeometry(w - kCopyPanelWidth, h - kCopyPanelHeight, kCopyPanelWidth, kCopyPanelHeight);
  ToBufP->raise();
  LangBt->move(w - 2 * kCopyPanelWidth, h - kCopyPanelHeight);
  LangBt->raise();
}

bool THelpForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    if (watched == Panel1) Panel1Click();
    if (watched == Panel2) Panel2Click();
  }
  return QWidget::eventFilter(watched, event);
}

// Esc reaches the window from the text box too, which does not use it.
void THelpForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QWidget::keyPressEvent(event);
}

void THelpForm::Panel1Click() { services_.OpenWebPage(QString::fromLatin1(kProjectUrl)); }

void THelpForm::Panel2Click() { services_.OpenWebPage(QString::fromLatin1(kProjectUrl)); }

void THelpForm::ToBufBtClick() { CopyBoxText(*E, services_); }

}  // namespace zv
