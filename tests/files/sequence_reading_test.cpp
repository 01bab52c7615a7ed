#include "files/sequence/sequence_reading.h"

#include <gtest/gtest.h>

#include "files/sequence/sequence_writer.h"
#include "port/text.h"

namespace zv {
namespace {

SequenceSong songOf(std::vector<SequenceNoteSpec> notes) {
  SequenceSong song;
  song.notes = std::move(notes);
  return song;
}

TEST(SequenceReading, OneNoteBecomesOneNoteListLine) {
  const SequenceReading reading = readSequence(sequenceFileBytes(songOf({{1920, 480, "あ", "a"}})));
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  ASSERT_EQ(reading.notes.size(), 1u);
  EXPECT_EQ(reading.notes[0].startSeconds, 2.0f);
  EXPECT_EQ(reading.notes[0].endSeconds, 2.5f);
  EXPECT_EQ(reading.notes[0].handle, "h#0001");
  EXPECT_EQ(formatNoteList(reading.notes), port::utf8ToCp932("  2.000 -  2.500   あ     a\n"));
}

TEST(SequenceReading, NoteListShowsNormalisedConsonantsAndPlainPercents) {
  const SequenceReading reading = readSequence(sequenceFileBytes(songOf({{0, 240, "か", "k' a"},
                                                                         {240, 240, "%s", "ts M"},
                                                                         {480, 960, "ん", "N\\"},
                                                                         {1440, 480, "きゃっと", "k' a"}})));
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  EXPECT_EQ(formatNoteList(reading.notes), port::utf8ToCp932("  0.000 -  0.250   か   K a\n"
                                                             "  0.250 -  0.500   %s   t u\n"
                                                             "  0.500 -  1.500   ん     n\n"
                                                             "  1.500 -  2.000   きゃっ K a\n"));
}

TEST(SequenceReading, TicksFollowTheTempoMap) {
  SequenceSong song = songOf({{4320, 480, "ら", "4 a"}, {960, 480, "ら", "4 a"}, {1920, 960, "ら", "4 a"}});
  song.tempos = {{0, 500000}, {1920, 250000}, {3840, 1000000}};
  const SequenceReading reading = readSequence(sequenceFileBytes(song));
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  ASSERT_EQ(reading.notes.size(), 3u);
  EXPECT_FLOAT_EQ(reading.notes[0].startSeconds, 4.0f);
  EXPECT_FLOAT_EQ(reading.notes[0].endSeconds, 5.0f);
  EXPECT_FLOAT_EQ(reading.notes[1].startSeconds, 1.0f);
  // A note starting exactly at a change keeps the earlier tempo, also for its length.
  EXPECT_FLOAT_EQ(reading.notes[2].startSeconds, 2.0f);
  EXPECT_FLOAT_EQ(reading.notes[2].endSeconds, 3.0f);
}

TEST(SequenceReading, SingleFloatArithmeticInItsOrder) {
  std::vector<SungNote> notes(1);
  notes[0].startTick = 1000;
  notes[0].lengthTicks = 333;
  timeNotes(notes, {{0, 500000}, {77, 640000}}, 480);
  const float k = 0.000001f;
  const float start = 77.0f / 480.0f * 500000.0f * k + 923.0f / 480.0f * 640000.0f * k;
  EXPECT_EQ(notes[0].startSeconds, start);
  EXPECT_EQ(notes[0].endSeconds, start + 333.0f / 480.0f * 640000.0f * k);
}

TEST(SequenceReading, FileWithoutTempoAssumesHalfASecondPerQuarter) {
  SequenceSong song = songOf({{960, 480, "お", "o"}});
  song.tempos.clear();
  const SequenceReading reading = readSequence(sequenceFileBytes(song));
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  ASSERT_EQ(reading.notes.size(), 1u);
  EXPECT_EQ(reading.notes[0].startSeconds, 1.0f);
  EXPECT_EQ(reading.notes[0].endSeconds, 1.5f);
}

TEST(SequenceReading, EmptyEventListGivesNoNotes) {
  const SequenceReading reading = readSequence(sequenceFileBytes(songOf({})));
  EXPECT_EQ(reading.failure, SequenceDumpFailure::None);
  EXPECT_TRUE(reading.notes.empty());
  EXPECT_EQ(formatNoteList(reading.notes), "");
}

TEST(SequenceReading, NoteWithBrokenLyricLineIsLeftOut) {
  std::string text = sequenceMetatext(songOf({{0, 480, "あ", "a"}, {480, 480, "い", "i"}}));
  const std::size_t lyric = text.find("L0=\"");
  text.replace(lyric, 4, "L0=");
  const std::string file = smfFile(480, {smfTrack(smfTempoEvent(0, 500000) + smfEndOfTrack()),
                                         smfTrack(smfMetatextEvents(text) + smfEndOfTrack())});
  const SequenceReading reading = readSequence(file);
  ASSERT_EQ(reading.failure, SequenceDumpFailure::None);
  ASSERT_EQ(reading.notes.size(), 1u);
  EXPECT_EQ(reading.notes[0].syllable.vowel, 'i');
}

TEST(SequenceReading, MissingSectionsAreAnAnalysisError) {
  const std::string full = sequenceMetatext(songOf({{0, 480, "あ", "a"}, {480, 480, "い", "i"}}));
  for (std::string_view removed : {"[EventList]", "[ID#0002]", "LyricHandle=h#0002", "[h#0002]"}) {
    SCOPED_TRACE(removed);
    std::string text = full;
    text.erase(text.find(removed), removed.size());
    const std::string file = smfFile(480, {smfTrack(smfMetatextEvents(text) + smfEndOfTrack())});
    const SequenceReading reading = readSequence(file);
    EXPECT_EQ(reading.failure, SequenceDumpFailure::Malformed);
    EXPECT_TRUE(reading.notes.empty());
    EXPECT_NE(reading.dumpText.find("[Track0]"), std::string::npos);
  }
}

TEST(SequenceReading, NumbersReadLikeAtoi) {
  EXPECT_EQ(leadingDecimal("  1920=ID#0001"), 1920);
  EXPECT_EQ(leadingDecimal("-15,"), -15);
  EXPECT_EQ(leadingDecimal("x1"), 0);
  EXPECT_EQ(leadingDecimal("99999999999999999999"), 2147483647);
  EXPECT_EQ(leadingDecimal("-99999999999999999999"), -2147483647 - 1);
}

}  // namespace
}  // namespace zv
