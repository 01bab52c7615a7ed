// Deleting keys. A deleted key's record is unlinked and returned to the free records with the
// head values; a selected head cannot go and is reset to the head values instead. A deleted bone
// key keeps its curves, a deleted camera key its view angle and projection.
#pragma once

#include "scene/document/message.h"
#include "scene/document/scene.h"

namespace zv {

// The selected keys of the current mode: the current model's bone, morph and display/IK pools
// in model mode; the camera, light and every accessory pool in camera mode. When a bone key is
// selected the bone pool's observer is told of the edit first; after each bone key goes, the
// automatic curves are redone on the key that followed it (or preceded it, when it was last).
// Returns the number of keys removed (heads reset are not counted).
int deleteSelectedKeys(Scene& scene);

// The model-mode form on one model.
int deleteSelectedModelKeys(Scene& scene, Model& model);

// The selected keys of the model's bone pool alone, as deleteSelectedModelKeys deletes them.
int deleteSelectedBoneKeys(Scene& scene, Model& model);

// Removes every bone key whose rotation and translation equal exactly those of both of its
// neighbours (bones of type 5 or below; curves are not compared). The selection of the model's
// bone and morph keys is lost; display and IK keys are neither examined nor deleted. Callers that
// poll the keyboard mark Enter as pressed first.
struct UnneededKeyDeletion {
  int removed = 0;
  Message report;  // the count, "%d個のポイントを削除しました", to show whatever it is
};
UnneededKeyDeletion deleteUnneededBoneKeys(Scene& scene, Model& model);

}  // namespace zv
