// The 3-D view of a shown solution with its fold animation: a strip of
// controls (reset the view, the last layer shown, play/pause, step back and
// forth, the fold position and the speed), the picture (drag to turn, wheel
// to zoom, click to select a cube's form cell) and the fold's result line.
// The window gives it the shown solution and the selected cell and hears
// back which cell a click selects; turning and zoom stay when the solution
// changes. The fold and its collision check are computed when the fold is
// first wanted (a position below 1 or play).
#pragma once

#include <QWidget>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

#include "editor/solution_view_data.h"
#include "model/strong_index.h"
#include "platform/qt/services.h"
#include "solid/fold.h"
#include "solid/fold_verdict.h"
#include "ui/file_boxes.h"
#include "ui/pictures/solid_scene.h"

class QLabel;
class QSlider;
class QSpinBox;
class QTimer;
class QToolButton;

namespace zv {

class SolidCanvas;

class SolidView : public QWidget {
  Q_OBJECT

 public:
  explicit SolidView(QWidget* parent = nullptr);
  ~SolidView() override;

  // The task's description, for the web page of the export.
  void SetTaskText(const std::string& text) { taskText_ = text; }
  // Shows `solution` of the task whose figure and links are given; the
  // cubes take `cubeColour` when the figure is one part, else part colours.
  // `known`, when given, is the window's fold check of this solution: the
  // view takes it when the fold is first wanted instead of checking again.
  void ShowSolution(const FigureState& figure, const LinkAnalysis& links, const StoredSolution& solution,
                    const QColor& cubeColour, std::shared_ptr<const FoldVerdict> known = nullptr);
  void Clear();
  // Highlights the cube in form cell `cell` (a form cell index; 0: none).
  void SelectCell(CellIndex cell);

  // The fold position, 0 (flat figure) .. 1 (the solution).
  void SetFold(double t);
  double fold() const { return t_; }
  void Play();
  void Pause();
  void StepForward();
  void StepBack();
  bool playing() const;

  void ResetView();
  // Writes the shown solution by the path's extension: .stl or .obj (the
  // part meshes, `modelScale` units per cube edge; the OBJ in the view's
  // colours), .png or .svg (the view as shown), .html (the web page).
  SaveResult Export(const QString& path, double modelScale = 1.0) const;
  // ExportBt's dialog: asks where to write (and before replacing a file),
  // for a model its size (the last one given is offered), writes, and names
  // a failure in a box.
  void ExportThroughDialog(Services& services);
  static bool IsModelPath(const QString& path);
  void SetLastLayer(int layer);
  // The plain order's check (computed on first call), and the words of
  // the fold's verdict.
  const FoldCheck& foldCheck();
  QString resultLine() const;
  // The words of a fold check's verdict: `plain` is the check of the plain
  // order (named as a detail when no motion was found), `steps` those of the
  // fold played.
  static QString VerdictWords(const FoldVerdict& verdict, const FoldCheck& plain, int steps,
                              const std::vector<int>& numbers);
  // The foldability check of the shown solution (solid/fold_verdict.h),
  // started on a thread of its own when the fold is first wanted; empty
  // until it ends. A foldable solution's fold then plays the motion found.
  const std::optional<FoldVerdict>& verdict() const { return verdict_; }
  // Waits for a running check and takes its result (for tests).
  void WaitForVerdict();

  const SolidCamera& camera() const { return camera_; }
  const SolidScene& scene() const { return scene_; }
  QWidget* canvas() const;
  // Where the centre of cube k appears on the canvas.
  QPointF ProjectedCentre(int cube) const;

 signals:
  void cellClicked(zv::CellIndex cell);
  void exportRequested();  // ExportBt: the window asks where to write
  // The fold of the shown solution was checked (or the check is gone): the
  // words of its verdict, else empty.
  void collisionChanged(const QString& line);

 private:
  friend class SolidCanvas;
  void Rebuild();
  void Tick();
  void ShowResult();
  void CanvasClicked(const QPointF& point);
  void CanvasDragged(double dx, double dy);
  void CanvasWheel(int steps);
  void Paint(QPainter& painter, const QRect& rect) const;
  void EnsureFold();
  void AnnounceCheck();
  void StartCheck();
  void StopCheck();
  void TakeVerdict(int generation, const FoldVerdict& verdict);
  bool WritePage(const std::string& file) const;

  std::string taskText_;  // the description the web page shows
  std::unique_ptr<SolidSolution> solid_;
  std::unique_ptr<Fold> fold_;
  std::optional<FoldCheck> check_;
  std::optional<FoldVerdict> verdict_;
  std::shared_ptr<const FoldVerdict> known_;  // the window's check of the solution, taken in place of one
  std::thread checker_;
  std::shared_ptr<std::atomic<bool>> stopCheck_;  // the running check's stop request
  int generation_ = 0;                            // a check's result counts only while this stays
  SolidScene scene_;
  SolidCamera camera_;
  std::vector<Rigid> endPoses_;
  CellIndex selectedCell_ = kNoSelectedCell;
  double t_ = 1.0;
  double modelScale_ = 1.0;  // units per cube edge of the last model exported

  SolidCanvas* canvas_ = nullptr;
  QToolButton *ResetBt = nullptr, *PlayBt = nullptr, *BackBt = nullptr, *ForwardBt = nullptr;
  QToolButton* ExportBt = nullptr;
  QSpinBox *LayersSE = nullptr, *SpeedSE = nullptr;
  QSlider* FoldSl = nullptr;
  QLabel* FoldL = nullptr;
  QTimer* timer_ = nullptr;
};

}  // namespace zv
