// The figure half of the main window (ui/figure_half.h). Positions inside
// the strip follow its five-row grid of 22 pixels.
#include "ui/figure_half.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QSpinBox>
#include <QToolButton>

#include "editor/figure_counters.h"
#include "editor/work_mode.h"
#include "ui/button_glyphs.h"
#include "ui/controls.h"
#include "ui/task_buttons.h"
#include "ui/tr.h"

namespace zv {

FigureHalf::FigureHalf(QWidget* parent, int height) : QWidget(parent) {
  setObjectName(QStringLiteral("PanelA"));
  setGeometry(0, 0, 290, height);
  // Panel3 is disabled outside edit mode; the task buttons and LinksP lie
  // over its first row as siblings, so they stay usable while solving.
  Panel3 = MakePanel(this, "Panel3", 0, 0, width(), kMainStripHeight);
  buttons = new TaskButtons(this);
  LinksP = MakePanel(this, "LinksP", 122, kMainStripRow[0], 62, 22);
  LinksCB = MakeCheckBox(LinksP, "LinksCB", QT_TRANSLATE_NOOP("Zorvat", "Связи"),
                         QT_TRANSLATE_NOOP("Zorvat", "Показывать связи кубиков отрезками"), 2, 0, 60);
  buttons->raise();
  buttons->NewBt->raise();
  LinksP->raise();
  BuildTools();
  PanelAI = MakePanel(this, "PanelAI", 0, kMainStripHeight, width(), height - kMainStripHeight);
  image = MakePictureBox(PanelAI, "ImA", 0, 0);
}

void FigureHalf::BuildTools() {
  NumberCB = MakeCheckBox(Panel3, "NumberCB", "№", QT_TRANSLATE_NOOP("Zorvat", "Показывать номера кубиков"),
                          186, kMainStripRow[0], 40);
  NumsBt = MakeButton(Panel3, "NumsBt", QT_TRANSLATE_NOOP("Zorvat", "Задать свои номера кубиков"), 228,
                      kMainStripRow[0], 26, 22, QStringLiteral("№"), true);

  const struct {
    QToolButton** button;
    const char* name;
    const char* hint;
    DrawMode mode;
  } modes[] = {
      {&DrawABt, "DrawABt", QT_TRANSLATE_NOOP("Zorvat", "Рисовать кубики"), DrawMode::Cubes},
      {&MergeBt, "MergeBt", QT_TRANSLATE_NOOP("Zorvat", "Рисовать жесткое соединение кубиков"),
       DrawMode::Rigid},
      {&FaceBt, "FaceBt", QT_TRANSLATE_NOOP("Zorvat", "Рисовать оси по центру граней"), DrawMode::FaceAxes},
      {&EdgeBt, "EdgeBt", QT_TRANSLATE_NOOP("Zorvat", "Рисовать реберные шарниры"), DrawMode::EdgeHinges},
  };
  drawModeGroup = new QButtonGroup(this);
  drawModeGroup->setExclusive(true);
  int x = 2;
  for (const auto& m : modes) {
    *m.button = MakeButton(Panel3, m.name, m.hint, x, kMainStripRow[1], 22, 22, {}, true);
    (*m.button)->setIcon(DrawModeIcon(m.mode));
    drawModeGroup->addButton(*m.button, static_cast<int>(m.mode));
    x += kGlyphPitch;
  }
  DrawABt->setChecked(true);
  UndoBt = MakeButton(Panel3, "UndoBt", QT_TRANSLATE_NOOP("Zorvat", "Отменить действие"), 100,
                      kMainStripRow[1], 22, 22, QStringLiteral("↶"));
  RedoBt = MakeButton(Panel3, "RedoBt", QT_TRANSLATE_NOOP("Zorvat", "Вернуть действие"), 100 + kGlyphPitch,
                      kMainStripRow[1], 22, 22, QStringLiteral("↷"));
  ShowHistory(false, false);

  x = LabelledSpin(Panel3, QT_TRANSLATE_NOOP("Zorvat", "Ширина"), XASE, "XASE", 4, 2, kMainStripRow[2]);
  LabelledSpin(Panel3, QT_TRANSLATE_NOOP("Zorvat", "Глубина"), YASE, "YASE", 3, x, kMainStripRow[2]);

  const struct {
    const char* name;
    const char* hint;
    const char* glyph;
    int dx, dy;
  } moves[] = {
      {"MoveX0Bt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть влево"), "←", -1, 0},
      {"MoveX1Bt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть вправо"), "→", 1, 0},
      {"MoveY0Bt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть вверх"), "↑", 0, -1},
      {"MoveY2Bt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть вниз"), "↓", 0, 1},
  };
  x = 2;
  for (const auto& m : moves) {
    QToolButton* b =
        MakeButton(Panel3, m.name, m.hint, x, kMainStripRow[3], 22, 22, QString::fromUtf8(m.glyph));
    connect(b, &QToolButton::clicked, this, [this, m] { emit shiftClicked(m.dx, m.dy); });
    x += kGlyphPitch;
  }
  Move0Bt = MakeButton(Panel3, "Move0Bt", QT_TRANSLATE_NOOP("Zorvat", "Сдвинуть в верхний левый угол"), x,
                       kMainStripRow[3], 22, 22, QStringLiteral("⇱"));
  x += kGlyphPitch;
  ClearABt = MakeButton(Panel3, "ClearABt", QT_TRANSLATE_NOOP("Zorvat", "Очистить исходную конфигурацию"),
                        x + 4, kMainStripRow[3], 22, 22, QStringLiteral("✕"));
  FillABt = MakeButton(Panel3, "FillABt",
                       QT_TRANSLATE_NOOP("Zorvat", "Заполнить габаритный прямоугольник кубиками"), 2,
                       kMainStripRow[4], 78, 21, Tr(QT_TRANSLATE_NOOP("Zorvat", "Заполнить")));
  ClearLinksBt = MakeButton(Panel3, "ClearLinksBt", QT_TRANSLATE_NOOP("Zorvat", "Очистить задачу"), 84,
                            kMainStripRow[4], 104, 21, Tr(QT_TRANSLATE_NOOP("Zorvat", "Очистить связи")));

  NumL = MakeCounter(Panel3, QT_TRANSLATE_NOOP("Zorvat", "Кубиков"), "NumL", 200, kMainStripRow[1]);
  PartsL = MakeCounter(Panel3, QT_TRANSLATE_NOOP("Zorvat", "Частей"), "PartsL", 200, kMainStripRow[2]);
  CyclesL = MakeCounter(Panel3, QT_TRANSLATE_NOOP("Zorvat", "Циклов"), "CyclesL", 200, kMainStripRow[3]);
}

void FigureHalf::Arrange(const QRect& area, const ScrollBoxLayout& box, QSize picture) {
  setGeometry(area);
  Panel3->resize(area.width(), Panel3->height());
  PanelAI->setGeometry(0, Panel3->height(), area.width(), area.height() - Panel3->height());
  ArrangePictureBox(image, box, picture);
}

void FigureHalf::ShowSizes(int width, int depth) {
  XASE->setValue(width);
  YASE->setValue(depth);
}

void FigureHalf::ShowCounters(const FigureCounters& counters) {
  const auto show = [](QLabel* label, std::optional<int> n) {
    label->setText(n ? QString::number(*n) : QString());
  };
  show(NumL, counters.cubes);
  show(PartsL, counters.parts);
  show(CyclesL, counters.cycles);
}

void FigureHalf::ShowMode(const ModeControls& controls) {
  LinksP->setEnabled(controls.linksPEnabled);
  Panel3->setEnabled(controls.editingEnabled);
  buttons->OpenBt->setEnabled(controls.openEnabled);
  buttons->NewBt->setEnabled(controls.openEnabled);
}

void FigureHalf::ShowHistory(bool canUndo, bool canRedo) {
  UndoBt->setEnabled(canUndo);
  RedoBt->setEnabled(canRedo);
}

}  // namespace zv
