#include "files/sequence/sequence_dump.h"

#include <gtest/gtest.h>

#include "files/sequence/sequence_writer.h"
#include "port/text.h"

namespace zv {
namespace {

std::string oneTrackFile(std::string_view events, std::uint16_t division = 480) {
  return smfFile(division, {smfTrack(std::string(events) + smfEndOfTrack())});
}

TEST(SequenceDump, FormatsHeaderTempoKeyAndTextExactly) {
  std::string master = smfTempoEvent(0, 500000) + smfTempoEvent(1920, 250000);
  master += std::string("\x00\xFF\x59\x02\x03\x00", 6);  // three sharps, major
  master += std::string("\x00\xFF\x59\x02\xFE\x01", 6);  // two flats, minor
  master += std::string("\x00\xFF\x58\x04\x03\x02\x18\x08", 8);
  master += smfEndOfTrack();
  std::string voice = std::string("\x10\x90\x3C\x40", 4) + std::string("\x10\x80\x3C\x40", 4);
  voice += std::string("\x00\xB0\x07\x64", 4);
  voice += std::string("\x00\xFF\x03\x02Vo", 6);
  voice += std::string("\x00\xFF\x00\x02\x00\x01", 6);
  voice += smfMetatextEvents("[Common]\nName=a\n");
  voice += std::string("\x00\xFF\x01\x0A", 4) + "DM:0001:b\n";
  voice += smfEndOfTrack();
  const SequenceDump dump = dumpSequence(smfFile(960, {smfTrack(master), smfTrack(voice)}));

  ASSERT_EQ(dump.failure, SequenceDumpFailure::None);
  EXPECT_EQ(dump.unitTime, 960);
  EXPECT_EQ(dump.tempoCount, 2);
  const std::string expected = port::utf8ToCp932(
      "[number of Track:2]\n[UnitTime:960]\n\n"
      "[Track0]\n"
      "[ChangeTempo time=0,tempo=500000]\n"
      "[ChangeTempo time=1920,tempo=250000]\n"
      "キー(調) ＃(♭)の数:3 長調\n"
      "キー(調) ＃(♭)の数:254 短調\n"
      "[End of Track0]\n\n"
      "[Track1]\n"
      "[Common]\nName=a\nb\n"
      "[End of Track1]\n\n");
  EXPECT_EQ(dump.text, expected);
  EXPECT_EQ(withCrLf(dump.text).substr(0, 23), "[number of Track:2]\r\n[U");
}

TEST(SequenceDump, TempoTimeIsTheRunningTickOfItsTrack) {
  const std::string events = smfTempoEvent(0x81, 400000) + smfTempoEvent(0x0FFFFFFF, 300000);
  const SequenceDump dump = dumpSequence(oneTrackFile(events, 1));
  ASSERT_EQ(dump.failure, SequenceDumpFailure::None);
  EXPECT_NE(dump.text.find("[ChangeTempo time=129,tempo=400000]\n"), std::string::npos);
  EXPECT_NE(dump.text.find("[ChangeTempo time=268435584,tempo=300000]\n"), std::string::npos);
  EXPECT_EQ(dump.unitTime, 1);
}

TEST(SequenceDump, EndOfTrackWithALengthIsIgnored) {
  // The non-zero length is read and the bytes after it are taken as the next event.
  const SequenceDump dump = dumpSequence(oneTrackFile(std::string("\x00\xFF\x2F\x01", 4)));
  EXPECT_EQ(dump.failure, SequenceDumpFailure::None);
  EXPECT_NE(dump.text.find("[End of Track0]"), std::string::npos);
}

TEST(SequenceDump, SystemExclusiveStopsWithTheTextSoFar) {
  for (const char status : {'\xF0', '\xF7'}) {
    const std::string events = smfMetatextEvents("[Common]\n") + std::string("\x00", 1) + status + "\x01\x7F";
    const SequenceDump dump = dumpSequence(oneTrackFile(events));
    EXPECT_EQ(dump.failure, SequenceDumpFailure::SystemExclusive);
    EXPECT_EQ(dump.text, "[number of Track:1]\n[UnitTime:480]\n\n[Track0]\n[Common]\n");
  }
}

TEST(SequenceDump, RefusesWhatThePassCannotStepOver) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"running status data byte", std::string("\x00\x3C\x40", 3)},
      {"program change", std::string("\x00\xC0\x01", 3)},
      {"pitch bend", std::string("\x00\xE0\x00\x40", 4)},
      {"unknown meta type", std::string("\x00\xFF\x7F\x01\x00", 5)},
      {"text shorter than its marker", std::string("\x00\xFF\x01\x07", 4) + "DM:0000"},
      {"five-byte delta", std::string("\x81\x81\x81\x81\x01\xFF\x2F\x00", 8)},
  };
  for (const auto& [name, events] : cases) {
    SCOPED_TRACE(name);
    EXPECT_EQ(dumpSequence(oneTrackFile(events)).failure, SequenceDumpFailure::Malformed);
  }
  EXPECT_EQ(dumpSequence(oneTrackFile("", 0)).failure, SequenceDumpFailure::Malformed);
}

TEST(SequenceDump, SequenceNumberSkipsItsWholeLength) {
  const std::string events = std::string("\x00\xFF\x00\x02\xFF\x01", 6) + smfMetatextEvents("x\n");
  const SequenceDump dump = dumpSequence(oneTrackFile(events));
  ASSERT_EQ(dump.failure, SequenceDumpFailure::None);
  EXPECT_NE(dump.text.find("[Track0]\nx\n[End of Track0]"), std::string::npos);
}

TEST(SequenceDump, RunningTicksPastTheIntegerRangeAreRefused) {
  std::string events;
  for (int i = 0; i < 9; ++i) {
    events += smfQuantity(0x0FFFFFFF) + std::string("\xFF\x03\x00", 3);
  }
  EXPECT_EQ(dumpSequence(oneTrackFile(events)).failure, SequenceDumpFailure::Malformed);
}

TEST(SequenceDump, EveryTruncationIsRefusedNotOverrun) {
  SequenceSong song;
  song.notes = {{1920, 480, "あ", "a"}, {2400, 480, "か", "k a"}};
  const std::string file = sequenceFileBytes(song);
  ASSERT_EQ(dumpSequence(file).failure, SequenceDumpFailure::None);
  for (std::size_t size = 0; size < file.size(); ++size) {
    // A copy of exactly `size` bytes lets the sanitizers see any read past the end.
    const std::string cut = file.substr(0, size);
    EXPECT_EQ(dumpSequence(cut).failure, SequenceDumpFailure::Malformed) << size;
  }
}

}  // namespace
}  // namespace zv
