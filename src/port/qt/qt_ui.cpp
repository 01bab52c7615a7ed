#include "port/qt/qt_ui.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace zv::port {
namespace {

QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// "Description(*.x,*.vac)" with pattern "*.x;*.vac" -> "Description(*.x,*.vac) (*.x *.vac)", the form
// Qt reads its patterns from.
QStringList nameFilters(const std::vector<FileFilter>& filters) {
  QStringList list;
  for (const FileFilter& filter : filters) {
    QString patterns = toQString(filter.pattern).replace(';', ' ');
    list << toQString(filter.description) + " (" + patterns + ")";
  }
  return list;
}

}  // namespace

MessageAnswer QtUi::messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                               MessageButtons buttons) {
  QMessageBox box(owner == MessageOwner::MainWindow ? mainWindow_ : nullptr);
  box.setWindowTitle(toQString(caption));
  box.setText(toQString(text));
  box.setStandardButtons(buttons == MessageButtons::Ok ? QMessageBox::Ok
                                                       : QMessageBox::Ok | QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<std::filesystem::path> QtUi::runFileDialog(bool save, const FileDialogRequest& request) {
  QFileDialog dialog(mainWindow_, toQString(request.title));
  dialog.setDirectory(QDir::current().filePath(QString::fromStdString(request.initialDirectory.string())));
  dialog.setNameFilters(nameFilters(request.filters));
  dialog.setDefaultSuffix(toQString(request.defaultExtension));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return std::filesystem::path(dialog.selectedFiles().front().toStdString());
}

std::optional<std::filesystem::path> QtUi::openFileDialog(const FileDialogRequest& request) {
  return runFileDialog(false, request);
}

std::optional<std::filesystem::path> QtUi::saveFileDialog(const FileDialogRequest& request) {
  return runFileDialog(true, request);
}

void QtUi::setWindowTitle(std::string_view title) {
  mainWindow_->setWindowTitle(toQString(title));
}

Rect QtUi::clientRect() const {
  QRect r = mainWindow_->rect();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

Rect QtUi::restoredRect() const {
  QRect r = mainWindow_->normalGeometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool QtUi::maximised() const {
  return mainWindow_->isMaximized();
}

void QtUi::setControlRange(int id, int minimum, int maximum) {
  ControlState& state = controls_.at(id);
  state.rangeMin = minimum;
  state.rangeMax = maximum;
}

}  // namespace zv::port
