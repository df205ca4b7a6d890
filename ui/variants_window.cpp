// The variants window (ui/variants_window.h).
#include "ui/variants_window.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "solver/solver.h"
#include "ui/tr.h"

namespace zv {
namespace {

// By LinkChoice, in the enum's order.
constexpr const char* kChoiceWords[] = {
    QT_TRANSLATE_NOOP("Zorvat", "нет связи"),
    QT_TRANSLATE_NOOP("Zorvat", "жёсткая связь"),
    QT_TRANSLATE_NOOP("Zorvat", "шарнир по оси грани"),
    QT_TRANSLATE_NOOP("Zorvat", "шарнир по горизонтальному ребру 1"),
    QT_TRANSLATE_NOOP("Zorvat", "шарнир по горизонтальному ребру 2"),
    QT_TRANSLATE_NOOP("Zorvat", "шарнир по вертикальному ребру 1"),
    QT_TRANSLATE_NOOP("Zorvat", "шарнир по вертикальному ребру 2"),
};
static_assert(std::size(kChoiceWords) == kLinkChoiceCount, "kChoiceWords needs one text per LinkChoice");

// By Verdict, in the enum's order.
constexpr const char* kVerdictWords[] = {
    QT_TRANSLATE_NOOP("Zorvat", "нет решений"),
    QT_TRANSLATE_NOOP("Zorvat", "единственное"),
    QT_TRANSLATE_NOOP("Zorvat", "несколько"),
    QT_TRANSLATE_NOOP("Zorvat", "не решён"),
};
constexpr const char* kInvalidWord = QT_TRANSLATE_NOOP("Zorvat", "недопустим");
constexpr const char* kCaption = QT_TRANSLATE_NOOP("Zorvat", "Варианты");
constexpr const char* kRunning = QT_TRANSLATE_NOOP("Zorvat", "Решено вариантов: %1 из %2");
constexpr const char* kStopped = QT_TRANSLATE_NOOP("Zorvat", "Остановлено: решено %1 из %2");
constexpr const char* kDone = QT_TRANSLATE_NOOP("Zorvat", "Готово: единственных %1 из %2");
constexpr const char* kCubes = QT_TRANSLATE_NOOP("Zorvat", "кубики %1-%2: %3 → %4");

QTableWidgetItem* NumberItem(double value) {
  auto* item = new QTableWidgetItem;
  item->setData(Qt::DisplayRole, value);
  return item;
}

}  // namespace

TVariantsForm::TVariantsForm(std::function<TaskState()> currentTask, QWidget* parent)
    : QWidget(parent, Qt::Window), currentTask_(std::move(currentTask)), timer_(new QTimer(this)) {
  setObjectName(QStringLiteral("VariantsForm"));
  setWindowTitle(Tr(kCaption));
  resize(640, 480);
  auto* layout = new QVBoxLayout(this);
  auto* buttons = new QHBoxLayout;
  DepthCB = new QComboBox(this);
  DepthCB->setObjectName(QStringLiteral("DepthCB"));
  DepthCB->addItems(
      {Tr(QT_TRANSLATE_NOOP("Zorvat", "Одна связь")), Tr(QT_TRANSLATE_NOOP("Zorvat", "Две связи"))});
  DepthCB->setToolTip(Tr(QT_TRANSLATE_NOOP("Zorvat", "Сколько связей фигуры меняет каждый вариант")));
  RunBt = new QPushButton(Tr(QT_TRANSLATE_NOOP("Zorvat", "Запустить")), this);
  RunBt->setObjectName(QStringLiteral("RunBt"));
  RunBt->setToolTip(Tr(QT_TRANSLATE_NOOP(
      "Zorvat",
      "Решить каждый вариант задачи, в котором одна или две связи фигуры заменены другими или убраны")));
  StopBt = new QPushButton(Tr(QT_TRANSLATE_NOOP("Zorvat", "Остановить")), this);
  StopBt->setObjectName(QStringLiteral("StopBt"));
  StopBt->setEnabled(false);
  ProgressL = new QLabel(this);
  ProgressL->setObjectName(QStringLiteral("ProgressL"));
  buttons->addWidget(DepthCB);
  buttons->addWidget(RunBt);
  buttons->addWidget(StopBt);
  buttons->addWidget(ProgressL, 1);
  layout->addLayout(buttons);
  VariantsT = new QTableWidget(0, 4, this);
  VariantsT->setObjectName(QStringLiteral("VariantsT"));
  VariantsT->setHorizontalHeaderLabels(
      {Tr(QT_TRANSLATE_NOOP("Zorvat", "Замена")), Tr(QT_TRANSLATE_NOOP("Zorvat", "Вердикт")),
       Tr(QT_TRANSLATE_NOOP("Zorvat", "Решений")), Tr(QT_TRANSLATE_NOOP("Zorvat", "Время, с"))});
  VariantsT->setToolTip(Tr(QT_TRANSLATE_NOOP("Zorvat", "Двойной щелчок вносит замену в задачу")));
  VariantsT->setEditTriggers(QAbstractItemView::NoEditTriggers);
  VariantsT->setSelectionBehavior(QAbstractItemView::SelectRows);
  VariantsT->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  VariantsT->setSortingEnabled(true);
  layout->addWidget(VariantsT);
  connect(RunBt, &QPushButton::clicked, this, &TVariantsForm::RunBtClick);
  connect(StopBt, &QPushButton::clicked, this, &TVariantsForm::StopBtClick);
  connect(timer_, &QTimer::timeout, this, &TVariantsForm::Poll);
  connect(VariantsT, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
    if (running() || !explorer_) return;
    const auto index = VariantsT->item(row, 0)->data(Qt::UserRole).toULongLong();
    emit variantChosen(explorer_->Variants()[index]);
  });
}

TVariantsForm::~TVariantsForm() {
  stop_ = true;
  if (worker_.joinable()) worker_.join();
}

void TVariantsForm::RunBtClick() {
  if (running()) return;
  task_ = currentTask_();
  explorer_ = std::make_unique<VariantExplorer>(
      task_, ListLinkVariants(task_.figure, {.depth = DepthCB->currentIndex() + 1}));
  VariantsT->setRowCount(0);
  stop_ = false;
  ended_ = false;
  RunBt->setEnabled(false);
  DepthCB->setEnabled(false);
  StopBt->setEnabled(true);
  worker_ = std::thread([this] {
    explorer_->Run(DefaultThreadCount(), stop_, SystemTicks());
    ended_ = true;
  });
  timer_->start(100);
  Poll();
}

void TVariantsForm::StopBtClick() { stop_ = true; }

void TVariantsForm::Poll() {
  const int total = static_cast<int>(explorer_->Variants().size());
  if (!ended_) {
    ProgressL->setText(Tr(kRunning).arg(explorer_->DoneCount()).arg(total));
    return;
  }
  timer_->stop();
  worker_.join();
  RunBt->setEnabled(true);
  DepthCB->setEnabled(true);
  StopBt->setEnabled(false);
  FillTable();
  int unique = 0;
  for (const VariantResult& r : explorer_->Results())
    unique += r.done && !r.forms[0].invalid && r.forms[0].verdict == Verdict::Unique;
  ProgressL->setText(explorer_->DoneCount() < total ? Tr(kStopped).arg(explorer_->DoneCount()).arg(total)
                                                    : Tr(kDone).arg(unique).arg(total));
}

void TVariantsForm::FillTable() {
  VariantsT->setSortingEnabled(false);
  VariantsT->setRowCount(0);
  for (std::size_t i = 0; i < explorer_->Variants().size(); ++i) {
    const VariantResult& r = explorer_->Results()[i];
    if (!r.done) continue;
    QString change;
    for (const LinkChange& c : explorer_->Variants()[i].changes) {
      if (!change.isEmpty()) change += QStringLiteral("; ");
      change +=
          Tr(kCubes)
              .arg(UserNumberOfCube(task_.figure, c.cubeA))
              .arg(UserNumberOfCube(task_.figure, c.cubeB))
              .arg(Tr(kChoiceWords[static_cast<int>(c.from)]), Tr(kChoiceWords[static_cast<int>(c.to)]));
    }
    const FormOutcome& f = r.forms[0];
    const int row = VariantsT->rowCount();
    VariantsT->insertRow(row);
    auto* changeItem = new QTableWidgetItem(change);
    changeItem->setData(Qt::UserRole, static_cast<qulonglong>(i));
    VariantsT->setItem(row, 0, changeItem);
    VariantsT->setItem(
        row, 1,
        new QTableWidgetItem(Tr(f.invalid ? kInvalidWord : kVerdictWords[static_cast<int>(f.verdict)])));
    VariantsT->setItem(row, 2, NumberItem(f.solutions));
    VariantsT->setItem(row, 3, NumberItem(r.ms / 1000.0));
  }
  VariantsT->setSortingEnabled(true);
}

}  // namespace zv
