// Picture files of solutions read back: the PNG of the 3-D view and of a
// sheet of solutions has both part colours, the SVG renders through
// QSvgRenderer with them too, and an unwritable path writes nothing. From
// the window's picture menus: the figure and the form layers in the cube
// colour and a sheet of the range asked in the part colours, each as SVG
// and PNG; the shown solution's fold instructions, or a box saying why there
// are none, taking a fold check the window already has or running one that
// can be stopped; every save dialog asks before replacing a file and names
// an unknown file type.
#include "ui/pictures/solid_pictures.h"

#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QSvgRenderer>
#include <QtTest>
#include <atomic>
#include <functional>
#include <thread>

#include "solid/part_colours.h"
#include "solver/solver.h"
#include "tests/support/task_builder.h"
#include "tests/ui/solve_helpers.h"
#include "texts/core_texts.h"
#include "ui/picture_texts.h"
#include "ui/sheet_range_dialog.h"
#include "ui/solid_view.h"
#include "ui/solution_browser.h"
#include "ui/tr.h"
#include "ui/window_texts.h"

namespace zv {

using namespace zv::test;

namespace {

// The pixels that are a shade (a fraction 0.4..1 of each channel) of `colour`.
int ShadePixels(const QImage& image, const QColor& colour) {
  int count = 0;
  const double cr = colour.red(), cg = colour.green(), cb = colour.blue();
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) {
      const QColor p = image.pixelColor(x, y);
      const double light = (p.red() * cr + p.green() * cg + p.blue() * cb) / (cr * cr + cg * cg + cb * cb);
      count += light >= 0.4 && light <= 1.01 && std::abs(p.red() - light * cr) < 6 &&
               std::abs(p.green() - light * cg) < 6 && std::abs(p.blue() - light * cb) < 6;
    }
  return count;
}

// A picture file as an image: a PNG read, an SVG rendered through
// QSvgRenderer at its picture size (its view box); a null image when
// neither works.
QImage ReadPicture(const QString& path) {
  if (!path.endsWith(QLatin1String(".svg"))) return QImage(path);
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QImage image(renderer.viewBox().size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(&painter);
  return image;
}

// Cubes 1 and 2 hinged on the vertical edge below their shared side, cube
// 3 a part of its own: two parts in an L of three cells, several solutions.
TaskState HingedPairAndCube() {
  TaskState task = MakeTask({"##", ".#"}, {{"#.", "##"}});
  SetLink(task, 1, 1, CornerXUpper);
  return task;
}

// The picture menu item for `what` of button `name` (the solution
// browser's by default).
void ChoosePicture(TZvForm& w, WindowPicture what, const char* name = "PicturesBt") {
  Button(w, name)->menu()->actions().at(static_cast<int>(what))->trigger();
}

// Answers the sheet's range question, once it is asked, with solutions from..to.
void AnswerSheetRange(int from, int to) {
  QTimer::singleShot(0, [from, to] {
    auto* dialog = qobject_cast<SheetRangeDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog != nullptr);
    dialog->FromSE->setValue(from);
    dialog->ToSE->setValue(to);
    dialog->accept();
  });
}

}  // namespace

class SolidPicturesTest : public QObject {
  Q_OBJECT

 private slots:
  void picturesHaveThePartColours() {
    TaskState task = HingedPairAndCube();
    const Validation v = ValidateTask(task);
    Solver solver;
    QuietObserver quiet;
    solver.Solve(task, v.links, quiet);
    QVERIFY(solver.SolutionCount() >= 1);
    const SolidSolution solid = MakeSolidSolution(v.links, solver.Solution(0));
    const SolidScene scene = RestingScene(solid, task.figure, Qt::gray);
    const PicturePainter view = [&](QPainter& p, const QRect& r) { PaintSolid(p, r, scene, SolidCamera{}); };
    const PicturePainter sheet = [&](QPainter& p, const QRect& r) {
      PaintSheet(p, r, {scene, scene}, 1, {});
    };

    QTemporaryDir folder;
    for (const auto& paint : {view, sheet}) {
      const std::string png = folder.filePath("a.png").toStdString(),
                        svg = folder.filePath("a.svg").toStdString();
      QVERIFY(WritePicture(png, PictureFormat::Png, {300, 300}, paint));
      QVERIFY(WritePicture(svg, PictureFormat::Svg, {300, 300}, paint));
      for (const std::string& file : {png, svg}) {
        const QImage image = ReadPicture(QString::fromStdString(file));
        QCOMPARE(image.size(), QSize(300, 300));
        for (int part = 0; part < 2; ++part)
          QVERIFY(ShadePixels(image, QColor::fromRgb(PartColour(part))) > 100);
      }
    }
    QVERIFY(!WritePicture(folder.filePath("no/a.png").toStdString(), PictureFormat::Png, {50, 50}, view));
    QVERIFY(!QFile::exists(folder.filePath("no/a.png")));
  }

  void theWindowSavesItsPictures() {
    WindowFixture fx;
    QVERIFY(fx.StartShown());
    TZvForm& w = *fx.window;
    fx.services.color = 0x00C8FF;  // yellow cubes, unlike the grid and the part colours
    ClickButton(w, "ChooseColBt");
    LoadTask(fx, HingedPairAndCube());
    fx.services.savePaths = {fx.file("edit.png")};  // in edit mode, from the form strip's menu
    ChoosePicture(w, WindowPicture::Layers, "EditPicturesBt");
    QCOMPARE(ReadPicture(fx.file("edit.png")).size(), QSize(FormPictureWidth(2), FormPictureHeight(2, 1)));
    ClickButton(w, "SolveBt");
    QVERIFY(w.session().solver().SolutionCount() >= 2);
    const QColor cube(255, 200, 0), part0 = QColor::fromRgb(PartColour(0)),
                                    part1 = QColor::fromRgb(PartColour(1));
    const struct {
      WindowPicture what;
      std::vector<QColor> colours;
      QSize size;
    } pictures[] = {
        {WindowPicture::Figure, {cube}, {FigurePictureWidth(2), FigurePictureHeight(2)}},
        {WindowPicture::Layers, {cube}, {FormPictureWidth(2), FormPictureHeight(2, 1)}},
        {WindowPicture::Sheet, {part0, part1}, {2 * 240, 240}},  // solutions 1 and 2 side by side
    };
    for (const auto& picture : pictures)
      for (const char* extension : {".svg", ".png"}) {
        const QString path = fx.folder() + QString::number(static_cast<int>(picture.what)) + extension;
        fx.services.savePaths = {path};
        if (picture.what == WindowPicture::Sheet) AnswerSheetRange(1, 2);
        ChoosePicture(w, picture.what);
        const QImage image = ReadPicture(path);
        QCOMPARE(image.size(), picture.size);
        for (const QColor& colour : picture.colours) QVERIFY(ShadePixels(image, colour) > 100);
      }
    QVERIFY(fx.services.messages.empty());
  }

  // The shown solution's fold instructions as PDF and SVG (the hinged pair
  // turns its hinge, then each part goes in); a rigid pair turns no hinge and
  // gets a box saying so, no save dialog and no file.
  void theWindowSavesFoldInstructionsOrSaysWhyThereAreNone() {
    WindowFixture fx;
    QVERIFY(fx.StartShown());
    TZvForm& w = *fx.window;
    LoadTask(fx, HingedPairAndCube());
    ClickButton(w, "SolveBt");
    for (const char* name : {"fold.pdf", "fold.svg"}) {
      fx.services.savePaths = {fx.file(name)};
      ChoosePicture(w, WindowPicture::FoldSheet);
      const QByteArray bytes = Bytes(fx.file(name));
      QVERIFY(bytes.startsWith(QString::fromLatin1(name).endsWith(QLatin1String("pdf")) ? "%PDF-" : "<?xml"));
    }
    QVERIFY(Bytes(fx.file("fold.svg")).contains(Tr(kFoldSheetPlacing).arg(2).toUtf8()));
    QVERIFY(fx.services.messages.empty());

    TaskState rigid = MakeTask({"##"}, {{"##"}});
    SetLink(rigid, 1, 0, RigidX);
    LoadTask(fx, rigid);
    ClickButton(w, "SolveBt");
    const std::size_t dialogs = fx.services.dialogs.size();
    fx.services.savePaths = {fx.file("none.pdf")};
    ChoosePicture(w, WindowPicture::FoldSheet);
    QCOMPARE(fx.services.dialogs.size(), dialogs);
    QCOMPARE(fx.services.messages.size(), std::size_t{1});
    QCOMPARE(fx.services.messages.back().text, Tr(kFoldSheetNothingText).arg(1));
    QVERIFY(!QFile::exists(fx.file("none.pdf")));
  }

  // The fold instructions take a check the window already has of the shown
  // solution (the fold row's, the 3-D view's, their own last one) and run
  // none of their own;
  // with none, the check runs behind a progress dialog, and stopping it
  // there says so and asks and writes nothing. Each row starts a fresh run.
  void foldInstructionsReuseAKnownCheckOrStopWritingNothing() {
    WindowFixture fx;
    QVERIFY(fx.StartShown());
    TZvForm& w = *fx.window;
    LoadTask(fx, HingedPairAndCube());
    std::atomic<int> checks{0};
    std::atomic<bool> stopAtOnce{false};
    w.SetFoldSheetCheck([&](const SolidSolution& solid, const FoldBudget& budget) {
      ++checks;
      if (!stopAtOnce) return CheckFolding(solid, budget);
      // Held until stopped: the user presses the dialog's stop button meanwhile.
      QMetaObject::invokeMethod(
          &w,
          [&w] {
            auto* dialog = w.findChild<QProgressDialog*>(QStringLiteral("FoldSheetCheckP"));
            QVERIFY(dialog != nullptr && dialog->isVisible());
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
          },
          Qt::QueuedConnection);
      while (!budget.stopped()) std::this_thread::yield();
      return FoldVerdict{FoldOutcome::NotChecked, FoldReason::Stopped, -1, {}, {}};
    });
    const struct {
      const char* known;
      std::function<void()> check;
      bool stop;
      int checksRun;
    } rows[] = {
        {"none", [] {}, false, 1},
        {"none, stopped", [] {}, true, 1},
        {"the fold row's",
         [&] {
           ClickButton(w, "FoldBt");
           QTRY_VERIFY(!Button(w, "FoldBt")->isChecked());
         },
         false, 0},
        {"the 3-D view's",
         [&] {
           ClickButton(w, "SolidBt");
           auto* view = w.findChild<SolidView*>();
           view->StepBack();  // the fold is wanted: the view checks it
           view->WaitForVerdict();
           ClickButton(w, "SolidBt");  // the view off keeps its check of the shown solution
         },
         false, 0},
        {"the instructions' last",
         [&] { ChoosePicture(w, WindowPicture::FoldSheet); },  // checked, but the save dialog cancelled
         false, 0},
    };
    for (const auto& row : rows) {
      if (w.workMode() == WorkMode::SolutionView) ClickButton(w, "SolveBt");
      ClickButton(w, "SolveBt");
      row.check();
      checks = 0;
      stopAtOnce = row.stop;
      const QString path = fx.file("fold.svg");
      QFile::remove(path);
      fx.services.savePaths = {path};
      const std::size_t dialogs = fx.services.dialogs.size(), messages = fx.services.messages.size();
      ChoosePicture(w, WindowPicture::FoldSheet);
      QVERIFY2(checks == row.checksRun, row.known);
      QVERIFY2(w.findChild<QProgressDialog*>() == nullptr, row.known);  // gone with its check
      if (row.stop) {
        QCOMPARE(fx.services.dialogs.size(), dialogs);
        QCOMPARE(fx.services.messages.size(), messages + 1);
        QCOMPARE(fx.services.messages.back().text, Tr(kFoldSheetStoppedText));
        QVERIFY(!QFile::exists(path));
      } else {
        QCOMPARE(fx.services.messages.size(), messages);
        QVERIFY2(Bytes(path).contains(Tr(kFoldSheetPlacing).arg(2).toUtf8()), row.known);
      }
    }
  }

  // An existing file is replaced only when the question is answered yes; a
  // name of another type writes nothing and says which types are written.
  void everySaveDialogAsksBeforeReplacingAFile() {
    WindowFixture fx;
    QVERIFY(fx.StartShown());
    TZvForm& w = *fx.window;
    LoadTask(fx, HingedPairAndCube());
    ClickButton(w, "SolveBt");
    ClickButton(w, "SolidBt");
    const std::function<void()> saves[] = {[&] { ChoosePicture(w, WindowPicture::Figure); },
                                           [&] { ClickButton(w, "ExportBt"); }};
    const char* names[] = {"old.svg", "old.stl"};
    for (int i = 0; i < 2; ++i) {
      const QString path = fx.file(names[i]);
      WriteBytes(path, "old");
      for (MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        fx.services.savePaths = {path};
        fx.services.answers = {answer};
        fx.services.numbers = {1.0};  // the model's size
        saves[i]();
        QCOMPARE(fx.services.messages.back().caption, Tr(kOverwriteCaption));
        QCOMPARE(Bytes(path) == "old", answer == MessageAnswer::No);
      }
      fx.services.savePaths = {fx.file("new.jpg")};
      saves[i]();
      QCOMPARE(fx.services.messages.back().caption, Tr(kUnknownFileTypeCaption));
      QVERIFY(!QFile::exists(fx.file("new.jpg")));
    }
  }
};

}  // namespace zv

QTEST_MAIN(zv::SolidPicturesTest)
#include "solid_pictures_test.moc"
