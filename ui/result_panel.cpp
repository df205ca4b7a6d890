// The result labels of the form half (ui/result_panel.h).
#include "ui/result_panel.h"

#include <QLabel>

#include "solver/progress.h"
#include "solver/solver.h"
#include "ui/controls.h"
#include "ui/tr.h"
#include "ui/view_colors.h"

namespace zv {

ResultPanel::ResultPanel(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("ResP"));
  setGeometry(260, 35, 98, 26);
  const struct {
    QLabel** label;
    const char* name;
    const char* hint;
    int x, y;
    Qt::Alignment align;
    QColor color;
    bool bold;
  } results[] = {
      {&TimePastL, "TimePastL", QT_TRANSLATE_NOOP("Zorvat", "Потрачено секунд на решение "), 0, 0,
       Qt::AlignLeft, kBlack, false},
      {&TimeRestL, "TimeRestL", QT_TRANSLATE_NOOP("Zorvat", "Ожидается еще потратить времени на решение"), 49,
       0, Qt::AlignRight, kBlack, false},
      {&DeadL, "DeadL", QT_TRANSLATE_NOOP("Zorvat", "Тупиковых вариантов"), 0, 13, Qt::AlignLeft, kBlue,
       false},
      {&SolNumL, "SolNumL", QT_TRANSLATE_NOOP("Zorvat", "Найдено решений"), 49, 13, Qt::AlignRight, kBlue,
       true},
  };
  for (const auto& r : results) {
    QLabel* label = MakeLabel(this, r.name, "0", r.x, r.y);
    label->setToolTip(Tr(r.hint));
    label->setGeometry(r.x, r.y, 49, 13);
    label->setAlignment(r.align | Qt::AlignVCenter);
    SetLabelLook(label, r.color, r.bold);
    *r.label = label;
  }
  setVisible(false);
}

void ResultPanel::ClearCounts() {
  TimePastL->clear();
  SolNumL->clear();
  DeadL->clear();
}

void ResultPanel::ShowProgress(const ProgressStep& step, const SolveStats& stats) {
  TimePastL->setText(QString::number(step.seconds));
  TimeRestL->setText(QString::fromStdString(FormatRemaining(step.elapsedMs, stats.explored)));
  DeadL->setText(QString::fromStdString(FormatDeadEnds(stats.deadEnds)));
  SolNumL->setText(QString::number(stats.solutionCount));
}

void ResultPanel::ShowRunEnd(std::uint32_t elapsedMs, std::uint64_t deadEnds) {
  TimePastL->setText(QString::fromStdString(FormatSeconds3(elapsedMs)));
  TimeRestL->clear();
  DeadL->setText(QString::fromStdString(FormatDeadEnds(deadEnds)));
  SolNumL->clear();
}

}  // namespace zv
