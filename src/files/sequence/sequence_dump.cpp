#include "files/sequence/sequence_dump.h"

#include <cstdio>
#include <limits>
#include <optional>

#include "port/byte_cursor.h"
#include "port/text.h"

namespace zv {
namespace {

// Synthesizer text events start with an 8-byte marker ("DM:0000:") that is not part of the text.
constexpr std::uint8_t kTextPrefixBytes = 8;
// A variable-length quantity of Standard MIDI Files has at most 4 bytes.
constexpr int kMaxQuantityBytes = 4;

enum MetaType : std::uint8_t {
  kMetaSequenceNumber = 0x00,
  kMetaText = 0x01,
  kMetaFirstNamedText = 0x02,  // copyright, track name, instrument, lyric: 0x02..0x05
  kMetaLastNamedText = 0x05,
  kMetaEndOfTrack = 0x2F,
  kMetaTempo = 0x51,
  kMetaTimeSignature = 0x58,
  kMetaKeySignature = 0x59,
};

using port::ByteCursor;

// A variable-length quantity; nothing when the file ends inside it or it runs past four bytes.
std::optional<std::uint32_t> readQuantity(ByteCursor& in) {
  std::uint32_t value = 0;
  for (int i = 0; i < kMaxQuantityBytes; ++i) {
    const std::uint8_t next = in.u8();
    if (in.truncated()) {
      return std::nullopt;
    }
    value = value << 7 | (next & 0x7Fu);
    if ((next & 0x80u) == 0) {
      return value;
    }
  }
  return std::nullopt;
}

template <typename... Args>
void appendFormatted(std::string& text, const char* format, Args... args) {
  char line[128];
  const int length = std::snprintf(line, sizeof line, format, args...);
  text.append(line, static_cast<std::size_t>(length));
}

enum class TrackEnd { Ended, SystemExclusive, Malformed };

// One event's meta part after its 0xFF status byte. Sets `trackEnded` on an end-of-track event.
bool readMetaEvent(ByteCursor& in, std::int64_t tick, SequenceDump& dump, bool& trackEnded) {
  const std::uint8_t type = in.u8();
  const std::uint8_t length = in.u8();
  if (in.truncated()) {
    return false;
  }
  switch (type) {
    case kMetaSequenceNumber:
      in.take(length);
      return !in.truncated();
    case kMetaText: {
      if (length < kTextPrefixBytes) {
        return false;
      }
      in.take(kTextPrefixBytes);
      const std::string_view text = in.take(length - kTextPrefixBytes);
      if (in.truncated()) {
        return false;
      }
      dump.text += text;
      return true;
    }
    case kMetaEndOfTrack:
      trackEnded = length == 0;
      return true;
    case kMetaTempo: {
      const std::uint32_t tempo = in.bigEndian(3);
      if (in.truncated()) {
        return false;
      }
      appendFormatted(dump.text, "[ChangeTempo time=%d,tempo=%d]\n", static_cast<int>(tick),
                      static_cast<int>(tempo));
      ++dump.tempoCount;
      return true;
    }
    case kMetaTimeSignature:
      in.take(4);
      return !in.truncated();
    case kMetaKeySignature: {
      const std::uint8_t sharpsOrFlats = in.u8();
      const std::uint8_t minor = in.u8();
      if (in.truncated()) {
        return false;
      }
      static const std::string major = port::utf8ToCp932("キー(調) ＃(♭)の数:%u 長調\n");
      static const std::string minorKey = port::utf8ToCp932("キー(調) ＃(♭)の数:%u 短調\n");
      appendFormatted(dump.text, (minor == 0 ? major : minorKey).c_str(),
                      static_cast<unsigned>(sharpsOrFlats));
      return true;
    }
    default:
      if (type >= kMetaFirstNamedText && type <= kMetaLastNamedText) {
        in.take(length);
        return !in.truncated();
      }
      return false;
  }
}

TrackEnd readTrackEvents(ByteCursor& in, SequenceDump& dump) {
  std::int64_t tick = 0;
  for (;;) {
    const std::optional<std::uint32_t> delta = readQuantity(in);
    const std::uint8_t status = in.u8();
    if (!delta || in.truncated()) {
      return TrackEnd::Malformed;
    }
    tick += *delta;
    if (tick > std::numeric_limits<std::int32_t>::max()) {
      return TrackEnd::Malformed;
    }
    const std::uint8_t kind = status & 0xF0u;
    if (kind == 0x80 || kind == 0x90 || kind == 0xB0) {
      in.take(2);
      if (in.truncated()) {
        return TrackEnd::Malformed;
      }
    } else if (status == 0xF0 || status == 0xF7) {
      return TrackEnd::SystemExclusive;
    } else if (status == 0xFF) {
      bool trackEnded = false;
      if (!readMetaEvent(in, tick, dump, trackEnded)) {
        return TrackEnd::Malformed;
      }
      if (trackEnded) {
        return TrackEnd::Ended;
      }
    } else {
      return TrackEnd::Malformed;
    }
  }
}

}  // namespace

SequenceDump dumpSequence(std::string_view fileBytes) {
  SequenceDump dump;
  ByteCursor in(fileBytes);
  in.take(10);  // chunk name, chunk length, format: not used
  const std::uint32_t trackCount = in.bigEndian(2);
  const std::uint32_t division = in.bigEndian(2);
  if (in.truncated() || division == 0) {
    dump.failure = SequenceDumpFailure::Malformed;
    return dump;
  }
  dump.unitTime = static_cast<std::int32_t>(division);
  appendFormatted(dump.text, "[number of Track:%d]\n[UnitTime:%d]\n\n", static_cast<int>(trackCount),
                  static_cast<int>(dump.unitTime));
  for (std::uint32_t track = 0; track < trackCount; ++track) {
    appendFormatted(dump.text, "[Track%d]\n", static_cast<int>(track));
    in.take(8);  // chunk name and length: events are read up to the end-of-track event
    if (in.truncated()) {
      dump.failure = SequenceDumpFailure::Malformed;
      return dump;
    }
    switch (readTrackEvents(in, dump)) {
      case TrackEnd::Ended:
        break;
      case TrackEnd::SystemExclusive:
        dump.failure = SequenceDumpFailure::SystemExclusive;
        return dump;
      case TrackEnd::Malformed:
        dump.failure = SequenceDumpFailure::Malformed;
        return dump;
    }
    appendFormatted(dump.text, "[End of Track%d]\n\n", static_cast<int>(track));
  }
  return dump;
}

std::string withCrLf(std::string_view text) {
  std::string stored;
  stored.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') {
      stored += '\r';
    }
    stored += c;
  }
  return stored;
}

}  // namespace zv
