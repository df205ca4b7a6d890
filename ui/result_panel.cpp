// The result labels of the form half (ui/result_panel.h).
#include "ui/result_panel.h"

#include <QLabel>

#include "solver/progress.h"
#include "solver/solver.h"
#include "ui/controls.h"
#include "ui/pictures/view_colors.h"
#include "ui/solve_texts.h"
#include "ui/tr.h"

namespace zv {

namespace {

constexpr int kNumberWidth = 49, kRowHeight = 13;
constexpr int kNarrowest = 2 * kNumberWidth;  // the numbers alone

}  // namespace

ResultPanel::ResultPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ResP"));
  setGeometry(260, 35, kNarrowest, 2 * kRowHeight);
  const struct {
    QLabel** label;
    const char* name;
    const char* hint;
    Qt::Alignment align;
    QColor color;
    bool bold;
  } results[] = {
      {&TimePastL, "TimePastL", QT_TRANSLATE_NOOP("Zorvat", "Потрачено секунд на решение "), Qt::AlignLeft,
       kBlack, false},
      {&TimeRestL, "TimeRestL", QT_TRANSLATE_NOOP("Zorvat", "Ожидается еще потратить времени на решение"),
       Qt::AlignRight, kBlack, false},
      {&DeadL, "DeadL", QT_TRANSLATE_NOOP("Zorvat", "Тупиковых вариантов"), Qt::AlignLeft, kBlue, false},
      {&SolNumL, "SolNumL", QT_TRANSLATE_NOOP("Zorvat", "Найдено решений"), Qt::AlignRight, kBlue, true},
  };
  for (int i = 0; i < 4; ++i) {
    const auto& r = results[i];
    captions_[i] = MakeLabel(this, nullptr, "", 0, 0);
    captions_[i]->setToolTip(Tr(r.hint));
    QLabel* label = MakeLabel(this, r.name, "0", 0, 0);
    label->setToolTip(Tr(r.hint));
    label->setAlignment(r.align | Qt::AlignVCenter);
    SetLabelLook(label, r.color, r.bold);
    *r.label = numbers_[i] = label;
  }
  PlaceLabels();
  setVisible(false);
}

void ResultPanel::StretchTo(int right) {
  resize(std::max(kNarrowest, right - x()), height());
  PlaceLabels();
}

void ResultPanel::PlaceLabels() {
  // Two rows of two columns. Each number keeps its 49 pixels; before it
  // stands the full caption or else the brief one, when it fits in the rest
  // of the column, so at the narrowest panel the numbers stand alone.
  const int column = width() / 2, room = column - kNumberWidth;
  for (int i = 0; i < 4; ++i) {
    const ResultCaption& caption = kResultCaptions[i];
    QString text;
    int captionWidth = 0;
    for (const char* candidate : {caption.full, caption.brief}) {
      const int needed = captions_[i]->fontMetrics().horizontalAdvance(Tr(candidate)) + 4;
      if (text.isEmpty() && needed <= room) {
        text = Tr(candidate);
        captionWidth = needed;
      }
    }
    const int left = (i % 2) * column, top = (i / 2) * kRowHeight;
    captions_[i]->setText(text);
    captions_[i]->setGeometry(left, top, captionWidth, kRowHeight);
    numbers_[i]->setGeometry(left + captionWidth, top, kNumberWidth, kRowHeight);
  }
}

void ResultPanel::ShowCaptions() {
  // A caption without its number (the time still expected and the count
  // after a run, which SolL then names) says nothing: it goes with it.
  for (int i = 0; i < 4; ++i) captions_[i]->setVisible(!numbers_[i]->text().isEmpty());
}

void ResultPanel::ClearCounts() {
  TimePastL->clear();
  SolNumL->clear();
  DeadL->clear();
  ShowCaptions();
}

void ResultPanel::ShowProgress(const ProgressStep& step, const SolveStats& stats,
                               std::optional<double> remaining) {
  TimePastL->setText(QString::number(static_cast<qulonglong>(step.seconds)));
  TimeRestL->setText(remaining ? QString::fromStdString(FormatSecondsLeft(*remaining))
                               : QString::fromUtf8(kNoEstimate));
  DeadL->setText(QString::fromStdString(FormatDeadEnds(stats.deadEnds)));
  SolNumL->setText(QString::number(stats.solutionCount));
  ShowCaptions();
}

void ResultPanel::ShowRunEnd(std::optional<std::uint64_t> elapsedMs, std::uint64_t deadEnds) {
  TimePastL->setText(elapsedMs ? QString::fromStdString(FormatSeconds3(*elapsedMs)) : QString());
  TimeRestL->clear();
  DeadL->setText(QString::fromStdString(FormatDeadEnds(deadEnds)));
  SolNumL->clear();
  ShowCaptions();
}

}  // namespace zv
