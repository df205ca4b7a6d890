// The result labels of the form half (ResP), shown while solving and in
// solution view: seconds spent (TimePastL), the time still expected
// (TimeRestL), dead ends (DeadL) and solutions found (SolNumL), each with a
// caption before it when the panel, as wide as the half allows, has room
// and the number has a text.
// The time still expected reads "—" until the estimate can be trusted
// (editor/time_estimate.h).
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

class QLabel;

namespace zv {

// The widest the result labels spread: past it they stay together at the left.
inline constexpr int kResultPanelWidest = 360;

struct ProgressStep;
struct SolveStats;

class ResultPanel : public QWidget {
  Q_OBJECT

 public:
  explicit ResultPanel(QWidget* parent);

  // A run starts: the counts of the last one go.
  void ClearCounts();
  // The once-a-second refresh of a run; `remaining` in seconds, or nothing
  // ("—") while no estimate is trusted.
  void ShowProgress(const ProgressStep& step, const SolveStats& stats, std::optional<double> remaining);
  // The run has ended: its time to the millisecond (none: a run whose time
  // is not known) and its dead ends.
  void ShowRunEnd(std::optional<std::uint64_t> elapsedMs, std::uint64_t deadEnds);

  // Widens the panel up to `right` in its parent, never below the numbers' width.
  void StretchTo(int right);

  QLabel *TimePastL, *TimeRestL, *DeadL, *SolNumL;

 private:
  void PlaceLabels();
  void ShowCaptions();

  QLabel* numbers_[4];   // the four above, in reading order
  QLabel* captions_[4];  // their captions
};

}  // namespace zv
