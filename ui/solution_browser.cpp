// The solution browser of the form half (ui/solution_browser.h).
#include "ui/solution_browser.h"

#include <QFontMetrics>
#include <QLabel>
#include <QToolButton>
#include <algorithm>

#include "solver/solver.h"
#include "ui/controls.h"
#include "ui/eliding_label.h"
#include "ui/pictures/view_colors.h"
#include "ui/solid_texts.h"
#include "ui/solve_texts.h"
#include "ui/tr.h"

namespace zv {

namespace {

constexpr int kSolLWidth = 127;

}  // namespace

SolutionBrowser::SolutionBrowser(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SolP"));
  setGeometry(125, 30, 130, 68);
  const struct {
    QToolButton** button;
    const char* name;
    const char* hint;
    const char* glyph;
  } browse[] = {
      {&FirstSolBt, "FirstSolBt", QT_TRANSLATE_NOOP("Zorvat", "Первое решение"), "«"},
      {&PrevSolBt, "PrevSolBt", QT_TRANSLATE_NOOP("Zorvat", "Предыдущее решение"), "◀"},
      {&NextSolBt, "NextSolBt", QT_TRANSLATE_NOOP("Zorvat", "Следующее решение"), "▶"},
      {&LastSolBt, "LastSolBt", QT_TRANSLATE_NOOP("Zorvat", "Последнее решение"), "»"},
  };
  int x = 12;
  for (const auto& b : browse) {
    *b.button = MakeButton(this, b.name, b.hint, x, 0, 24, 23, QString::fromUtf8(b.glyph));
    x += 26;
  }
  SolL = new ElidingLabel(this);
  SolL->setObjectName(QStringLiteral("SolL"));
  SolL->setText(Tr(QT_TRANSLATE_NOOP("Zorvat", "1 из 1")));
  SolL->setToolTip(Tr(kSolutionHint));
  SolL->setGeometry(0, 25, kSolLWidth, 16);
  SolL->setAlignment(Qt::AlignHCenter);
  SetLabelLook(SolL, kBlue, true);
  FoldMarkL = MakeLabel(this, "FoldMarkL", "", 0, 25);
  FoldMarkL->setVisible(false);
  SolidBt = MakeButton(this, "SolidBt", kSolidViewToggleHint, 38, 44, 52, 22, QStringLiteral("3D"), true);
  PicturesBt = MakePicturesButton(this, "PicturesBt", 94, 44, true,
                                  [this](WindowPicture what) { emit pictureRequested(what); });
  setVisible(false);
}

void SolutionBrowser::ShowBrowseState(int index, int count, const SolveStats& stats, bool stopped) {
  FirstSolBt->setEnabled(index != 0);
  PrevSolBt->setEnabled(index != 0);
  NextSolBt->setEnabled(index < count - 1);
  LastSolBt->setEnabled(index < count - 1);
  if (count > 0 && (stats.found > static_cast<std::uint64_t>(count) || stats.foundAtLeast)) {
    // More were found than kept: the label says how many, the tooltip why.
    const QString found = (stats.foundAtLeast ? Tr(kAtLeast) : QString()) + QString::number(stats.found);
    SolL->setText(Tr(kSolutionOfKeptFound).arg(index + 1).arg(count).arg(found));
    SolL->setToolTip(Tr(kSolutionsFoundHint).arg(found).arg(count));
    return;
  }
  if (stopped) {
    SolL->setToolTip(Tr(kStoppedHint));
    SolL->setText(count == 0 ? Tr(kStoppedFound).arg(stats.found)
                             : Tr(kSolutionOfStopped).arg(index + 1).arg(count));
    return;
  }
  SolL->setToolTip(Tr(kSolutionHint));
  SolL->setText(count == 0 ? Tr(kNoSolutions) : Tr(kSolutionOfCount).arg(index + 1).arg(count));
}

void SolutionBrowser::ShowFoldMark(const FoldMark& mark) {
  FoldMarkL->setVisible(!mark.glyph.isEmpty());
  if (mark.glyph.isEmpty()) {
    SolL->resize(kSolLWidth, SolL->height());
    return;
  }
  FoldMarkL->setText(mark.glyph);
  FoldMarkL->setToolTip(mark.hint);
  SetLabelLook(FoldMarkL, mark.colour, true);
  FoldMarkL->adjustSize();
  // SolL leaves the mark its room at the right and centres its text, shortened
  // where it must be: the mark starts just past the text's right end.
  SolL->resize(std::min(kSolLWidth, width() - FoldMarkL->width() - 3), SolL->height());
  const int textWidth = std::min(SolL->width(), QFontMetrics(SolL->font()).horizontalAdvance(SolL->text()));
  const int x = SolL->x() + (SolL->width() + textWidth) / 2 + 3;
  FoldMarkL->move(std::min(x, width() - FoldMarkL->width()), SolL->y());
}

}  // namespace zv
