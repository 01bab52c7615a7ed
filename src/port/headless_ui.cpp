#include "port/headless_ui.h"

namespace zv::port {

MessageAnswer HeadlessUi::messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                                     MessageButtons buttons) {
  messages.push_back({owner, std::string(text), std::string(caption), buttons});
  // A plain OK box takes no answer from the queue: only questions do.
  if (buttons == MessageButtons::Ok || messageAnswers.empty()) {
    return MessageAnswer::Ok;
  }
  MessageAnswer answer = messageAnswers.front();
  messageAnswers.pop_front();
  return answer;
}

std::optional<std::filesystem::path> HeadlessUi::answerDialog(bool save, const FileDialogRequest& request) {
  dialogs.push_back({save, request});
  if (dialogAnswers.empty()) {
    return std::nullopt;
  }
  auto answer = dialogAnswers.front();
  dialogAnswers.pop_front();
  return answer;
}

std::optional<std::filesystem::path> HeadlessUi::openFileDialog(const FileDialogRequest& request) {
  return answerDialog(false, request);
}

std::optional<std::filesystem::path> HeadlessUi::saveFileDialog(const FileDialogRequest& request) {
  return answerDialog(true, request);
}

void HeadlessUi::setControlRows(int id, std::vector<std::string> rows) {
  ControlState& state = controls_.at(id);
  state.rows = std::move(rows);
  state.selection = -1;
}

void HeadlessUi::setControlRange(int id, int minimum, int maximum) {
  ControlState& state = controls_.at(id);
  state.rangeMin = minimum;
  state.rangeMax = maximum;
}

}  // namespace zv::port
