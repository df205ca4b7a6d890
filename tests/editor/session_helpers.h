// Helpers of the session tests: picture points of figure and form cells, a
// numbering list like the numbering window's, and observers for runs.
#pragma once

#include <optional>

#include "editor/cell_geometry.h"
#include "editor/editor_session.h"
#include "solver/solver.h"

namespace zv::test {

// Picture pixel at offset (t, u) inside figure cell (x, y); the cell's middle by default.
inline int FigurePx(int x, int t = 25) { return kFigureLeft + kCellPitch * x + t; }
inline int FigurePy(int y, int u = 25) { return kFigureTop + kCellPitch * y + u; }
// The middle of form cell (x, y) in layer z of a form `depth` rows deep.
inline int FormPx(int x) { return kFormLeft + kCellPitch * x + 25; }
inline int FormPy(int y, int z, int depth) { return kFormTop + LayerPitch(depth) * z + kCellPitch * y + 25; }

// The numbering window's list: numbers 0..count-1, the selection moving on
// by one with every number taken and wrapping to the first.
class NumberList final : public NumberSource {
 public:
  void Fill(int count) {
    count_ = count;
    selected_ = 0;
  }
  std::optional<int> TakeNumber() override {
    if (count_ == 0) return std::nullopt;
    const int n = selected_;
    selected_ = (selected_ + 1) % count_;
    return n;
  }
  bool AtFirstNumber() const override { return selected_ == 0; }

 private:
  int count_ = 0;
  int selected_ = 0;
};

// Asks the session to stop from inside the run, at its first refresh, as a
// second click on the Solve button does.
class StopAtFirstRefresh final : public SolveObserver {
 public:
  explicit StopAtFirstRefresh(EditorSession& session) : session_(session) {}
  bool StopRequested() override { return false; }
  void Refresh(const SolveStats&) override {
    ++refreshes;
    session_.StopSolving();
  }
  int refreshes = 0;

 private:
  EditorSession& session_;
};

// Stops every run at its first search call.
class StopAtOnce final : public SolveObserver {
 public:
  bool StopRequested() override { return true; }
  void Refresh(const SolveStats&) override {}
};

}  // namespace zv::test
