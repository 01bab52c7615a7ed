#include <algorithm>
#include <cstdio>

#include "app/accessory_commands.h"
#include "app/new_scene.h"
#include "app/project_file.h"
#include "app/project_paths.h"
#include "app/startup.h"
#include "files/project/project_links.h"
#include "files/project/project_reader.h"
#include "files/x/x_messages.h"
#include "media/background_image.h"
#include "media/background_video.h"
#include "port/file_bytes.h"
#include "port/text.h"
#include "render/model_resources.h"
#include "scene/document/model_reader.h"
#include "scene/undo/undo.h"
#include "ui/camera_panel.h"
#include "ui/control_ids.h"
#include "ui/message_boxes.h"
#include "ui/model_panel.h"
#include "ui/model_selection.h"
#include "ui/panel_visibility.h"

namespace zv {
namespace {

constexpr int kMaxOutputSide = 8192;  // pixels; larger pictures cannot be exported anyway
constexpr int kMinPanelWidth = 250;
constexpr int kMaxPanelWidth = 1000;

std::string formatted(const char* format, double value) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// Loads the model a block names into its slot, without the model reader's own messages: the
// project load says which model is missing.
std::optional<ProjectModelCounts> loadBlockModel(Scene& scene, FrameSystems& systems,
                                                 const ProjectModelBlock& block) {
  auto model = std::make_unique<Model>();
  std::filesystem::path path = nativeProjectPath(block.storedPath, scene.exeDirectory);
  if (path.empty() || readModelFile(path, scene.exeDirectory, *model) ||
      createModelResources(*model, systems.device, systems.textures)) {
    return std::nullopt;
  }
  model->semiTransparent = scene.translucent;
  const ProjectModelCounts counts{static_cast<std::uint32_t>(model->bones.size()),
                                  static_cast<std::uint32_t>(model->morphs.size()),
                                  static_cast<std::uint32_t>(model->ikChains.size())};
  scene.modelSlots[block.slot] = std::move(model);
  attachUndoHistory(scene, *scene.modelSlots[block.slot]);
  return counts;
}

// Props may follow only bones that exist in models that were loaded.
bool parentSound(Scene& scene, std::int32_t parentModel, std::int32_t parentBone) {
  if (parentModel == -1) {
    return true;
  }
  const Model* model = modelInSlot(scene, parentModel);
  return model && static_cast<std::size_t>(parentBone) < model->bones.size();
}

bool accessoryParentsSound(Scene& scene, const ProjectFile& project) {
  for (const ProjectAccessoryBlock& block : project.accessories) {
    bool sound = parentSound(scene, block.current.parentModel, block.current.parentBone) &&
                 parentSound(scene, block.head.parentModel, block.head.parentBone);
    for (const StoredKey<AccessoryKey>& key : block.keys) {
      sound = sound && parentSound(scene, key.record.parentModel, key.record.parentBone);
    }
    if (!sound) {
      return false;
    }
  }
  return true;
}

template <typename Record>
void putKeys(KeyPool<Record>& pool, const std::vector<StoredKey<Record>>& keys) {
  for (const StoredKey<Record>& key : keys) {
    pool.put(key.index, key.record);
  }
}

void applyModel(Model& model, const ProjectModelBlock& block) {
  model.listIndex = block.listRow;
  model.visible = block.visible;
  model.selectedBone = block.selectedBone;
  model.selectedMorph = block.shownMorphs;
  const std::size_t groups = std::min(block.groupOpen.size(), model.groupNames.size());
  for (std::size_t group = 0; group < groups; ++group) {
    model.groupNames[group].open = block.groupOpen[group] != 0;
  }
  model.rowScroll = block.rowScroll;
  model.lastFrame = static_cast<std::uint32_t>(block.lastFrame);
  for (std::uint32_t bone = 0; bone < block.counts.bones; ++bone) {
    model.boneKeyPool.put(bone, block.boneHeads[bone]);
    model.bones[bone].keyTranslation = block.pose[bone].translation;
    model.bones[bone].keyRotation = block.pose[bone].rotation;
    model.boneMoved[bone] = block.pose[bone].moved ? 1 : 0;
    model.boneSelected[bone] = block.pose[bone].selected ? 1 : 0;
  }
  putKeys(model.boneKeyPool, block.boneKeys);
  for (std::uint32_t morph = 0; morph < block.counts.morphs; ++morph) {
    model.morphKeyPool.put(morph, block.morphHeads[morph]);
    model.morphs[morph].weight = block.morphWeights[morph];
  }
  putKeys(model.morphKeyPool, block.morphKeys);
  model.displayIkKeyPool.put(0, block.displayIkHead);
  putKeys(model.displayIkKeyPool, block.displayIkKeys);
  for (std::uint32_t chain = 0; chain < block.counts.ikChains; ++chain) {
    model.ikChains[chain].enabled = block.ikEnabled[chain] != 0;
  }
}

void applyHeader(Scene& scene, const ProjectFile& project, port::Ui& ui) {
  scene.outputWidth = std::clamp(project.outputWidth, 1, kMaxOutputSide);
  scene.outputHeight = std::clamp(project.outputHeight, 1, kMaxOutputSide);
  scene.panelWidth = std::clamp(project.panelWidth, kMinPanelWidth, kMaxPanelWidth);
  scene.camera.fieldOfView = project.fieldOfView;
  scene.panelOpen = project.panelOpen;
  scene.currentModel = project.currentModel;
  std::vector<std::string> modelRows = {"ｶﾒﾗ･照明･ｱｸｾｻﾘ"};
  std::vector<std::string> parentRows = {"地面"};
  for (const std::string& row : project.modelRows) {
    modelRows.push_back(port::cp932ToUtf8(row));
    parentRows.push_back(modelRows.back());
  }
  ui.setControlRows(kModelList, std::move(modelRows));
  ui.setControlRows(kAccessoryParentModelList, std::move(parentRows));
}

void applyCameraAndLight(Scene& scene, const ProjectFile& project, port::Ui& ui) {
  scene.cameraKeyPool.put(0, project.camera.head);
  putKeys(scene.cameraKeyPool, project.camera.keys);
  scene.camera.cameraCentre = project.camera.centre;
  scene.viewOffsetX = project.camera.viewOffsetX;
  scene.viewOffsetY = project.camera.viewOffsetY;
  scene.camera.cameraDistance = project.camera.distance;
  scene.camera.cameraAngles = project.camera.angles;
  scene.camera.orthographic = project.camera.orthographic;
  ui.setControlPosition(kViewAngleBar, static_cast<int>(scene.camera.fieldOfView));
  ui.setControlText(kViewAngleBox, viewAngleText(scene.camera.fieldOfView));
  ui.checkControl(kPerspectiveButton, !scene.camera.orthographic);

  scene.lightKeyPool.put(0, project.light.head);
  putKeys(scene.lightKeyPool, project.light.keys);
  scene.light.lightColour = project.light.colour;
  scene.light.lightDirection = project.light.direction;
  const Vec3 colour = scene.light.lightColour;
  const Vec3 direction = scene.light.lightDirection;
  const float colours[] = {colour.x, colour.y, colour.z};
  const float directions[] = {direction.x, direction.y, direction.z};
  for (int i = 0; i < 3; ++i) {
    ui.setControlPosition(kLightColourBars[i], static_cast<int>(colours[i] * 256));
    ui.setControlText(kLightColourBoxes[i], formatted("%3d", static_cast<int>(colours[i] * 256)));
    ui.setControlPosition(kLightDirectionBars[i], static_cast<int>(directions[i] * 100));
    ui.setControlText(kLightDirectionBoxes[i], formatted("%+3.1f", static_cast<double>(directions[i])));
  }
}

bool loadReportedAccessory(Accessory& prop, AccessoryState& placement, FrameSystems& systems,
                           const std::filesystem::path& path, const std::filesystem::path& programFolder) {
  const Outcome loaded =
      loadAccessory(prop, placement, systems.device, systems.textures, path, programFolder);
  showMessages(*systems.ui, loaded.messages);
  return loaded.done;
}

// The prop a block names, or the substitute the user points to; null when neither loads.
std::unique_ptr<Accessory> loadBlockAccessory(Scene& scene, FrameSystems& systems,
                                              const ProjectAccessoryBlock& block) {
  port::Ui& ui = *systems.ui;
  // The stored placement replaces whatever a descriptor says, so the loader's is not kept.
  AccessoryState ignoredPlacement;
  auto prop = std::make_unique<Accessory>();
  const std::filesystem::path path = nativeProjectPath(block.storedPath, scene.exeDirectory);
  if (!path.empty() && loadReportedAccessory(*prop, ignoredPlacement, systems, path, scene.exeDirectory)) {
    return prop;
  }
  const std::string name = port::cp932ToUtf8(block.name);
  port::showMessage(
      ui, "アクセサリファイル(" + name + ")が見つかりません\n\n" + name + "の場所を指定して下さい(代替可)",
      kProjectCaption);
  std::error_code ignored;
  std::filesystem::current_path(scene.exeDirectory, ignored);
  const std::optional<std::filesystem::path> chosen = ui.openFileDialog(accessoryDialogRequest());
  prop = std::make_unique<Accessory>();
  if (chosen && loadReportedAccessory(*prop, ignoredPlacement, systems, *chosen, scene.exeDirectory)) {
    return prop;
  }
  return nullptr;
}

bool applyAccessories(Scene& scene, FrameSystems& systems, const ProjectFile& project) {
  port::Ui& ui = *systems.ui;
  scene.currentAccessory = project.currentAccessory;
  scene.cameraRowScroll = project.cameraRowScroll;
  std::vector<std::string> rows;
  for (const std::string& row : project.accessoryRows) {
    rows.push_back(port::cp932ToUtf8(row));
  }
  ui.setControlRows(kAccessoryList, std::move(rows));
  ui.setControlRows(kAccessoryParentBoneList, {});
  for (const ProjectAccessoryBlock& block : project.accessories) {
    std::unique_ptr<Accessory> prop = loadBlockAccessory(scene, systems, block);
    if (!prop) {
      return false;
    }
    KeyPool<AccessoryKey>& pool = scene.accessoryKeyPools[block.slot];
    pool.put(0, block.head);
    putKeys(pool, block.keys);
    AccessoryState& state = scene.accessories[block.slot];
    state = block.current;
    state.loaded = true;
    prop->listIndex = block.listRow;
    systems.accessories[block.slot] = std::move(prop);
  }
  if (const Accessory* current = systems.accessories[scene.currentAccessory].get()) {
    ui.selectControlRow(kAccessoryList, current->listIndex);
    refreshAccessoryPanel(scene, systems);
  }
  return true;
}

void selectOperatedModel(Scene& scene, FrameSystems& systems, const ProjectFile& project) {
  port::Ui& ui = *systems.ui;
  Model* current = project.cameraMode ? nullptr : modelInSlot(scene, project.currentModel);
  ui.selectControlRow(kModelList, current ? current->listIndex : 0);
  if (current) {
    fillModelPanel(ui, *current);
  }
  applyModelSelection(scene, ui, systems.panels);
}

// A number that names no tool (or a drag in progress) keeps the mode the model selection chose.
void applyEditMode(Scene& scene, port::Ui& ui, std::int32_t editMode) {
  constexpr std::pair<EditMode, int> kModeButtons[] = {{EditMode::Select, kSelectModeButton},
                                                       {EditMode::BoxSelect, kBoxSelectModeButton},
                                                       {EditMode::Move, kMoveButton},
                                                       {EditMode::Rotate, kRotateButton}};
  if (editMode < static_cast<std::int32_t>(EditMode::Select) ||
      editMode > static_cast<std::int32_t>(EditMode::Move)) {
    return;
  }
  scene.editMode = static_cast<EditMode>(editMode);
  for (const auto& [mode, button] : kModeButtons) {
    ui.checkControl(button, mode == scene.editMode);
  }
}

void applyPlayOptions(Scene& scene, port::Ui& ui, const ProjectTrailer& trailer) {
  scene.currentFrame = static_cast<std::uint32_t>(std::max(trailer.currentFrame, 0));
  ui.setControlText(kCurrentFrameBox, std::to_string(scene.currentFrame));
  ui.setControlPosition(kFrameScrollBar, std::max(trailer.firstShownFrame, 0));
  scene.lastFrame = static_cast<std::uint32_t>(std::max(trailer.lastFrame, 0));
  scene.followModelCentre = trailer.followModelCentre;
  scene.repeatPlayback = trailer.repeatPlayback;
  scene.stopFrameOption = trailer.stopFrameOption;
  scene.playFromCurrentFrame = trailer.playFromCurrentFrame;
  ui.checkControl(kFollowModelCentreCheck, trailer.followModelCentre);
  ui.checkControl(kRepeatCheck, trailer.repeatPlayback);
  ui.checkControl(kStopFrameCheck, trailer.stopFrameOption);
  ui.checkControl(kPlayFromCurrentFrameCheck, trailer.playFromCurrentFrame);
  ui.setControlText(kStartFrameBox, std::to_string(trailer.playStart));
  ui.setControlText(kStopFrameBox, std::to_string(trailer.playStop));
}

// The stored placement; a scale that is not a positive number keeps the picture fitted to the view,
// as a zero or negative zoom would make it vanish.
void placeBackground(BackgroundPlacement& placement, const ProjectBackground& stored) {
  if (stored.scale > 0.0f) {
    placement = {stored.offsetX, stored.offsetY, stored.scale};
  }
}

void applyMedia(Scene& scene, FrameSystems& systems, const ProjectTrailer& trailer) {
  port::Ui& ui = *systems.ui;
  if (trailer.wavLoaded) {
    std::filesystem::path wav = nativeProjectPath(trailer.wavStoredPath, scene.exeDirectory);
    loadWav(systems.wav, wav, scene.exeDirectory, scene.currentFrame, scene.panelWidth);
  }
  Backgrounds& backgrounds = systems.backgrounds;
  const std::filesystem::path video = nativeProjectPath(trailer.video.storedPath, scene.exeDirectory);
  if (!video.empty() && loadVideo(scene, backgrounds, video)) {
    placeBackground(backgrounds.video.placement, trailer.video);
    scene.backgroundVideoShown = trailer.videoShown;
    composeVideo(scene, backgrounds);
  } else {
    unloadVideo(scene, backgrounds);
    scene.backgroundVideoShown = 0;
  }
  ui.checkControl(kVideoShownMenuItem, scene.backgroundVideoShown == 1);
  scene.backgroundImageShown = false;
  const std::filesystem::path image = nativeProjectPath(trailer.image.storedPath, scene.exeDirectory);
  if (!image.empty() && loadImage(scene, backgrounds, image)) {
    placeBackground(backgrounds.image.placement, trailer.image);
    scene.backgroundImageShown = trailer.imageShown;
    composeImage(scene, backgrounds);
  }
  ui.checkControl(kImageShownMenuItem, scene.backgroundImageShown);
}

void applyViewMenus(Scene& scene, port::Ui& ui, const ProjectTrailer& trailer) {
  scene.showInfo = trailer.showInfo;
  scene.showAxes = trailer.showAxes;
  scene.showGroundShadow = trailer.showGroundShadow;
  ui.checkControl(kMenuShowInfo, trailer.showInfo);
  ui.checkControl(kMenuShowAxes, trailer.showAxes);
  ui.checkControl(kMenuShowGroundShadow, trailer.showGroundShadow);
  const bool unlimited = trailer.frameRateLimit == 1000.0f;
  const bool at30 = trailer.frameRateLimit == 30.0f;
  scene.frameRateLimit = unlimited ? 1000.0f : at30 ? 30.0f : 60.0f;
  ui.checkControl(kMenuUnlimitedFps, unlimited);
  ui.checkControl(kMenu30Fps, at30);
  ui.checkControl(kMenu60Fps, !unlimited && !at30);
  const int captureMode = std::clamp(trailer.captureMode, static_cast<int>(CaptureMode::Off),
                                     static_cast<int>(CaptureMode::CentredViewOrVideo));
  scene.captureMode = static_cast<CaptureMode>(captureMode);
  ui.checkControl(kMenuCaptureOff, captureMode == 0);
  for (int mode = 1; mode <= 3; ++mode) {
    ui.checkControl(kMenuCaptureModes[mode - 1], captureMode == mode);
  }
}

// Everything after the models: refused (false) only when a prop is neither found nor replaced.
bool applyProject(Scene& scene, FrameSystems& systems, const ProjectFile& project) {
  port::Ui& ui = *systems.ui;
  applyHeader(scene, project, ui);
  for (const ProjectModelBlock& block : project.models) {
    applyModel(*scene.modelSlots[block.slot], block);
  }
  applyCameraAndLight(scene, project, ui);
  if (!applyAccessories(scene, systems, project)) {
    return false;
  }
  applyPlayOptions(scene, ui, project.trailer);
  selectOperatedModel(scene, systems, project);
  applyEditMode(scene, ui, project.trailer.editMode);
  applyMedia(scene, systems, project.trailer);
  applyViewMenus(scene, ui, project.trailer);
  updatePanelVisibility(scene, ui, systems.panels.clipboards);
  if (systems.panels.relayout) {
    systems.panels.relayout();
  }
  return true;
}

bool abandonLoad(Scene& scene, FrameSystems& systems, const std::optional<ProjectMessage>& message) {
  if (message) {
    port::showMessage(*systems.ui, message->text, message->caption);
  }
  newScene(scene, systems);
  return false;
}

}  // namespace

bool loadProject(Scene& scene, FrameSystems& systems) {
  port::Ui& ui = *systems.ui;
  scene.modified = false;
  int error = 0;
  const std::optional<std::string> bytes = port::readWholeFile(scene.projectPath, error);
  if (!bytes) {
    std::string text(kProjectUnreadableMessage);
    text.replace(text.find("%d"), 2, std::to_string(error));
    port::showMessage(ui, text, kProjectCaption);
    return false;
  }
  if (const auto refused = checkProjectMagic(*bytes)) {
    port::showMessage(ui, refused->message.text, refused->message.caption);
    return false;
  }
  const std::string projectPath = scene.projectPath;
  newScene(scene, systems);
  scene.projectPath = projectPath;
  if (systems.surface) {
    systems.surface->makeCurrent();
  }
  const ProjectReadResult read = readProject(
      *bytes, [&](const ProjectModelBlock& block) { return loadBlockModel(scene, systems, block); });
  if (read.failure) {
    return abandonLoad(scene, systems, read.failure->message);
  }
  if (!accessoryParentsSound(scene, *read.project)) {
    return abandonLoad(scene, systems,
                       ProjectMessage{std::string(kDamagedProjectMessage), std::string(kProjectCaption)});
  }
  if (!applyProject(scene, systems, *read.project)) {
    return abandonLoad(scene, systems, std::nullopt);
  }
  scene.modified = false;
  ui.setWindowTitle(std::string(kWindowTitle) + " [" + scene.projectPath + "]");
  for (const ProjectMessage& message : repairProjectLinks(scene)) {
    port::showMessage(ui, message.text, message.caption);
  }
  ui.repaint();
  return true;
}

}  // namespace zv
