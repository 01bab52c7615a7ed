// The layers of src/ may only include downwards, and only the layers that draw, play or show a
// window may see Qt, SDL, FFmpeg or GL. A violation names the file and the include.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Higher layers may use lower ones, never the reverse; cli and app are both front ends over ui,
// and cli may also use app.
const std::map<std::string, int> kLayerRank = {
    {"port", 0},  {"scene", 1}, {"anim", 2}, {"files", 3}, {"render", 4},
    {"media", 5}, {"ui", 6},    {"app", 7},  {"cli", 8},
};

struct Include {
  std::string file;  // relative to src/
  std::string target;
  bool system = false;
};

fs::path sourceFolder() {
  const char* root = std::getenv("ZV_SOURCE_DIR");
  return fs::path(root ? root : ".") / "src";
}

std::vector<Include> allIncludes() {
  static const std::regex includeLine(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::vector<Include> includes;
  const fs::path src = sourceFolder();
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string extension = entry.path().extension().string();
    if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp")) {
      continue;
    }
    std::ifstream in(entry.path());
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
      if (std::regex_search(line, match, includeLine)) {
        includes.push_back({fs::relative(entry.path(), src).generic_string(), match[2], match[1] == "<"});
      }
    }
  }
  return includes;
}

std::string firstComponent(const std::string& path) {
  return path.substr(0, path.find('/'));
}

bool startsWith(const std::string& text, const std::string& prefix) {
  return text.rfind(prefix, 0) == 0;
}

bool isPlatformSystemHeader(const std::string& header) {
  static const std::regex platform(
      R"(^(Q[A-Za-z]*|SDL2?/.*|SDL.*|libav\w+/.*|libsw\w+/.*|GL/.*|EGL/.*|GLES\d?/.*)$)");
  return std::regex_match(header, platform);
}

// The window's own widgets and the shell's view of the window belong to the front ends.
bool isWindowHeader(const std::string& target) {
  return target == "port/ui.h" || target == "port/window_host.h" || target == "port/headless_ui.h" ||
         startsWith(target, "port/control_") || startsWith(target, "port/qt/");
}

}  // namespace

TEST(IncludeRules, TheTreeHasSourcesToCheck) {
  EXPECT_GT(allIncludes().size(), 500u) << "looked in " << sourceFolder();
}

TEST(IncludeRules, EveryIncludePointsDownOrSideways) {
  for (const Include& include : allIncludes()) {
    if (include.system) {
      continue;
    }
    const auto from = kLayerRank.find(firstComponent(include.file));
    const auto to = kLayerRank.find(firstComponent(include.target));
    if (from == kLayerRank.end() || to == kLayerRank.end()) {
      continue;
    }
    const bool appUsesCli = from->first == "app" && to->first == "cli";
    EXPECT_TRUE(to->second <= from->second && !appUsesCli) << include.file << " includes " << include.target;
  }
}

TEST(IncludeRules, OnlyTheFrontEndsAndTheirPanelsTalkToTheWindow) {
  for (const Include& include : allIncludes()) {
    if (include.system || !isWindowHeader(include.target)) {
      continue;
    }
    const std::string layer = firstComponent(include.file);
    const bool qtBackEnd = startsWith(include.target, "port/qt/");
    const bool allowed = qtBackEnd
                             ? (layer == "app" || layer == "cli" || startsWith(include.file, "port/qt/"))
                             : (layer == "port" || layer == "ui" || layer == "app" || layer == "cli");
    EXPECT_TRUE(allowed) << include.file << " includes " << include.target;
  }
}

TEST(IncludeRules, PlainLayersSeeNoPlatformLibrary) {
  for (const Include& include : allIncludes()) {
    const std::string layer = firstComponent(include.file);
    const bool plainLayer = layer == "scene" || layer == "anim" || layer == "files";
    if (include.system) {
      const bool platformAllowed = layer == "port" || layer == "render" || layer == "media" ||
                                   layer == "cli" || include.file == "app/main.cpp";
      EXPECT_TRUE(platformAllowed || !isPlatformSystemHeader(include.target))
          << include.file << " includes <" << include.target << ">";
    } else if (plainLayer) {
      const bool backEnd =
          startsWith(include.target, "port/") && include.target.find('/', 5) != std::string::npos;
      EXPECT_FALSE(backEnd) << include.file << " includes " << include.target;
    }
  }
}
