#include "cli_runner.h"

#include <sys/wait.h>

#include <cstdio>

#include "port/paths.h"
#include "temp_folder.h"

namespace zv::test {
namespace {

std::string shellQuoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

}  // namespace

CliRun runCli(const std::vector<std::string>& arguments) {
  TempFolder folder;
  std::string command = shellQuoted((port::executableDirectory() / "zolvanta-cli").string());
  for (const std::string& argument : arguments) {
    command += " " + shellQuoted(argument);
  }
  command += " 2>" + shellQuoted((folder / "stderr").string());
  CliRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) {
    return run;
  }
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    run.out.append(buffer, n);
  }
  int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = readFile(folder / "stderr");
  return run;
}

}  // namespace zv::test
