// Posing composes with its own row-at-a-time product; it must give the bits of the plain product,
// signed zeros, tiny and huge values included, or posed models drift from the saved ones.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>
#include <random>

#include "anim/skeleton_pose.h"

namespace zv {
namespace {

bool sameBits(float a, float b) {
  return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b) ||
         (std::isnan(a) && std::isnan(b));
}

void expectSameBits(const Mat4& actual, const Mat4& expected) {
  for (int i = 0; i < 4; ++i) {
    for (int j = 0; j < 4; ++j) {
      ASSERT_TRUE(sameBits(actual.m[i][j], expected.m[i][j]))
          << "[" << i << "][" << j << "]: " << actual.m[i][j] << " vs " << expected.m[i][j];
    }
  }
}

// Half of the values drawn are signed zeros, ones, a denormal, a huge value or infinity.
class AwkwardFloats {
 public:
  explicit AwkwardFloats(unsigned seed) : engine_(seed) {}
  float operator()() {
    static constexpr float kAwkward[] = {0.0f,   -0.0f,  1.0f, -1.0f,
                                         1e-40f, -3e38f, 0.1f, std::numeric_limits<float>::infinity()};
    constexpr int kCount = static_cast<int>(std::size(kAwkward));
    const int choice = std::uniform_int_distribution<int>(0, 2 * kCount - 1)(engine_);
    return choice < kCount ? kAwkward[choice] : std::uniform_real_distribution<float>(-4.0f, 4.0f)(engine_);
  }

 private:
  std::mt19937 engine_;
};

TEST(Composed, GivesTheBitsOfThePlainProduct) {
  AwkwardFloats element(7);
  for (int round = 0; round < 20000; ++round) {
    SCOPED_TRACE(round);
    Mat4 a, b;
    for (int i = 0; i < 4; ++i) {
      for (int j = 0; j < 4; ++j) {
        a.m[i][j] = element();
        b.m[i][j] = element();
      }
    }
    expectSameBits(composed(a, b), a * b);
    if (testing::Test::HasFatalFailure()) {
      return;
    }
  }
}

// The local transform's products are inlined with the translations' constants in view; dropping a
// product with zero or an addition of zero would change signed zeros and infinities.
TEST(Composed, LocalTransformsGiveTheBitsOfThePlainProducts) {
  AwkwardFloats element(11);
  for (int round = 0; round < 20000; ++round) {
    SCOPED_TRACE(round);
    Bone bone;
    bone.head = {element(), element(), element()};
    bone.keyTranslation = {element(), element(), element()};
    Mat4 rotation = round % 2 == 0 ? toMatrix({element(), element(), element(), element()}) : Mat4{};
    for (int i = 0; i < 3 && round % 3 == 0; ++i) {
      rotation.m[i][i] = element();
    }
    const Mat4 plain = translation(Vec3{} - bone.head) * rotation * translation(bone.keyTranslation) *
                       translation(bone.head);
    expectSameBits(localTransform(bone, rotation), plain);
    if (testing::Test::HasFatalFailure()) {
      return;
    }
  }
}

TEST(Composed, TheDestinationMayBeAnInput) {
  Mat4 rotation = toMatrix({0.0f, -0.0f, 0.3826834f, 0.9238795f});
  Mat4 moved = composed(rotation, translation({-0.0f, 2.5f, -1.0f}));
  Mat4 expected = moved * rotation;
  moved = composed(moved, rotation);
  expectSameBits(moved, expected);
}

}  // namespace
}  // namespace zv
