// The transforms and switches of one frame of the 3D view, computed from the scene alone: the view
// rotation, the centre the view turns about, the projections, the ground shadow and where a world
// point lands in the back buffer.
#pragma once

#include <optional>
#include <string_view>

#include "port/canvas/canvas.h"
#include "port/ui.h"
#include "scene/document/math.h"
#include "scene/document/scene.h"

namespace zv {

// A model of this name centres the view on its selected bone instead of its root.
inline constexpr std::string_view kDummyBoneModelName = "ダミーボーン";

// The view's rotation from the camera angles: Y, then X, then Z.
Mat4 viewRotation(Vec3 cameraAngles);

// The world point the view centres on: the camera centre in camera mode (or while playing with the
// view following the camera), the operated model's root or chosen bone when following the model,
// else the origin.
Vec3 worldCentre(const Scene& scene);

// Flattens points onto the plane Y = 0.1 along `lightDirection`; meaningful only for a light that
// points downward (Y < 0), the only case in which a ground shadow is drawn.
Mat4 groundShadowMatrix(Vec3 lightDirection);

// Ground shadows show for a downward light when switched on, while playing, and while editing
// with no selection tool active unless a background video covers the ground.
bool groundShadowShown(const Scene& scene);

// Outlines show while playing and while editing with no selection tool active.
bool edgesShown(const Scene& scene);

// The parallel projection: the camera distance sets the zoom, the output size the aspect.
Mat4 orthographicProjection(float cameraDistance, int outputWidth, int outputHeight);

// The view matrix: the eye stands at the view offset and camera distance and looks along +Z.
Mat4 viewLookAt(const Scene& scene);

// The back-buffer pixel a world point projects to through `worldViewProjection`; none when the
// point lies behind the eye (clip w <= 0) or far outside any back buffer.
std::optional<port::Point> projectToBackBuffer(Vec3 point, const Mat4& worldViewProjection, int width,
                                               int height);

// The back-buffer rectangle the screen capture copies: the whole buffer for the whole view, a
// centred band for the centred modes (the whole width when the band is wider); empty when off.
port::Rect captureSourceRect(CaptureMode captureMode, int width, int height, int outputWidth,
                             int outputHeight);

}  // namespace zv
