// Turning key tracks into the live state: bone key translations and rotations, morph weights,
// model visibility and IK switches, the live camera and light, and accessory state. Posing and
// drawing read that state; sampling touches nothing else (the frame step hands the camera and
// light to the device).
//
// Playback sampling keeps a cursor per track and walks it forward as time advances, so a frame
// costs only the keys passed since the previous one. Edit sampling walks each track from its head
// at a whole frame and is for frame changes made by command.
#pragma once

#include <cstdint>

#include "port/worker_pool.h"
#include "scene/document/frame_time.h"
#include "scene/document/model.h"
#include "scene/document/scene.h"

namespace zv {

// Playback. Time t is in seconds; the sampled frame position is t x kFramesPerSecond and may be
// fractional.

// Puts every cursor of the model at the first key at or after time t, ready for advanceModel.
// Tracks that end before t become inactive with their last key applied; bones of type 6 and above
// have no track and stay inactive.
void seekModel(Model& model, float t);
// Samples the model at time t: the display and IK track, then every active morph and bone track.
void advanceModel(Model& model, float t);

// Seeks every loaded model to currentTime, and the tracks of every loaded accessory; the camera
// and light tracks too when cameraMode or followCameraLight is set, which also zeroes the editing
// view's offset so the camera's own track frames the picture.
void seekScene(Scene& scene);
// Samples every loaded model at currentTime (side by side on `pool` when given: each model's
// sampling touches that model alone), then the camera and light (when cameraMode or
// followCameraLight is set) and every active accessory track.
void advanceScene(Scene& scene, port::WorkerPool* pool = nullptr);

// Editing: whole frames, each track walked from its head.

void sampleModelAtFrame(Model& model, std::uint32_t frame);
// The camera track into the live camera (the camera panel's sampling).
void sampleCameraAtFrame(Scene& scene, std::uint32_t frame);
// The light track into the live light.
void sampleLightAtFrame(Scene& scene, std::uint32_t frame);
// The track of accessory slot `slot` (0..254) into its state; nothing for an empty slot.
void sampleAccessoryAtFrame(Scene& scene, int slot, std::uint32_t frame);

// The perspective the frame step builds from the sampled camera, with the output aspect.
struct CameraProjection {
  float fieldOfViewRadians = 0;  // the camera's view angle in degrees / 180 x kSixDigitPi
  float nearPlane = 1.0f;
  float farPlane = 1500.0f;
};
CameraProjection cameraProjection(const LiveCamera& camera);

}  // namespace zv
