// A loaded character model: the records of its .tsm file plus the live state that posing,
// sampling, the timeline and the panels keep per model. Plain data; the model reader
// (model_reader.h) fills it, and every array is sized by its count as read.
// Texts are CP932 bytes exactly as the file holds them (no terminator kept).
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "scene/document/math.h"
#include "scene/keys/key_pool.h"
#include "scene/undo/undo_history.h"

namespace zv {

inline constexpr std::size_t kModelNameSize = 20;  // model, bone, morph and texture name fields
inline constexpr std::size_t kModelCommentSize = 256;
inline constexpr std::size_t kGroupNameSize = 50;  // bone group names of the timeline
inline constexpr int kMorphCategoryCount = 4;      // eyebrow, eye, lip, other

// Bone types the animation gives behaviour to; every other value is a plain rotating bone.
inline constexpr std::uint8_t kBoneTypeRotateMove = 1;  // 1 and 2 take translation from keys
inline constexpr std::uint8_t kBoneTypeMove = 2;
inline constexpr std::uint8_t kBoneTypeIkReset = 4;       // IK rotation reset to identity before each solve
inline constexpr std::uint8_t kBoneTypeLinked = 5;        // adds the linked bone's keyed rotation
inline constexpr std::uint8_t kBoneTypeFirstUnkeyed = 6;  // 6 and above have no keyframe track

// Red, green, blue, alpha in 0..1: one colour of the device's material block.
struct ColourRgba {
  float r = 0, g = 0, b = 0, a = 0;
  bool operator==(const ColourRgba&) const = default;
};

// One entry of the model vertex buffer (position-normal-uv layout, 32 bytes as the device takes
// it). The reader fills u, v; skinning writes position and normal every frame.
struct MeshVertex {
  Vec3 position;
  Vec3 normal;
  float u = 0, v = 0;
};

// One entry of the outline (edge) vertex buffer (position-reserved-diffuse-specular-uv layout,
// 32 bytes as the device takes it).
// The reader sets the colours; skinning writes the position every frame.
struct EdgeVertex {
  Vec3 position;
  std::uint32_t reserved = 0;
  std::uint32_t diffuse = 0xFF000000;  // ARGB, opaque black outline
  std::uint32_t specular = 0;          // ARGB
  float u = 0, v = 0;
};

static_assert(sizeof(MeshVertex) == 32 && sizeof(EdgeVertex) == 32,
              "the device buffers take these bytes as they are");

// The skinning input of one vertex, as read.
struct SourceVertex {
  Vec3 position;                 // model space, rest pose; morphs overwrite it every frame
  Vec3 normal;                   // model space, rest pose
  std::uint16_t firstBone = 0;   // bone index
  std::uint16_t secondBone = 0;  // bone index
  std::uint8_t firstBoneWeight =
      0;                // percent 0..100 (larger file values are clamped); the second bone gets the rest
  bool noEdge = false;  // the vertex carries no outline (file edge flag non-zero)
};

struct Material {
  // Colour block in the device's material layout.
  ColourRgba diffuse;            // file diffuse r, g, b and alpha
  ColourRgba ambient;            // equal to diffuse, alpha included
  ColourRgba specular;           // file specular r, g, b; a = 0
  ColourRgba emissive;           // the file's ambient r, g, b; a = 0
  float power = 0;               // specular power
  std::string textureName;       // CP932, relative to the model file's folder; empty for none
  std::uint32_t indexCount = 0;  // length of this material's run of the index list (runs follow file order)
  std::int8_t toonIndex = -1;    // 0..9 selects a toon ramp, -1 none
  bool edge = false;             // the material's triangles are outlined
};

struct Bone {
  std::string name;          // CP932, at most 20 bytes
  std::int16_t parent = -1;  // bone index, -1 for a root; may follow the child (posed in index order)
  Mat4 globalTransform;      // model space pose, written by posing
  Mat4 globalRotation;       // rotation part of globalTransform (translation row zero)
  Mat4 parentRotation;       // the parent's globalRotation, used by IK; identity at load
  Vec3 head;                 // rest position in model space, from the file
  Vec3 keyTranslation;       // live offset from the rest position (sampled or edited); zero at load
  Quat keyRotation;          // live rotation relative to the rest pose; identity at load
  Quat ikRotation;           // rotation the IK solver adds; identity at load
  Mat4 ikTransform;          // IK working transform
  Mat4 ikRotationMatrix;     // IK working rotation
  float screenX = 0;         // projected head on the view in pixels, written when bones are drawn
  float screenY = 0;
  std::uint16_t tail = 0;        // bone index this bone points at
  std::uint8_t type = 0;         // see the kBoneType constants
  std::uint16_t linkedBone = 0;  // for type 5: the bone whose keyed rotation is added
};

struct IkChain {
  std::uint16_t ikBone = 0;               // bone whose position is the goal
  std::uint16_t effector = 0;             // end bone moved onto the goal
  std::vector<std::uint16_t> chainBones;  // joints from the one nearest the effector upward; at most 255
  std::uint16_t iterations = 0;
  bool enabled = true;    // driven by the display and IK track
  float angleWeight = 0;  // per-step rotation limit factor
};

struct MorphVertex {
  std::uint32_t index = 0;  // base morph: a model vertex; other morphs: an entry of the base morph
  Vec3 position;            // base morph: absolute position; other morphs: offset at full weight
};

struct Morph {
  std::string name;           // CP932, at most 20 bytes
  float weight = 0;           // live weight 0..1
  std::uint8_t category = 0;  // 0 base; 1 eyebrow, 2 eye, 3 lip, 4 other
  std::vector<MorphVertex> vertices;
};

// A morph row of the timeline.
struct MorphListEntry {
  std::string name;        // copied from the morph
  std::uint8_t shown = 1;  // always 1 at load
  std::uint16_t morphIndex = 0;
};

// A bone group of the timeline; the reader puts its own groups first.
struct GroupName {
  std::string name;   // CP932, at most 50 bytes
  bool open = false;  // expanded on the timeline
};

// A bone row of the timeline.
struct BoneListEntry {
  std::string name;         // copied from the bone
  std::uint16_t group = 0;  // index into Model::groupNames (wide: up to 258 groups exist)
  std::uint16_t boneIndex = 0;
};

// One bone's posed matrices as skinning reads them: copied side by side each frame so that the
// vertex loop finds both with one shift and loads every row aligned.
struct alignas(16) SkinningMatrices {
  Mat4 transform;  // the bone's globalTransform
  Mat4 rotation;   // the bone's globalRotation
};

// Device-side buffers of a drawn model; defined and created by the renderer.
struct ModelDeviceResources;

struct Model {
  std::string name;                // CP932, at most 20 bytes
  std::string comment;             // CP932, at most 256 bytes
  std::filesystem::path filePath;  // the file the model was finally opened from

  // Geometry.
  std::vector<MeshVertex> modelVertices;  // one per vertex
  std::vector<EdgeVertex> edgeVertices;   // one per vertex
  std::vector<SourceVertex> sourceVertices;
  std::vector<std::uint16_t> indices;  // triangle list, values < vertex count
  std::vector<Material> materials;     // their index runs cover at most the whole index list
  std::vector<Vec3> baseMorphRest;     // positions of the base morph's entries as read

  std::vector<Bone> bones;  // at least one
  std::vector<IkChain> ikChains;
  std::vector<Morph> morphs;  // fewer than 20,000; morph 0 is the base when present

  // Skinning's copy of the bones' posed matrices, one per bone, refilled every frame.
  std::vector<SkinningMatrices> skinningMatrices;

  // Timeline rows.
  std::vector<MorphListEntry> morphList;
  std::vector<GroupName> groupNames;
  std::vector<BoneListEntry> boneList;

  // Sampling state: per track the pool index of the key last passed and whether it is animated.
  std::vector<std::uint32_t> boneKeyCursors;
  std::vector<std::uint8_t> boneTrackActive;
  std::vector<std::uint32_t> morphKeyCursors;
  std::vector<std::uint8_t> morphTrackActive;
  std::uint32_t displayIkKeyCursor = 0;
  bool displayIkTrackActive = false;

  // Row in the model list and in the props' parent list; 0 (the camera row) until listed.
  std::int32_t listIndex = 0;
  bool semiTransparent = false;            // drawn at half alpha; follows the scene's translucent switch
  bool visible = false;                    // drawn; set when loading completes
  std::vector<std::uint8_t> boneSelected;  // 1 per selected bone; bone 0 selected at load
  std::vector<std::uint8_t> boneMoved;     // 1 when posed by hand since last registered
  std::int32_t selectedBone = 0;           // bone the pose editor works on, -1 none
  std::array<std::int32_t, kMorphCategoryCount> selectedMorph{};  // per category, 0 until chosen
  std::vector<std::uint32_t> boneWork;                            // scratch words of the timeline and panels
  std::vector<std::uint32_t> morphWork;
  std::uint32_t lastFrame = 0;  // highest frame that ever held a key of this model
  std::int32_t rowScroll = 0;   // frame-editor rows scrolled past below the fixed first row

  // Key pools (createModelKeyPools): the head of bone b is bone key b, of morph m morph key m;
  // the display and IK track has head 0.
  KeyPool<BoneKey> boneKeyPool;
  KeyPool<MorphKey> morphKeyPool;
  KeyPool<DisplayIkKey> displayIkKeyPool;

  UndoHistory undoHistory;  // the last 30 edits of the bone pose and bone keys (undo.h)

  std::shared_ptr<ModelDeviceResources> deviceResources;  // null until the renderer creates them
};

}  // namespace zv
