// The form half of the main window (PanelB): the form tool strip Panel4
// (the size spin edits in Panel2, SolveBt, the shifts with fill and clear
// in MoveBP, the layer overlays, the picture menu and empty cells switch
// in Edit1P, the solution browser SolP and the result labels ResP, the
// error line ErP),
// and below it the form's picture in its scroll box (Panel6, PanelBI). It
// shows what the window hands it; the window connects the controls to its
// handlers. In solution view the 3-D view (SolidView) can take the place of
// the picture's panel PanelBI; with it off the half is as it was, except
// for the line CollisionL that names a collision found in the fold.
//
// In solution view the fold row FoldP and the message line (CollisionL or
// WhyL) stand beside the result labels, right of the solution browser, when
// the half is wide enough for the fold row there and the button that goes
// on with a stopped run is not there; else they go on rows of their own
// under the strip's rows, across the whole half, and the strip grows by
// them, so every control stays inside the half and none lies on another.
#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "ui/picture_box.h"
#include "ui/window_pictures.h"

class QCheckBox;
class QLabel;
class QSpinBox;
class QToolButton;

namespace zv {

class EditorSession;
class FoldBar;
struct FoldVerdict;
class ResultPanel;
class SolidView;
class SolutionBrowser;
class SolveButton;
struct ModeControls;

class FormHalf : public QWidget {
  Q_OBJECT

 public:
  FormHalf(QWidget* parent, const QRect& area);

  // The half's place and the layout rule's result for its picture.
  void Arrange(const QRect& area, const ScrollBoxLayout& box, QSize picture);
  // The height of the tool strip Panel4 in a half `width` pixels wide in
  // the present mode: kMainStripHeight, and more in solution view when the
  // fold row has no room beside the result labels.
  int StripHeight(int width) const;
  // The least height of the half `width` pixels wide that shows the whole
  // strip in every mode and the 3-D view at its least size under it.
  int LeastHeight(int width) const;
  // Sets the size spin edits; the window guards its change handlers meanwhile.
  void ShowSizes(int width, int depth, int height);
  void ShowMode(const ModeControls& controls);
  // SolveBt is enabled exactly for a task without error; otherwise the
  // error line shows `error`. With the empty cells switch on, EmptyL shows
  // the spare cells.
  void ShowValidation(bool ok, const QString& error, bool emptyCells, int spareCells);
  // A notice in the message line until the next validation shows its own.
  void ShowNotice(const QString& text);
  // Whether the button that goes on with a stopped run (ui/solve_runs.h)
  // stands under the result labels, where the fold row then has no room.
  void ShowContinue(bool shown);
  // Shows why a finished search found no solution under ResP; "" hides it.
  void ShowWhy(const QString& line);
  // Shows the 3-D view instead of the picture, or the picture again.
  void ShowSolid(bool on);
  bool solidShown() const;
  // While the 3-D view is on, shows the session's shown solution there with
  // its selected cell; the solution is handed over again only when another
  // one is shown, so the view keeps its angle and fold position. CollisionL
  // names a collision the view's fold check found, until another solution
  // is shown or solution view ends.
  // `known` is the window's fold check of the shown solution, if it has one.
  void ShowSolidSolution(const EditorSession& session, const QColor& cubeColor,
                         std::shared_ptr<const FoldVerdict> known);
  // The 3-D view's fold check of the session's shown solution, when the
  // view holds that solution and its check has ended; else null.
  const FoldVerdict* ShownSolidVerdict(const EditorSession& session) const;

  QWidget *Panel4, *Panel2, *MoveBP, *Edit1P, *ErP, *Panel6, *PanelBI;
  PictureBox image;  // ImBSB, ImBP, ImB
  QSpinBox *XBSE, *YBSE, *ZBSE;
  SolveButton* SolveBt;
  QToolButton *Move0BBt, *ClearBBt, *FillBBt, *PrevLayerBt, *NextLayerBt;
  QToolButton* VariantsBt;      // in MoveBP: opens the variants window
  QToolButton* EditPicturesBt;  // in Edit1P: pictures of the figure and the form layers
  QCheckBox* EmptyCellsCB;
  QLabel *EmptyL, *ErL;
  QLabel* CollisionL;  // under ResP: the fold's collision in the 3-D view
  QLabel* WhyL;        // under ResP: why the finished search found no solution
  SolutionBrowser* SolP;
  FoldBar* FoldP;  // under ResP in solution view: the fold check of every solution
  ResultPanel* ResP;
  SolidView* solidView;

 signals:
  // The strip's height for the half's width has changed (a mode, a message
  // shown or gone): the window lays the halves out again.
  void stripChanged();
  // One of the six shift buttons: shift the form by (dx, dy, dz) cells.
  void shiftClicked(int dx, int dy, int dz);
  // The picture menu of Edit1P (figure, layers) or of SolP (also the sheet).
  void pictureRequested(WindowPicture what);

 private:
  void BuildSizes();
  void BuildShifts();
  void BuildLayerTools();
  void BuildErrorLine();
  void ShowCollision(const QString& line);
  // Whether the fold row and the message line stand on rows of their own
  // under the strip's rows in a half `width` pixels wide.
  bool RowsBelow(int width) const;
  // Places the fold row and the message line for the half's width.
  void ArrangeFoldRows();
  // Asks for a layout when the strip's height no longer fits its contents.
  void CheckStrip();

  const std::uint8_t* solidSolution_ = nullptr;  // the stored solution the 3-D view shows
  bool foldRow_ = false;                         // solution view: FoldP is shown
  bool continueShown_ = false;                   // ContinueBt under the result labels
};

}  // namespace zv
