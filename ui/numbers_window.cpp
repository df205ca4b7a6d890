// The cube numbering window: layout of its three strips, the column list of
// numbers with its own item drawing, and handing out numbers.
#include "ui/numbers_window.h"

#include <QCloseEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "storage/placement.h"
#include "ui/pictures/view_colors.h"
#include "ui/tr.h"
#include "ui/window_placement.h"

namespace zv {

namespace {

constexpr int kClientWidth = 177;
constexpr int kClientHeight = 186;
constexpr int kTopStripHeight = 27;
constexpr int kBottomStripHeight = 34;
constexpr int kColumns = 5;
constexpr int kRowHeight = 24;
constexpr int kTextIndent = 2;            // item text starts 2 pixels right of its cell's left edge
constexpr int kCaptionMargin = 8;         // NormBt's frame and padding around its caption
constexpr double kSmallestCaption = 6.0;  // points: NormBt's caption gets no smaller

QFont ItemFont() {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(13);
  font.setBold(true);
  return font;
}

// Draws an entry as its text, 2 pixels from the left of its cell and
// vertically centred, on the selection colour when selected. An entry
// covers its whole cell of the list's grid.
class NumberDelegate final : public QStyledItemDelegate {
 public:
  explicit NumberDelegate(QListView* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return list_->gridSize(); }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
    painter->setPen(selected ? palette.color(QPalette::HighlightedText) : palette.color(QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(kTextIndent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                      index.data(Qt::DisplayRole).toString());
    painter->restore();
  }

 private:
  const QListView* list_;
};

// The list in columns: each column a fifth of the visible width, rows of
// 24 pixels, filled top to bottom and then the next column to the right,
// scrolling sideways when the columns do not fit. The user cannot leave it
// without a selection: clicks and keys only ever move the selection.
class NumberList final : public QListWidget {
 public:
  explicit NumberList(QWidget* parent) : QListWidget(parent) {
    setFlow(QListView::TopToBottom);
    setWrapping(true);
    setResizeMode(QListView::Adjust);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFont(ItemFont());
    setItemDelegate(new NumberDelegate(this));
  }

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent*) const override {
    if (!index.isValid()) return QItemSelectionModel::NoUpdate;
    return QItemSelectionModel::ClearAndSelect;
  }

  void resizeEvent(QResizeEvent* event) override {
    QListWidget::resizeEvent(event);
    const QSize grid(viewport()->width() / kColumns, kRowHeight);
    if (gridSize() != grid) setGridSize(grid);
  }
};

QWidget* Strip(QWidget* parent, int height) {
  auto* strip = new QWidget(parent);
  strip->setFixedHeight(height);
  return strip;
}

}  // namespace

TNumsForm::TNumsForm(Profile& profile, QWidget* parent) : QWidget(parent, Qt::Window), profile_(profile) {
  setObjectName(QStringLiteral("NumsForm"));
  setWindowTitle(Tr(QT_TRANSLATE_NOOP("Zorvat", "Номер кубика")));
  setAttribute(Qt::WA_QuitOnClose, false);
  setFont(ViewFont(kWindowPointSize));  // the main window's small sans-serif

  QWidget* top = Strip(this, kTopStripHeight);
  NormBt = new QPushButton(Tr(QT_TRANSLATE_NOOP("Zorvat", "Занумеровать подряд")), top);
  NormBt->setObjectName(QStringLiteral("NormBt"));
  NormBt->setGeometry((kClientWidth - 127) / 2, (kTopStripHeight - 22) / 2, 127, 22);
  // The caption in a slightly smaller letter where the window's font draws
  // it wider than the button leaves room for (some sans-serif fonts do).
  QFont caption = NormBt->font();
  while (QFontMetrics(caption).horizontalAdvance(NormBt->text()) > NormBt->width() - kCaptionMargin &&
         caption.pointSizeF() > kSmallestCaption)
    caption.setPointSizeF(caption.pointSizeF() - 0.5);
  NormBt->setFont(caption);

  LB = new NumberList(this);
  LB->setObjectName(QStringLiteral("LB"));

  QWidget* bottom = Strip(this, kBottomStripHeight);
  auto* hint =
      new QLabel(Tr(QT_TRANSLATE_NOOP("Zorvat", "Выделите номер,\nпотом кликните по кубику")), bottom);
  hint->setAlignment(Qt::AlignCenter);
  auto* hintLayout = new QVBoxLayout(bottom);
  hintLayout->setContentsMargins(0, 0, 0, 0);
  hintLayout->addWidget(hint);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(top);
  layout->addWidget(LB, 1);
  layout->addWidget(bottom);

  resize(kClientWidth, kClientHeight);
  connect(NormBt, &QPushButton::clicked, this, &TNumsForm::NormBtClick);
  LoadWindowPlacement(*this, profile_, kNumbersWindowSection);
}

TNumsForm::~TNumsForm() { SaveWindowPlacement(*this, profile_, kNumbersWindowSection); }

void TNumsForm::Fill(int count) {
  LB->clear();
  for (int number = 1; number <= count; ++number) LB->addItem(QString::number(number));
  Select(0);
}

void TNumsForm::Refill(int count) {
  const int kept = SelectedIndex();
  Fill(count);
  if (kept < count) Select(kept);
}

std::optional<int> TNumsForm::TakeNumber() {
  const int n = SelectedIndex();
  if (n < 0) return std::nullopt;
  Select((n + 1) % Count());
  return n;
}

int TNumsForm::SelectedIndex() const {
  const QList<QListWidgetItem*> selected = LB->selectedItems();
  return selected.isEmpty() ? -1 : LB->row(selected.front());
}

int TNumsForm::Count() const { return LB->count(); }

void TNumsForm::Select(int index) {
  if (index < 0 || index >= LB->count()) return;
  LB->setCurrentRow(index);
  LB->scrollToItem(LB->item(index));
}

void TNumsForm::NormBtClick() {
  Select(0);
  emit normBtClicked();
}

void TNumsForm::closeEvent(QCloseEvent* event) {
  event->accept();
  emit closed();
}

}  // namespace zv
