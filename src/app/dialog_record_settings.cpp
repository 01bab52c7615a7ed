// The AVI export's settings and its codec choice.
#include <algorithm>

#include "app/dialog_forms.h"
#include "app/playback_clock.h"
#include "app/small_dialogs.h"
#include "media/avi_export.h"
#include "media/avi_export_timing.h"
#include "ui/control_ids.h"

namespace zv {
namespace {

constexpr int kStartEdit = 509;
constexpr int kEndEdit = 510;
constexpr int kRateEdit = 511;
constexpr int kWidthEdit = 512;
constexpr int kHeightEdit = 513;
constexpr int kWaveCheck = 514;
constexpr int kFastCheck = 520;

constexpr int kCodecList = 1;
constexpr int kKeyFrameEdit = 2;
constexpr int kDataRateEdit = 3;

port::FormField checkField(int id, std::string_view label, bool checked, bool enabled) {
  port::FormField field;
  field.id = id;
  field.kind = port::FormFieldKind::CheckBox;
  field.label = label;
  field.checked = checked;
  field.enabled = enabled;
  return field;
}

port::FormField sizeField(int id, std::string_view label, int pixels) {
  port::FormField field = editField(id, label, printedNumber("%5d", pixels));
  field.unit = "Pixel";
  field.enabled = false;
  return field;
}

std::string frameBoxText(const port::Ui& ui, int box) {
  return ui.control(box).text.substr(0, kFrameBoxChars);
}

std::optional<port::FormRefusal> refusal(const std::vector<port::FormField>& fields) {
  const std::int32_t start = dialogInteger(fieldText(fields, kStartEdit));
  const std::int32_t end = dialogInteger(fieldText(fields, kEndEdit));
  if (start < 0 || end < 0) {
    return port::FormRefusal{std::string(kRecordNegativeWarning), std::string(kRecordWarningCaption)};
  }
  if (end < start) {
    return port::FormRefusal{std::string(kRecordRangeWarning), std::string(kRecordWarningCaption)};
  }
  if (!recordFrameRateAcceptable(dialogFloat(fieldText(fields, kRateEdit)))) {
    return port::FormRefusal{std::string(kExportRateMessage), std::string(kRecordWarningCaption)};
  }
  return std::nullopt;
}

int codecRow(const std::vector<port::VideoCodecInfo>& codecs, port::VideoCodec codec) {
  const auto found = std::ranges::find(codecs, codec, &port::VideoCodecInfo::codec);
  return found == codecs.end() ? 0 : static_cast<int>(found - codecs.begin());
}

std::string optionalNumber(int value) {
  return value > 0 ? std::to_string(value) : std::string();
}

}  // namespace

bool askRecordSettings(Scene& scene, port::Ui& ui, bool wavLoaded) {
  port::FormField rate = editField(kRateEdit, "フレームレート", "30");
  rate.unit = "fps";
  const auto fields = ui.formDialog({"AVI出力設定",
                                     port::MessageOwner::None,
                                     {sizeField(kWidthEdit, "録画サイズ(横)", scene.outputWidth),
                                      sizeField(kHeightEdit, "録画サイズ(縦)", scene.outputHeight), rate,
                                      editField(kStartEdit, "録画開始ﾌﾚｰﾑ", frameBoxText(ui, kStartFrameBox)),
                                      editField(kEndEdit, "録画終了ﾌﾚｰﾑ", frameBoxText(ui, kStopFrameBox)),
                                      checkField(kWaveCheck, "WAVE出力", wavLoaded, wavLoaded),
                                      checkField(kFastCheck, "Vista用高速出力", false, scene.isVistaOrLater)},
                                     refusal});
  if (!fields) {
    return false;
  }
  scene.recordStartFrame = static_cast<std::uint32_t>(dialogInteger(fieldText(*fields, kStartEdit)));
  scene.recordEndFrame = static_cast<std::uint32_t>(dialogInteger(fieldText(*fields, kEndEdit)));
  scene.recordFrameRate = dialogFloat(fieldText(*fields, kRateEdit));
  scene.recordWave = port::formField(*fields, kWaveCheck).checked;
  scene.fastOutput = port::formField(*fields, kFastCheck).checked;
  return true;
}

std::optional<port::VideoCodecChoice> askVideoCodec(port::Ui& ui, const port::VideoCodecChoice& previous) {
  const std::vector<port::VideoCodecInfo> codecs = port::availableVideoCodecs();
  port::FormField list;
  list.id = kCodecList;
  list.kind = port::FormFieldKind::Choice;
  list.label = "圧縮形式";
  for (const port::VideoCodecInfo& codec : codecs) {
    list.rows.emplace_back(codec.label);
  }
  list.selection = codecRow(codecs, previous.codec);
  port::FormField keyFrames =
      editField(kKeyFrameEdit, "キーフレーム間隔", optionalNumber(previous.keyFrameInterval));
  keyFrames.unit = "フレーム";
  port::FormField dataRate = editField(kDataRateEdit, "データレート", optionalNumber(previous.dataRate));
  dataRate.unit = "バイト/秒";
  const auto fields =
      ui.formDialog({"ビデオの圧縮", port::MessageOwner::None, {list, keyFrames, dataRate}, {}});
  if (!fields || codecs.empty()) {
    return std::nullopt;
  }
  const int row =
      std::clamp(port::formField(*fields, kCodecList).selection, 0, static_cast<int>(codecs.size()) - 1);
  return port::VideoCodecChoice{codecs[static_cast<std::size_t>(row)].codec,
                                std::max(0, dialogInteger(fieldText(*fields, kKeyFrameEdit))),
                                std::max(0, dialogInteger(fieldText(*fields, kDataRateEdit)))};
}

}  // namespace zv
