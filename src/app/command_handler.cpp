#include "app/command_handler.h"

namespace zv {

// The command table is not filled yet: every command is received and none acts.
void handleCommand(Scene&, int, int) {}

void handleScroll(Scene&, int, port::ScrollCode, int) {}

}  // namespace zv
