// The program entry: reads the command line, creates the windows (the main
// window first; the description, help and numbering windows follow it in
// that order), runs the event loop, and shows any escaping exception in an
// error box. With --screenshot it renders the main window to a PNG after
// start-up (written whole and atomically), in a temporary data folder so that the user's settings and
// autosave file are neither read nor written; --solve solves the task first
// and --select X,Y,Z then selects a form cell of the first solution; --view
// 3d shows it in the 3-D view, --fold T at fold position T. A
// screenshot run has no user to answer boxes: a box is printed to stderr
// instead and the run ends with status 2 without a picture. SIGTERM and
// SIGHUP close the window without questions (autosave, settings and a
// running search's place are written).
#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QTemporaryDir>
#include <QToolButton>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/qt/program_folder.h"
#include "platform/qt/qt_profile.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/qt_translations.h"
#include "platform/qt/shutdown_signals.h"
#include "ui/command_line.h"
#include "ui/form_half.h"
#include "ui/solid_view.h"
#include "ui/solution_browser.h"
#include "ui/tr.h"
#include "ui/window_texts.h"
#include "ui/zv_form.h"

namespace {

// Writes the picture as every other file is written: encoded whole first,
// then replacing `path` atomically, so a full disk leaves the old file as
// it was; what exists and is no regular file (a pipe, a folder) is refused.
// Null when written, else why not.
const char* WritePng(const QPixmap& picture, const std::string& path) {
  std::error_code error;
  const auto status = std::filesystem::status(path, error);
  if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
    return "not a regular file";
  QByteArray png;
  QBuffer buffer(&png);
  if (!buffer.open(QIODevice::WriteOnly) || !picture.save(&buffer, "PNG")) return "cannot encode the picture";
  const std::span bytes(reinterpret_cast<const std::uint8_t*>(png.constData()),
                        static_cast<std::size_t>(png.size()));
  return zv::WriteWholeFileAtomic(path, bytes) ? nullptr : "the write failed";
}

int Run(QApplication& app, const zv::CommandLine& cl) {
  zv::QtServices services;
  zv::StartOptions options;
  QTemporaryDir screenshotFolder;
  options.dataFolder = cl.screenshotPath.empty()
                           ? zv::ProgramDataFolder(QCoreApplication::applicationDirPath())
                           : screenshotFolder.path() + QLatin1Char('/');
  if (cl.startParameter) options.startParameter = QString::fromLocal8Bit(cl.startParameter->c_str());
  {
    zv::QtProfile profile(options.dataFolder + QString::fromLatin1(zv::kSettingsFileName));
    std::vector<std::string> uiLanguages;
    for (const QString& name : QLocale::system().uiLanguages()) uiLanguages.push_back(name.toStdString());
    // ZORVAT_TRANSLATIONS: the build tree's folder of zorvat_en.qm.
    zv::InstallTranslations(
        app, zv::ChooseLanguage(profile, uiLanguages),
        zv::TranslationFolders(QCoreApplication::applicationDirPath(), QStringLiteral(ZORVAT_TRANSLATIONS)));
  }
  services.SetUnattended(!cl.screenshotPath.empty());
  options.fitScreen = cl.screenshotPath.empty();
  zv::TZvForm ZvForm(services, options);
  services.SetOwner(&ZvForm);
  if (!cl.screenshotPath.empty()) {
    // A box at start-up (a task file that cannot be read) or after the solve
    // means the picture would not show what was asked for.
    auto failed = [&] {
      if (services.UnattendedMessages() == 0) return false;
      ZvForm.CloseWithoutSaveAExecute();
      return true;
    };
    if (failed()) return 2;
    ZvForm.show();
    QApplication::processEvents();
    if (cl.solve) ZvForm.SolveBtClick();
    if (failed()) return 2;
    if (cl.select) {
      const auto [x, y, z] = *cl.select;
      const bool inForm = x < zv::kMaxFormSide && y < zv::kMaxFormSide && z < zv::kMaxFormHeight;
      if (!inForm || !ZvForm.SelectSolutionCell(zv::FormCellIndex(x, y, z))) {
        std::fprintf(stderr, "zorvat: no solution shows a form cell at %d,%d,%d\n", x, y, z);
        ZvForm.CloseWithoutSaveAExecute();
        return 2;
      }
    }
    if (cl.view3d) {
      ZvForm.formHalf().SolP->SolidBt->setChecked(true);
      if (cl.fold) {
        // The fold check's verdict decides the motion the picture shows.
        zv::SolidView& view = *ZvForm.formHalf().solidView;
        view.SetFold(*cl.fold);
        view.WaitForVerdict();
        view.SetFold(*cl.fold);
      }
    }
    QApplication::processEvents();
    const char* failure = WritePng(ZvForm.grab(), cl.screenshotPath);
    ZvForm.CloseWithoutSaveAExecute();
    if (failure != nullptr) {
      std::fprintf(stderr, "zorvat: cannot write %s: %s\n", cl.screenshotPath.c_str(), failure);
      return 1;
    }
    return 0;
  }
  // A logout or a system shutdown ends the program as a close would, with
  // nothing asked and nothing lost.
  const zv::ShutdownSignals stopSignals([&ZvForm] { ZvForm.CloseWithoutQuestions(); });
  ZvForm.show();
  return app.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
  std::vector<std::string> args(argv + 1, argv + argc);
  const zv::CommandLine cl = zv::ParseCommandLine(args);
  switch (cl.action) {
    case zv::CommandLine::Action::Help:
      std::fputs(zv::CommandLineUsage().c_str(), stdout);
      return 0;
    case zv::CommandLine::Action::Version:
      std::printf("zorvat %s\n", ZORVAT_VERSION);
      return 0;
    case zv::CommandLine::Action::Error:
      std::fprintf(stderr, "zorvat: %s\n%s", cl.error.c_str(), zv::CommandLineUsage().c_str());
      return 2;
    case zv::CommandLine::Action::Run:
      break;
  }
  QApplication app(argc, argv);
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.zorvat.Zorvat"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("zorvat")));
  try {
    return Run(app, cl);
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, zv::Tr(zv::kProgramCaption), QString::fromLocal8Bit(e.what()));
    return 1;
  }
}
