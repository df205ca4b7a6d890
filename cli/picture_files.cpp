// zorvat-cli-pictures: pictures of a solution or a task drawn with Qt on the
// offscreen platform, for the picture commands zorvat-cli hands over.
#include "cli/picture_files.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/files.h"
#include "ui/pictures/fold_sheet.h"
#include "ui/pictures/solid_pictures.h"
#include "ui/pictures/task_picture.h"

namespace zv::cli {

namespace {

// Qt's painting needs an application object; the offscreen platform needs
// no display, and is chosen before the application starts.
bool ChooseOffscreenPlatform() {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  return true;
}

class PictureApplication {
 private:
  bool platformChosen_ = ChooseOffscreenPlatform();
  int argc_ = 1;
  char name_[11] = "zorvat-cli";
  char* argv_[2] = {name_, nullptr};
  QGuiApplication app_{argc_, argv_};
};

const QColor kCubeColour(230, 230, 230);

// The fold instruction's words in English (the window's are Russian, ui/picture_texts.h).
constexpr const char* kFoldSheetLegend =
    "Each step: the cubes that move in colour, the hinges that turn marked orange and named by their "
    "cubes' numbers, with their angle after the step.";

}  // namespace

// This program draws the pictures itself.
std::optional<int> HandPicturesOver(const Command&, Arguments, bool) { return std::nullopt; }

PictureResult WriteTaskPicture(const std::string& path, int size, const TaskState& task) {
  const PictureApplication app;
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter painter(&image);
    PaintTaskPicture(painter, image.rect(), task, kCubeColour);
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) return PictureResult::WriteFailed;
  return WriteWholeFileAtomic(path, std::span(reinterpret_cast<const std::uint8_t*>(png.constData()),
                                              static_cast<std::size_t>(png.size())))
             ? PictureResult::Written
             : PictureResult::WriteFailed;
}

PictureResult WriteSolutionPicture(const std::string& path, bool svg, int size, const SolidSolution& solid,
                                   const FigureState& figure) {
  const PictureApplication app;
  const SolidScene scene = RestingScene(solid, figure, kCubeColour);
  const bool written =
      WritePicture(path, svg ? PictureFormat::Svg : PictureFormat::Png, QSize(size, size),
                   [&](QPainter& p, const QRect& r) { PaintSolid(p, r, scene, SolidCamera{}); });
  return written ? PictureResult::Written : PictureResult::WriteFailed;
}

PictureResult WriteFoldInstructions(const std::string& path, bool pdf, const SolidSolution& solid,
                                    const FigureState& figure, const std::vector<FoldSheetStep>& steps,
                                    const std::string& title) {
  const PictureApplication app;
  const SolidScene scene = RestingScene(solid, figure, kCubeColour);
  const FoldSheetWords words{QString::fromStdString(title),
                             QString::fromLatin1(kFoldSheetLegend),
                             QStringLiteral("Flat figure"),
                             QStringLiteral("Step %1"),
                             QStringLiteral("Part %1 goes into the form"),
                             QStringLiteral("Page %1 of %2")};
  const FoldSheet sheet{&solid, steps, scene.colours, scene.numbers, words};
  return WriteFoldSheet(path, pdf ? FoldSheetFormat::Pdf : FoldSheetFormat::Svg, sheet)
             ? PictureResult::Written
             : PictureResult::WriteFailed;
}

}  // namespace zv::cli
