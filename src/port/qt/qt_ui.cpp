#include "port/qt/qt_ui.h"

#include <QAbstractSlider>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <functional>

#include "port/qt/qt_dialogs.h"

namespace zv::port {
namespace {

// The control font: the design's 12-pixel proportional gothic face, with the installed stand-in.
constexpr char kControlFace[] = "IPAPGothic";
constexpr int kControlFontPixels = 12;

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

std::optional<ScrollCode> scrollCodeOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub:
      return ScrollCode::LineUp;
    case QAbstractSlider::SliderSingleStepAdd:
      return ScrollCode::LineDown;
    case QAbstractSlider::SliderPageStepSub:
      return ScrollCode::PageUp;
    case QAbstractSlider::SliderPageStepAdd:
      return ScrollCode::PageDown;
    case QAbstractSlider::SliderMove:
      return ScrollCode::ThumbTrack;
    case QAbstractSlider::SliderToMinimum:
      return ScrollCode::Top;
    case QAbstractSlider::SliderToMaximum:
      return ScrollCode::Bottom;
    default:
      return std::nullopt;
  }
}

// Receives the widgets' signals for the Ui, so that no connection outlives it, and reports the
// keyboard focus entering and leaving an edit.
class Receiver : public QObject {
 public:
  std::function<void(QObject*, bool gained)> changed;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      changed(watched, event->type() == QEvent::FocusIn);
    }
    return false;
  }
};

QWidget* makeWidget(const ControlSpec& spec, QWidget& parent) {
  const QString caption = toQString(spec.caption);
  switch (spec.kind) {
    case ControlKind::Button:
      return new QPushButton(caption, &parent);
    case ControlKind::PushLikeCheckBox: {
      auto* button = new QPushButton(caption, &parent);
      button->setCheckable(true);
      return button;
    }
    case ControlKind::CheckBox:
      return new QCheckBox(caption, &parent);
    case ControlKind::RadioButton: {
      auto* radio = new QRadioButton(caption, &parent);
      // The control model unchecks the other radio buttons of the group, not Qt.
      radio->setAutoExclusive(false);
      return radio;
    }
    case ControlKind::Edit: {
      auto* edit = new QLineEdit(caption, &parent);
      edit->setAlignment(Qt::AlignCenter);
      // The design's boxes are sized for their text with a one-pixel border ("154" in 23 pixels);
      // the style's frame and Qt's own text margin would hide the first digits.
      edit->setStyleSheet("QLineEdit { border: 1px solid #7a7a7a; padding: 0px; background: white; }");
      edit->setTextMargins(-2, 0, -2, 0);
      return edit;
    }
    case ControlKind::DropDownList:
      return new QComboBox(&parent);
    case ControlKind::TrackBar: {
      auto* slider = new QSlider(Qt::Horizontal, &parent);
      slider->setTickPosition(spec.ticks ? QSlider::TicksBelow : QSlider::NoTicks);
      return slider;
    }
    case ControlKind::VerticalScrollBar:
      return new QScrollBar(Qt::Vertical, &parent);
    case ControlKind::HorizontalScrollBar:
      return new QScrollBar(Qt::Horizontal, &parent);
    case ControlKind::MenuItem:
      break;
  }
  return nullptr;
}

// A scroll bar's thumb reaches `maximum - page + 1` in the window system's terms; Qt counts the
// highest thumb position as its maximum.
int highestThumbPosition(const ControlState& state, ControlKind kind) {
  const bool scrollBar = kind == ControlKind::VerticalScrollBar || kind == ControlKind::HorizontalScrollBar;
  return scrollBar && state.page > 0 ? std::max(state.rangeMin, state.rangeMax - state.page + 1)
                                     : state.rangeMax;
}

void mirrorRows(QComboBox& list, const ControlState& state) {
  QStringList rows;
  for (const std::string& row : state.rows) {
    rows << toQString(row);
  }
  QStringList shown;
  for (int index = 0; index < list.count(); ++index) {
    shown << list.itemText(index);
  }
  if (shown != rows) {
    list.clear();
    list.addItems(rows);
  }
  list.setCurrentIndex(state.selection < list.count() ? state.selection : -1);
}

void mirrorWidget(QWidget& widget, const ControlState& state, ControlKind kind) {
  const QSignalBlocker blocker(&widget);
  widget.setEnabled(state.enabled);
  widget.setHidden(!state.visible);
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    button->setText(toQString(state.text));
    button->setChecked(state.checked);
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    if (edit->text() != toQString(state.text)) {
      edit->setText(toQString(state.text));
    }
  } else if (auto* list = qobject_cast<QComboBox*>(&widget)) {
    mirrorRows(*list, state);
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(&widget)) {
    slider->setRange(state.rangeMin, std::max(state.rangeMin, highestThumbPosition(state, kind)));
    if (state.page > 0) {
      slider->setPageStep(state.page);
    }
    slider->setValue(state.position);
  }
}

Rect rectOf(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

struct QtUi::Widgets {
  std::map<int, QWidget*> controls;  // owned by the client area
  std::map<int, QAction*> actions;   // owned by their menus
  std::map<std::string, QMenu*> menus;
  Receiver receiver;
  QFont controlFont;
  int draggedScrollBar = 0;  // a scroll bar whose thumb the user is dragging
};

QtUi::QtUi(QMainWindow& window, QWidget& client, const WindowEvents& events)
    : window_(window), client_(client), events_(events), widgets_(std::make_unique<Widgets>()) {
  widgets_->controlFont = QFont(kControlFace);
  widgets_->controlFont.setPixelSize(kControlFontPixels);
  widgets_->controlFont.setWeight(QFont::Normal);
  widgets_->receiver.changed = [this](QObject* edit, bool gained) {
    const int id = edit->property("controlId").toInt();
    notify(id, gained ? kNotifyFocusGained : kNotifyFocusLost);
  };
}

QtUi::~QtUi() = default;

MessageAnswer QtUi::messageBox(MessageOwner owner, std::string_view text, std::string_view caption,
                               MessageButtons buttons) {
  if (answerMessage) {
    return answerMessage(text, caption, buttons);
  }
  QMessageBox box(owner == MessageOwner::MainWindow ? &window_ : nullptr);
  box.setWindowTitle(toQString(caption));
  box.setText(toQString(text));
  box.setStandardButtons(buttons == MessageButtons::Ok ? QMessageBox::Ok
                                                       : QMessageBox::Ok | QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}

std::optional<std::filesystem::path> QtUi::runFileDialog(bool save, const FileDialogRequest& request) {
  if (answerFileDialog) {
    return answerFileDialog(save, request);
  }
  QFileDialog dialog(&window_, toQString(request.title));
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

std::optional<std::vector<FormField>> QtUi::formDialog(const FormRequest& request) {
  QWidget* owner = request.owner == MessageOwner::MainWindow ? &window_ : nullptr;
  return runFormDialog(owner, request, [this](QWidget& dialog, const FormRefusal& refusal) {
    if (answerMessage) {
      answerMessage(refusal.text, refusal.caption, MessageButtons::Ok);
      return;
    }
    QMessageBox box(&dialog);
    box.setWindowTitle(toQString(refusal.caption));
    box.setText(toQString(refusal.text));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
  });
}

void QtUi::openSliderDialog(SliderDialogRequest request) {
  showSliderDialog(window_, std::move(request));
}

void QtUi::setWindowTitle(std::string_view title) {
  window_.setWindowTitle(toQString(title));
}

Rect QtUi::clientRect() const {
  // Before the window is first shown its layout has not placed the client area below the menu bar.
  window_.layout()->activate();
  return {0, 0, client_.width(), client_.height()};
}

Rect QtUi::restoredRect() const {
  return rectOf(window_.normalGeometry());
}

bool QtUi::maximised() const {
  return window_.isMaximized();
}

void QtUi::notify(int id, int notification) {
  if (events_.command) {
    events_.command(id, notification);
  }
}

void QtUi::createControl(const ControlSpec& spec) {
  model_.add(spec);
  QWidget* widget = makeWidget(spec, client_);
  widget->setProperty("controlId", spec.id);
  if (!spec.systemFont) {
    widget->setFont(widgets_->controlFont);
  }
  // Only edits take the keyboard focus: the main window keeps it for the keys the program polls.
  if (spec.kind != ControlKind::Edit) {
    widget->setFocusPolicy(Qt::NoFocus);
  }
  widgets_->controls[spec.id] = widget;
  connectControl(spec.id, *widget);
  mirror(spec.id);
}

void QtUi::connectControl(int id, QWidget& widget) {
  if (auto* button = qobject_cast<QAbstractButton*>(&widget)) {
    QObject::connect(button, &QAbstractButton::clicked, &widgets_->receiver, [this, id] {
      for (int changed : model_.press(id)) {
        mirror(changed);
      }
      notify(id, kNotifyClicked);
    });
  } else if (auto* edit = qobject_cast<QLineEdit*>(&widget)) {
    QObject::connect(edit, &QLineEdit::textEdited, &widgets_->receiver,
                     [this, id](const QString& text) { model_.state(id).text = text.toStdString(); });
    QObject::connect(edit, &QLineEdit::returnPressed, &widgets_->receiver, [this, id] {
      if (model_.commitsOnEnter(id)) {
        notify(id, kNotifyEnterPressed);
        focusMainWindow();
      }
    });
    edit->installEventFilter(&widgets_->receiver);
  } else if (auto* list = qobject_cast<QComboBox*>(&widget)) {
    QObject::connect(list, &QComboBox::activated, &widgets_->receiver, [this, id](int row) {
      model_.state(id).selection = row;
      notify(id, kNotifySelectionChanged);
    });
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(&widget)) {
    QObject::connect(slider, &QAbstractSlider::actionTriggered, &widgets_->receiver, [this, id](int action) {
      if (std::optional<ScrollCode> code = scrollCodeOf(action)) {
        reportScroll(id, *code);
      }
    });
    QObject::connect(slider, &QAbstractSlider::sliderReleased, &widgets_->receiver,
                     [this, id] { finishThumbDrag(id); });
  }
}

void QtUi::sendScroll(int id, ScrollCode code, int position) {
  if (events_.scrolled) {
    events_.scrolled(id, code, position);
  }
}

// A track bar moves itself before it reports; a scroll bar only reports and keeps its thumb where
// the program puts it, except that the thumb follows the mouse while the user drags it. A step or
// a page ends its scroll at once, a drag when the thumb is let go.
void QtUi::reportScroll(int id, ScrollCode code) {
  auto* slider = qobject_cast<QAbstractSlider*>(widget(id));
  const bool trackBar = model_.kind(id) == ControlKind::TrackBar;
  if (trackBar) {
    model_.state(id).position = slider->sliderPosition();
  }
  sendScroll(id, code, slider->sliderPosition());
  if (code == ScrollCode::ThumbTrack) {
    widgets_->draggedScrollBar = trackBar ? 0 : id;
    return;
  }
  {
    const QSignalBlocker blocker(slider);
    slider->setSliderPosition(model_.state(id).position);
  }
  sendScroll(id, ScrollCode::EndScroll, model_.state(id).position);
}

void QtUi::finishThumbDrag(int id) {
  auto* slider = qobject_cast<QAbstractSlider*>(widget(id));
  if (model_.kind(id) == ControlKind::TrackBar) {
    model_.state(id).position = slider->sliderPosition();
  }
  widgets_->draggedScrollBar = 0;
  sendScroll(id, ScrollCode::ThumbPosition, slider->sliderPosition());
  sendScroll(id, ScrollCode::EndScroll, model_.state(id).position);
  mirror(id);
}

void QtUi::createMenuItem(const MenuItemSpec& spec) {
  model_.add(spec);
  QMenu*& menu = widgets_->menus[std::string(spec.menu)];
  if (!menu) {
    menu = window_.menuBar()->addMenu(toQString(spec.menu));
  }
  if (spec.separatorBefore) {
    menu->addSeparator();
  }
  QAction* action = menu->addAction(toQString(spec.caption));
  action->setCheckable(spec.checkMark);
  widgets_->actions[spec.id] = action;
  const int id = spec.id;
  // Qt toggles a checkable item by itself; the command decides its check mark, so the model's
  // state is put back before the command hears of the choice.
  QObject::connect(action, &QAction::triggered, &widgets_->receiver, [this, id] {
    mirror(id);
    notify(id, kNotifyClicked);
  });
  mirror(id);
}

void QtUi::mirror(int id) {
  const ControlState& state = model_.state(id);
  if (QAction* item = action(id)) {
    const QSignalBlocker blocker(item);
    item->setText(toQString(state.text));
    item->setEnabled(state.enabled);
    item->setVisible(state.visible);
    if (state.checked) {
      item->setCheckable(true);
    }
    item->setChecked(state.checked);
    return;
  }
  QWidget* control = widget(id);
  mirrorWidget(*control, state, model_.kind(id));
  const Rect& area = state.area;
  const bool list = qobject_cast<QComboBox*>(control) != nullptr;
  // A drop-down list's height is that of its open list; closed it is one row high.
  const int height = list ? std::min(area.height(), control->sizeHint().height()) : area.height();
  control->setGeometry(area.left, area.top, area.width(), height);
}

void QtUi::setControlText(int id, std::string_view text) {
  model_.state(id).text = text;
  mirror(id);
}

void QtUi::enableControl(int id, bool enabled) {
  model_.state(id).enabled = enabled;
  mirror(id);
}

void QtUi::showControl(int id, bool visible) {
  model_.state(id).visible = visible;
  mirror(id);
}

void QtUi::checkControl(int id, bool checked) {
  model_.state(id).checked = checked;
  mirror(id);
}

void QtUi::setControlRows(int id, std::vector<std::string> rows) {
  model_.setRows(id, std::move(rows));
  mirror(id);
}

void QtUi::selectControlRow(int id, int row) {
  model_.state(id).selection = row;
  mirror(id);
}

void QtUi::setControlRange(int id, int minimum, int maximum) {
  model_.setRange(id, minimum, maximum);
  mirror(id);
}

void QtUi::setControlPosition(int id, int position) {
  model_.state(id).position = position;
  if (widgets_->draggedScrollBar != id) {
    mirror(id);
  }
}

void QtUi::setControlPage(int id, int page) {
  model_.state(id).page = page;
  mirror(id);
}

void QtUi::placeControl(int id, Rect area) {
  model_.state(id).area = area;
  mirror(id);
}

void QtUi::focusMainWindow() {
  window_.setFocus(Qt::OtherFocusReason);
}

int QtUi::keyboardFocus() const {
  // The 3D view's own window holding the focus leaves the edit that had it without keys.
  const QWindow* focused = QGuiApplication::focusWindow();
  if (focused && focused != window_.windowHandle()) {
    return 0;
  }
  // An edit's inner widgets (a combo box's line edit) stand for the control that holds them.
  for (const QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
    const QVariant id = widget->property("controlId");
    if (id.isValid()) {
      return id.toInt();
    }
  }
  return 0;
}

void QtUi::hideCursor() {
  QApplication::setOverrideCursor(Qt::BlankCursor);
}

void QtUi::showCursor() {
  QApplication::restoreOverrideCursor();
}

void QtUi::moveCursor(int x, int y) {
  QCursor::setPos(client_.mapToGlobal(QPoint(x, y)));
}

void QtUi::closeMainWindow() {
  window_.close();
}

void QtUi::repaint() {
  client_.update();
}

void QtUi::setCursorShape(CursorShape shape) {
  const Qt::CursorShape wanted = shape == CursorShape::ResizeLeftRight ? Qt::SizeHorCursor : Qt::ArrowCursor;
  // Asked on every mouse move: the window system hears only of changes.
  if (client_.cursor().shape() != wanted) {
    client_.setCursor(wanted);
  }
}

QWidget* QtUi::widget(int id) const {
  auto found = widgets_->controls.find(id);
  return found == widgets_->controls.end() ? nullptr : found->second;
}

QAction* QtUi::action(int id) const {
  auto found = widgets_->actions.find(id);
  return found == widgets_->actions.end() ? nullptr : found->second;
}

}  // namespace zv::port
