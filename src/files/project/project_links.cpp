#include "files/project/project_links.h"

#include <optional>

#include "port/text.h"

namespace zv {
namespace {

// Walks the track headed by `head` and cuts it at the first unsound link; returns the frame of
// the key the track now ends at when it was cut.
template <typename Record>
std::optional<std::uint32_t> repairTrack(KeyPool<Record>& pool, std::uint32_t head) {
  if (pool[head].prev != 0) {
    Record record = pool[head];
    record.prev = 0;
    pool.put(head, std::move(record));
  }
  std::uint32_t current = head;
  while (true) {
    const Record& record = pool[current];
    const std::uint32_t next = record.next;
    if (next == 0) {
      return std::nullopt;
    }
    const bool sound = next < pool.capacity() && !pool.isHead(next) && pool[next].prev == current &&
                       pool[next].frame > record.frame;
    if (!sound) {
      Record cut = record;
      cut.next = 0;
      pool.put(current, std::move(cut));
      return record.frame;
    }
    current = next;
  }
}

std::string displayIkMessage(const std::string& model, std::uint32_t frame) {
  const std::string number = std::to_string(frame);
  return "\"" + model +
         "\"モデル、\"表示･IK\"のフレームデータに異常が見つかりました\n\n異常な\"表示･IK\"フレーム（フレーム"
         "番号" +
         number + "以降）を削除します\n申し訳ありませんが、" + model + "モデルの" + number +
         "フレーム以降の\"表示･IK\"を再度設定し直して下さい";
}

std::string boneMessage(const std::string& model, const std::string& bone, std::uint32_t frame) {
  const std::string number = std::to_string(frame);
  return "\"" + model + "\"モデル、ボーン\"" + bone +
         "\"のフレームデータに異常が見つかりました\n\n異常なフレーム(フレーム番号" + number +
         "以降)を削除します\n" + number + "フレーム以降の" + bone + "のモーションを再度設定し直して下さい";
}

void repairModel(Model& model, std::vector<ProjectMessage>& messages) {
  const std::string name = port::cp932ToUtf8(model.name);
  if (const auto frame = repairTrack(model.displayIkKeyPool, 0)) {
    messages.push_back({displayIkMessage(name, *frame), "表示･IKデータ異常"});
  }
  for (std::uint32_t bone = 0; bone < model.boneKeyPool.headCount(); ++bone) {
    if (const auto frame = repairTrack(model.boneKeyPool, bone)) {
      const std::string boneName = bone < model.bones.size() ? port::cp932ToUtf8(model.bones[bone].name) : "";
      messages.push_back({boneMessage(name, boneName, *frame), "セーブデータの異常"});
    }
  }
  for (std::uint32_t morph = 0; morph < model.morphKeyPool.headCount(); ++morph) {
    repairTrack(model.morphKeyPool, morph);
  }
}

}  // namespace

std::vector<ProjectMessage> repairProjectLinks(Scene& scene) {
  std::vector<ProjectMessage> messages;
  for (std::unique_ptr<Model>& model : scene.modelSlots) {
    if (model) {
      repairModel(*model, messages);
    }
  }
  repairTrack(scene.cameraKeyPool, 0);
  repairTrack(scene.lightKeyPool, 0);
  for (KeyPool<AccessoryKey>& pool : scene.accessoryKeyPools) {
    repairTrack(pool, 0);
  }
  return messages;
}

}  // namespace zv
