// HeadlessUi answering form and slider dialogs as a person would in the real ones.
#include <gtest/gtest.h>

#include <stdexcept>

#include "port/headless_ui.h"

namespace zv::port {
namespace {

FormField field(int id, FormFieldKind kind, std::string text = {}) {
  FormField made;
  made.id = id;
  made.kind = kind;
  made.text = std::move(text);
  return made;
}

FormRequest rangeForm() {
  FormField start = field(1, FormFieldKind::Edit, "5");
  FormField locked = field(2, FormFieldKind::Edit, "512");
  locked.enabled = false;
  FormField music = field(3, FormFieldKind::CheckBox);
  FormField codec = field(4, FormFieldKind::Choice);
  codec.rows = {"a", "b"};
  FormRequest request;
  request.caption = "range";
  request.fields = {start, locked, music, codec};
  request.refuse = [](const std::vector<FormField>& fields) -> std::optional<FormRefusal> {
    if (formField(fields, 1).text == "bad") {
      return FormRefusal{"no", "WARNING"};
    }
    return std::nullopt;
  };
  return request;
}

FormAnswer answer(std::string start, bool music, int codec) {
  FormAnswer given;
  given.texts = {{1, std::move(start)}, {2, "640"}};
  given.checks = {{3, music}};
  given.selections = {{4, codec}};
  return given;
}

TEST(FormDialog, ARefusalKeepsTheDialogOpenWithWhatWasTypedUntilOkPassesOrCancel) {
  HeadlessUi ui;
  FormAnswer changeNothing;
  FormAnswer correct;
  correct.texts = {{1, "6"}};
  ui.formAnswers = {answer("bad", true, 1), changeNothing, correct};
  const auto fields = ui.formDialog(rangeForm());
  ASSERT_TRUE(fields);
  // OK again on the same text is refused again; what was typed and checked before stays.
  ASSERT_EQ(ui.messages.size(), 2u);
  EXPECT_EQ(ui.messages[0].owner, MessageOwner::Dialog);
  EXPECT_EQ(ui.messages[0].caption, "WARNING");
  EXPECT_EQ(formField(*fields, 1).text, "6");
  EXPECT_TRUE(formField(*fields, 3).checked);
  EXPECT_EQ(ui.forms.size(), 1u);
  EXPECT_EQ(formField(ui.forms[0].fields, 1).text, "5");

  ui.formAnswers = {answer("bad", true, 1)};
  EXPECT_FALSE(ui.formDialog(rangeForm()));  // refused, then nobody answers: cancelled
}

TEST(FormDialog, DisabledFieldsTakeNoInputAndChoicesStayWithinTheirRows) {
  HeadlessUi ui;
  ui.formAnswers = {answer("7", true, 9)};
  const auto fields = ui.formDialog(rangeForm());
  ASSERT_TRUE(fields);
  EXPECT_EQ(formField(*fields, 1).text, "7");
  EXPECT_EQ(formField(*fields, 2).text, "512");
  EXPECT_TRUE(formField(*fields, 3).checked);
  EXPECT_EQ(formField(*fields, 4).selection, 1);
  EXPECT_THROW(formField(*fields, 99), std::logic_error);

  FormAnswer cancel;
  cancel.ok = false;
  ui.formAnswers = {cancel, answer("8", false, 0)};
  EXPECT_FALSE(ui.formDialog(rangeForm()));
  EXPECT_EQ(ui.formAnswers.size(), 1u);
}

TEST(SliderDialog, TheTrackBarAndTheEditAnswerEachOtherWithinTheRange) {
  HeadlessUi ui;
  EXPECT_THROW(ui.slideDialog(3), std::logic_error);
  int closings = 0;
  SliderDialogRequest request;
  request.maximum = 200;
  request.position = 100;
  request.text = "1";
  request.moved = [](int position) { return std::to_string(position); };
  request.entered = [](std::string_view text) { return std::stoi(std::string(text)) * 10; };
  request.closed = [&] { ++closings; };
  ui.openSliderDialog(request);
  ui.slideDialog(250);
  EXPECT_EQ(ui.sliderDialog->position, 200);
  EXPECT_EQ(ui.sliderDialog->text, "200");
  ui.typeInSliderDialog("-3");
  ui.pressEnterInSliderDialog();
  EXPECT_EQ(ui.sliderDialog->position, 0);
  ui.closeSliderDialog();
  EXPECT_FALSE(ui.sliderDialog);
  EXPECT_EQ(closings, 1);
  EXPECT_THROW(ui.closeSliderDialog(), std::logic_error);
}

}  // namespace
}  // namespace zv::port
