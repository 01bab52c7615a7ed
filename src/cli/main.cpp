// zolvanta-cli: the program's headless front end. Subcommands print JSON on stdout; a refused input
// exits 1 with the program's own message on stderr, a usage error exits 2.
#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view kUsage =
    "usage: zolvanta-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  --help       show this text\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::fputs(kUsage.data(), stdout);
    return 0;
  }
  std::fputs(kUsage.data(), stderr);
  return 2;
}
