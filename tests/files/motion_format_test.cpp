#include "files/motion/motion_format.h"

#include <gtest/gtest.h>

#include "motion_test_bytes.h"
#include "port/text.h"

namespace zv {
namespace {

MotionFile parsed(const std::string& bytes) {
  MotionFile motion;
  EXPECT_TRUE(parseMotion(bytes, motion));
  return motion;
}

TEST(MotionFormat, BoneCurvesRoundTripThroughTheShiftedRows) {
  MotionFile motion;
  MotionBoneRecord bone;
  bone.name = "b";
  for (int channel = 0; channel < kBoneChannelCount; ++channel) {
    bone.curves.setCurve(channel,
                         {static_cast<std::uint8_t>(channel + 1), static_cast<std::uint8_t>(channel + 11),
                          static_cast<std::uint8_t>(channel + 21), static_cast<std::uint8_t>(channel + 31)});
  }
  motion.bones.push_back(bone);
  const std::string bytes = motionBytes(motion);
  const std::string_view block = std::string_view(bytes).substr(54 + 47, 64);
  // Row 1 is the sequence shifted by one: x1[1..3], y1[0..3], x2[0..3], y2[0..3], 1.
  EXPECT_EQ(static_cast<int>(block[16]), 2);
  EXPECT_EQ(static_cast<int>(block[19]), 11);
  EXPECT_EQ(static_cast<int>(block[31]), 1);
  EXPECT_EQ(static_cast<int>(block[63]), 0);
  EXPECT_EQ(parsed(bytes).bones.at(0).curves, bone.curves);
}

TEST(MotionFormat, CameraCurvesAreStoredX1X2Y1Y2) {
  MotionFile motion;
  MotionCameraRecord camera;
  camera.curves.setCurve(kCameraViewAngle, {1, 2, 3, 4});
  camera.viewAngle = -7;
  camera.orthographic = true;
  motion.cameras.push_back(camera);
  const std::string bytes = motionBytes(motion);
  ASSERT_EQ(bytes.size(), 30u + 20 + 4 + 4 + 4 + 61 + 4);
  const std::string_view record = std::string_view(bytes).substr(62, 61);
  EXPECT_EQ(record.substr(32 + 20, 4), std::string_view("\x01\x03\x02\x04", 4));
  EXPECT_EQ(static_cast<int>(record[60]), 1);
  const MotionCameraRecord back = parsed(bytes).cameras.at(0);
  EXPECT_EQ(back.curves, camera.curves);
  EXPECT_EQ(back.viewAngle, -7);
  EXPECT_TRUE(back.orthographic);
}

TEST(MotionFormat, VersionOneHasATenByteNameAndOneCameraCurve) {
  test::MotionBytes file;
  file.header(1, "0123456789").u32(1).bone("arm", 3, 1.5f).u32(0).u32(1).cameraV1(4, -20, 10, 30, 50, 70);
  file.u32(1).light(2, 0.75f);
  const MotionFile motion = parsed(file.bytes);
  EXPECT_EQ(motion.version, 1);
  EXPECT_EQ(motion.name, "0123456789");
  ASSERT_EQ(motion.bones.size(), 1u);
  EXPECT_EQ(motion.bones[0].frame, 3u);
  EXPECT_EQ(motion.bones[0].translation.x, 1.5f);
  ASSERT_EQ(motion.cameras.size(), 1u);
  for (int channel = 0; channel < kCameraChannelCount; ++channel) {
    EXPECT_EQ(motion.cameras[0].curves.curve(channel), (InterpolationCurve{10, 50, 30, 70}));
  }
  EXPECT_EQ(motion.cameras[0].viewAngle, 45);
  EXPECT_FALSE(motion.cameras[0].orthographic);
  EXPECT_EQ(motion.cameras[0].centre.z, 3.0f);
  ASSERT_EQ(motion.lights.size(), 1u);
  EXPECT_EQ(motion.lights[0].colour.x, 0.75f);
  EXPECT_EQ(motion.end, MotionEnd::Complete);
}

TEST(MotionFormat, KeyNamesStopAtFifteenBytesNulOrNewline) {
  test::MotionBytes file;
  file.header(2, "m").u32(3).bone("fifteen_bytes_x", 0, 0).bone(std::string_view("ab\0cd", 5), 0, 0);
  file.bone("line\nrest", 0, 0).u32(0);
  const MotionFile motion = parsed(file.bytes);
  ASSERT_EQ(motion.bones.size(), 3u);
  EXPECT_EQ(motion.bones[0].name, "fifteen_bytes_x");
  EXPECT_EQ(motion.bones[1].name, "ab");
  EXPECT_EQ(motion.bones[2].name, "line");
  EXPECT_EQ(motion.end, MotionEnd::BeforeCameras);
  // A name that fills its field is written without terminator, and a longer one is cut.
  MotionFile out;
  out.bones.push_back({"sixteen_bytes_xy", 0, {}, {}, {}});
  EXPECT_EQ(motionBytes(out).substr(54, 16), "sixteen_bytes_x" + std::string(1, '\0'));
}

TEST(MotionFormat, RefusesOtherMagicsAndStopsWhereTheBytesRunOut) {
  MotionFile motion;
  EXPECT_FALSE(parseMotion("", motion));
  EXPECT_FALSE(parseMotion("Vocaloid Motion Data 0003", motion));
  EXPECT_FALSE(parseMotion(std::string("Vocaloid Motion Data 0002", 25), motion));

  test::MotionBytes header;
  header.header(2, "m");
  EXPECT_EQ(parsed(header.bytes.substr(0, 40)).end, MotionEnd::InHeader);
  EXPECT_EQ(parsed(header.bytes).end, MotionEnd::InBones);

  // A count far beyond the bytes keeps the records that are whole and allocates nothing more.
  test::MotionBytes huge = header;
  huge.u32(0xFFFFFFFF).bone("a", 1, 0).bone("b", 2, 0);
  huge.bytes += "partial";
  const MotionFile cut = parsed(huge.bytes);
  EXPECT_EQ(cut.end, MotionEnd::InBones);
  EXPECT_EQ(cut.bones.size(), 2u);
  EXPECT_LE(cut.bones.capacity(), 3u);

  test::MotionBytes morphs = header;
  morphs.u32(0).u32(2).morph("x", 1, 0.5f);
  EXPECT_EQ(parsed(morphs.bytes).end, MotionEnd::InMorphs);
  morphs.morph("y", 1, 0.5f).u32(3);
  EXPECT_EQ(parsed(morphs.bytes).end, MotionEnd::InCameras);
  morphs = header;
  morphs.u32(0).u32(0).u32(0);
  EXPECT_EQ(parsed(morphs.bytes).end, MotionEnd::BeforeLights);
  morphs.u32(1);
  EXPECT_EQ(parsed(morphs.bytes).end, MotionEnd::InLights);
}

TEST(MotionFormat, CameraFilesCarryTheCameraAndLightName) {
  EXPECT_EQ(cameraMotionName(), port::utf8ToCp932("カメラ・照明"));
}

}  // namespace
}  // namespace zv
