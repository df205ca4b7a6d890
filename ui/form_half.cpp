// The form half of the main window (ui/form_half.h).
#include "ui/form_half.h"

#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>
#include <utility>

#include "editor/editor_session.h"
#include "editor/work_mode.h"
#include "ui/controls.h"
#include "ui/fold_bar.h"
#include "ui/pictures/view_colors.h"
#include "ui/result_panel.h"
#include "ui/solid_view.h"
#include "ui/solution_browser.h"
#include "ui/solve_button.h"
#include "ui/tr.h"

namespace zv {

namespace {

constexpr int kRightColumn = 260;   // ResP's left: the fold row and the message line start here beside it
constexpr int kMessageHeight = 28;  // the message line: two lines of text
constexpr int kRowGap = 1;

}  // namespace

FormHalf::FormHalf(QWidget* parent, const QRect& area) : QWidget(parent) {
  setObjectName(QStringLiteral("PanelB"));
  setGeometry(area);
  Panel4 = MakePanel(this, "Panel4", 0, 0, width(), kMainStripHeight);
  BuildSizes();
  SolveBt = new SolveButton(Panel4);
  BuildShifts();
  BuildLayerTools();
  SolP = new SolutionBrowser(Panel4);
  ResP = new ResultPanel(Panel4);
  BuildErrorLine();
  FoldP = new FoldBar(Panel4);
  Panel6 = MakePanel(this, "Panel6", 0, kMainStripHeight, width(), height() - kMainStripHeight);
  PanelBI = MakePanel(Panel6, "PanelBI", 0, 0, Panel6->width(), Panel6->height());
  image = MakePictureBox(PanelBI, "ImB", 3, 2);
  solidView = new SolidView(Panel6);
  solidView->setGeometry(PanelBI->geometry());
  solidView->setVisible(false);
  CollisionL = MakeLabel(Panel4, "CollisionL", "", 0, 0);
  CollisionL->setWordWrap(true);
  CollisionL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetLabelLook(CollisionL, kRed, false);
  CollisionL->setVisible(false);
  // In the same place: why a finished search found no solution.
  WhyL = MakeLabel(Panel4, "WhyL", "", 0, 0);
  WhyL->setWordWrap(true);
  WhyL->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  SetLabelLook(WhyL, kBlue, false);
  WhyL->setVisible(false);
  ArrangeFoldRows();
  connect(solidView, &SolidView::collisionChanged, this, &FormHalf::ShowCollision);
  connect(FoldP, &FoldBar::textShownChanged, this, &FormHalf::CheckStrip);
  connect(SolP, &SolutionBrowser::pictureRequested, this, &FormHalf::pictureRequested);
}

void FormHalf::ShowSolid(bool on) {
  solidView->setVisible(on);
  PanelBI->setVisible(!on);
}

void FormHalf::ShowCollision(const QString& line) {
  // The verdict's colour: green foldable, red no motion found, black not checked.
  const std::optional<FoldVerdict>& verdict = solidView->verdict();
  const FoldOutcome outcome = verdict ? verdict->outcome : FoldOutcome::NotFound;
  SetLabelLook(CollisionL,
               outcome == FoldOutcome::Foldable   ? kGreen
               : outcome == FoldOutcome::NotFound ? kRed
                                                  : kBlack,
               false);
  CollisionL->setText(line);
  CollisionL->setToolTip(line);
  CollisionL->setVisible(!line.isEmpty());
  CheckStrip();
}

void FormHalf::ShowWhy(const QString& line) {
  WhyL->setText(line);
  WhyL->setToolTip(line);
  WhyL->setVisible(!line.isEmpty());
  CheckStrip();
}

bool FormHalf::RowsBelow(int width) const {
  return foldRow_ && (continueShown_ || width - kRightColumn - 2 < FoldP->oneLineWidth());
}

void FormHalf::ShowContinue(bool shown) {
  continueShown_ = shown;
  CheckStrip();
}

int FormHalf::StripHeight(int width) const {
  if (!RowsBelow(width)) return kMainStripHeight;
  const int foldHeight = FoldP->heightFor(width - 4);
  const bool message = !CollisionL->isHidden() || !WhyL->isHidden();
  return kMainStripHeight + foldHeight + kRowGap + (message ? kMessageHeight + kRowGap : 0);
}

int FormHalf::LeastHeight(int width) const {
  const int tallestStrip = kMainStripHeight + FoldP->tallestFor(width - 4) + kMessageHeight + 2 * kRowGap;
  return tallestStrip + solidView->minimumSizeHint().height();
}

void FormHalf::ArrangeFoldRows() {
  const int w = width();
  QRect message;
  if (RowsBelow(w)) {
    const int foldHeight = FoldP->Arrange(w - 4);
    FoldP->move(2, kMainStripHeight);
    message = {2, FoldP->y() + foldHeight + kRowGap, w - 4, kMessageHeight};
  } else {
    FoldP->Arrange(std::max(1, w - kRightColumn - 2));
    FoldP->move(kRightColumn, ResP->y() + ResP->height() + kRowGap);
    const int top = FoldP->y() + FoldP->height();
    message = {kRightColumn, top, std::max(1, w - kRightColumn - 2), kMainStripHeight - top - 1};
  }
  CollisionL->setGeometry(message);
  WhyL->setGeometry(message);
}

void FormHalf::CheckStrip() {
  if (StripHeight(width()) != Panel4->height()) emit stripChanged();
}

bool FormHalf::solidShown() const { return !solidView->isHidden(); }

void FormHalf::ShowSolidSolution(const EditorSession& session, const QColor& cubeColor,
                                 std::shared_ptr<const FoldVerdict> known) {
  const SolutionViewData* shown = session.shownSolution();
  const Solver& solver = session.solver();
  const int i = session.currentSolution();
  const std::uint8_t* cubes = shown ? solver.SolutionCubes(i).data() : nullptr;
  if (!solidShown() || shown == nullptr) {
    if (cubes != solidSolution_) {  // the view's solution, and its collision, is not the one shown
      solidSolution_ = nullptr;
      ShowCollision({});
    }
    return;
  }
  if (solidSolution_ != cubes) {
    solidSolution_ = cubes;
    solidView->SetTaskText(session.task().Text);
    solidView->ShowSolution(session.task().figure, session.validation().links, solver.Solution(i), cubeColor,
                            std::move(known));
  }
  solidView->SelectCell(shown->selectedCell);
}

const FoldVerdict* FormHalf::ShownSolidVerdict(const EditorSession& session) const {
  if (session.shownSolution() == nullptr || solidSolution_ == nullptr) return nullptr;
  if (session.solver().SolutionCubes(session.currentSolution()).data() != solidSolution_) return nullptr;
  const std::optional<FoldVerdict>& verdict = solidView->verdict();
  return verdict ? &*verdict : nullptr;
}

void FormHalf::BuildSizes() {
  Panel2 = MakePanel(Panel4, "Panel2", 2, kMainStripRow[0], 258, 24);
  int x = LabelledSpin(Panel2, QT_TRANSLATE_NOOP("Zorvat", "Ширина"), XBSE, "XBSE", 5, 0, 0);
  QWidget* yName = MakePanel(Panel2, "YNameP", x, 0, 1, 24);
  QLabel* yLabel = MakeLabel(yName, nullptr, QT_TRANSLATE_NOOP("Zorvat", "Глубина"), 0, 3);
  yName->resize(yLabel->width(), 24);
  YBSE = MakeSpin(Panel2, "YBSE", 3, x + yLabel->width() + 1, 0);
  x = YBSE->x() + YBSE->width() + 3;
  LabelledSpin(Panel2, QT_TRANSLATE_NOOP("Zorvat", "Высота"), ZBSE, "ZBSE", 3, x, 0);
  // Captions drawn at a screen's scale may come out a little wider than the design's.
  Panel2->resize(std::max(Panel2->width(), ZBSE->x() + ZBSE->width()), Panel2->height());
}

void FormHalf::BuildShifts() {
  MoveBP = MakePanel(Panel4, "MoveBP", 2, 30, 122, 76);
  const struct {
    const char* name;
    const char* hint;
    const char* glyph;
    int dx, dy, dz;
  } moves[] = {
      {"MoveX0BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть влево"), "←", -1, 0, 0},
      {"MoveX1BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть вправо"), "→", 1, 0, 0},
      {"MoveY0BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть от себя"), "↑", 0, -1, 0},
      {"MoveY1BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть на себя"), "↓", 0, 1, 0},
      {"MoveZ0BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть вверх"), "▲", 0, 0, -1},
      {"MoveZ1BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть вниз"), "▼", 0, 0, 1},
  };
  int i = 0;
  for (const auto& m : moves) {
    QToolButton* b = MakeButton(MoveBP, m.name, m.hint, (i % 4) * kGlyphPitch, (i / 4) * kGlyphPitch, 22, 22,
                                QString::fromUtf8(m.glyph));
    connect(b, &QToolButton::clicked, this, [this, m] { emit shiftClicked(m.dx, m.dy, m.dz); });
    ++i;
  }
  Move0BBt = MakeButton(MoveBP, "Move0BBt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть в начало координат"),
                        2 * kGlyphPitch, kGlyphPitch, 22, 22, QStringLiteral("⇱"));
  ClearBBt = MakeButton(MoveBP, "ClearBBt", QT_TRANSLATE_NOOP("Zorvat", "Очистить форму для заполнения"),
                        3 * kGlyphPitch, kGlyphPitch, 22, 22, QStringLiteral("✕"));
  FillBBt =
      MakeButton(MoveBP, "FillBBt", QT_TRANSLATE_NOOP("Zorvat", "Заполнить габаритный параллелепипед формой"),
                 0, 2 * kGlyphPitch, 78, 21, Tr(QT_TRANSLATE_NOOP("Zorvat", "Заполнить")));
  VariantsBt =
      MakeButton(MoveBP, "VariantsBt",
                 QT_TRANSLATE_NOOP("Zorvat", "Варианты: каждая замена одной связи фигуры и её решения"), 80,
                 2 * kGlyphPitch, 42, 21, QStringLiteral("V"));
}

void FormHalf::BuildLayerTools() {
  Edit1P = MakePanel(Panel4, "Edit1P", 128, 30, 134, 48);
  PrevLayerBt = MakeButton(Edit1P, "PrevLayerBt", QT_TRANSLATE_NOOP("Zorvat", "Показывать предыдущий слой"),
                           0, 0, 22, 22, QStringLiteral("▨"), true);
  NextLayerBt = MakeButton(Edit1P, "NextLayerBt", QT_TRANSLATE_NOOP("Zorvat", "Показывать следующий слой"),
                           kGlyphPitch, 0, 22, 22, QStringLiteral("∴"), true);
  EmptyL = MakeLabel(Edit1P, "EmptyL", "0", 2 * kGlyphPitch + 6, 3);
  EmptyL->setToolTip(Tr(QT_TRANSLATE_NOOP("Zorvat", "Количество пустых клеток")));
  EmptyL->resize(40, 16);
  EmptyL->setVisible(false);
  EditPicturesBt = MakePicturesButton(Edit1P, "EditPicturesBt", 110, 0, false,
                                      [this](WindowPicture what) { emit pictureRequested(what); });
  EmptyCellsCB = MakeCheckBox(Edit1P, "EmptyCellsCB", QT_TRANSLATE_NOOP("Zorvat", "Пустые клетки"),
                              QT_TRANSLATE_NOOP("Zorvat", "Показ границ клеток внутри формы"), 0, 24, 134);
}

void FormHalf::BuildErrorLine() {
  ErP = MakePanel(Panel4, "ErP", 128, 80, Panel4->width() - 130, 28);
  ErP->setAutoFillBackground(true);
  QPalette white = ErP->palette();
  white.setColor(QPalette::Window, kWhite);
  ErP->setPalette(white);
  ErL = MakeLabel(ErP, "ErL", "", 2, 0);
  ErL->setWordWrap(true);
  ErL->setGeometry(2, 0, ErP->width() - 4, 28);
  SetLabelLook(ErL, kRed, false);
}

void FormHalf::Arrange(const QRect& area, const ScrollBoxLayout& box, QSize picture) {
  setGeometry(area);
  const int w = area.width(), strip = StripHeight(w), below = area.height() - strip;
  Panel4->resize(w, strip);
  Panel6->setGeometry(0, strip, w, below);
  PanelBI->setGeometry(0, 0, w, below);
  solidView->setGeometry(0, 0, w, below);
  ErP->resize(std::max(1, w - ErP->x() - 2), ErP->height());
  ErL->resize(ErP->width() - 4, ErL->height());
  ResP->StretchTo(std::min(w - 2, ResP->x() + kResultPanelWidest));
  ArrangeFoldRows();
  ArrangePictureBox(image, box, picture);
}

void FormHalf::ShowSizes(int width, int depth, int height) {
  XBSE->setValue(width);
  YBSE->setValue(depth);
  ZBSE->setValue(height);
}

void FormHalf::ShowMode(const ModeControls& controls) {
  SolP->setVisible(controls.solPVisible);
  FoldP->setVisible(controls.solPVisible);
  foldRow_ = controls.solPVisible;
  if (!controls.solPVisible) {
    SolP->SolidBt->setChecked(false);
    solidSolution_ = nullptr;  // the next run's solutions are handed over anew
    ShowCollision({});
  }
  ResP->setVisible(controls.resPVisible);
  Edit1P->setVisible(controls.edit1PVisible);
  Panel2->setEnabled(controls.editingEnabled);
  MoveBP->setEnabled(controls.editingEnabled);
  CheckStrip();
}

void FormHalf::ShowValidation(bool ok, const QString& error, bool emptyCells, int spareCells) {
  SolveBt->setEnabled(ok);
  ErP->setVisible(!ok);
  ErL->setText(error);
  EmptyL->setVisible(emptyCells);
  EmptyL->setText(QString::number(spareCells));
}

void FormHalf::ShowNotice(const QString& text) {
  ErP->setVisible(true);
  ErL->setText(text);
}

}  // namespace zv
