#include "port/text.h"

#include <iconv.h>

#include <cerrno>

namespace zv::port {
namespace {

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";

// One iconv descriptor per conversion and call: iconv keeps shift state, and these texts are short.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Converter() {
    if (descriptor_ != reinterpret_cast<iconv_t>(-1)) {
      iconv_close(descriptor_);
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as possible; returns false at an invalid or incomplete sequence,
  // leaving `in` at the offending byte.
  bool convert(std::string_view& in, std::string& out) {
    char buffer[256];
    while (!in.empty()) {
      char* source = const_cast<char*>(in.data());
      std::size_t sourceLeft = in.size();
      char* target = buffer;
      std::size_t targetLeft = sizeof buffer;
      std::size_t result = iconv(descriptor_, &source, &sourceLeft, &target, &targetLeft);
      out.append(buffer, target);
      in.remove_prefix(in.size() - sourceLeft);
      if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        return false;
      }
    }
    return true;
  }

 private:
  iconv_t descriptor_;
};

// Bytes of the character at the start of `text`: a whole well-formed sequence, or 1 for a stray byte.
std::size_t utf8CharacterLength(std::string_view text) {
  unsigned char lead = static_cast<unsigned char>(text.front());
  std::size_t length = lead >= 0xF0 && lead <= 0xF4  ? 4
                       : lead >= 0xE0                ? 3
                       : lead >= 0xC2 && lead < 0xE0 ? 2
                                                     : 1;
  if (lead > 0xF4 || length > text.size()) {
    return 1;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      return 1;
    }
  }
  return length;
}

}  // namespace

bool isCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string cp932ToUtf8(std::string_view cp932) {
  Converter converter("UTF-8", "CP932");
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  while (!converter.convert(cp932, out)) {
    // Skip the whole bad character: a lead byte takes its partner with it when there is one.
    std::size_t skip = isCp932LeadByte(static_cast<unsigned char>(cp932.front())) && cp932.size() > 1 ? 2 : 1;
    out += kReplacementUtf8;
    cp932.remove_prefix(skip);
  }
  return out;
}

std::string utf8ToCp932(std::string_view utf8) {
  Converter converter("CP932", "UTF-8");
  std::string out;
  out.reserve(utf8.size());
  while (!converter.convert(utf8, out)) {
    out += '?';
    utf8.remove_prefix(utf8CharacterLength(utf8));
  }
  return out;
}

std::size_t findCp932(std::string_view text, std::string_view needle) {
  if (needle.empty()) {
    return 0;
  }
  for (std::size_t i = 0; i < text.size();) {
    if (text.substr(i, needle.size()) == needle) {
      return i;
    }
    i += isCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return std::string_view::npos;
}

std::size_t findLastCp932Char(std::string_view text, char character) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == character) {
      found = i;
    }
    i += isCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  }
  return found;
}

std::string_view extensionOf(std::string_view path, char separator) {
  std::size_t slash = findLastCp932Char(path, separator);
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::size_t dot = findLastCp932Char(name, '.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot + 1);
}

std::string_view fixedField(const char* field, std::size_t capacity) {
  std::size_t length = 0;
  while (length < capacity && field[length] != '\0') {
    ++length;
  }
  return {field, length};
}

}  // namespace zv::port
