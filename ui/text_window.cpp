// The task description window: its strip of buttons and the length counter,
// the conversions between the task's bytes and the box's text, the
// clipboard commands, the description mark and the buttons' images.
#include "ui/text_window.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/task.h"
#include "platform/qt/cp1251.h"
#include "platform/qt/services.h"
#include "storage/placement.h"
#include "ui/controls.h"
#include "ui/tr.h"
#include "ui/window_placement.h"

namespace zv {

namespace {

constexpr int kClientWidth = 380;
constexpr int kClientHeight = 271;
constexpr int kStripHeight = 28;
constexpr int kButtonSize = 25;

// Line breaks of the box are '\n'; a CR LF pair or a lone CR from the
// clipboard or a file is one break too.
QString BoxBreaks(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

// The task's form of the box's text: Windows-1251 ('?' for characters it
// cannot hold), CR LF breaks, and no zero bytes, since the task file ends
// the description at its first zero byte; at most the longest description a
// task keeps, so every task file stays readable.
std::string ToTaskText(QString text) {
  text.remove(QChar(0));
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  std::string bytes = ToCp1251(text);
  if (bytes.size() > kMaxTextBytes) bytes.resize(kMaxTextBytes);
  return bytes;
}

QString ToBoxText(const std::string& text) { return BoxBreaks(FromCp1251(text)); }

QPixmap Canvas() {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  return pixmap;
}

// A sheet of paper with four lines of text, its top left at (x, y), 9 x 11.
void DrawSheet(QPainter& p, int x, int y) {
  p.setPen(QColor(64, 64, 64));
  p.setBrush(Qt::white);
  p.drawRect(x, y, 8, 10);
  p.setPen(QColor(0, 0, 128));
  for (int line = 0; line < 4; ++line) p.drawLine(x + 2, y + 2 + 2 * line, x + 6, y + 2 + 2 * line);
}

// A clipboard: a brown board with a grey clip at the top, 10 x 14.
void DrawBoard(QPainter& p, int x, int y) {
  p.setPen(QColor(96, 64, 0));
  p.setBrush(QColor(192, 128, 64));
  p.drawRect(x, y + 1, 9, 13);
  p.setBrush(QColor(160, 160, 160));
  p.drawRect(x + 3, y, 3, 2);
}

QIcon ClearIcon() {
  QPixmap pixmap = Canvas();
  QPainter p(&pixmap);
  DrawSheet(p, 2, 2);
  p.setPen(QPen(QColor(255, 0, 0), 2));
  p.drawLine(7, 7, 14, 14);
  p.drawLine(14, 7, 7, 14);
  return QIcon(pixmap);
}

QIcon FromBufIcon() {
  QPixmap pixmap = Canvas();
  QPainter p(&pixmap);
  DrawBoard(p, 0, 0);
  DrawSheet(p, 7, 5);
  return QIcon(pixmap);
}

QToolButton* StripButton(QWidget* parent, const char* name, const char* hint, const QIcon& icon) {
  QToolButton* button = MakeButton(parent, name, hint, 0, 0, kButtonSize, kButtonSize);
  button->setIcon(icon);
  button->setFixedSize(kButtonSize, kButtonSize);
  return button;
}

}  // namespace

QIcon ToBufIcon() {
  QPixmap pixmap = Canvas();
  QPainter p(&pixmap);
  DrawSheet(p, 0, 0);
  DrawBoard(p, 6, 2);
  p.setPen(QPen(QColor(0, 128, 0), 2));
  p.drawLine(3, 13, 8, 13);
  return QIcon(pixmap);
}

TTextForm::TTextForm(Services& services, Profile& profile, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), profile_(profile) {
  setObjectName(QStringLiteral("TextForm"));
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("Zorvat", "Информация о задаче")));
  setAttribute(Qt::WA_QuitOnClose, false);

  auto* strip = new QWidget(this);
  strip->setFixedHeight(kStripHeight);
  ClearBt = StripButton(strip, "ClearBt", QT_TRANSLATE_NOOP("Zorvat", "Очистить текст"), ClearIcon());
  FromBufBt =
      StripButton(strip, "FromBufBt", QT_TRANSLATE_NOOP("Zorvat", "Текст из буфера обмена"), FromBufIcon());
  ToBufBt = StripButton(strip, "ToBufBt",
                        QT_TRANSLATE_NOOP("Zorvat", "Весь или выделенный текст в буфер обмена"), ToBufIcon());
  SizeL = new QLabel(QStringLiteral("0"), strip);
  SizeL->setObjectName(QStringLiteral("SizeL"));
  SizeL->setToolTip(Tr(QT_TRANSLATE_NOOP("Zorvat", "Длина текста")));
  SizeL->setMinimumWidth(60);  // room for six digits without waiting for a relayout
  auto* stripLayout = new QHBoxLayout(strip);
  stripLayout->setContentsMargins(2, 1, 2, 2);
  stripLayout->setSpacing(1);
  stripLayout->addWidget(ClearBt);
  stripLayout->addWidget(FromBufBt);
  stripLayout->addWidget(ToBufBt);
  stripLayout->addSpacing(8);
  stripLayout->addWidget(SizeL);
  stripLayout->addStretch(1);

  E = new QPlainTextEdit(this);
  E->setObjectName(QStringLiteral("E"));
  QFont font(QStringLiteral("Times New Roman"));
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(16);
  E->setFont(font);
  E->setLineWrapMode(QPlainTextEdit::WidgetWidth);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(strip);
  layout->addWidget(E, 1);
  resize(kClientWidth, kClientHeight);

  connect(E, &QPlainTextEdit::textChanged, this, &TTextForm::EChange);
  connect(ClearBt, &QToolButton::clicked, this, &TTextForm::ClearBtClick);
  connect(FromBufBt, &QToolButton::clicked, this, &TTextForm::FromBufBtClick);
  connect(ToBufBt, &QToolButton::clicked, this, &TTextForm::ToBufBtClick);
  LoadWindowPlacement(*this, profile_, kTextWindowSection);
}

TTextForm::~TTextForm() { SaveWindowPlacement(*this, profile_, kTextWindowSection); }

void TTextForm::LoadText(const std::string& text) {
  loading_ = true;
  E->setPlainText(ToBoxText(text));
  loading_ = false;
}

std::string TTextForm::Text() const { return ToTaskText(E->toPlainText()); }

void TTextForm::EChange() {
  const QString shown = E->toPlainText();
  const std::string text = ToTaskText(shown);
  const QString kept = ToBoxText(text);
  if (kept != shown) {
    // Typed or pasted characters the description cannot hold: the box shows
    // what the task keeps ('?' for each, zero characters gone), caret in place.
    const int caret = static_cast<int>(ToBoxText(ToTaskText(shown.left(E->textCursor().position()))).size());
    const QSignalBlocker blocker(E);
    E->setPlainText(kept);
    QTextCursor cursor = E->textCursor();
    cursor.setPosition(caret);
    E->setTextCursor(cursor);
  }
  SizeL->setText(QString::number(text.size()));
  if (!loading_) emit textEdited(text);
}

void TTextForm::ClearBtClick() { E->clear(); }

void TTextForm::FromBufBtClick() {
  const std::optional<QString> clip = services_.ClipboardText();
  if (!clip) return;
  E->insertPlainText(ToBoxText(ToTaskText(BoxBreaks(*clip))));
}

void TTextForm::ToBufBtClick() { CopyBoxText(*E, services_); }

void TTextForm::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

QColor DescriptionMarkColor(const std::string& text) {
  return text.empty() ? QColor(0, 0, 0) : QColor(0, 0, 255);
}

void ShowDescriptionMark(QAbstractButton& TextBt, const std::string& text) {
  QPalette palette = TextBt.palette();
  palette.setColor(QPalette::ButtonText, DescriptionMarkColor(text));
  TextBt.setPalette(palette);
}

void CopyBoxText(const QPlainTextEdit& box, Services& services) {
  const QTextCursor cursor = box.textCursor();
  QString text = cursor.hasSelection() ? cursor.selectedText() : box.toPlainText();
  text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
  services.SetClipboardText(text);
}

}  // namespace zv
