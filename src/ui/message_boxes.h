// Showing what plain operations return: their messages as OK boxes, their questions as OK/Cancel
// boxes over the main window.
#pragma once

#include <span>

#include "port/ui.h"
#include "scene/document/message.h"

namespace zv {

// Each message in an OK box, in order: over the main window, or without owner when it stands alone.
void showMessages(port::Ui& ui, std::span<const Message> messages);

// A confirmation that puts the question in an OK/Cancel box over the main window.
Confirmation askInBox(port::Ui& ui);

}  // namespace zv
