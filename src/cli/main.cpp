// zolvanta-cli: the program's headless front end. Subcommands print JSON on stdout; a refused input
// exits 1 with the program's own message on stderr, a usage error exits 2.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/info_command.h"
#include "cli/morph_key_commands.h"
#include "cli/project_commands.h"
#include "cli/render_commands.h"
#include "cli/sample_command.h"
#include "cli/usage.h"

int main(int argc, char** argv) {
  std::vector<std::string_view> arguments(argv + 1, argv + argc);
  if (arguments.empty()) {
    std::fputs(zv::cli::kUsage.data(), stderr);
    return zv::cli::kUsageError;
  }
  if (arguments[0] == "--help" || arguments[0] == "help") {
    std::fputs(zv::cli::kUsage.data(), stdout);
    return 0;
  }
  if (arguments[0] == "info") {
    return zv::cli::runInfo({arguments.begin() + 1, arguments.end()});
  }
  if (arguments[0] == "lipsync") {
    return zv::cli::runLipSync({arguments.begin() + 1, arguments.end()});
  }
  if (arguments[0] == "blink") {
    return zv::cli::runBlink({arguments.begin() + 1, arguments.end()});
  }
  if (arguments[0] == "sample") {
    return zv::cli::runSample({arguments.begin() + 1, arguments.end()});
  }
  if (arguments[0] == "resave") {
    return zv::cli::runResave({arguments.begin() + 1, arguments.end()});
  }
  if (arguments[0] == "render") {
    return zv::cli::runRender({arguments.begin() + 1, arguments.end()});
  }
  if (arguments[0] == "export") {
    return zv::cli::runExport({arguments.begin() + 1, arguments.end()});
  }
  std::fprintf(stderr, "zolvanta-cli: unknown command '%s'\n\n%s", argv[1], zv::cli::kUsage.data());
  return zv::cli::kUsageError;
}
