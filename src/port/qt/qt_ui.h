// Ui over Qt Widgets. Controls keep their state in a ControlTable until their widgets exist.
#pragma once

#include "port/control_table.h"
#include "port/ui.h"

class QWidget;

namespace zv::port {

class QtUi : public Ui {
 public:
  explicit QtUi(QWidget* mainWindow) : mainWindow_(mainWindow) {}

  MessageAnswer messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                           MessageButtons buttons) override;
  std::optional<std::filesystem::path> openFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> saveFileDialog(const FileDialogRequest& request) override;

  void setWindowTitle(std::string_view title) override;
  Rect clientRect() const override;
  Rect restoredRect() const override;
  bool maximised() const override;

  ControlState control(int id) const override { return controls_.get(id); }
  void setControlText(int id, std::string_view text) override { controls_.at(id).text = text; }
  void enableControl(int id, bool enabled) override { controls_.at(id).enabled = enabled; }
  void showControl(int id, bool visible) override { controls_.at(id).visible = visible; }
  void checkControl(int id, bool checked) override { controls_.at(id).checked = checked; }
  void setControlRows(int id, std::vector<std::string> rows) override {
    controls_.at(id).rows = std::move(rows);
  }
  void selectControlRow(int id, int row) override { controls_.at(id).selection = row; }
  void setControlRange(int id, int minimum, int maximum) override;
  void setControlPosition(int id, int position) override { controls_.at(id).position = position; }
  void placeControl(int id, Rect area) override { controls_.at(id).area = area; }

 private:
  std::optional<std::filesystem::path> runFileDialog(bool save, const FileDialogRequest& request);
  QWidget* mainWindow_;
  ControlTable controls_;
};

}  // namespace zv::port
