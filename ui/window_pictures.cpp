// The main window's picture files (ui/window_pictures.h).
#include "ui/window_pictures.h"

#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QToolButton>

#include "editor/cell_geometry.h"
#include "solid/solid_solution.h"
#include "ui/controls.h"
#include "ui/form_half.h"
#include "ui/picture_texts.h"
#include "ui/pictures/solid_pictures.h"
#include "ui/sheet_range_dialog.h"
#include "ui/solid_view.h"
#include "ui/tr.h"
#include "ui/view_options.h"
#include "ui/window_fold_sheet.h"
#include "ui/zv_form.h"

namespace zv {

namespace {

constexpr int kSheetCellSide = 240;  // pixels of one solution on a sheet

SaveResult WriteSheet(const TZvForm& window, const std::string& file, PictureFormat format, int first,
                      int last) {
  const EditorSession& session = window.session();
  const Solver& solver = session.solver();
  if (first < 0 || last >= solver.SolutionCount() || first > last) return SaveResult::WriteFailed;
  std::vector<SolidSolution> solids;
  for (int i = first; i <= last; ++i)
    solids.push_back(MakeSolidSolution(session.validation().links, solver.Solution(i)));
  std::vector<SolidScene> scenes;
  for (const SolidSolution& solid : solids)
    scenes.push_back(RestingScene(solid, window.task().figure, window.cubeColor()));
  const SolidCamera camera = window.formHalf().solidView->camera();
  const bool written =
      WritePicture(file, format, SheetGrid(static_cast<int>(scenes.size())) * kSheetCellSide,
                   [&](QPainter& p, const QRect& r) { PaintSheet(p, r, scenes, first + 1, camera); });
  return written ? SaveResult::Written : SaveResult::WriteFailed;
}

}  // namespace

QToolButton* MakePicturesButton(QWidget* parent, const char* name, int x, int y, bool sheet,
                                const std::function<void(WindowPicture)>& chosen) {
  QToolButton* button = MakeButton(parent, name, kPicturesHint, x, y, 24, 22, QStringLiteral("⤓"));
  button->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(button);
  const std::pair<const char*, WindowPicture> items[] = {{kFigurePictureItem, WindowPicture::Figure},
                                                         {kLayersPictureItem, WindowPicture::Layers},
                                                         {kSheetPictureItem, WindowPicture::Sheet},
                                                         {kFoldSheetItem, WindowPicture::FoldSheet}};
  for (const auto& item : items) {
    // A plain copy: clang 14, which checks this code, lets no lambda capture a structured binding.
    const WindowPicture what = item.second;
    if (sheet || (what != WindowPicture::Sheet && what != WindowPicture::FoldSheet))
      QObject::connect(menu->addAction(Tr(item.first)), &QAction::triggered, button,
                       [chosen, what] { chosen(what); });
  }
  button->setMenu(menu);
  return button;
}

SaveResult WriteWindowPicture(const TZvForm& window, WindowPicture what, const QString& path, int first,
                              int last) {
  if (what == WindowPicture::FoldSheet) return SaveResult::WriteFailed;  // written by SaveWindowPicture only
  const std::optional<PictureFormat> format = PictureFormatOf(path);
  if (!format) return SaveResult::UnknownType;
  const std::string file = QFile::encodeName(path).toStdString();
  if (what == WindowPicture::Sheet) return WriteSheet(window, file, *format, first, last);
  const TaskState& task = window.task();
  bool written = false;
  if (what == WindowPicture::Figure) {
    const FigureViewOptions options = FigureOptions(window);
    const QSize size(FigurePictureWidth(task.figure.FigureWidth),
                     FigurePictureHeight(task.figure.FigureDepth));
    written = WritePicture(file, *format, size, [&](QPainter& p, const QRect& r) {
      PaintFigure(p, r.width(), r.height(), task.figure, options);
    });
  } else {
    const FormViewOptions options = FormOptions(window);
    const QSize size(FormPictureWidth(task.form.FormWidth),
                     FormPictureHeight(task.form.FormDepth, task.form.FormHeight));
    written = WritePicture(file, *format, size, [&](QPainter& p, const QRect& r) {
      PaintForm(p, r.width(), r.height(), task.form, task.figure, options);
    });
  }
  return written ? SaveResult::Written : SaveResult::WriteFailed;
}

namespace {

void SaveFoldSheet(TZvForm& window, Services& services) {
  if (window.session().solver().SolutionCount() == 0) return;
  const std::optional<ShownFoldSteps> found = ShownSolutionFoldSteps(window);
  if (!found) {
    // The check was stopped: nothing is asked or written. At the program's end nothing is said either.
    if (window.isVisible())
      services.ShowMessage({Tr(kFoldSheetStoppedText), Tr(kFoldSheetSaveTitle), MessageIcon::Exclamation});
    return;
  }
  const ShownFoldSteps& shown = *found;
  if (shown.steps.empty()) {
    services.ShowMessage({shown.refusal, Tr(kFoldSheetSaveTitle), MessageIcon::Exclamation});
    return;
  }
  const QFileInfo task(window.currentTaskFile());
  const FileDialogRequest ask{Tr(kFoldSheetSaveTitle), QStringLiteral("pdf"), Tr(kFoldSheetFilter),
                              task.fileName().isEmpty() ? QString() : task.absolutePath(),
                              task.completeBaseName()};
  if (const std::optional<QString> path = AskSavePath(services, ask))
    ReportSaveFailure(services, *path, WriteShownFoldSheet(window, shown, *path), Tr(kFoldSheetFilter));
}

}  // namespace

void SaveWindowPicture(TZvForm& window, Services& services, WindowPicture what) {
  if (what == WindowPicture::FoldSheet) {
    SaveFoldSheet(window, services);
    return;
  }
  int first = 0, last = 0;
  if (what == WindowPicture::Sheet) {
    const int count = window.session().solver().SolutionCount();
    if (count == 0) return;
    SheetRangeDialog range(&window, count, window.currentSolutionIndex());
    if (range.exec() != QDialog::Accepted) return;
    first = range.first();
    last = range.last();
  }
  const char* titles[] = {kFigurePictureTitle, kLayersPictureTitle, kSheetPictureTitle};
  const QFileInfo task(window.currentTaskFile());
  const FileDialogRequest ask{Tr(titles[static_cast<int>(what)]), QStringLiteral("svg"), Tr(kPictureFilter),
                              task.fileName().isEmpty() ? QString() : task.absolutePath(),
                              task.completeBaseName()};
  if (const std::optional<QString> path = AskSavePath(services, ask))
    ReportSaveFailure(services, *path, WriteWindowPicture(window, what, *path, first, last),
                      Tr(kPictureFilter));
}

}  // namespace zv
