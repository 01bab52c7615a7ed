#include "files/x/x_tokens.h"

#include <charconv>
#include <cstring>
#include <optional>

#include "port/text.h"

namespace zv {
namespace {

XToken make(XTokenKind kind, std::string_view text = {}) {
  XToken token;
  token.kind = kind;
  token.text = text;
  return token;
}

XToken invalid(std::string_view reason) {
  return make(XTokenKind::Invalid, reason);
}

XToken simple(XTokenKind kind) {
  return make(kind);
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

bool endsWord(char c) {
  return isBlank(c) || c == '{' || c == '}' || c == '"' || c == ',' || c == ';' || c == '<' || c == '>' ||
         c == '#';
}

bool startsNumber(char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.';
}

// A whole word that is an integer or a float, or nothing. Numbers that do not fit are refused.
std::optional<XToken> numberFrom(std::string_view word) {
  if (!startsNumber(word.front())) {
    return std::nullopt;
  }
  std::string_view digits = word.front() == '+' ? word.substr(1) : word;
  if (digits.empty()) {
    return std::nullopt;
  }
  const char* end = digits.data() + digits.size();
  XToken token = make(XTokenKind::Number);
  auto [integerEnd, integerError] = std::from_chars(digits.data(), end, token.value.integer);
  if (integerEnd == end) {
    if (integerError != std::errc()) {
      return invalid("whole number out of range");
    }
    return token;
  }
  token.value.kind = XValueKind::Float;
  auto [realEnd, realError] = std::from_chars(digits.data(), end, token.value.real);
  if (realEnd != end) {
    return std::nullopt;
  }
  if (realError != std::errc()) {
    return invalid("number out of range");
  }
  return token;
}

template <class T>
T readLittleEndian(const char* bytes) {
  T value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

// Binary token codes.
enum : std::uint16_t {
  kTokenName = 1,
  kTokenString = 2,
  kTokenInteger = 3,
  kTokenGuid = 5,
  kTokenIntegerList = 6,
  kTokenFloatList = 7,
  kTokenOpenBrace = 10,
  kTokenCloseBrace = 11,
  kTokenFirstPunctuation = 12,
  kTokenComma = 19,
  kTokenSemicolon = 20,
  kTokenTemplate = 31,
  kTokenFirstTypeKeyword = 40,
  kTokenLastTypeKeyword = 53,
};

}  // namespace

void XTextTokenizer::skipBlanks() {
  while (position_ < text_.size()) {
    char c = text_[position_];
    if (isBlank(c) || c == ',' || c == ';') {
      ++position_;
    } else if (c == '#' || text_.substr(position_, 2) == "//") {
      std::size_t lineEnd = text_.find('\n', position_);
      position_ = lineEnd == std::string_view::npos ? text_.size() : lineEnd + 1;
    } else {
      return;
    }
  }
}

XToken XTextTokenizer::next() {
  skipBlanks();
  if (position_ >= text_.size()) {
    return simple(XTokenKind::End);
  }
  char c = text_[position_];
  if (c == '{' || c == '}') {
    ++position_;
    return simple(c == '{' ? XTokenKind::OpenBrace : XTokenKind::CloseBrace);
  }
  if (c == '"') {
    std::size_t end = text_.find('"', position_ + 1);
    if (end == std::string_view::npos) {
      return invalid("string without closing quote");
    }
    XToken token = make(XTokenKind::String, text_.substr(position_ + 1, end - position_ - 1));
    position_ = end + 1;
    return token;
  }
  if (c == '<') {
    std::size_t end = text_.find('>', position_ + 1);
    if (end == std::string_view::npos) {
      return invalid("GUID without closing '>'");
    }
    position_ = end + 1;
    return simple(XTokenKind::Guid);
  }
  if (c == '>') {
    return invalid("stray '>'");
  }
  return word();
}

XToken XTextTokenizer::word() {
  std::size_t start = position_;
  while (position_ < text_.size() && !endsWord(text_[position_])) {
    bool lead = port::isCp932LeadByte(static_cast<unsigned char>(text_[position_]));
    position_ += lead && position_ + 1 < text_.size() ? 2 : 1;
  }
  std::string_view text = text_.substr(start, position_ - start);
  if (text == "template") {
    return simple(XTokenKind::Template);
  }
  if (std::optional<XToken> number = numberFrom(text)) {
    return *number;
  }
  return make(XTokenKind::Name, text);
}

bool XBinaryTokenizer::take(std::size_t count, std::string_view& out) {
  if (count > bytes_.size() - position_) {
    return false;
  }
  out = bytes_.substr(position_, count);
  position_ += count;
  return true;
}

bool XBinaryTokenizer::readWord(std::uint16_t& out) {
  std::string_view bytes;
  if (!take(2, bytes)) {
    return false;
  }
  out = readLittleEndian<std::uint16_t>(bytes.data());
  return true;
}

bool XBinaryTokenizer::readDword(std::uint32_t& out) {
  std::string_view bytes;
  if (!take(4, bytes)) {
    return false;
  }
  out = readLittleEndian<std::uint32_t>(bytes.data());
  return true;
}

// A string ends with a ';' or ',' token; some writers widen it to a DWORD, whose upper half reads
// as token 0, which no other token uses.
void XBinaryTokenizer::skipStringTerminator() {
  std::size_t start = position_;
  std::uint16_t code = 0;
  if (!readWord(code) || (code != kTokenSemicolon && code != kTokenComma)) {
    position_ = start;
    return;
  }
  std::size_t afterTerminator = position_;
  if (!readWord(code) || code != 0) {
    position_ = afterTerminator;
  }
}

XToken XBinaryTokenizer::next() {
  if (position_ == bytes_.size()) {
    return simple(XTokenKind::End);
  }
  std::uint16_t code = 0;
  if (!readWord(code)) {
    return invalid("token cut off at the end of the file");
  }
  XToken token{};
  std::uint32_t count = 0;
  switch (code) {
    case kTokenName:
    case kTokenString:
      if (!readDword(count) || !take(count, token.text)) {
        return invalid("name or string longer than the file");
      }
      token.kind = code == kTokenName ? XTokenKind::Name : XTokenKind::String;
      if (code == kTokenString) {
        skipStringTerminator();
      }
      return token;
    case kTokenInteger:
      if (!readDword(count)) {
        return invalid("integer cut off at the end of the file");
      }
      token.kind = XTokenKind::Number;
      token.value.integer = count;
      return token;
    case kTokenGuid:
      if (!take(16, token.text)) {
        return invalid("GUID cut off at the end of the file");
      }
      token.kind = XTokenKind::Guid;
      return token;
    case kTokenIntegerList:
    case kTokenFloatList: {
      std::size_t width = code == kTokenIntegerList ? 4 : floatBytes_;
      if (!readDword(count) || count > (bytes_.size() - position_) / width ||
          !take(count * width, token.text)) {
        return invalid("list longer than the file");
      }
      token.kind = code == kTokenIntegerList ? XTokenKind::IntegerList : XTokenKind::FloatList;
      token.count = count;
      token.floatBytes = floatBytes_;
      return token;
    }
    case kTokenOpenBrace:
      return simple(XTokenKind::OpenBrace);
    case kTokenCloseBrace:
      return simple(XTokenKind::CloseBrace);
    case kTokenTemplate:
      return simple(XTokenKind::Template);
    default:
      if ((code >= kTokenFirstPunctuation && code <= kTokenSemicolon) ||
          (code >= kTokenFirstTypeKeyword && code <= kTokenLastTypeKeyword)) {
        return simple(XTokenKind::Separator);
      }
      return invalid("unknown binary token");
  }
}

}  // namespace zv
