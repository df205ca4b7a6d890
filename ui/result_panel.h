// The result labels of the form half (ResP), shown while solving and in
// solution view: seconds spent (TimePastL), the time still expected
// (TimeRestL), dead ends (DeadL) and solutions found (SolNumL).
#pragma once

#include <QWidget>
#include <cstdint>

class QLabel;

namespace zv {

struct ProgressStep;
struct SolveStats;

class ResultPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ResultPanel(QWidget* parent);

  // A run starts: the counts of the last one go.
  void ClearCounts();
  // The once-a-second refresh of a run.
  void ShowProgress(const ProgressStep& step, const SolveStats& stats);
  // The run has ended: its time to the millisecond and its dead ends.
  void ShowRunEnd(std::uint32_t elapsedMs, std::uint64_t deadEnds);

  QLabel *TimePastL, *TimeRestL, *DeadL, *SolNumL;
};

}  // namespace zv
