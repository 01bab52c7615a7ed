// Shift-JIS (code page 932) text: the encoding of every name and text the files hold.
// Internal names stay CP932 bytes; conversion to UTF-8 happens only where text meets the platform.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zv::port {

// First byte of a double-byte CP932 character (0x81-0x9F, 0xE0-0xFC).
bool isCp932LeadByte(unsigned char byte);

// CP932 -> UTF-8. A byte or pair that is not valid CP932 becomes U+FFFD, so any input converts.
std::string cp932ToUtf8(std::string_view cp932);

// UTF-8 -> CP932. Characters CP932 cannot hold become '?'; invalid UTF-8 bytes likewise.
std::string utf8ToCp932(std::string_view utf8);

// Offset of the first occurrence of `needle` that starts on a character boundary of `text`
// (both CP932), or npos. A trail byte never starts a match: "表" is 95 5C, "ソ" is 83 5C.
std::size_t findCp932(std::string_view text, std::string_view needle);

// Offset of the last `character` (a single-byte character such as '\\' or '.') that is a
// whole character of the CP932 `text`, or npos.
std::size_t findLastCp932Char(std::string_view text, char character);

// Extension of the last component of a CP932 path (the text after its last '.'), without the
// dot; empty when the component has none. Native UTF-8 paths use std::filesystem instead: UTF-8
// continuation bytes look like CP932 lead bytes.
std::string_view extensionOf(std::string_view path, char separator = '\\');

// Text up to the first NUL, at most `capacity` bytes: how fixed-width file fields are read.
std::string_view fixedField(const char* field, std::size_t capacity);

}  // namespace zv::port
