// A loaded character model. The model reader fills every member; this is the part other
// subsystems rely on before it lands.
#pragma once

#include <string>

namespace zv {

struct Model {
  std::string name;  // CP932, at most 20 bytes
};

}  // namespace zv
