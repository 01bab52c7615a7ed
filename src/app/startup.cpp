#include "app/startup.h"

#include <system_error>

#include "app/command_line.h"
#include "port/pacing.h"
#include "port/paths.h"
#include "ui/create_controls.h"

namespace zv {
namespace {

std::filesystem::path configurationFile(const Scene& scene) {
  return scene.exeDirectory / "Data" / "config.ini";
}

bool askToClose(const Scene& scene, port::Ui& ui) {
  if (!scene.modified) {
    return true;
  }
  return ui.messageBox(port::MessageOwner::MainWindow,
                       "保存していない変更点があります\n\n終了してよろしいですか？", "終了",
                       port::MessageButtons::OkCancel) == port::MessageAnswer::Ok;
}

}  // namespace

StartOutcome startUp(Scene& scene, port::WindowHost& host, std::string_view commandLine,
                     const WindowContents& contents) {
  CommandLineProject project = projectFromCommandLine(commandLine);
  scene.projectPath = project.path;
  scene.isVistaOrLater = true;
  scene.exeDirectory = port::executableDirectory();
  std::error_code error;
  std::filesystem::current_path(scene.exeDirectory, error);

  port::Size screen = host.screenSize();
  Configuration configuration = readConfiguration(configurationFile(scene), screen.width, screen.height);
  scene.outputWidth = configuration.outputWidth;
  scene.outputHeight = configuration.outputHeight;
  scene.panelWidth = configuration.panelWidth;

  port::WindowEvents events;
  events.closeRequested = [&scene, &host] { return askToClose(scene, host.ui()); };
  events.destroyed = [&scene, &host] { saveConfiguration(scene, host.ui()); };
  events.resized = contents.layout;
  events.paint = contents.paint;
  events.command = contents.command;
  events.scrolled = contents.scrolled;
  events.fileDropped = contents.fileDropped;
  events.mouse = contents.mouse;
  events.key = contents.key;
  if (!host.createMainWindow(std::string(kWindowTitle), configuration.window, std::move(events))) {
    port::Ui& ui = host.ui();
    ui.messageBox(port::MessageOwner::None, "CreateWindow failed", "メインウィンドウ作成",
                  port::MessageButtons::Ok);
    return StartOutcome::WindowFailed;
  }
  createControls(host.ui());
  if (contents.create && !contents.create()) {
    return StartOutcome::ContentsFailed;
  }
  if (contents.layout) {
    contents.layout();
  }
  if (project.tooLong) {
    port::showMessage(host.ui(), "コマンドラインのファイル名が長すぎます(255バイトまで)", "ファイル読込");
  } else if (!project.path.empty() && contents.openProject) {
    std::filesystem::current_path(scene.exeDirectory, error);
    scene.projectPath = project.path;
    contents.openProject();
  }
  host.showMainWindow(configuration.maximised);
  return StartOutcome::Running;
}

bool initialise(Scene& scene, port::WindowHost& host, std::string_view commandLine) {
  return startUp(scene, host, commandLine, {}) == StartOutcome::Running;
}

int exitCode(StartOutcome outcome) {
  return outcome == StartOutcome::ContentsFailed ? 1 : 0;
}

int runMainLoop(Scene& scene, port::WindowHost& host, port::Clock& clock,
                const std::function<void(Scene&)>& step) {
  std::int64_t lastTick = clock.now();
  while (host.processEvents()) {
    port::PacingTurn turn =
        port::paceIdleTurn(lastTick, clock.now(), clock.secondsPerTick(), scene.frameRateLimit);
    if (turn.sleepMilliseconds > 0) {
      clock.sleepMilliseconds(turn.sleepMilliseconds);
    }
    scene.frameElapsedSeconds = turn.frameElapsedSeconds;
    lastTick = turn.nextLastTick;
    step(scene);
  }
  return 0;
}

void saveConfiguration(Scene& scene, const port::Ui& ui) {
  Configuration configuration;
  configuration.window = ui.restoredRect();
  configuration.maximised = ui.maximised();
  configuration.outputWidth = scene.outputWidth;
  configuration.outputHeight = scene.outputHeight;
  configuration.panelWidth = scene.panelWidth;
  std::error_code error;
  std::filesystem::current_path(scene.exeDirectory, error);
  writeConfiguration(configurationFile(scene), configuration);
}

}  // namespace zv
