// The one document: every model and prop, the camera and light, the playback position and the
// view switches. The program holds one Scene for its whole run; tests make their own.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "port/key_codes.h"
#include "scene/clipboard/clipboards.h"
#include "scene/document/frame_time.h"
#include "scene/document/math.h"
#include "scene/document/model.h"
#include "scene/document/view_modes.h"

namespace zv {

inline constexpr int kMaxModels = 100;
inline constexpr int kMaxAccessories = 255;

// Live camera: what the camera track writes and the view reads.
struct LiveCamera {
  Vec3 cameraCentre{0, 10, 0};    // point the camera orbits
  Vec3 cameraAngles{0, 0, 0};     // radians about X, Y, Z; the view turns Y, then X, then Z
  float cameraDistance = -35.0f;  // signed distance of the eye from the centre along the view axis
  float fieldOfView = 45.0f;      // vertical, degrees
  bool orthographic = false;      // parallel projection instead of perspective
};

// Live light: the one directional light.
struct LiveLight {
  Vec3 lightDirection{-0.5f, -1.0f, 0.5f};
  Vec3 lightColour{0.602f, 0.602f, 0.602f};  // r, g, b in 0..1
};

// The state of an accessory slot that the slot's key track drives and accessory key registration
// reads. The prop's geometry and device buffers live with the renderer.
struct AccessoryState {
  bool loaded = false;            // the slot holds an accessory
  bool visible = true;            // the prop is drawn
  bool shadow = false;            // the prop casts a ground shadow
  std::int32_t parentModel = -1;  // model slot followed, -1 for the ground
  std::int32_t parentBone = 0;    // bone index within that model
  Vec3 position;
  Vec3 rotation;       // radians about X, Y, Z
  float scale = 1.0f;  // uniform; drawing multiplies it by 10
};

// Which of the five collapsible panel sections are open; a collapsed one shrinks to its "＋" strip.
struct PanelOpen {
  bool camera = true;
  bool light = true;
  bool accessory = true;
  bool bone = true;
  bool face = true;  // the morph panel
  bool operator==(const PanelOpen&) const = default;
};

struct Scene {
  // Shell.
  bool isVistaOrLater = true;          // the platform offers the fast AVI output option (always, here)
  std::filesystem::path exeDirectory;  // folder of the executable; relative paths resolve against it
  std::string projectPath;             // current project file (native); empty when never saved or loaded
  int outputWidth = 512;               // rendered picture in pixels: aspect of the view, size of AVI export
  int outputHeight = 384;
  int panelWidth = 250;              // control column left of the 3D view, 250..1000
  float frameRateLimit = 60.0f;      // frames per second the main loop paces to: 60, 30 or 1000
  float frameElapsedSeconds = 0.0f;  // duration of the last main-loop turn
  bool windowActive = false;
  bool modified = false;  // changes not yet saved to a project file

  // Collections. A slot index is stable for the life of its occupant.
  std::array<std::unique_ptr<Model>, kMaxModels> modelSlots;
  std::uint8_t currentModel = 0;      // slot the editors, timeline and control panel act on
  std::uint8_t currentAccessory = 0;  // slot the accessory panel and accessory keys act on

  // Playback and editing position.
  std::uint32_t currentFrame = 0;  // frame under the timeline cursor
  float currentTime = 0.0f;  // playback clock in seconds; the sampled frame is currentTime x kFramesPerSecond
  bool playing = false;
  bool recording = false;

  LiveCamera camera;
  LiveLight light;

  // Scene tracks. Accessory pool i belongs to accessory slot i and exists whether or not the slot
  // is filled.
  KeyPool<CameraKey> cameraKeyPool;
  KeyPool<LightKey> lightKeyPool;
  std::array<KeyPool<AccessoryKey>, kMaxAccessories> accessoryKeyPools;
  std::uint32_t lastFrame = 0;  // highest frame ever keyed in the scene; only grows until a reset

  // Filled by the copy buttons; pasting applies them by name to whichever model is current.
  KeyClipboard keyClipboard;
  PoseClipboard poseClipboard;
  // The curve copy button's four control values; nothing until a curve is copied.
  std::optional<InterpolationCurve> curveClipboard;

  // Accessory slot i's state; its prop lives with the renderer.
  std::array<AccessoryState, kMaxAccessories> accessories;

  // Playback sampling state of the scene tracks: the pool index of the key the cursor stands on
  // and whether the track still animates (false once its last key is passed).
  std::uint32_t cameraKeyCursor = 0;
  bool cameraTrackActive = false;
  std::uint32_t lightKeyCursor = 0;
  bool lightTrackActive = false;
  std::array<std::uint32_t, kMaxAccessories> accessoryKeyCursors{};
  std::array<bool, kMaxAccessories> accessoryTrackActive{};

  // Blink insertion: ordinary blink steps left before a quick second blink may fire again. Kept
  // across commands; neither a new scene nor a project load resets it.
  std::int8_t blinkBurstCounter = 0;

  // What the small dialogs last collected; each dialog starts from its own texts, not from these.
  Vec3 biasOffset;                   // added to the translation of parentless bones' keys
  float timeScale = 1.0f;            // factor of the time stretch
  std::int32_t integerDelta = 0;     // frame shift, view-angle or camera-distance difference
  std::int32_t blinkRangeStart = 0;  // frames the random blinks walk over
  std::int32_t blinkRangeEnd = 0;
  std::uint32_t recordStartFrame = 0;  // inclusive frame range of the AVI export
  std::uint32_t recordEndFrame = 0;
  float recordFrameRate = kFramesPerSecond;  // output pictures per second
  bool recordWave = false;                   // the export carries the music
  bool fastOutput = false;
  float shadowBrightness = 1.0f;  // ground-shadow colour, 0..2 on its track bar; lives for the run

  // View switches and play options.
  bool cameraMode = true;  // the camera/light/accessory row of the model list is selected
  bool showInfo = false;
  bool showAxes = true;
  bool showGroundShadow = true;
  bool translucent = false;  // copied into every loaded model
  int backgroundVideoShown = 0;
  bool backgroundImageShown = false;
  CaptureMode captureMode = CaptureMode::Off;
  bool followCameraLight = false;
  bool playFromCurrentFrame = false;
  bool stopFrameOption = false;
  bool followModelCentre = false;  // the view centres on the operated model ("操作モデル中心")
  bool repeatPlayback = false;     // playback wraps to the start frame ("くり返し")
  PanelOpen panelOpen;
  std::int32_t cameraRowScroll = 0;  // accessory rows of the camera-mode frame editor scrolled past

  // Play range of the running playback, in seconds; set when playing or recording starts.
  float playRangeStartTime = 0.0f;
  float playRangeEndTime = 0.0f;

  // The eye's sideways and vertical offset from the view axis, in world units.
  float viewOffsetX = 0.0f;
  float viewOffsetY = 0.0f;

  // 3D view interaction.
  EditMode editMode = EditMode::Select;
  // Every polled key and mouse button by its key code (port/key_codes.h); Enter's state lives in
  // enterKeyState instead, where commands mark it.
  std::array<KeyState, port::kKeyCodeCount> keyStates{};
  KeyState enterKeyState = KeyState::Up;
  HoverZone hoverZone = HoverZone::Nothing;
  bool hovering = false;    // a hover zone was found this step
  std::int32_t mouseX = 0;  // the pointer in main-window client pixels, as last reported
  std::int32_t mouseY = 0;
  std::int32_t prevMouseX = 0;  // the pointer at the end of the previous step
  std::int32_t prevMouseY = 0;
  CapturedWidget capturedWidget = CapturedWidget::None;
  DragMode dragMode = DragMode::None;
  std::int32_t ringAnchorX = 0;  // the rotate gizmo's window centre when a ring drag started
  std::int32_t ringAnchorY = 0;
  std::int32_t boxStartX = 0;  // where a box selection started, client pixels
  std::int32_t boxStartY = 0;
  bool boxActive = false;
  float keyRepeatSeconds = 0.0f;  // how long the left or right arrow has been held

  // Frame-rate reading of the information text.
  float fpsAccumulator = 0.0f;  // seconds summed since the last reading
  std::int32_t fpsFrameCount = 0;
  std::int32_t fpsShown = 0;

  // Which widgets the selected bone allows: 0 rotate and move, 1 rotate only, 2 move only, 3 none.
  std::int32_t widgetRestriction = 0;
  // The selected bone's gizmo as the last step projected it, for the next step's hit tests.
  float gizmoScreenX = 0.0f;
  float gizmoScreenY = 0.0f;
  float gizmoScreenScale = 0.0f;
};

// The model in `slot`, or null for an empty slot or an index out of range.
Model* modelInSlot(Scene& scene, int slot);
Model* currentModel(Scene& scene);
const Model* currentModel(const Scene& scene);
// The models of the occupied slots, in slot order.
std::vector<Model*> loadedModels(Scene& scene);

// Back to a new scene: no models, the new-scene camera and light, frame 0, nothing modified.
void resetScene(Scene& scene);

}  // namespace zv
