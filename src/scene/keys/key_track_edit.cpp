#include "scene/keys/key_track_edit.h"

#include <string>

namespace zv {

Message keyPoolFullMessage(std::uint32_t capacity) {
  return {"登録ポイント数が" + std::to_string(capacity) +
              "個を越えました\nこれ以上の登録は行えません\n「ﾌﾚｰﾑ編集」の「不要ﾌﾚｰﾑ削除」を実行して下さい",
          "ﾌﾚｰﾑ登録"};
}

void resetToHeadValues(BoneKey& key, const BoneKey& headValues) {
  const auto curves = key.curves;
  writeKeyValues(key, headValues);
  key.curves = curves;
  key.selected = false;
}

void resetToHeadValues(CameraKey& key, const CameraKey& headValues) {
  const std::int32_t viewAngle = key.viewAngle;
  const bool orthographic = key.orthographic;
  writeKeyValues(key, headValues);
  key.viewAngle = viewAngle;
  key.orthographic = orthographic;
  key.selected = false;
}

}  // namespace zv
