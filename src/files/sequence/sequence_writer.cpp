#include "files/sequence/sequence_writer.h"

#include <cstdio>

#include "port/text.h"

namespace zv {
namespace {

// Text bytes per event after the 8-byte marker; keeps the event's length a one-byte quantity.
constexpr std::size_t kTextPieceBytes = 119;

void appendBigEndian(std::string& bytes, std::uint32_t value, int byteCount) {
  for (int shift = (byteCount - 1) * 8; shift >= 0; shift -= 8) {
    bytes += static_cast<char>((value >> shift) & 0xFFu);
  }
}

template <typename... Args>
void appendLine(std::string& text, const char* format, Args... args) {
  if constexpr (sizeof...(Args) == 0) {
    text += format;
  } else {
    char line[256];
    const int length = std::snprintf(line, sizeof line, format, args...);
    text.append(line, static_cast<std::size_t>(length));
  }
  text += '\n';
}

}  // namespace

std::string sequenceMetatext(const SequenceSong& song) {
  std::string text;
  appendLine(text, "[Common]");
  appendLine(text, "Version=DSB301");
  appendLine(text, "Name=Voice1");
  appendLine(text, "Color=181,162,123");
  appendLine(text, "DynamicsMode=1");
  appendLine(text, "PlayMode=1");
  appendLine(text, "[EventList]");
  appendLine(text, "0=ID#0000");
  std::int32_t lastEnd = 0;
  for (std::size_t i = 0; i < song.notes.size(); ++i) {
    appendLine(text, "%d=ID#%04zu", static_cast<int>(song.notes[i].tick), i + 1);
    lastEnd = std::max(lastEnd, song.notes[i].tick + song.notes[i].length);
  }
  appendLine(text, "%d=EOS", static_cast<int>(song.endTick != 0 ? song.endTick : lastEnd));
  appendLine(text, "[ID#0000]");
  appendLine(text, "Type=Singer");
  appendLine(text, "IconHandle=h#0000");
  for (std::size_t i = 0; i < song.notes.size(); ++i) {
    const SequenceNoteSpec& note = song.notes[i];
    appendLine(text, "[ID#%04zu]", i + 1);
    appendLine(text, "Type=Anote");
    appendLine(text, "Length=%d", static_cast<int>(note.length));
    appendLine(text, "Note#=%d", note.noteNumber);
    appendLine(text, "Dynamics=64");
    appendLine(text, "PMBendDepth=8");
    appendLine(text, "PMBendLength=0");
    appendLine(text, "LyricHandle=h#%04zu", i + 1);
  }
  appendLine(text, "[h#0000]");
  appendLine(text, "IconID=$07010000");
  appendLine(text, "IDS=Voice");
  appendLine(text, "Original=0");
  for (std::size_t i = 0; i < song.notes.size(); ++i) {
    const SequenceNoteSpec& note = song.notes[i];
    appendLine(text, "[h#%04zu]", i + 1);
    text += "L0=\"" + port::utf8ToCp932(note.lyric) + "\",\"" + note.phonetic + "\",0.000000,64,0,0\n";
  }
  return text;
}

std::string smfQuantity(std::uint32_t value) {
  std::string bytes(1, static_cast<char>(value & 0x7Fu));
  for (value >>= 7; value != 0; value >>= 7) {
    bytes.insert(bytes.begin(), static_cast<char>(0x80u | (value & 0x7Fu)));
  }
  return bytes;
}

std::string smfMetatextEvents(std::string_view text) {
  std::string events;
  for (std::size_t offset = 0, piece = 0; offset < text.size(); offset += kTextPieceBytes, ++piece) {
    const std::string_view part = text.substr(offset, kTextPieceBytes);
    char marker[16];
    std::snprintf(marker, sizeof marker, "DM:%04zu:", piece % 10000);
    events += std::string("\x00\xFF\x01", 3);
    events += smfQuantity(static_cast<std::uint32_t>(part.size() + 8));
    events += marker;
    events += part;
  }
  return events;
}

std::string smfTempoEvent(std::uint32_t delta, std::uint32_t tempo) {
  std::string event = smfQuantity(delta) + "\xFF\x51\x03";
  appendBigEndian(event, tempo, 3);
  return event;
}

std::string smfEndOfTrack() {
  return std::string("\x00\xFF\x2F\x00", 4);
}

std::string smfTrack(std::string_view events) {
  std::string chunk = "MTrk";
  appendBigEndian(chunk, static_cast<std::uint32_t>(events.size()), 4);
  chunk += events;
  return chunk;
}

std::string smfFile(std::uint16_t division, const std::vector<std::string>& tracks) {
  std::string bytes = "MThd";
  appendBigEndian(bytes, 6, 4);
  appendBigEndian(bytes, 1, 2);
  appendBigEndian(bytes, static_cast<std::uint32_t>(tracks.size()), 2);
  appendBigEndian(bytes, division, 2);
  for (const std::string& track : tracks) {
    bytes += track;
  }
  return bytes;
}

std::string sequenceFileBytes(const SequenceSong& song) {
  std::string master = std::string("\x00\xFF\x03\x06Master", 10);
  std::int32_t previousTick = 0;
  for (const TempoChange& change : song.tempos) {
    master += smfTempoEvent(static_cast<std::uint32_t>(change.tick - previousTick),
                            static_cast<std::uint32_t>(change.tempo));
    previousTick = change.tick;
  }
  master += std::string("\x00\xFF\x58\x04\x04\x02\x18\x08", 8);
  master += smfEndOfTrack();
  std::string voice = std::string("\x00\xFF\x03\x06Voice1", 10);
  voice += smfMetatextEvents(sequenceMetatext(song));
  voice += smfEndOfTrack();
  return smfFile(static_cast<std::uint16_t>(song.unitTime), {smfTrack(master), smfTrack(voice)});
}

}  // namespace zv
