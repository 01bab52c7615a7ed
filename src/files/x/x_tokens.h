// The token streams of the two X formats. The object grammar above them is the same, so both
// tokenizers yield the same token kinds.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "files/x/x_document.h"

namespace zv {

enum class XTokenKind : std::uint8_t {
  End,
  Invalid,  // malformed bytes; `text` says what is wrong
  OpenBrace,
  CloseBrace,
  Name,         // an identifier: template or object name
  Template,     // the keyword that opens a template definition
  String,       // `text` holds the bytes between the quotes
  Number,       // `value` holds it
  IntegerList,  // binary only: `count` little-endian DWORDs in `text`
  FloatList,    // binary only: `count` floats of `floatBytes` each in `text`
  Guid,
  Separator,  // punctuation and type keywords: meaningless in data, kept only in templates
};

struct XToken {
  XTokenKind kind = XTokenKind::End;
  std::string_view text;
  XValue value;
  std::uint32_t count = 0;
  std::uint8_t floatBytes = 4;
};

// The text format: separators ',' and ';', comments "//" and '#', quoted strings, "<...>" GUIDs.
// Names may hold CP932 characters, whose trail bytes can look like '{' or '}'.
class XTextTokenizer {
 public:
  explicit XTextTokenizer(std::string_view text) : text_(text) {}
  XToken next();

 private:
  void skipBlanks();
  XToken word();
  std::string_view text_;
  std::size_t position_ = 0;
};

// The binary format: little-endian 16-bit token codes followed by their payloads.
class XBinaryTokenizer {
 public:
  XBinaryTokenizer(std::string_view bytes, std::uint8_t floatBytes)
      : bytes_(bytes), floatBytes_(floatBytes) {}
  XToken next();

 private:
  bool readWord(std::uint16_t& out);
  bool readDword(std::uint32_t& out);
  bool take(std::size_t count, std::string_view& out);
  void skipStringTerminator();
  std::string_view bytes_;
  std::size_t position_ = 0;
  std::uint8_t floatBytes_;
};

}  // namespace zv
