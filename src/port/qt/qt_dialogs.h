// The form and slider dialogs of the Ui as Qt dialogs. Every widget is named after its field
// ("field509", "ok", "cancel", "slider", "edit") so that tests can reach it.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "port/ui.h"

class QWidget;

namespace zv::port {

// Shows a refusal over the dialog that refused.
using RefusalBox = std::function<void(QWidget& dialog, const FormRefusal& refusal)>;

std::optional<std::vector<FormField>> runFormDialog(QWidget* owner, const FormRequest& request,
                                                    const RefusalBox& showRefusal);

void showSliderDialog(QWidget& owner, SliderDialogRequest request);

}  // namespace zv::port
