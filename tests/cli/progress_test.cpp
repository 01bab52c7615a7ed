#include <fcntl.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "port/gl/headless_gl_context.h"
#include "port/paths.h"
#include "temp_folder.h"

namespace zv {
namespace {

// Runs the tool with stdout thrown away and stderr on a pseudo-terminal, as an interactive shell
// gives it; what the terminal received.
std::string stderrOnTerminal(std::vector<std::string> arguments) {
  int terminal = -1;
  int tool = -1;
  if (::openpty(&terminal, &tool, nullptr, nullptr, nullptr) != 0) {
    return {};
  }
  const std::string program = (port::executableDirectory() / "zolvanta-cli").string();
  arguments.insert(arguments.begin(), program);
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(tool, STDERR_FILENO);
    ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(tool);
  std::string received;
  char buffer[4096];
  for (ssize_t n; (n = ::read(terminal, buffer, sizeof buffer)) > 0;) {
    received.append(buffer, static_cast<std::size_t>(n));
  }
  ::waitpid(child, nullptr, 0);
  ::close(terminal);
  return received;
}

TEST(CliProgress, ATerminalSeesOneLineRewrittenUpToTheLastPicture) {
  std::string error;
  if (!port::HeadlessGlContext::create(error)) {
    GTEST_SKIP() << "no headless GL context: " << error;
  }
  test::TempFolder folder;
  const std::string shown = stderrOnTerminal(
      {"export", "--model", (port::executableDirectory() / "UserFile/Model/tessera.tsm").string(), "--start",
       "0", "--end", "20", "--width", "64", "--height", "48", "--out", (folder / "p.avi").string()});
  EXPECT_NE(shown.find("\r21/21 pictures, elapsed 0:"), std::string::npos) << shown;
  EXPECT_NE(shown.find(", left 0:00"), std::string::npos) << shown;
  // One line: everything before the final line end is rewritten in place.
  const std::size_t lineEnd = shown.find('\n');
  ASSERT_NE(lineEnd, std::string::npos) << shown;
  EXPECT_EQ(lineEnd, shown.size() - 1) << shown;
  EXPECT_TRUE(std::filesystem::exists(folder / "p.avi"));
}

}  // namespace
}  // namespace zv
