#include "app/edit_box_commit.h"

#include <charconv>
#include <optional>
#include <string>

#include "app/frame_navigation.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

constexpr std::size_t kEditTextLimit = 7;
constexpr float kDegreesToRadians = 3.141592f / 180.0f;

std::string boxText(const port::Ui& ui, int id) {
  std::string text = ui.control(id).text.substr(0, kEditTextLimit);
  const std::size_t start = text.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : text.substr(start);
}

// The whole text as a number of type T; a leading '+' is allowed, trailing spaces too.
template <typename T>
std::optional<T> parsed(std::string text) {
  if (!text.empty() && text.front() == '+') {
    text.erase(0, 1);
  }
  while (!text.empty() && text.back() == ' ') {
    text.pop_back();
  }
  T value{};
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc{} || stop != end) {
    return std::nullopt;
  }
  return value;
}

float& component(Vec3& vector, int axis) {
  return axis == 0 ? vector.x : axis == 1 ? vector.y : vector.z;
}

int indexOf(const int (&ids)[3], int id) {
  for (int i = 0; i < 3; ++i) {
    if (ids[i] == id) {
      return i;
    }
  }
  return -1;
}

void commitViewAngle(Scene& scene, FrameSystems& systems, int degrees) {
  scene.camera.fieldOfView = static_cast<float>(degrees);
  systems.ui->setControlPosition(kViewAngleBar, degrees);
  if (scene.outputWidth > 0 && scene.outputHeight > 0) {
    const float aspect = static_cast<float>(scene.outputHeight) / static_cast<float>(scene.outputWidth);
    perspective(systems.device.state.projection, scene.camera.fieldOfView * kDegreesToRadians, aspect, 1.0f,
                1500.0f);
  }
}

bool commitLightBox(Scene& scene, port::Ui& ui, int id, const std::string& text) {
  if (const int i = indexOf(kLightColourBoxes, id); i >= 0) {
    if (const std::optional<int> value = parsed<int>(text)) {
      float& colour = component(scene.light.lightColour, i);
      colour = static_cast<float>(*value) / 256.0f;
      ui.setControlPosition(kLightColourBars[i], static_cast<int>(colour * 256.0f));
    }
    return true;
  }
  if (const int i = indexOf(kLightDirectionBoxes, id); i >= 0) {
    if (const std::optional<float> value = parsed<float>(text)) {
      component(scene.light.lightDirection, i) = *value;
      ui.setControlPosition(kLightDirectionBars[i], static_cast<int>(*value * 100.0f));
    }
    return true;
  }
  return false;
}

bool commitAccessoryBox(Scene& scene, int id, const std::string& text) {
  const int position = indexOf(kAccessoryPositionEdits, id);
  const int rotation = indexOf(kAccessoryRotationEdits, id);
  if (position < 0 && rotation < 0 && id != kAccessoryScaleEdit) {
    return false;
  }
  AccessoryState& prop = scene.accessories[scene.currentAccessory];
  const std::optional<float> value = parsed<float>(text);
  if (!prop.loaded || !value) {
    return true;
  }
  if (position >= 0) {
    component(prop.position, position) = *value;
  } else if (rotation >= 0) {
    component(prop.rotation, rotation) = *value * kDegreesToRadians;
  } else {
    prop.scale = *value;
  }
  return true;
}

}  // namespace

bool commitEditBox(Scene& scene, FrameSystems& systems, int id) {
  port::Ui& ui = *systems.ui;
  const std::string text = boxText(ui, id);
  if (id == kCurrentFrameBox) {
    if (const std::optional<std::int64_t> frame = parsed<std::int64_t>(text)) {
      goToFrame(scene, systems, *frame);
    } else {
      ui.setControlText(kCurrentFrameBox, std::to_string(scene.currentFrame));
    }
    return true;
  }
  if (id == kViewAngleBox) {
    if (const std::optional<int> degrees = parsed<int>(text)) {
      commitViewAngle(scene, systems, *degrees);
    }
    return true;
  }
  return commitLightBox(scene, ui, id, text) || commitAccessoryBox(scene, id, text);
}

}  // namespace zv
