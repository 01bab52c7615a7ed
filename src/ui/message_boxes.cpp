#include "ui/message_boxes.h"

namespace zv {

void showMessages(port::Ui& ui, std::span<const Message> messages) {
  for (const Message& message : messages) {
    ui.messageBox(message.standalone ? port::MessageOwner::None : port::MessageOwner::MainWindow,
                  message.text, message.caption, port::MessageButtons::Ok);
  }
}

Confirmation askInBox(port::Ui& ui) {
  return [&ui](const Message& question) {
    return ui.messageBox(port::MessageOwner::MainWindow, question.text, question.caption,
                         port::MessageButtons::OkCancel) == port::MessageAnswer::Ok;
  };
}

}  // namespace zv
