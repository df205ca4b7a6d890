// The 3-D view widget: controls, the canvas, the fold's timeline.
#include "ui/solid_view.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

#include "solid/fold_page.h"
#include "solid/mesh_files.h"
#include "storage/cp1251_text.h"
#include "texts/core_texts.h"
#include "ui/pictures/solid_pictures.h"
#include "ui/solid_texts.h"
#include "ui/tr.h"

namespace zv {

namespace {
constexpr int kSliderSteps = 1000;
constexpr int kTickMs = 30;
// The sizes of an exported model the dialog takes (zorvat-cli export --scale takes any in between).
constexpr double kLowestModelScale = 0.001;
constexpr double kHighestModelScale = 100000;
}  // namespace

// The picture: paints the scene and turns presses, drags and the wheel into
// the view's clicks, turns and zoom.
class SolidCanvas : public QWidget {
 public:
  explicit SolidCanvas(SolidView* view) : QWidget(view), view_(view) {
    setMinimumSize(200, 200);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    view_->Paint(painter, rect());
  }
  void mousePressEvent(QMouseEvent* e) override {
    press_ = last_ = e->position();
    dragged_ = false;
  }
  void mouseMoveEvent(QMouseEvent* e) override {
    if (!(e->buttons() & Qt::LeftButton)) return;
    const QPointF d = e->position() - last_;
    last_ = e->position();
    if ((e->position() - press_).manhattanLength() > 3) dragged_ = true;
    if (dragged_) view_->CanvasDragged(d.x(), d.y());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (!dragged_ && e->button() == Qt::LeftButton) view_->CanvasClicked(e->position());
  }
  void wheelEvent(QWheelEvent* e) override { view_->CanvasWheel(e->angleDelta().y() / 120); }

 private:
  SolidView* view_;
  QPointF press_, last_;
  bool dragged_ = false;
};

SolidView::SolidView(QWidget* parent) : QWidget(parent) {
  setObjectName("SolidView");
  auto* strip = new QHBoxLayout;
  strip->setContentsMargins(2, 2, 2, 2);
  auto button = [&](QToolButton*& b, const char* name, const QString& text, const char* hint) {
    b = new QToolButton(this);
    b->setObjectName(name);
    b->setText(text);
    b->setToolTip(Tr(hint));
    strip->addWidget(b);
  };
  button(ResetBt, "ResetBt", QStringLiteral("⟲"), kSolidResetHint);
  LayersSE = new QSpinBox(this);
  LayersSE->setObjectName("LayersSE");
  LayersSE->setRange(1, kMaxFormHeight);
  LayersSE->setValue(kMaxFormHeight);
  LayersSE->setToolTip(Tr(kSolidLayersHint));
  strip->addWidget(LayersSE);
  button(BackBt, "BackBt", QStringLiteral("◀"), kFoldBackHint);
  button(PlayBt, "PlayBt", QStringLiteral("▶"), kFoldPlayHint);
  button(ForwardBt, "ForwardBt", QStringLiteral("▶|"), kFoldForwardHint);
  FoldSl = new QSlider(Qt::Horizontal, this);
  FoldSl->setObjectName("FoldSl");
  FoldSl->setRange(0, kSliderSteps);
  FoldSl->setValue(kSliderSteps);
  FoldSl->setToolTip(Tr(kFoldSliderHint));
  strip->addWidget(FoldSl, 1);
  SpeedSE = new QSpinBox(this);
  SpeedSE->setObjectName("SpeedSE");
  SpeedSE->setRange(1, 20);
  SpeedSE->setValue(2);
  SpeedSE->setToolTip(Tr(kFoldSpeedHint));
  strip->addWidget(SpeedSE);
  button(ExportBt, "ExportBt", QStringLiteral("⤓"), kSolidExportHint);

  canvas_ = new SolidCanvas(this);
  // The fold's verdict in the program's normal type (the window's own is
  // small), wrapped rather than cut, with room around it.
  FoldL = new QLabel(this);
  FoldL->setObjectName("FoldL");
  FoldL->setFont(QApplication::font());
  FoldL->setWordWrap(true);
  FoldL->setContentsMargins(6, 4, 6, 6);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  column->addLayout(strip);
  column->addWidget(canvas_, 1);
  column->addWidget(FoldL);

  timer_ = new QTimer(this);
  timer_->setInterval(kTickMs);
  connect(timer_, &QTimer::timeout, this, &SolidView::Tick);
  connect(ResetBt, &QToolButton::clicked, this, &SolidView::ResetView);
  connect(ExportBt, &QToolButton::clicked, this, &SolidView::exportRequested);
  connect(PlayBt, &QToolButton::clicked, this, [this] { playing() ? Pause() : Play(); });
  connect(BackBt, &QToolButton::clicked, this, &SolidView::StepBack);
  connect(ForwardBt, &QToolButton::clicked, this, &SolidView::StepForward);
  connect(FoldSl, &QSlider::valueChanged, this, [this](int v) {
    if (std::lround(t_ * kSliderSteps) != v) SetFold(double(v) / kSliderSteps);
  });
  connect(LayersSE, &QSpinBox::valueChanged, this, [this](int v) { SetLastLayer(v - 1); });
}

SolidView::~SolidView() { StopCheck(); }

QWidget* SolidView::canvas() const { return canvas_; }

void SolidView::ShowSolution(const FigureState& figure, const LinkAnalysis& links,
                             const StoredSolution& solution, const QColor& cubeColour,
                             std::shared_ptr<const FoldVerdict> known) {
  Pause();
  StopCheck();
  solid_ = std::make_unique<SolidSolution>(MakeSolidSolution(links, solution));
  fold_.reset();
  check_.reset();
  verdict_.reset();
  known_ = std::move(known);
  const SolidSolution& s = *solid_;
  scene_.solid = solid_.get();
  scene_.colours = CubeQColours(s, cubeColour);
  scene_.numbers.resize(s.cubeCount);
  for (int k = 0; k < s.cubeCount; ++k) scene_.numbers[k] = figure.NumberOfCube[k] + 1;
  endPoses_.resize(s.cubeCount);
  for (int k = 0; k < s.cubeCount; ++k) endPoses_[k] = s.Placed(CubeIndex(k));
  const QSignalBlocker block(LayersSE);
  const int layers = s.boxMax[2] + 1;
  const bool allShown = LayersSE->value() >= LayersSE->maximum();
  LayersSE->setMaximum(std::max(1, layers));
  if (allShown) LayersSE->setValue(layers);
  scene_.lastLayer = LayersSE->value() - 1;
  SelectCell(selectedCell_);
  if (t_ < 1)
    EnsureFold();  // the new solution's fold at the position shown
  else
    AnnounceCheck();
  Rebuild();
}

void SolidView::Clear() {
  Pause();
  StopCheck();
  solid_.reset();
  fold_.reset();
  check_.reset();
  verdict_.reset();
  known_.reset();
  scene_ = SolidScene{};
  FoldL->clear();
  AnnounceCheck();
  canvas_->update();
}

void SolidView::SelectCell(CellIndex cell) {
  selectedCell_ = cell;
  scene_.selectedCube = -1;
  if (solid_ && cell != kNoSelectedCell) {
    const Vec3 c = FormCellCoordinates(cell);
    for (int k = 0; k < solid_->cubeCount; ++k)
      if (solid_->formCell[k] == c) scene_.selectedCube = k;
  }
  canvas_->update();
}

void SolidView::EnsureFold() {
  if (!solid_ || fold_) return;
  fold_ = std::make_unique<Fold>(*solid_);
  check_ = FindFoldOrder(*fold_);
  if (known_ == nullptr) {
    StartCheck();
    return;
  }
  verdict_ = *known_;  // the window checked this solution already
  if (verdict_->outcome == FoldOutcome::Foldable) fold_->SetMotion(verdict_->plans, verdict_->placing);
  AnnounceCheck();
}

void SolidView::StartCheck() {
  auto stop = std::make_shared<std::atomic<bool>>(false);
  stopCheck_ = stop;
  const int generation = ++generation_;
  checker_ = std::thread([this, solid = *solid_, stop, generation] {
    FoldBudget budget;
    budget.stopped = [stop] { return stop->load(); };
    FoldVerdict verdict = CheckFolding(solid, budget);
    // Dropped by Qt when the view is gone; the view waits for this thread first.
    QMetaObject::invokeMethod(
        this, [this, generation, verdict = std::move(verdict)] { TakeVerdict(generation, verdict); },
        Qt::QueuedConnection);
  });
}

void SolidView::StopCheck() {
  if (stopCheck_) stopCheck_->store(true);
  if (checker_.joinable()) checker_.join();
  stopCheck_.reset();
  ++generation_;
}

void SolidView::WaitForVerdict() {
  if (checker_.joinable()) checker_.join();
  QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void SolidView::TakeVerdict(int generation, const FoldVerdict& verdict) {
  if (generation != generation_ || !fold_) return;
  if (checker_.joinable()) checker_.join();
  verdict_ = verdict;
  if (verdict.outcome == FoldOutcome::Foldable) fold_->SetMotion(verdict.plans, verdict.placing);
  Rebuild();
  AnnounceCheck();
}

void SolidView::AnnounceCheck() { emit collisionChanged(verdict_ ? resultLine() : QString()); }

const FoldCheck& SolidView::foldCheck() {
  EnsureFold();
  static const FoldCheck none;
  return check_ ? *check_ : none;
}

void SolidView::SetFold(double t) {
  t_ = std::clamp(t, 0.0, 1.0);
  if (t_ < 1) EnsureFold();
  const QSignalBlocker block(FoldSl);
  FoldSl->setValue(static_cast<int>(std::lround(t_ * kSliderSteps)));
  Rebuild();
}

void SolidView::Rebuild() {
  if (!solid_) return;
  const bool folding = fold_ && (t_ < 1 || playing());
  scene_.poses = folding ? fold_->Poses(t_) : endPoses_;
  scene_.frame.clear();
  const SolidSolution& s = *solid_;
  for (int k = 0; k < s.cubeCount; ++k) {
    scene_.frame.push_back(endPoses_[k].Apply(s.FigureCentre(CubeIndex(k))));
    if (folding) scene_.frame.push_back(s.FigureCentre(CubeIndex(k)) + fold_->FigureOffset());
  }
  scene_.collidingA = scene_.collidingB = -1;
  const bool plainOrder = !verdict_ || verdict_->outcome != FoldOutcome::Foldable;
  if (folding && plainOrder && check_ && !check_->found && check_->collidingStep == fold_->StepAt(t_) &&
      t_ < 1) {
    scene_.collidingA = check_->cubeA.value();
    scene_.collidingB = check_->cubeB.value();
  }
  ShowResult();
  canvas_->update();
}

void SolidView::ShowResult() {
  FoldL->setText(resultLine());
  QPalette palette = FoldL->palette();
  const bool foldable = verdict_ && verdict_->outcome == FoldOutcome::Foldable;
  palette.setColor(QPalette::WindowText, verdict_ && !foldable ? Qt::red : Qt::black);
  FoldL->setPalette(palette);
}

QString SolidView::resultLine() const {
  if (!fold_ || !check_) return {};
  if (!verdict_) return Tr(kFoldCheckingText);
  return VerdictWords(*verdict_, *check_, static_cast<int>(fold_->Steps().size()), scene_.numbers);
}

QString SolidView::VerdictWords(const FoldVerdict& verdict, const FoldCheck& plain, int steps,
                                const std::vector<int>& numbers) {
  const int part = verdict.part + 1;
  switch (verdict.reason) {
    case FoldReason::None:
      return Tr(kFoldableText).arg(steps);
    case FoldReason::ClosedCycle:
      return Tr(kFoldCycleText);
    case FoldReason::Stopped:
      return Tr(kFoldStoppedText);
    case FoldReason::NoWayIn:
      return Tr(kFoldNoWayInText).arg(part);
    case FoldReason::Budget:
    case FoldReason::Locked:
      break;
  }
  // No motion found: why, and the plain order's first collision as a detail.
  QString line = Tr(verdict.reason == FoldReason::Locked ? kFoldLockedText : kFoldNotFoundText);
  if (plain.collidingStep >= 0)
    line += QStringLiteral("; ") + Tr(kFoldCollisionText)
                                       .arg(numbers[plain.cubeA.value()])
                                       .arg(numbers[plain.cubeB.value()])
                                       .arg(plain.collidingStep + 1)
                                       .arg(steps);
  return line;
}

void SolidView::Play() {
  if (!solid_) return;
  EnsureFold();
  if (t_ >= 1) t_ = 0;
  timer_->start();
  PlayBt->setText(QStringLiteral("❚❚"));
  Rebuild();
}

void SolidView::Pause() {
  timer_->stop();
  PlayBt->setText(QStringLiteral("▶"));
}

bool SolidView::playing() const { return timer_->isActive(); }

void SolidView::Tick() {
  if (!fold_) return Pause();
  const double share = SpeedSE->value() * kTickMs / 1000.0 / fold_->Steps().size();
  if (t_ + share >= 1) {
    Pause();
    SetFold(1);
    return;
  }
  SetFold(t_ + share);
}

void SolidView::StepForward() {
  EnsureFold();
  if (!fold_ || fold_->Steps().empty()) return;
  Pause();
  const int count = static_cast<int>(fold_->Steps().size());
  const int next = std::min(count, static_cast<int>(std::floor(t_ * count + 1e-9)) + 1);
  SetFold(double(next) / count);
}

void SolidView::StepBack() {
  EnsureFold();
  if (!fold_ || fold_->Steps().empty()) return;
  Pause();
  const int count = static_cast<int>(fold_->Steps().size());
  const int previous = std::max(0, static_cast<int>(std::ceil(t_ * count - 1e-9)) - 1);
  SetFold(double(previous) / count);
}

void SolidView::ResetView() {
  camera_ = SolidCamera{};
  canvas_->update();
}

void SolidView::SetLastLayer(int layer) {
  scene_.lastLayer = layer;
  {
    const QSignalBlocker block(LayersSE);
    LayersSE->setValue(layer + 1);
  }
  canvas_->update();
}

void SolidView::ExportThroughDialog(Services& services) {
  const FileDialogRequest ask{Tr(kSolidExportTitle), QStringLiteral("stl"), Tr(kSolidExportFilter), {}, {}};
  const std::optional<QString> path = AskSavePath(services, ask);
  if (!path) return;
  if (IsModelPath(*path)) {
    // A model's size: the length of a cube's edge in the file's units.
    const std::optional<double> scale = services.AskNumber(
        {Tr(kSolidExportTitle), Tr(kModelScaleLabel), modelScale_, kLowestModelScale, kHighestModelScale, 3});
    if (!scale) return;
    modelScale_ = *scale;
  }
  ReportSaveFailure(services, *path, Export(*path, modelScale_), Tr(kSolidExportFilter));
}

bool SolidView::IsModelPath(const QString& path) {
  const QString extension = path.section(QLatin1Char('.'), -1).toLower();
  return extension == QLatin1String("stl") || extension == QLatin1String("obj");
}

SaveResult SolidView::Export(const QString& path, double modelScale) const {
  const std::string file = QFile::encodeName(path).toStdString();
  const QString extension = path.section(QLatin1Char('.'), -1).toLower();
  bool written = false;
  if (IsModelPath(path)) {
    if (solid_ && extension == QLatin1String("stl")) {
      written = WriteStl(file, PartMeshes(*solid_), modelScale);
    } else if (solid_) {
      std::vector<std::uint32_t> colours;  // as the view shows them
      for (const QColor& c : scene_.colours) colours.push_back(c.rgb() & 0xFFFFFF);
      written = WriteObj(file, PartMeshes(*solid_), modelScale, colours);
    }
  } else if (extension == QLatin1String("html") || extension == QLatin1String("htm")) {
    if (!solid_) return SaveResult::WriteFailed;
    written = WritePage(file);
  } else if (const std::optional<PictureFormat> format = PictureFormatOf(path)) {
    written = solid_ && WritePicture(file, *format, canvas_->size(), [this](QPainter& p, const QRect& r) {
                PaintSolid(p, r, scene_, camera_);
              });
  } else {
    return SaveResult::UnknownType;
  }
  return written ? SaveResult::Written : SaveResult::WriteFailed;
}

bool SolidView::WritePage(const std::string& file) const {
  // The web page of the solution and its fold (solid/fold_page.h): the
  // verdict the view has, or the same check run now when it has none yet;
  // the motion found, else single turns; the view's colours and numbers.
  const FoldVerdict verdict = verdict_ ? *verdict_ : CheckFolding(*solid_, FoldBudget{});
  Fold plain(*solid_);
  const FoldCheck plainCheck = FindFoldOrder(plain);
  Fold fold(*solid_);
  PrepareFoldToPlay(fold, verdict);
  const std::string words =
      VerdictWords(verdict, plainCheck, static_cast<int>(fold.Steps().size()), scene_.numbers).toStdString();
  std::vector<std::uint32_t> colours;
  for (const QColor& c : scene_.colours) colours.push_back(c.rgb() & 0xFFFFFF);
  const std::string description = Cp1251ToUtf8(std::string_view(taskText_.c_str()));
  return WriteFoldPage(file, {*solid_, fold, verdict.outcome, words, colours, scene_.numbers, description}) ==
         FoldPageResult::Written;
}

QPointF SolidView::ProjectedCentre(int cube) const {
  return Project(scene_, camera_, canvas_->rect(),
                 scene_.poses[cube].Apply(solid_->FigureCentre(CubeIndex(cube))));
}

void SolidView::Paint(QPainter& painter, const QRect& rect) const {
  PaintSolid(painter, rect, scene_, camera_);
}

void SolidView::CanvasClicked(const QPointF& point) {
  const int cube = CubeAt(scene_, camera_, canvas_->rect(), point);
  if (cube < 0) return;
  const Vec3& c = solid_->formCell[cube];
  emit cellClicked(FormCellIndex(c[0], c[1], c[2]));
}

void SolidView::CanvasDragged(double dx, double dy) {
  camera_.Drag(dx, dy);
  canvas_->update();
}

void SolidView::CanvasWheel(int steps) {
  camera_.zoom = std::clamp(camera_.zoom * std::pow(1.15, steps), 0.2, 8.0);
  canvas_->update();
}

}  // namespace zv
