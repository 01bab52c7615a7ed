#include "port/headless_ui.h"

#include <algorithm>
#include <stdexcept>
#include <string>

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

namespace {

void applyAnswer(std::vector<FormField>& fields, const FormAnswer& answer) {
  for (FormField& field : fields) {
    if (!field.enabled) {
      continue;
    }
    if (auto text = answer.texts.find(field.id); text != answer.texts.end()) {
      field.text = text->second;
    }
    if (auto check = answer.checks.find(field.id); check != answer.checks.end()) {
      field.checked = check->second;
    }
    if (auto row = answer.selections.find(field.id); row != answer.selections.end()) {
      field.selection = std::clamp(row->second, 0, std::max(0, static_cast<int>(field.rows.size()) - 1));
    }
  }
}

}  // namespace

std::optional<std::vector<FormField>> HeadlessUi::formDialog(const FormRequest& request) {
  forms.push_back(request);
  std::vector<FormField> fields = request.fields;
  while (!formAnswers.empty()) {
    const FormAnswer answer = formAnswers.front();
    formAnswers.pop_front();
    if (!answer.ok) {
      return std::nullopt;
    }
    applyAnswer(fields, answer);
    const std::optional<FormRefusal> refusal = request.refuse ? request.refuse(fields) : std::nullopt;
    if (!refusal) {
      return fields;
    }
    messages.push_back({MessageOwner::Dialog, refusal->text, refusal->caption, MessageButtons::Ok});
  }
  return std::nullopt;
}

void HeadlessUi::openSliderDialog(SliderDialogRequest request) {
  const int position = request.position;
  const std::string text = request.text;
  sliderDialog = ShownSliderDialog{std::move(request), position, text};
}

ShownSliderDialog& HeadlessUi::openSlider() {
  if (!sliderDialog) {
    throw std::logic_error("no slider dialog is open");
  }
  return *sliderDialog;
}

void HeadlessUi::slideDialog(int position) {
  ShownSliderDialog& dialog = openSlider();
  dialog.position = std::clamp(position, dialog.request.minimum, dialog.request.maximum);
  if (dialog.request.moved) {
    dialog.text = dialog.request.moved(dialog.position);
  }
}

void HeadlessUi::typeInSliderDialog(std::string_view text) {
  openSlider().text = text;
}

void HeadlessUi::pressEnterInSliderDialog() {
  ShownSliderDialog& dialog = openSlider();
  if (dialog.request.entered) {
    dialog.position =
        std::clamp(dialog.request.entered(dialog.text), dialog.request.minimum, dialog.request.maximum);
  }
}

void HeadlessUi::closeSliderDialog() {
  const std::function<void()> closed = openSlider().request.closed;
  sliderDialog.reset();
  if (closed) {
    closed();
  }
}

// A test that acts on the wrong kind of control has a mistake in it, not a user's action.
void HeadlessUi::expectKind(int id, std::initializer_list<ControlKind> kinds, const char* action) const {
  if (std::find(kinds.begin(), kinds.end(), model_.kind(id)) == kinds.end()) {
    throw std::logic_error(std::string("cannot ") + action + " control " + std::to_string(id));
  }
}

void HeadlessUi::notify(int id, int notification) {
  if (command) {
    command(id, notification);
  }
}

// Edits report losing and gaining the keyboard focus, the one losing it first.
void HeadlessUi::moveFocus(int id) {
  if (id == focusedControl) {
    return;
  }
  const int previous = focusedControl;
  focusedControl = id;
  if (previous != 0) {
    notify(previous, kNotifyFocusLost);
  }
  if (id != 0) {
    notify(id, kNotifyFocusGained);
  }
}

void HeadlessUi::click(int id) {
  expectKind(id,
             {ControlKind::Button, ControlKind::PushLikeCheckBox, ControlKind::CheckBox,
              ControlKind::RadioButton, ControlKind::MenuItem},
             "click");
  if (!model_.acceptsInput(id)) {
    return;
  }
  model_.press(id);
  notify(id, kNotifyClicked);
}

void HeadlessUi::select(int id, int row) {
  expectKind(id, {ControlKind::DropDownList}, "choose a row of");
  if (!model_.acceptsInput(id) || row < 0 || row >= static_cast<int>(model_.state(id).rows.size())) {
    return;
  }
  model_.state(id).selection = row;
  notify(id, kNotifySelectionChanged);
}

void HeadlessUi::type(int id, std::string_view text) {
  expectKind(id, {ControlKind::Edit}, "type into");
  if (!model_.acceptsInput(id)) {
    return;
  }
  moveFocus(id);
  model_.state(id).text = text;
}

void HeadlessUi::pressEnter() {
  if (focusedControl == 0 || !model_.commitsOnEnter(focusedControl)) {
    return;
  }
  notify(focusedControl, kNotifyEnterPressed);
  moveFocus(0);
}

void HeadlessUi::scroll(int id, ScrollCode code, int position) {
  expectKind(id, {ControlKind::TrackBar, ControlKind::VerticalScrollBar, ControlKind::HorizontalScrollBar},
             "scroll");
  if (!model_.acceptsInput(id)) {
    return;
  }
  ControlState& bar = model_.state(id);
  if (model_.kind(id) == ControlKind::TrackBar) {
    bar.position = std::clamp(position, bar.rangeMin, std::max(bar.rangeMin, bar.rangeMax));
    position = bar.position;
  }
  if (scrolled) {
    scrolled(id, code, position);
  }
}

}  // namespace zv::port
