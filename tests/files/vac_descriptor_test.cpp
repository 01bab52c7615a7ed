#include "files/x/vac_descriptor.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(VacDescriptor, ReadsSevenLinesWithEitherLineEnd) {
  for (std::string_view end : {"\r\n", "\n"}) {
    std::string text;
    for (std::string_view line :
         {"Stool prop", "stool\\stool.x", " 1.5", "0.5, -2,3e1", "0.1,0.2,0.3 radians", "whatever", "0"}) {
      text += std::string(line) + std::string(end);
    }
    VacParseResult parsed = parseVacDescriptor(text);
    ASSERT_TRUE(parsed.descriptor) << parsed.failure;
    const VacDescriptor& descriptor = *parsed.descriptor;
    EXPECT_EQ(descriptor.xFileName, "stool\\stool.x");
    EXPECT_EQ(descriptor.scale, 1.5f);
    EXPECT_EQ(descriptor.position, (Vec3{0.5f, -2, 30}));
    EXPECT_EQ(descriptor.rotation, (Vec3{0.1f, 0.2f, 0.3f}));
    EXPECT_TRUE(descriptor.shadow);
  }
}

TEST(VacDescriptor, OnlyZeroOnTheLastLineCastsAShadow) {
  const std::string head = "t\nprop.x\n1\n0,0,0\n0,0,0\n\n";
  EXPECT_TRUE(parseVacDescriptor(head + "0").descriptor->shadow);
  EXPECT_FALSE(parseVacDescriptor(head + "1\r\n").descriptor->shadow);
  EXPECT_FALSE(parseVacDescriptor(head + "-3").descriptor->shadow);
}

TEST(VacDescriptor, ALongFirstLineIsIgnoredWhole) {
  VacParseResult parsed = parseVacDescriptor(std::string(300, 'T') + "\nprop.x\n1\n0,0,0\n0,0,0\n\n1\n");
  ASSERT_TRUE(parsed.descriptor) << parsed.failure;
  EXPECT_EQ(parsed.descriptor->xFileName, "prop.x");
}

TEST(VacDescriptor, MalformedDescriptorsAreRefused) {
  for (std::string_view text :
       {"", "t\nprop.x\n1\n0,0,0\n0,0,0\n", "t\n\n1\n0,0,0\n0,0,0\n\n1", "t\nprop.x\nbig\n0,0,0\n0,0,0\n\n1",
        "t\nprop.x\n1\n0,0\n0,0,0\n\n1", "t\nprop.x\n1\n0,0,0\n0 ,0,0\n\n1",
        "t\nprop.x\n1\n0,0,0\n0,0,0\n\nno", "t\nprop.x\n1\n0,0,0\n0,0,0\n\n99999999999"}) {
    VacParseResult parsed = parseVacDescriptor(text);
    EXPECT_FALSE(parsed.descriptor) << text;
    EXPECT_FALSE(parsed.failure.empty()) << text;
  }
}

TEST(VacDescriptor, FormatReadsBack) {
  VacDescriptor descriptor{"lamp.x", 0.75f, {1.25f, 0, -3.5f}, {0, 1.5f, 0}, true};
  std::string text = formatVacDescriptor(descriptor, "Lamp");
  EXPECT_EQ(
      text,
      "Lamp\r\nlamp.x\r\n0.750000\r\n1.250000,0.000000,-3.500000\r\n0.000000,1.500000,0.000000\r\n\r\n0\r\n");
  EXPECT_EQ(parseVacDescriptor(text).descriptor, descriptor);
}

}  // namespace
}  // namespace zv
