// The fold row of solution view (ui/fold_bar.h).
#include "ui/fold_bar.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "ui/controls.h"
#include "ui/eliding_label.h"
#include "ui/fold_filter.h"
#include "ui/pictures/view_colors.h"
#include "ui/tr.h"

namespace zv {

namespace {

constexpr const char* kFoldCheckHint = QT_TRANSLATE_NOOP(
    "Zorvat", "Проверить в фоне, какие решения складываются; нажать ещё раз — остановить проверку");
constexpr const char* kFoldCheckText = QT_TRANSLATE_NOOP("Zorvat", "Складывание");
constexpr const char* kFoldOnlyText = QT_TRANSLATE_NOOP("Zorvat", "только складывающиеся");
constexpr const char* kFoldOnlyHint =
    QT_TRANSLATE_NOOP("Zorvat", "Кнопки просмотра переходят только по решениям, которые складываются");
constexpr const char* kMarkFoldable = QT_TRANSLATE_NOOP("Zorvat", "складывается");
constexpr const char* kMarkNotFound = QT_TRANSLATE_NOOP("Zorvat", "движение не найдено");
constexpr const char* kMarkNotChecked = QT_TRANSLATE_NOOP("Zorvat", "не проверено");
// %1 checked, %2 stored.
constexpr const char* kFoldProgress = QT_TRANSLATE_NOOP("Zorvat", "проверено %1 из %2");
// %1 checked, %2 stored, %3 foldable.
constexpr const char* kFoldStopped =
    QT_TRANSLATE_NOOP("Zorvat", "проверка остановлена: проверено %1 из %2, складываются %3");
// %1 foldable, %2 stored.
constexpr const char* kFoldCount = QT_TRANSLATE_NOOP("Zorvat", "%1 из %2 складываются");

constexpr int kLineHeight = 20, kGap = 6;
// The most solutions a run keeps: the widest progress text FoldL shows while checking.
constexpr int kMostSolutions = 10000;

}  // namespace

FoldBar::FoldBar(QWidget* parent) : QWidget(parent), filter(new FoldFilter(this)) {
  setObjectName(QStringLiteral("FoldP"));
  FoldBt = MakeButton(this, "FoldBt", kFoldCheckHint, 0, 0, 96, 20, Tr(kFoldCheckText), true);
  FoldOnlyCB = MakeCheckBox(this, "FoldOnlyCB", kFoldOnlyText, kFoldOnlyHint, 96 + kGap, 0, 160);
  FoldOnlyCB->adjustSize();
  const int boxHeight = std::min(FoldOnlyCB->height(), kLineHeight);
  FoldOnlyCB->setGeometry(FoldOnlyCB->x(), (kLineHeight - boxHeight) / 2, FoldOnlyCB->width(), boxHeight);
  FoldL = new ElidingLabel(this);
  FoldL->setObjectName(QStringLiteral("FoldL"));
  FoldL->setVisible(false);  // until the check has a state to name
  setVisible(false);
}

int FoldBar::oneLineWidth() const {
  const int room =
      FoldL->fontMetrics().horizontalAdvance(Tr(kFoldProgress).arg(kMostSolutions).arg(kMostSolutions));
  return FoldOnlyCB->x() + FoldOnlyCB->width() + kGap + room;
}

int FoldBar::tallestFor(int width) const {
  return width >= oneLineWidth() ? kLineHeight : 2 * kLineHeight + 1;
}

int FoldBar::heightFor(int width) const { return FoldL->text().isEmpty() ? kLineHeight : tallestFor(width); }

int FoldBar::Arrange(int width) {
  const bool oneLine = width >= oneLineWidth();
  const int left = oneLine ? FoldOnlyCB->x() + FoldOnlyCB->width() + kGap : 0;
  const int height = heightFor(width);
  resize(width, height);
  FoldL->setGeometry(left, oneLine ? 3 : kLineHeight + 4, std::max(1, width - left),
                     FoldL->fontMetrics().height());
  return height;
}

bool FoldBar::foldableOnly() const { return FoldOnlyCB->isChecked(); }

FoldMark FoldBar::ShowState(int shown) {
  const int total = filter->total(), checked = filter->checked(), foldable = filter->foldableCount();
  const std::optional<FoldOutcome> mark = filter->outcome(shown);
  QString state;
  if (filter->running())
    state = Tr(kFoldProgress).arg(checked).arg(total);
  else if (filter->stopped())
    state = Tr(kFoldStopped).arg(checked).arg(total).arg(foldable);
  else if (total > 0)
    state = Tr(kFoldCount).arg(foldable).arg(total);
  const bool hadText = !FoldL->text().isEmpty();
  FoldL->setText(total == 0 ? QString() : state);
  FoldL->setVisible(!FoldL->text().isEmpty());
  if (hadText != FoldL->isVisibleTo(this)) emit textShownChanged();
  const QSignalBlocker block(FoldBt);  // the button follows the check, also when it ends by itself
  FoldBt->setChecked(filter->running());
  FoldOnlyCB->setEnabled(foldable > 0);
  if (total == 0) return {};
  // The verdict's colours of the 3-D view's line: green foldable, red no motion found, black not checked.
  if (mark == FoldOutcome::Foldable) return {QStringLiteral("✓"), Tr(kMarkFoldable), kGreen};
  if (mark == FoldOutcome::NotFound) return {QStringLiteral("✗"), Tr(kMarkNotFound), kRed};
  return {QStringLiteral("?"), Tr(kMarkNotChecked), kBlack};
}

}  // namespace zv
