// Hostile text into the accessory descriptor parser. A refused text must say why and give nothing;
// an accepted one must survive being written back and read again with the same file name and
// shadow setting, since saving a scene writes descriptors out the same way.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/x/vac_descriptor.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const zv::VacParseResult result =
      zv::parseVacDescriptor(std::string_view(reinterpret_cast<const char*>(data), size));
  require(result.descriptor.has_value() == result.failure.empty());
  if (!result.descriptor) {
    return 0;
  }
  const zv::VacDescriptor& descriptor = *result.descriptor;
  const zv::VacParseResult again = zv::parseVacDescriptor(zv::formatVacDescriptor(descriptor, "title"));
  require(again.descriptor.has_value());
  require(again.descriptor->xFileName == descriptor.xFileName);
  require(again.descriptor->shadow == descriptor.shadow);
  return 0;
}
