// A new user's first session in the real window, end to end: the demo project opened, a bone
// picked and turned in the 3D view, keys made, copied, stretched, played, saved, reopened and
// exported, and the window closed. Only message boxes and file dialogs are answered by hooks;
// everything else is Qt's test events on the real widgets and the view.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>
#include <numbers>
#include <vector>

#include "app/frame_step.h"
#include "app/timeline_mouse.h"
#include "app/view_geometry.h"
#include "app/window_program.h"
#include "kept_configuration.h"
#include "port/paths.h"
#include "port/qt/qt_ui.h"
#include "port/qt/qt_window_host.h"
#include "port/text.h"
#include "port/video/video_file_info.h"
#include "port/video/video_reader.h"
#include "real_window.h"
#include "scene/keys/key_bone_lookup.h"
#include "temp_folder.h"
#include "ui/control_ids.h"
#include "ui/panel_bitmaps.h"
#include "ui/row_names.h"
#include "ui/timeline_drawing.h"
#include "video_test_pictures.h"

namespace zv {
namespace {

using test::pressOk;
using test::typeOver;
using test::whenModalShows;

// The frames of a bone's keys, head first.
std::vector<std::uint32_t> keyFrames(const Model& model, std::uint32_t bone) {
  std::vector<std::uint32_t> frames{model.boneKeyPool[bone].frame};
  for (std::uint32_t key = model.boneKeyPool[bone].next; key != 0; key = model.boneKeyPool[key].next) {
    frames.push_back(model.boneKeyPool[key].frame);
  }
  return frames;
}

std::optional<BoneKey> keyAt(const Model& model, std::uint32_t bone, std::uint32_t frame) {
  if (frame == 0) {
    return model.boneKeyPool[bone];
  }
  for (std::uint32_t key = model.boneKeyPool[bone].next; key != 0; key = model.boneKeyPool[key].next) {
    if (model.boneKeyPool[key].frame == frame) {
      return model.boneKeyPool[key];
    }
  }
  return std::nullopt;
}

constexpr int kGroupBoxX = 12;  // the open/close box left of a group's name

class FirstSession : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);  // the music plays with no sound card
    host_ = std::make_unique<port::QtWindowHost>(argc_, argv_);
    ui().answerMessage = [this](std::string_view text, std::string_view caption, port::MessageButtons) {
      messages_.push_back(std::string(caption) + ":" + std::string(text));
      if (answers_.empty()) {
        return port::MessageAnswer::Ok;
      }
      const port::MessageAnswer answer = answers_.front();
      answers_.pop_front();
      return answer;
    };
    ui().answerFileDialog = [this](bool save,
                                   const port::FileDialogRequest&) -> std::optional<std::filesystem::path> {
      fileDialogs_.push_back(save);
      return chosenFile_;
    };
    ASSERT_EQ(startUp(scene_, *host_, "UserFile/demo.tsf", windowContents(scene_, *systems_, *host_)),
              StartOutcome::Running);
    window_ = qobject_cast<QMainWindow*>(ui().widget(kUndoButton)->window());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->resize(1280, 800);
    steps(3);
  }
  void TearDown() override {
    if (!closed_) {
      scene_.modified = false;  // no question about saving while the window closes
      window_->close();
      host_->processEvents();
    }
    releaseFrameSystems(*systems_, scene_);
  }

  port::QtUi& ui() { return static_cast<port::QtUi&>(host_->ui()); }
  Model& model() { return *currentModel(scene_); }
  void steps(int count) {
    for (int i = 0; i < count; ++i) {
      host_->processEvents();
      scene_.frameElapsedSeconds = 1.0f / 60;
      frameStep(scene_, *systems_);
    }
    host_->processEvents();
  }
  QWindow* viewWindow() {
    for (QWindow* candidate : QGuiApplication::allWindows()) {
      if (candidate->parent() && candidate->surfaceType() == QSurface::OpenGLSurface) {
        return candidate;
      }
    }
    return nullptr;
  }
  QPoint inView(int x, int y) const {
    return {x - systems_->viewRectangle.left, y - systems_->viewRectangle.top};
  }
  void click(int id) {
    QWidget* widget = ui().widget(id);
    ASSERT_NE(widget, nullptr) << id;
    ASSERT_TRUE(widget->isVisible()) << id;
    ASSERT_TRUE(widget->isEnabled()) << id;
    QTest::mouseClick(widget, Qt::LeftButton);
    steps(1);
  }
  // A key held over one frame step and let go over the next, as a person taps it.
  void tap(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyPress(window_, key, modifiers);
    steps(1);
    QTest::keyRelease(window_, key, modifiers);
    steps(1);
  }
  void tapWithControl(Qt::Key key) {
    QTest::keyPress(window_, Qt::Key_Control);
    steps(1);
    tap(key, Qt::ControlModifier);
    QTest::keyRelease(window_, Qt::Key_Control);
    steps(1);
  }
  void typeIntoBox(int id, const char* text) {
    QWidget* box = ui().widget(id);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    QTest::mouseClick(box, Qt::LeftButton);
    qobject_cast<QLineEdit*>(box)->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
    steps(1);
  }
  // A click on the frame editor at a client pixel.
  void clickTimeline(QPoint at) {
    QTest::mouseClick(window_->centralWidget(), Qt::LeftButton, {}, at);
    steps(1);
  }
  QPoint cell(int frame, int row) const {
    const int column = frame - static_cast<int>(systems_->panels.timeline.firstVisibleFrame);
    return {kGridLeft + kColumnPitch * column + 2, kRowsTop + kRowPitch * row + 3};
  }
  std::uint32_t bone(const char* name) { return findBoneByName(model(), port::utf8ToCp932(name)).value(); }

  void startWithTheDemoProject();
  void poseTheRightArm();
  void keyTheBlinkAndUndo();
  void copyPasteAndStretch();
  void playAndStop();
  void saveNewAndOpen();
  void exportThroughTheMenu();
  void closeWithUnsavedChanges();

  static inline int argc_ = 1;
  static inline char name_[] = "test_gui";
  static inline char* argv_[] = {name_, nullptr};
  const test::KeptConfiguration keptConfiguration_;
  const test::TempFolder folder_;
  std::unique_ptr<port::QtWindowHost> host_;
  Scene scene_;
  std::unique_ptr<FrameSystems> systems_ = std::make_unique<FrameSystems>();
  QMainWindow* window_ = nullptr;
  std::vector<std::string> messages_;
  std::deque<port::MessageAnswer> answers_;
  std::optional<std::filesystem::path> chosenFile_;
  std::vector<bool> fileDialogs_;
  bool closed_ = false;
  std::uint32_t arm_ = 0;
  BoneKey armKey_;
  BoneKey unposedKey_;
};

void FirstSession::startWithTheDemoProject() {
  EXPECT_EQ(ui().control(kModelList).rows, (std::vector<std::string>{"ｶﾒﾗ･照明･ｱｸｾｻﾘ", "テセラ"}));
  EXPECT_EQ(ui().control(kAccessoryList).rows, std::vector<std::string>{"lamp.x"});
  ASSERT_NE(scene_.modelSlots[0], nullptr);
  EXPECT_NE(systems_->accessories[0], nullptr);
  EXPECT_TRUE(wavLoaded(*systems_));
  EXPECT_TRUE(scene_.backgroundImageShown);
  EXPECT_FALSE(scene_.modified);
}

void FirstSession::poseTheRightArm() {
  auto* list = qobject_cast<QComboBox*>(ui().widget(kModelList));
  ASSERT_NE(list, nullptr);
  list->showPopup();
  QTest::keyClick(list->view(), Qt::Key_End);
  QTest::keyClick(list->view(), Qt::Key_Return);
  steps(2);
  ASSERT_FALSE(scene_.cameraMode);
  ASSERT_EQ(currentModel(scene_), scene_.modelSlots[0].get());
  if (!ui().control(kSelectModeButton).checked) {
    click(kSelectModeButton);
  }
  QWindow* view = viewWindow();
  ASSERT_NE(view, nullptr) << "no OpenGL 3.3 core view on this display";
  arm_ = bone("右腕");
  const ViewGeometry g = viewGeometry(*systems_);
  const Bone& armBone = model().bones[arm_];
  const QPoint marker = inView(clientX(g, armBone.screenX, 0.5f), clientY(g, armBone.screenY, 0.5f));
  QTest::mouseMove(view, marker);
  steps(1);
  QTest::mouseClick(view, Qt::LeftButton, {}, marker);
  steps(2);
  ASSERT_EQ(model().selectedBone, static_cast<int>(arm_)) << "marker at " << marker.x() << ", " << marker.y();

  tap(Qt::Key_X);
  ASSERT_EQ(scene_.editMode, EditMode::Rotate);
  steps(1);
  // A quarter turn along the ring, in short moves so that each goes the short way round.
  const QPoint centre = inView(clientX(g, scene_.gizmoScreenX), clientY(g, scene_.gizmoScreenY));
  const auto onRing = [&](float degrees) {
    const float angle = degrees * std::numbers::pi_v<float> / 180;
    return centre + QPoint(static_cast<int>(std::lround(40 * std::cos(angle))),
                           static_cast<int>(std::lround(-40 * std::sin(angle))));
  };
  QTest::mouseMove(view, onRing(0));
  steps(1);
  ASSERT_EQ(scene_.hoverZone, HoverZone::RotateGizmoRing);
  QTest::mousePress(view, Qt::LeftButton, {}, onRing(0));
  steps(1);
  for (int degrees = 10; degrees <= 90; degrees += 10) {
    QTest::mouseMove(view, onRing(static_cast<float>(degrees)));
    steps(1);
  }
  QTest::mouseRelease(view, Qt::LeftButton, {}, onRing(90));
  steps(1);
  const Quat turned = model().bones[arm_].keyRotation;
  EXPECT_NEAR(std::abs(turned.w), std::cos(std::numbers::pi_v<float> / 4), 0.02f) << "a quarter turn";
  EXPECT_EQ(model().boneMoved[arm_], 1);

  if (std::getenv("ZV_WRITE_GUIDE_PICTURE")) {
    const QPixmap picture = window_->screen()->grabWindow(window_->winId());
    const std::filesystem::path docs =
        std::filesystem::path(ZV_TEST_DATA_DIR).parent_path().parent_path() / "docs";
    std::filesystem::create_directories(docs);
    EXPECT_TRUE(picture.save(QString::fromStdString((docs / "first_steps.png").string())));
  }

  unposedKey_ = model().boneKeyPool[arm_];
  tap(Qt::Key_Return);
  EXPECT_EQ(model().boneMoved[arm_], 0);
  armKey_ = model().boneKeyPool[arm_];
  EXPECT_EQ(armKey_.rotation, turned) << "a key at the current frame, 0";
  EXPECT_TRUE(scene_.modified);
}

void FirstSession::keyTheBlinkAndUndo() {
  tap(Qt::Key_Right);
  EXPECT_EQ(scene_.currentFrame, 1u);
  typeIntoBox(kCurrentFrameBox, "30");
  ASSERT_EQ(scene_.currentFrame, 30u);

  const std::string blink = "まばたき";
  EXPECT_EQ(ui().control(kMorphNameBoxes[1]).text, blink);
  auto* slider = qobject_cast<QSlider*>(ui().widget(kMorphSliders[1]));
  ASSERT_NE(slider, nullptr);
  QTest::keyClick(slider, Qt::Key_End);
  steps(1);
  const auto morph = static_cast<std::size_t>(model().selectedMorph[1]);
  EXPECT_FLOAT_EQ(model().morphs[morph].weight, 1.0f);
  click(kMorphRegisterButtons[1]);
  bool keyed = false;
  for (std::uint32_t key = model().morphKeyPool[morph].next; key != 0; key = model().morphKeyPool[key].next) {
    keyed = keyed || (model().morphKeyPool[key].frame == 30 && model().morphKeyPool[key].weight == 1.0f);
  }
  EXPECT_TRUE(keyed) << "the blink keyed at 30";

  const std::uint32_t firstShown = systems_->panels.timeline.firstVisibleFrame;
  ASSERT_LT(firstShown, 30u);
  clickTimeline(QPoint(cell(static_cast<int>(firstShown), 0).x(), kHeaderTop + 5));
  ASSERT_EQ(scene_.currentFrame, firstShown) << "the header's first column";

  const std::vector<std::uint32_t> before = keyFrames(model(), arm_);
  tapWithControl(Qt::Key_Z);
  EXPECT_EQ(model().boneKeyPool[arm_].rotation, unposedKey_.rotation) << "undo took the arm's key back";
  tapWithControl(Qt::Key_X);
  EXPECT_EQ(model().boneKeyPool[arm_].rotation, armKey_.rotation) << "redo put it again";
  EXPECT_EQ(keyFrames(model(), arm_), before);
}

void FirstSession::copyPasteAndStretch() {
  click(kShowCurrentFrameButton);
  ASSERT_EQ(systems_->panels.timeline.firstVisibleFrame, 0u) << "frame 0, where undo and redo left the frame";
  const int row = modelModeRows(model(), model().rowScroll).boneRows[arm_];
  if (row < 0) {
    clickTimeline({kGroupBoxX, kRowsTop + kRowPitch * -row + 3});
  }
  const int shownRow = modelModeRows(model(), model().rowScroll).boneRows[arm_];
  ASSERT_GT(shownRow, 0) << "the arm's row is on screen";
  clickTimeline(cell(0, shownRow));
  ASSERT_TRUE(model().boneKeyPool[arm_].selected);
  click(kKeyCopyButton);
  typeIntoBox(kCurrentFrameBox, "60");
  click(kKeyPasteButton);
  const std::optional<BoneKey> pasted = keyAt(model(), arm_, 60);
  ASSERT_TRUE(pasted);
  EXPECT_EQ(pasted->rotation, armKey_.rotation);
  click(kKeyMirrorPasteButton);
  const std::optional<BoneKey> mirrored = keyAt(model(), bone("左腕"), 60);
  ASSERT_TRUE(mirrored);
  const Quat& q = armKey_.rotation;
  EXPECT_EQ(mirrored->rotation, (Quat{q.x, -q.y, -q.z, q.w}));

  typeIntoBox(kCurrentFrameBox, "0");  // the stretched keys start at the current frame
  typeIntoBox(kRangeStartBox, "0");
  typeIntoBox(kRangeEndBox, "60");
  whenModalShows([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "時間拡大(縮小)率");
    typeOver(dialog, "field505", "0.5");
    pressOk(dialog);
  });
  click(kStretchButton);
  EXPECT_FALSE(keyAt(model(), arm_, 60));
  const std::optional<BoneKey> stretched = keyAt(model(), arm_, 30);
  ASSERT_TRUE(stretched) << "the key at 60 moved to 30";
  EXPECT_EQ(stretched->rotation, armKey_.rotation);
  EXPECT_TRUE(keyAt(model(), bone("左腕"), 30));
}

void FirstSession::playAndStop() {
  const std::vector<int> locked = {kUndoButton,     kStartFrameBox, kCurrentFrameBox,
                                   kKeyPasteButton, kModelList,     kRegisterFrameButton};
  std::vector<bool> before;
  for (const int id : locked) {
    before.push_back(ui().widget(id)->isEnabled());
  }
  click(kStopFrameCheck);  // stopping keeps the frame playback reached
  typeIntoBox(kStartFrameBox, "0");
  click(kPlayButton);
  ASSERT_TRUE(scene_.playing);
  EXPECT_FALSE(ui().widget(kCurrentFrameBox)->isEnabled());
  steps(20);
  ASSERT_TRUE(systems_->wav.audioAvailable);
  EXPECT_EQ(systems_->wav.stopState.load(), kWavRunning) << "the music plays";
  const auto reached = static_cast<std::uint32_t>(scene_.currentTime * 30);
  EXPECT_GT(reached, 5u);
  click(kPlayButton);
  EXPECT_FALSE(scene_.playing);
  EXPECT_FALSE(ui().control(kPlayButton).checked);
  EXPECT_EQ(scene_.currentFrame, reached);
  EXPECT_EQ(ui().control(kCurrentFrameBox).text, std::to_string(reached));
  EXPECT_NE(systems_->wav.stopState.load(), kWavRunning) << "the music stopped";
  for (std::size_t i = 0; i < locked.size(); ++i) {
    EXPECT_EQ(ui().widget(locked[i])->isEnabled(), before[i]) << locked[i];
  }
}

// What the session made, as the project file must bring it back.
struct SessionState {
  std::vector<BoneKey> armKeys;
  std::vector<std::uint32_t> armFrames;
  std::vector<std::uint32_t> leftArmFrames;
  std::vector<Quat> pose;
  std::int32_t propParentModel = -1;
  std::int32_t propParentBone = 0;
  Vec3 propPosition;
  float propScale = 0;
  std::filesystem::path music;
  bool backgroundShown = false;
};

SessionState sessionState(const Scene& scene, const FrameSystems& systems, std::uint32_t arm,
                          std::uint32_t leftArm) {
  const Model& model = *scene.modelSlots[0];
  SessionState state;
  state.armFrames = keyFrames(model, arm);
  for (const std::uint32_t frame : state.armFrames) {
    state.armKeys.push_back(*keyAt(model, arm, frame));
    state.armKeys.back().selected = false;
    state.armKeys.back().prev = state.armKeys.back().next = 0;
  }
  state.leftArmFrames = keyFrames(model, leftArm);
  for (const Bone& bone : model.bones) {
    state.pose.push_back(bone.keyRotation);
  }
  state.propParentModel = scene.accessories[0].parentModel;
  state.propParentBone = scene.accessories[0].parentBone;
  state.propPosition = scene.accessories[0].position;
  state.propScale = scene.accessories[0].scale;
  state.music = wavLoaded(systems) ? systems.wav.path.filename() : std::filesystem::path();
  state.backgroundShown = scene.backgroundImageShown;
  return state;
}

void FirstSession::saveNewAndOpen() {
  const SessionState made = sessionState(scene_, *systems_, arm_, bone("左腕"));
  EXPECT_EQ(made.music, "demo_beat.wav");
  EXPECT_TRUE(made.backgroundShown);
  EXPECT_EQ(made.armFrames.front(), 0u);
  EXPECT_EQ(made.armKeys.front().rotation, armKey_.rotation);
  EXPECT_EQ(made.propParentModel, 0);
  EXPECT_EQ(made.propParentBone, static_cast<std::int32_t>(bone("右手首")));
  const std::filesystem::path saved = folder_ / "first_session.tsf";
  chosenFile_ = saved;
  ui().action(kMenuSaveAs)->trigger();
  steps(1);
  ASSERT_TRUE(std::filesystem::exists(saved));
  EXPECT_FALSE(scene_.modified);
  const std::string bytes = test::readFile(saved);

  messages_.clear();
  answers_ = {port::MessageAnswer::Ok};
  ui().action(kMenuNew)->trigger();
  steps(1);
  EXPECT_EQ(messages_.size(), 1u) << "New asks first";
  EXPECT_EQ(ui().control(kModelList).rows, std::vector<std::string>{"ｶﾒﾗ･照明･ｱｸｾｻﾘ"});
  EXPECT_EQ(scene_.modelSlots[0], nullptr);

  ui().action(kMenuOpen)->trigger();
  steps(2);
  ASSERT_NE(scene_.modelSlots[0], nullptr);
  const SessionState opened = sessionState(scene_, *systems_, arm_, bone("左腕"));
  EXPECT_EQ(opened.armFrames, made.armFrames);
  EXPECT_EQ(opened.armKeys, made.armKeys);
  EXPECT_EQ(opened.leftArmFrames, made.leftArmFrames);
  EXPECT_EQ(opened.pose, made.pose);
  EXPECT_EQ(opened.propParentModel, made.propParentModel);
  EXPECT_EQ(opened.propParentBone, made.propParentBone);
  EXPECT_EQ(opened.propPosition, made.propPosition);
  EXPECT_EQ(opened.propScale, made.propScale);
  EXPECT_EQ(opened.music, made.music);
  EXPECT_EQ(opened.backgroundShown, made.backgroundShown);
  EXPECT_FALSE(scene_.modified);

  ui().action(kMenuSave)->trigger();
  steps(1);
  EXPECT_EQ(test::readFile(saved), bytes) << "saved again, byte for byte the same";
}

// Every picture of an AVI file, decoded.
std::vector<port::Picture> pictures(const std::filesystem::path& file) {
  port::VideoOpenError error{};
  const std::unique_ptr<port::VideoReader> reader = port::VideoReader::open(file, error);
  std::vector<port::Picture> all;
  for (std::int64_t frame = 0; reader && frame < reader->frameCount(); ++frame) {
    if (const port::Picture* picture = reader->decodeFrame(frame)) {
      all.push_back(*picture);
    }
  }
  return all;
}

void FirstSession::exportThroughTheMenu() {
  const std::filesystem::path exported = folder_ / "first_session.avi";
  chosenFile_ = exported;
  whenModalShows([this](QDialog& settings) {
    EXPECT_EQ(settings.windowTitle(), "AVI出力設定");
    typeOver(settings, "field509", "0");
    typeOver(settings, "field510", "59");
    whenModalShows([](QDialog& codec) {
      EXPECT_EQ(codec.windowTitle(), "ビデオの圧縮");
      auto* list = codec.findChild<QComboBox*>("field1");
      ASSERT_NE(list, nullptr);
      const int mjpeg = list->findText("JPEG", Qt::MatchContains);
      ASSERT_GE(mjpeg, 0) << "this build offers MJPEG";
      list->setCurrentIndex(mjpeg);
      pressOk(codec);
    });
    pressOk(settings);
  });
  ui().action(kMenuExportAvi)->trigger();
  ASSERT_TRUE(scene_.recording);
  for (int step = 0; step < 200 && scene_.recording; ++step) {
    steps(1);
  }
  ASSERT_FALSE(scene_.recording);
  const std::optional<port::VideoFileInfo> info = port::describeVideoFile(exported);
  ASSERT_TRUE(info);
  ASSERT_EQ(info->streams.size(), 2u) << "pictures and music";
  EXPECT_EQ(info->streams[0].codecName, "mjpeg");
  EXPECT_EQ(info->streams[0].frameCount, 60);
  EXPECT_EQ(info->streams[1].kind, port::VideoStreamInfo::Kind::Audio);

  const std::filesystem::path cli = folder_ / "cli.avi";
  const std::string command =
      "./zolvanta-cli export --project \"" + (folder_ / "first_session.tsf").string() + "\" --out \"" +
      cli.string() + "\" --start 0 --end 59 --codec mjpeg --wav UserFile/Wave/demo_beat.wav >/dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const std::vector<port::Picture> window = pictures(exported);
  const std::vector<port::Picture> reference = pictures(cli);
  ASSERT_EQ(window.size(), 60u);
  ASSERT_EQ(reference.size(), 60u);
  // The window draws into its screen-sized back buffer and scales the picture down, the command
  // line draws at the output size: one-pixel lines and edges differ besides the codec's loss.
  for (std::size_t frame = 0; frame < window.size(); ++frame) {
    EXPECT_LT(test::meanDifference(window[frame], reference[frame]), 4.0) << "frame " << frame;
  }
  EXPECT_EQ(port::readAudioBytes(exported), port::readAudioBytes(cli));
}

void FirstSession::closeWithUnsavedChanges() {
  const std::filesystem::path configuration = port::executableDirectory() / "Data" / "config.ini";
  std::filesystem::remove(configuration);
  tap(Qt::Key_Return);  // one more key, not saved
  ASSERT_TRUE(scene_.modified);
  messages_.clear();
  answers_ = {port::MessageAnswer::Cancel};
  window_->close();
  EXPECT_TRUE(host_->processEvents());
  EXPECT_EQ(messages_,
            std::vector<std::string>{"終了:保存していない変更点があります\n\n終了してよろしいですか？"});
  EXPECT_TRUE(window_->isVisible()) << "Cancel keeps the window";
  EXPECT_FALSE(std::filesystem::exists(configuration));

  answers_ = {port::MessageAnswer::Ok};
  window_->close();
  closed_ = true;
  EXPECT_FALSE(host_->processEvents());
  EXPECT_EQ(messages_.size(), 2u);
  const std::string written = test::readFile(configuration);
  EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 8) << "the configuration is written";
}

TEST_F(FirstSession, ANewUsersFirstDayInTheWindow) {
  startWithTheDemoProject();
  ASSERT_FALSE(HasFatalFailure());
  poseTheRightArm();
  ASSERT_FALSE(HasFatalFailure());
  keyTheBlinkAndUndo();
  ASSERT_FALSE(HasFatalFailure());
  copyPasteAndStretch();
  ASSERT_FALSE(HasFatalFailure());
  playAndStop();
  ASSERT_FALSE(HasFatalFailure());
  saveNewAndOpen();
  ASSERT_FALSE(HasFatalFailure());
  exportThroughTheMenu();
  ASSERT_FALSE(HasFatalFailure());
  closeWithUnsavedChanges();
}

}  // namespace
}  // namespace zv
