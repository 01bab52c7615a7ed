#include "files/x/x_document.h"

#include <array>
#include <cstring>

#include "files/x/x_tokens.h"

namespace zv {
namespace {

constexpr std::size_t kHeaderBytes = 16;

XValue stringValue(std::size_t index) {
  XValue value;
  value.kind = XValueKind::String;
  value.string = static_cast<std::uint32_t>(index);
  return value;
}

// The object grammar shared by both formats, over a tokenizer with a few tokens of look-ahead:
// an object header is "Template [name] [<guid>] {", which takes three tokens to tell apart.
template <class Tokenizer>
class ObjectParser {
 public:
  explicit ObjectParser(Tokenizer tokenizer) : tokenizer_(tokenizer) {}

  XParseResult parseDocument() {
    XDocument document;
    while (true) {
      XToken token = next();
      switch (token.kind) {
        case XTokenKind::End:
          return XParseResult{std::move(document), {}, false};
        case XTokenKind::Template:
          if (!skipTemplate()) {
            return refused();
          }
          break;
        case XTokenKind::Name:
          if (!parseObject(document.objects.emplace_back(), token.text, 1)) {
            return refused();
          }
          break;
        case XTokenKind::Separator:
          break;
        default:
          fail(token, "expected a template or an object at the top level");
          return refused();
      }
    }
  }

 private:
  XToken next() {
    if (count_ == 0) {
      return tokenizer_.next();
    }
    XToken token = lookahead_[0];
    for (std::size_t i = 1; i < count_; ++i) {
      lookahead_[i - 1] = lookahead_[i];
    }
    --count_;
    return token;
  }

  const XToken& peek(std::size_t index) {
    while (count_ <= index) {
      lookahead_[count_++] = tokenizer_.next();
    }
    return lookahead_[index];
  }

  XParseResult refused() { return XParseResult{std::nullopt, failure_, false}; }

  bool fail(const XToken& token, std::string_view reason) {
    if (failure_.empty()) {
      failure_ = token.kind == XTokenKind::Invalid ? std::string(token.text) : std::string(reason);
    }
    return false;
  }

  bool expect(XTokenKind kind, std::string_view reason) {
    XToken token = next();
    return token.kind == kind || fail(token, reason);
  }

  bool skipTemplate() {
    if (!expect(XTokenKind::Name, "template without a name") ||
        !expect(XTokenKind::OpenBrace, "template without '{'")) {
      return false;
    }
    for (int depth = 1; depth > 0;) {
      XToken token = next();
      if (token.kind == XTokenKind::End || token.kind == XTokenKind::Invalid) {
        return fail(token, "template definition not closed");
      }
      depth += token.kind == XTokenKind::OpenBrace ? 1 : token.kind == XTokenKind::CloseBrace ? -1 : 0;
    }
    return true;
  }

  bool parseObject(XDataObject& object, std::string_view templateName, int depth) {
    if (depth > kMaxXNesting) {
      failure_ = "objects nested too deeply";
      return false;
    }
    object.templateName = templateName;
    if (peek(0).kind == XTokenKind::Name) {
      object.name = next().text;
    }
    if (peek(0).kind == XTokenKind::Guid) {
      next();
    }
    if (!expect(XTokenKind::OpenBrace, "object without '{'")) {
      return false;
    }
    while (true) {
      XToken token = next();
      switch (token.kind) {
        case XTokenKind::CloseBrace:
          return true;
        case XTokenKind::Guid:
        case XTokenKind::Separator:
          break;
        case XTokenKind::Number:
          object.values.push_back(token.value);
          break;
        case XTokenKind::IntegerList:
          appendIntegers(object, token);
          break;
        case XTokenKind::FloatList:
          appendFloats(object, token);
          break;
        case XTokenKind::String:
          object.values.push_back(stringValue(object.strings.size()));
          object.strings.emplace_back(token.text);
          break;
        case XTokenKind::OpenBrace:
          if (!parseReference(object.children.emplace_back())) {
            return false;
          }
          break;
        case XTokenKind::Name:
          if (!isObjectHeader()) {
            return fail(token, "a name where data was expected");
          }
          if (!parseObject(object.children.emplace_back(), token.text, depth + 1)) {
            return false;
          }
          break;
        case XTokenKind::End:
          return fail(token, "file ends inside an object");
        default:
          return fail(token, "unexpected token inside an object");
      }
    }
  }

  // After a name inside an object: "{", "name {", "<guid> {" or "name <guid> {" make a child object.
  bool isObjectHeader() {
    std::size_t index = 0;
    if (peek(index).kind == XTokenKind::Name) {
      ++index;
    }
    if (peek(index).kind == XTokenKind::Guid) {
      ++index;
    }
    return peek(index).kind == XTokenKind::OpenBrace;
  }

  // "{ name }", "{ name <guid> }" or "{ <guid> }", the opening brace already taken.
  bool parseReference(XDataObject& reference) {
    reference.isReference = true;
    if (peek(0).kind == XTokenKind::Name) {
      reference.name = next().text;
    }
    if (peek(0).kind == XTokenKind::Guid) {
      next();
    }
    return expect(XTokenKind::CloseBrace, "malformed reference");
  }

  static void appendIntegers(XDataObject& object, const XToken& token) {
    object.values.reserve(object.values.size() + token.count);
    for (std::uint32_t i = 0; i < token.count; ++i) {
      std::uint32_t integer;
      std::memcpy(&integer, token.text.data() + i * 4, 4);
      XValue value;
      value.integer = integer;
      object.values.push_back(value);
    }
  }

  static void appendFloats(XDataObject& object, const XToken& token) {
    object.values.reserve(object.values.size() + token.count);
    for (std::uint32_t i = 0; i < token.count; ++i) {
      XValue value;
      value.kind = XValueKind::Float;
      if (token.floatBytes == 8) {
        double wide;
        std::memcpy(&wide, token.text.data() + i * 8, 8);
        value.real = static_cast<float>(wide);
      } else {
        std::memcpy(&value.real, token.text.data() + i * 4, 4);
      }
      object.values.push_back(value);
    }
  }

  Tokenizer tokenizer_;
  std::array<XToken, 3> lookahead_{};
  std::size_t count_ = 0;
  std::string failure_;
};

}  // namespace

XParseResult parseXFile(std::string_view bytes) {
  if (bytes.size() < kHeaderBytes || bytes.substr(0, 4) != "xof ") {
    return XParseResult{std::nullopt, "not an X file: the header \"xof \" is missing", false};
  }
  std::string_view format = bytes.substr(8, 4);
  std::string_view floatSize = bytes.substr(12, 4);
  if (format == "tzip" || format == "bzip") {
    return XParseResult{std::nullopt, "compressed X files cannot be read", true};
  }
  if (floatSize != "0032" && floatSize != "0064") {
    return XParseResult{std::nullopt, "the X file header names an unknown float size", false};
  }
  std::string_view body = bytes.substr(kHeaderBytes);
  if (format == "txt ") {
    return ObjectParser<XTextTokenizer>(XTextTokenizer(body)).parseDocument();
  }
  if (format == "bin ") {
    std::uint8_t floatBytes = floatSize == "0064" ? 8 : 4;
    return ObjectParser<XBinaryTokenizer>(XBinaryTokenizer(body, floatBytes)).parseDocument();
  }
  return XParseResult{std::nullopt, "the X file header names an unknown format", false};
}

}  // namespace zv
