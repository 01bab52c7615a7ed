// What the application owns beside the Scene to draw and play it: the display device with its
// textures and drawing resources, the overlay sprites, the props, the music player, the
// backgrounds, the AVI export, the capture texture and where the 3D view sits in the window.
#pragma once

#include <array>
#include <filesystem>
#include <memory>

#include "app/key_table.h"
#include "app/view_layout.h"
#include "media/avi_export.h"
#include "media/background_state.h"
#include "media/wav_player.h"
#include "port/window_host.h"
#include "port/worker_pool.h"
#include "render/async_read_back.h"
#include "render/capture_texture.h"
#include "render/display_device.h"
#include "render/drawing_resources.h"
#include "render/sprite_bitmap.h"
#include "render/texture_store.h"
#include "render/x_build.h"
#include "scene/document/scene.h"
#include "ui/panels.h"

namespace zv {

inline constexpr std::string_view kScaleSpriteFile = "Data/scale.bmp";
inline constexpr std::string_view kRollSpriteFile = "Data/roll.bmp";
inline constexpr std::string_view kMoveSpriteFile = "Data/move.bmp";

struct FrameSystems {
  DisplayDevice device;
  TextureStore textures;
  DrawingResources resources;  // holds the bone sprite besides the line buffers and textures
  SpriteBitmap scaleSprite;    // the zoom and pan icon
  SpriteBitmap rollSprite;     // the rotate strip: four rows of buttons 30 pixels apart
  SpriteBitmap moveSprite;     // the move strip, laid out the same way
  // The prop of accessory slot i; its live state is scene.accessories[i], which the drawing reads.
  std::array<std::unique_ptr<Accessory>, kMaxAccessories> accessories;
  WavPlayer wav;
  Backgrounds backgrounds;
  AviExport aviExport;
  AsyncReadBack recordingReadBack;  // the recording's pictures on their way from the back buffer
  CaptureTexture capture;
  port::Rect viewRectangle;              // client coordinates; empty until laid out
  ViewStretch stretch;                   // of the view rectangle over the back buffer
  port::ViewSurface* surface = nullptr;  // the window's 3D view; null when drawing headless
  Panels panels;                         // the control panels' bitmaps, row table and clipboard state
  KeyboardDevice keyboard;               // keys and mouse buttons as the window reported them
  port::Ui* ui = nullptr;                // the window the frame step reports to; set on creation
  bool shadowDialogOpen = false;         // the ground-shadow colour dialog is showing
  port::WorkerPool posing;               // poses the loaded models side by side each frame
};

// The window-creation work for these: the device for a screen of `screen` pixels on `surface`'s
// context (or the context current now when it is null), the drawing resources and sprites from
// `programFolder`, the sound player, the background surfaces and the capture texture. Failures are
// shown through `ui`, which the frame step reports to from then on. False when the program cannot
// draw; the sound player's failure only leaves sound off.
bool createFrameSystems(FrameSystems& systems, Scene& scene, port::Ui& ui, port::Size screen,
                        port::ViewSurface* surface, const std::filesystem::path& programFolder);

// Releases everything in reverse order with the view's context current, the models' and props'
// device buffers before the device; the sound player goes last.
void releaseFrameSystems(FrameSystems& systems, Scene& scene);

// Places the 3D view in the client area for the output size and panel width, with the device's
// viewport, projection and aspect and the background's aspect correction to match.
void layoutView(Scene& scene, FrameSystems& systems);

// A WAV file is loaded and ready to play.
bool wavLoaded(const FrameSystems& systems);

}  // namespace zv
