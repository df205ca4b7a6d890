// Creation of the main window's controls: the two halves, their tool strips
// and the scroll boxes with the pictures. Object names are the controls'
// names; positions inside the strips follow a five-row grid of 22 pixels.
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>

#include "ui/button_glyphs.h"
#include "ui/controls.h"
#include "ui/picture.h"
#include "ui/solve_texts.h"
#include "ui/view_colors.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

constexpr int kStripHeight = 109;             // Panel3 and Panel4
constexpr int kRow[5] = {1, 23, 45, 67, 87};  // tops of the strip rows
constexpr int kGlyph = 23;                    // glyph button pitch

}  // namespace

void TZvForm::BuildControls() {
  PanelA = MakePanel(this, "PanelA", 0, 0, 290, height());
  Bevel1 = MakePanel(this, "Bevel1", 290, 0, 2, height());
  Bevel1->setStyleSheet(
      QStringLiteral("#Bevel1 { border-left: 1px solid #a0a0a0; "
                     "border-right: 1px solid #ffffff; }"));
  PanelB = MakePanel(this, "PanelB", 292, 0, width() - 292, height());
  BuildFigureStrip(PanelA);
  BuildFormStrip(PanelB);

  PanelAI = MakePanel(PanelA, "PanelAI", 0, kStripHeight, PanelA->width(), height() - kStripHeight);
  ImASB = new QScrollArea(PanelAI);
  ImASB->setObjectName(QStringLiteral("ImASB"));
  ImASB->setFrameShape(QFrame::NoFrame);
  ImASB->move(0, 0);
  ImAP = MakePanel(nullptr, "ImAP", 0, 0, 1, 1);
  ImA = new Picture(ImAP);
  ImA->setObjectName(QStringLiteral("ImA"));
  ImASB->setWidget(ImAP);

  Panel6 = MakePanel(PanelB, "Panel6", 0, kStripHeight, PanelB->width(), height() - kStripHeight);
  PanelBI = MakePanel(Panel6, "PanelBI", 0, 0, Panel6->width(), Panel6->height());
  ImBSB = new QScrollArea(PanelBI);
  ImBSB->setObjectName(QStringLiteral("ImBSB"));
  ImBSB->setFrameShape(QFrame::NoFrame);
  ImBSB->move(3, 0);
  ImBP = MakePanel(nullptr, "ImBP", 0, 0, 1, 1);
  ImB = new Picture(ImBP);
  ImB->setObjectName(QStringLiteral("ImB"));
  ImB->move(2, 0);
  ImBSB->setWidget(ImBP);
  for (QScrollArea* box : {ImASB, ImBSB}) {
    box->setWidgetResizable(false);
    box->setBackgroundRole(QPalette::Base);
  }
}

void TZvForm::BuildFigureStrip(QWidget* panelA) {
  // Panel3 holds the figure's editing tools and is disabled outside edit
  // mode; the file and help buttons (ButtonsAP) and LinksP lie over its
  // first row as siblings, so they stay usable while a task is solved.
  Panel3 = MakePanel(panelA, "Panel3", 0, 0, panelA->width(), kStripHeight);
  ButtonsAP = MakePanel(panelA, "ButtonsAP", 2, kRow[0], 5 * kGlyph, 22);
  QStyle* s = style();
  OpenBt = MakeButton(ButtonsAP, "OpenBt", "Открыть задачу из файла", 0, 0, 22, 22);
  OpenBt->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
  SaveBt = MakeButton(ButtonsAP, "SaveBt", "Сохранить задачу в файл", kGlyph, 0, 22, 22);
  SaveBt->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
  HelpBt = MakeButton(ButtonsAP, "HelpBt", "Справка по программе", 2 * kGlyph, 0, 22, 22, "?");
  TextBt = MakeButton(ButtonsAP, "TextBt", "Текстовая информация о задаче", 3 * kGlyph, 0, 22, 22, "T", true);
  ChooseColBt = MakeButton(ButtonsAP, "ChooseColBt", "Выбор цвета кубиков", 4 * kGlyph, 0, 22, 22);
  LinksP = MakePanel(panelA, "LinksP", 122, kRow[0], 62, 22);
  LinksCB = new QCheckBox(QStringLiteral("Связи"), LinksP);
  LinksCB->setObjectName(QStringLiteral("LinksCB"));
  LinksCB->setToolTip(QStringLiteral("Показывать связи кубиков отрезками"));
  LinksCB->setGeometry(2, 0, 60, 22);
  ButtonsAP->raise();
  LinksP->raise();

  NumberCB = new QCheckBox(QStringLiteral("№"), Panel3);
  NumberCB->setObjectName(QStringLiteral("NumberCB"));
  NumberCB->setToolTip(QStringLiteral("Показывать номера кубиков"));
  NumberCB->setGeometry(186, kRow[0], 40, 22);
  NumsBt = MakeButton(Panel3, "NumsBt", "Задать свои номера кубиков", 228, kRow[0], 26, 22,
                      QStringLiteral("№"), true);

  struct ModeButton {
    QToolButton** button;
    const char* name;
    const char* hint;
    DrawMode mode;
  };
  const ModeButton modes[] = {
      {&DrawABt, "DrawABt", "Рисовать кубики", DrawMode::Cubes},
      {&MergeBt, "MergeBt", "Рисовать жесткое соединение кубиков", DrawMode::Rigid},
      {&FaceBt, "FaceBt", "Рисовать оси по центру граней", DrawMode::FaceAxes},
      {&EdgeBt, "EdgeBt", "Рисовать реберные шарниры", DrawMode::EdgeHinges},
  };
  drawModeGroup_ = new QButtonGroup(this);
  drawModeGroup_->setExclusive(true);
  int x = 2;
  for (const ModeButton& m : modes) {
    *m.button = MakeButton(Panel3, m.name, m.hint, x, kRow[1], 22, 22, {}, true);
    (*m.button)->setIcon(DrawModeIcon(m.mode));
    drawModeGroup_->addButton(*m.button, static_cast<int>(m.mode));  // the id is the tag
    x += kGlyph;
  }
  DrawABt->setChecked(true);
  UndoBt = MakeButton(Panel3, "UndoBt", "Отменить действие", 100, kRow[1], 22, 22, QStringLiteral("↶"));
  RedoBt =
      MakeButton(Panel3, "RedoBt", "Вернуть действие", 100 + kGlyph, kRow[1], 22, 22, QStringLiteral("↷"));
  UndoBt->setEnabled(false);
  RedoBt->setEnabled(false);

  x = LabelledSpin(Panel3, "Ширина", XASE, "XASE", 4, 2, kRow[2]);
  LabelledSpin(Panel3, "Глубина", YASE, "YASE", 3, x, kRow[2]);

  const struct {
    const char* name;
    const char* hint;
    const char* glyph;
  } moves[] = {
      {"MoveX0Bt", "Сдвинуть влево", "←"},
      {"MoveX1Bt", "Сдвинуть вправо", "→"},
      {"MoveY0Bt", "Сдвинуть вверх", "↑"},
      {"MoveY2Bt", "Сдвинуть вниз", "↓"},
      {"Move0Bt", "Сдвинуть в верхний левый угол", "⇱"},
  };
  x = 2;
  for (const auto& m : moves) {
    MakeButton(Panel3, m.name, m.hint, x, kRow[3], 22, 22, QString::fromUtf8(m.glyph));
    x += kGlyph;
  }
  ClearABt = MakeButton(Panel3, "ClearABt", "Очистить исходную конфигурацию", x + 4, kRow[3], 22, 22,
                        QStringLiteral("✕"));
  FillABt = MakeButton(Panel3, "FillABt", "Заполнить габаритный прямоугольник кубиками", 2, kRow[4], 78, 21,
                       QStringLiteral("Заполнить"));
  ClearLinksBt = MakeButton(Panel3, "ClearLinksBt", "Очистить задачу", 84, kRow[4], 104, 21,
                            QStringLiteral("Очистить связи"));

  NumL = MakeCounter(Panel3, "Кубиков", "NumL", 200, kRow[1]);
  PartsL = MakeCounter(Panel3, "Частей", "PartsL", 200, kRow[2]);
  CyclesL = MakeCounter(Panel3, "Циклов", "CyclesL", 200, kRow[3]);
}

void TZvForm::BuildFormStrip(QWidget* panelB) {
  Panel4 = MakePanel(panelB, "Panel4", 0, 0, panelB->width(), kStripHeight);
  Panel2 = MakePanel(Panel4, "Panel2", 2, kRow[0], 258, 24);
  int x = LabelledSpin(Panel2, "Ширина", XBSE, "XBSE", 5, 0, 0);
  QWidget* yName = MakePanel(Panel2, "YNameP", x, 0, 1, 24);
  QLabel* yLabel = MakeLabel(yName, nullptr, "Глубина", 0, 3);
  yName->resize(yLabel->width(), 24);
  YBSE = MakeSpin(Panel2, "YBSE", 3, x + yLabel->width() + 1, 0);
  x = YBSE->x() + YBSE->width() + 3;
  LabelledSpin(Panel2, "Высота", ZBSE, "ZBSE", 3, x, 0);

  SolveBt = MakeButton(Panel4, "SolveBt", "", 265, 1, 91, 29, QString::fromUtf8(kSolveCaption));
  QFont solveFont = SolveBt->font();
  solveFont.setBold(true);
  solveFont.setPixelSize(13);
  SolveBt->setFont(solveFont);
  SolveBt->setStyleSheet(QStringLiteral("#SolveBt { color: %1; }").arg(kSolveColor.name()));
  SolveBt->setIcon(SolveTickIcon());
  SolveBt->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  SolveBt->setEnabled(false);

  MoveBP = MakePanel(Panel4, "MoveBP", 2, 30, 122, 76);
  const struct {
    const char* name;
    const char* hint;
    const char* glyph;
  } moves[] = {
      {"MoveX0BBt", "Сдвинуть влево", "←"},
      {"MoveX1BBt", "Сдвинуть вправо", "→"},
      {"MoveY0BBt", "Сдвинуть от себя", "↑"},
      {"MoveY1BBt", "Сдвинуть на себя", "↓"},
      {"MoveZ0BBt", "Сдвинуть вверх", "▲"},
      {"MoveZ1BBt", "Сдвинуть вниз", "▼"},
      {"Move0BBt", "Сдвинуть в начало координат", "⇱"},
  };
  int i = 0;
  for (const auto& m : moves) {
    MakeButton(MoveBP, m.name, m.hint, (i % 4) * kGlyph, (i / 4) * kGlyph, 22, 22,
               QString::fromUtf8(m.glyph));
    ++i;
  }
  ClearBBt = MakeButton(MoveBP, "ClearBBt", "Очистить форму для заполнения", 3 * kGlyph, kGlyph, 22, 22,
                        QStringLiteral("✕"));
  FillBBt = MakeButton(MoveBP, "FillBBt", "Заполнить габаритный параллелепипед формой", 0, 2 * kGlyph, 78, 21,
                       QStringLiteral("Заполнить"));

  Edit1P = MakePanel(Panel4, "Edit1P", 128, 30, 134, 48);
  PrevLayerBt = MakeButton(Edit1P, "PrevLayerBt", "Показывать предыдущий слой", 0, 0, 22, 22,
                           QStringLiteral("▨"), true);
  NextLayerBt = MakeButton(Edit1P, "NextLayerBt", "Показывать следующий слой", kGlyph, 0, 22, 22,
                           QStringLiteral("∴"), true);
  EmptyL = MakeLabel(Edit1P, "EmptyL", "0", 2 * kGlyph + 6, 3);
  EmptyL->setToolTip(QStringLiteral("Количество пустых клеток"));
  EmptyL->resize(40, 16);
  EmptyL->setVisible(false);
  EmptyCellsCB = new QCheckBox(QStringLiteral("Пустые клетки"), Edit1P);
  EmptyCellsCB->setObjectName(QStringLiteral("EmptyCellsCB"));
  EmptyCellsCB->setToolTip(QStringLiteral("Показ границ клеток внутри формы"));
  EmptyCellsCB->setGeometry(0, 24, 134, 22);

  SolP = MakePanel(Panel4, "SolP", 125, 30, 130, 43);
  const struct {
    const char* name;
    const char* hint;
    const char* glyph;
  } browse[] = {
      {"FirstSolBt", "Первое решение", "«"},
      {"PrevSolBt", "Предыдущее решение", "◀"},
      {"NextSolBt", "Следующее решение", "▶"},
      {"LastSolBt", "Последнее решение", "»"},
  };
  QToolButton** browseButtons[] = {&FirstSolBt, &PrevSolBt, &NextSolBt, &LastSolBt};
  i = 0;
  for (const auto& b : browse) {
    *browseButtons[i] = MakeButton(SolP, b.name, b.hint, 12 + 26 * i, 0, 24, 23, QString::fromUtf8(b.glyph));
    ++i;
  }
  SolL = MakeLabel(SolP, "SolL", "1 из 1", 0, 25);
  SolL->setToolTip(QString::fromUtf8(kSolutionHint));
  SolL->setGeometry(0, 25, 127, 16);
  SolL->setAlignment(Qt::AlignHCenter);
  QFont solFont = SolL->font();
  solFont.setBold(true);
  SolL->setFont(solFont);
  QPalette solBlue = SolL->palette();
  solBlue.setColor(QPalette::WindowText, kBlue);
  SolL->setPalette(solBlue);
  SolP->setVisible(false);

  ResP = MakePanel(Panel4, "ResP", 260, 35, 98, 26);
  const struct {
    QLabel** label;
    const char* name;
    const char* hint;
    int x, y;
    Qt::Alignment align;
    QColor color;
    bool bold;
  } results[] = {
      {&TimePastL, "TimePastL", "Потрачено секунд на решение ", 0, 0, Qt::AlignLeft, kBlack, false},
      {&TimeRestL, "TimeRestL", "Ожидается еще потратить времени на решение", 49, 0, Qt::AlignRight, kBlack,
       false},
      {&DeadL, "DeadL", "Тупиковых вариантов", 0, 13, Qt::AlignLeft, kBlue, false},
      {&SolNumL, "SolNumL", "Найдено решений", 49, 13, Qt::AlignRight, kBlue, true},
  };
  for (const auto& r : results) {
    QLabel* label = MakeLabel(ResP, r.name, "0", r.x, r.y);
    label->setToolTip(QString::fromUtf8(r.hint));
    label->setGeometry(r.x, r.y, 49, 13);
    label->setAlignment(r.align | Qt::AlignVCenter);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, r.color);
    label->setPalette(palette);
    QFont font = label->font();
    font.setBold(r.bold);
    label->setFont(font);
    *r.label = label;
  }
  ResP->setVisible(false);

  ErP = MakePanel(Panel4, "ErP", 128, 80, Panel4->width() - 130, 28);
  ErP->setAutoFillBackground(true);
  QPalette white = ErP->palette();
  white.setColor(QPalette::Window, kWhite);
  ErP->setPalette(white);
  ErL = MakeLabel(ErP, "ErL", "", 2, 0);
  ErL->setWordWrap(true);
  ErL->setGeometry(2, 0, ErP->width() - 4, 28);
  QPalette red = ErL->palette();
  red.setColor(QPalette::WindowText, kRed);
  ErL->setPalette(red);
}

}  // namespace zv
