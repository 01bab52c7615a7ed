// X files read as generic data: every data object with its template name, its own name, its data
// members flattened into one list of values in file order, and its children. Both the text and the
// binary format land here, so everything above this layer sees one shape.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

// Objects nested deeper than this are refused: the readers and the tree builder recurse per level.
inline constexpr int kMaxXNesting = 64;

enum class XValueKind : std::uint8_t { Integer, Float, String };

struct XValue {
  XValueKind kind = XValueKind::Integer;
  std::int64_t integer = 0;  // Integer: a DWORD of the binary format, any whole number of the text format
  float real = 0;            // Float: 64-bit files are narrowed here, everything is drawn in 32 bits
  std::uint32_t string = 0;  // String: index into the owning object's `strings`
};

struct XDataObject {
  std::string templateName;  // "Frame", "Mesh", ...; empty for a reference
  std::string name;          // CP932, may be empty; for a reference, the name of the object it means
  bool isReference = false;  // written as "{ Name }" inside another object
  std::vector<XValue> values;
  std::vector<std::string> strings;   // CP932, the text of String values
  std::vector<XDataObject> children;  // nested objects and references in file order
};

struct XDocument {
  std::vector<XDataObject> objects;  // top-level data objects; template definitions are not kept
};

struct XParseResult {
  std::optional<XDocument> document;
  std::string failure;      // why the bytes were refused; empty on success
  bool compressed = false;  // refused because the file uses a compressed format
};

// Reads a whole X file: the 16-byte header "xof 03xxFFFFSSSS" (FFFF "txt " or "bin ", SSSS "0032"
// or "0064"), then the objects. Every count and length is checked against the bytes.
XParseResult parseXFile(std::string_view bytes);

}  // namespace zv
