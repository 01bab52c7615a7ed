#include "cli/json_writer.h"

#include <cmath>
#include <cstdio>

#include "port/text.h"

namespace zv::cli {

void JsonWriter::separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!needsComma_.empty()) {
    if (needsComma_.back()) {
      out_ += ',';
    }
    needsComma_.back() = true;
  }
}

void JsonWriter::beginObject() {
  separate();
  out_ += '{';
  needsComma_.push_back(false);
}

void JsonWriter::endObject() {
  out_ += '}';
  needsComma_.pop_back();
}

void JsonWriter::beginArray() {
  separate();
  out_ += '[';
  needsComma_.push_back(false);
}

void JsonWriter::endArray() {
  out_ += ']';
  needsComma_.pop_back();
}

JsonWriter& JsonWriter::key(std::string_view name) {
  value(name);
  out_ += ':';
  afterKey_ = true;
  return *this;
}

void JsonWriter::value(std::string_view utf8) {
  separate();
  out_ += '"';
  for (char c : utf8) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out_ += escaped;
    } else {
      out_ += c;
    }
  }
  out_ += '"';
}

void JsonWriter::cp932(std::string_view text) {
  value(port::cp932ToUtf8(text));
}

void JsonWriter::value(bool flag) {
  separate();
  out_ += flag ? "true" : "false";
}

void JsonWriter::null() {
  separate();
  out_ += "null";
}

void JsonWriter::value(std::int64_t number) {
  separate();
  out_ += std::to_string(number);
}

void JsonWriter::value(float number) {
  separate();
  if (!std::isfinite(number)) {
    out_ += "null";  // JSON has no NaN or infinity
    return;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(number));
  out_ += text;
}

void JsonWriter::value(Vec3 v) {
  const float numbers[] = {v.x, v.y, v.z};
  floats(numbers);
}

void JsonWriter::value(Quat q) {
  const float numbers[] = {q.x, q.y, q.z, q.w};
  floats(numbers);
}

void JsonWriter::floats(std::span<const float> numbers) {
  beginArray();
  for (float number : numbers) {
    value(number);
  }
  endArray();
}

}  // namespace zv::cli
