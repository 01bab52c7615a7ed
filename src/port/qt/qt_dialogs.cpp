#include "port/qt/qt_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>
#include <memory>

namespace zv::port {
namespace {

QString toQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString fieldName(const FormField& field) {
  return QString("field%1").arg(field.id);
}

QWidget* makeEdit(const FormField& field, QWidget& dialog) {
  auto* edit = new QLineEdit(toQString(field.text), &dialog);
  edit->setObjectName(fieldName(field));
  edit->setEnabled(field.enabled);
  if (field.unit.empty()) {
    return edit;
  }
  auto* row = new QWidget(&dialog);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(edit);
  layout->addWidget(new QLabel(toQString(field.unit), row));
  return row;
}

QWidget* makeChoice(const FormField& field, QWidget& dialog) {
  auto* list = new QComboBox(&dialog);
  list->setObjectName(fieldName(field));
  for (const std::string& row : field.rows) {
    list->addItem(toQString(row));
  }
  list->setCurrentIndex(field.selection);
  list->setEnabled(field.enabled);
  return list;
}

void addField(QFormLayout& form, const FormField& field, QWidget& dialog) {
  switch (field.kind) {
    case FormFieldKind::Edit:
      form.addRow(toQString(field.label), makeEdit(field, dialog));
      return;
    case FormFieldKind::Choice:
      form.addRow(toQString(field.label), makeChoice(field, dialog));
      return;
    case FormFieldKind::CheckBox:
      break;
  }
  auto* box = new QCheckBox(toQString(field.label), &dialog);
  box->setObjectName(fieldName(field));
  box->setChecked(field.checked);
  box->setEnabled(field.enabled);
  form.addRow(box);
}

// The fields as the widgets hold them now.
std::vector<FormField> readFields(const QDialog& dialog, std::vector<FormField> fields) {
  for (FormField& field : fields) {
    QWidget* widget = dialog.findChild<QWidget*>(fieldName(field));
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
      field.text = edit->text().toStdString();
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
      field.checked = box->isChecked();
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
      field.selection = std::max(0, list->currentIndex());
    }
  }
  return fields;
}

QDialogButtonBox* makeButtons(QDialog& dialog) {
  auto* buttons = new QDialogButtonBox(&dialog);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("ok");
  ok->setDefault(true);
  buttons->addButton("ｷｬﾝｾﾙ", QDialogButtonBox::RejectRole)->setObjectName("cancel");
  return buttons;
}

}  // namespace

std::optional<std::vector<FormField>> runFormDialog(QWidget* owner, const FormRequest& request,
                                                    const RefusalBox& showRefusal) {
  QDialog dialog(owner);
  dialog.setWindowTitle(toQString(request.caption));
  dialog.setModal(true);
  auto* layout = new QVBoxLayout(&dialog);
  auto* form = new QFormLayout;
  layout->addLayout(form);
  for (const FormField& field : request.fields) {
    addField(*form, field, dialog);
  }
  QDialogButtonBox* buttons = makeButtons(dialog);
  layout->addWidget(buttons);
  std::vector<FormField> accepted;
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
    std::vector<FormField> fields = readFields(dialog, request.fields);
    if (const std::optional<FormRefusal> refusal = request.refuse ? request.refuse(fields) : std::nullopt) {
      showRefusal(dialog, *refusal);
      return;
    }
    accepted = std::move(fields);
    dialog.accept();
  });
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  return accepted;
}

void showSliderDialog(QWidget& owner, SliderDialogRequest request) {
  auto* dialog = new QDialog(&owner);
  dialog->setWindowTitle(toQString(request.caption));
  auto* layout = new QVBoxLayout(dialog);
  auto* row = new QHBoxLayout;
  layout->addLayout(row);
  row->addWidget(new QLabel(toQString(request.label), dialog));
  auto* slider = new QSlider(Qt::Horizontal, dialog);
  slider->setObjectName("slider");
  slider->setRange(request.minimum, request.maximum);
  slider->setTickInterval(request.tickInterval);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setValue(request.position);
  row->addWidget(slider);
  auto* edit = new QLineEdit(toQString(request.text), dialog);
  edit->setObjectName("edit");
  row->addWidget(edit);
  layout->addWidget(new QLabel(toQString(request.scaleLabel), dialog));
  auto callbacks = std::make_shared<SliderDialogRequest>(std::move(request));
  QObject::connect(slider, &QSlider::valueChanged, dialog, [callbacks, edit](int position) {
    if (callbacks->moved) {
      edit->setText(toQString(callbacks->moved(position)));
    }
  });
  QObject::connect(edit, &QLineEdit::returnPressed, dialog, [callbacks, edit, slider] {
    if (callbacks->entered) {
      const QSignalBlocker blocker(slider);
      slider->setValue(callbacks->entered(edit->text().toStdString()));
    }
  });
  QObject::connect(dialog, &QDialog::finished, dialog, [callbacks, dialog] {
    dialog->deleteLater();
    if (callbacks->closed) {
      callbacks->closed();
    }
  });
  dialog->show();
}

}  // namespace zv::port
