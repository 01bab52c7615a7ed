// A Ui without a display: message boxes and dialogs answer from queues the caller fills, every
// message shown is recorded, and controls keep their state in memory.
#pragma once

#include <deque>

#include "port/control_table.h"
#include "port/ui.h"

namespace zv::port {

struct ShownMessage {
  MessageOwner owner;
  std::string text;
  std::string caption;
  MessageButtons buttons;
};

struct ShownDialog {
  bool save;
  FileDialogRequest request;
};

class HeadlessUi : public Ui {
 public:
  // Answers to questions (OK/Cancel boxes) and dialogs, taken in order; when a queue is empty a
  // question answers OK and a dialog is cancelled.
  std::deque<MessageAnswer> messageAnswers;
  std::deque<std::optional<std::filesystem::path>> dialogAnswers;
  std::vector<ShownMessage> messages;
  std::vector<ShownDialog> dialogs;
  std::string windowTitle;
  Rect client{0, 0, 1280, 720};
  Rect restored{0, 0, 1280, 720};
  bool isMaximised = false;

  MessageAnswer messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;

  void setWindowTitle(std::string_view title) override { windowTitle = title; }
  Rect clientRect() const override { return client; }
  Rect restoredRect() const override { return restored; }
  bool maximised() const override { return isMaximised; }

  ControlState control(int id) const override { return controls_.get(id); }
  void setControlText(int id, std::string_view text) override { controls_.at(id).text = text; }
  void enableControl(int id, bool enabled) override { controls_.at(id).enabled = enabled; }
  void showControl(int id, bool visible) override { controls_.at(id).visible = visible; }
  void checkControl(int id, bool checked) override { controls_.at(id).checked = checked; }
  void setControlRows(int id, std::vector<std::string> rows) override;
  void selectControlRow(int id, int row) override { controls_.at(id).selection = row; }
  void setControlRange(int id, int minimum, int maximum) override;
  void setControlPosition(int id, int position) override { controls_.at(id).position = position; }
  void placeControl(int id, Rect area) override { controls_.at(id).area = area; }

 private:
  std::optional<std::filesystem::path> answerDialog(bool save, const FileDialogRequest& request);
  ControlTable controls_;
};

}  // namespace zv::port
