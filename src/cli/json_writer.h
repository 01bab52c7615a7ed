// A small streaming JSON writer for the command-line tool's output. Commas and nesting are tracked
// here so the subcommands only say what they print.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "scene/document/math.h"

namespace zv::cli {

class JsonWriter {
 public:
  void beginObject();
  void endObject();
  void beginArray();
  void endArray();
  // The key of the next value inside an object.
  JsonWriter& key(std::string_view name);

  void value(std::string_view utf8);
  void value(const char* utf8) { value(std::string_view(utf8)); }
  // CP932 bytes from a file, converted; undecodable bytes become U+FFFD.
  void cp932(std::string_view text);
  void value(bool flag);
  void null();
  void value(std::int64_t number);
  void value(int number) { value(static_cast<std::int64_t>(number)); }
  void value(unsigned number) { value(static_cast<std::int64_t>(number)); }
  // Nine significant digits: enough for a 32-bit float to read back bit for bit.
  void value(float number);
  void value(Vec3 v);
  void value(Quat q);
  void floats(std::span<const float> numbers);

  const std::string& text() const { return out_; }

 private:
  void separate();
  std::string out_;
  std::vector<bool> needsComma_;
  bool afterKey_ = false;
};

}  // namespace zv::cli
