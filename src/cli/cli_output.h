// How every subcommand ends: JSON on stdout, or a refusal with the program's own caption and text
// on stderr.
#pragma once

#include <string_view>

#include "cli/json_writer.h"

namespace zv::cli {

// Prints "caption: message" on stderr; the exit status of a refused input.
int refuse(std::string_view caption, std::string_view message);

// Prints the JSON text and a newline on stdout; the exit status of success, or of a refused input
// when `inputsReportedErrors` (their messages are already on stderr).
int printJson(const JsonWriter& json, bool inputsReportedErrors = false);

}  // namespace zv::cli
