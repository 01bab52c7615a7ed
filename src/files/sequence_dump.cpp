#include "files/sequence_dump.h"

#include <cstdio>
#include <limits>
#include <optional>

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

// Reads the file front to back; every read fails instead of passing the end.
class ByteReader {
 public:
  explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}

  std::optional<std::uint8_t> byte() {
    if (position_ >= bytes_.size()) {
      return std::nullopt;
    }
    return static_cast<std::uint8_t>(bytes_[position_++]);
  }

  std::optional<std::uint32_t> bigEndian(int byteCount) {
    std::uint32_t value = 0;
    for (int i = 0; i < byteCount; ++i) {
      auto next = byte();
      if (!next) {
        return std::nullopt;
      }
      value = value << 8 | *next;
    }
    return value;
  }

  std::optional<std::string_view> take(std::size_t count) {
    if (bytes_.size() - position_ < count) {
      return std::nullopt;
    }
    std::string_view taken = bytes_.substr(position_, count);
    position_ += count;
    return taken;
  }

  std::optional<std::uint32_t> quantity() {
    std::uint32_t value = 0;
    for (int i = 0; i < kMaxQuantityBytes; ++i) {
      auto next = byte();
      if (!next) {
        return std::nullopt;
      }
      value = value << 7 | (*next & 0x7Fu);
      if ((*next & 0x80u) == 0) {
        return value;
      }
    }
    return std::nullopt;
  }

 private:
  std::string_view bytes_;
  std::size_t position_ = 0;
};

template <typename... Args>
void appendFormatted(std::string& text, const char* format, Args... args) {
  char line[128];
  const int length = std::snprintf(line, sizeof line, format, args...);
  text.append(line, static_cast<std::size_t>(length));
}

enum class TrackEnd { Ended, SystemExclusive, Malformed };

// One event's meta part after its 0xFF status byte. Sets `trackEnded` on an end-of-track event.
bool readMetaEvent(ByteReader& reader, std::int64_t tick, SequenceDump& dump, bool& trackEnded) {
  auto type = reader.byte();
  auto length = reader.byte();
  if (!type || !length) {
    return false;
  }
  switch (*type) {
    case kMetaSequenceNumber:
      return reader.take(*length).has_value();
    case kMetaText: {
      if (*length < kTextPrefixBytes || !reader.take(kTextPrefixBytes)) {
        return false;
      }
      auto text = reader.take(*length - kTextPrefixBytes);
      if (!text) {
        return false;
      }
      dump.text += *text;
      return true;
    }
    case kMetaEndOfTrack:
      trackEnded = *length == 0;
      return true;
    case kMetaTempo: {
      auto tempo = reader.bigEndian(3);
      if (!tempo) {
        return false;
      }
      appendFormatted(dump.text, "[ChangeTempo time=%d,tempo=%d]\n", static_cast<int>(tick),
                      static_cast<int>(*tempo));
      ++dump.tempoCount;
      return true;
    }
    case kMetaTimeSignature:
      return reader.take(4).has_value();
    case kMetaKeySignature: {
      auto sharpsOrFlats = reader.byte();
      auto minor = reader.byte();
      if (!sharpsOrFlats || !minor) {
        return false;
      }
      static const std::string major = port::utf8ToCp932("キー(調) ＃(♭)の数:%u 長調\n");
      static const std::string minorKey = port::utf8ToCp932("キー(調) ＃(♭)の数:%u 短調\n");
      appendFormatted(dump.text, (*minor == 0 ? major : minorKey).c_str(),
                      static_cast<unsigned>(*sharpsOrFlats));
      return true;
    }
    default:
      if (*type >= kMetaFirstNamedText && *type <= kMetaLastNamedText) {
        return reader.take(*length).has_value();
      }
      return false;
  }
}

TrackEnd readTrackEvents(ByteReader& reader, SequenceDump& dump) {
  std::int64_t tick = 0;
  for (;;) {
    auto delta = reader.quantity();
    auto status = reader.byte();
    if (!delta || !status) {
      return TrackEnd::Malformed;
    }
    tick += *delta;
    if (tick > std::numeric_limits<std::int32_t>::max()) {
      return TrackEnd::Malformed;
    }
    const std::uint8_t kind = *status & 0xF0u;
    if (kind == 0x80 || kind == 0x90 || kind == 0xB0) {
      if (!reader.take(2)) {
        return TrackEnd::Malformed;
      }
    } else if (*status == 0xF0 || *status == 0xF7) {
      return TrackEnd::SystemExclusive;
    } else if (*status == 0xFF) {
      bool trackEnded = false;
      if (!readMetaEvent(reader, tick, dump, trackEnded)) {
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
  ByteReader reader(fileBytes);
  auto header = reader.take(10);  // chunk name, chunk length, format: not used
  auto trackCount = reader.bigEndian(2);
  auto division = reader.bigEndian(2);
  if (!header || !trackCount || !division || *division == 0) {
    dump.failure = SequenceDumpFailure::Malformed;
    return dump;
  }
  dump.unitTime = static_cast<std::int32_t>(*division);
  appendFormatted(dump.text, "[number of Track:%d]\n[UnitTime:%d]\n\n", static_cast<int>(*trackCount),
                  static_cast<int>(dump.unitTime));
  for (std::uint32_t track = 0; track < *trackCount; ++track) {
    appendFormatted(dump.text, "[Track%d]\n", static_cast<int>(track));
    if (!reader.take(8)) {  // chunk name and length: events are read up to the end-of-track event
      dump.failure = SequenceDumpFailure::Malformed;
      return dump;
    }
    switch (readTrackEvents(reader, dump)) {
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
