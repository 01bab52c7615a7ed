// Which manipulation widgets the selected bone allows: rotate-only bones cannot be moved, and a
// selection mixing bones of different kinds allows only what all of them take.
#pragma once

#include <cstdint>

#include "scene/document/model.h"

namespace zv {

// Restriction values the hover tests and the widget strips read.
inline constexpr std::int32_t kWidgetsRotateAndMove = 0;
inline constexpr std::int32_t kWidgetsRotateOnly = 1;
inline constexpr std::int32_t kWidgetsNone = 3;

struct WidgetButtons {
  bool rotateEnabled = false;               // the rotate button (387)
  bool moveEnabled = false;                 // the move button (386)
  std::int32_t restriction = kWidgetsNone;  // the scene's widgetRestriction
};

// The widgets for the operated model's selected bone and the other selected bones; nothing is
// allowed without a model or a selected bone, or while playing. Applies in model mode only.
WidgetButtons widgetButtonsFor(const Model* model, bool playing);

}  // namespace zv
