#include "cli/info_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/json_writer.h"
#include "cli/model_info.h"
#include "cli/usage.h"
#include "port/paths.h"
#include "scene/model_reader.h"

namespace zv::cli {
namespace {

std::string lowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

int refuse(std::string_view caption, std::string_view message) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
               static_cast<int>(message.size()), message.data());
  return kRefused;
}

int printJson(const JsonWriter& json) {
  std::fputs(json.text().c_str(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

int infoModel(std::filesystem::path path) {
  Model model;
  if (auto failure = readModelFile(path, port::executableDirectory(), model)) {
    return refuse(failure->caption, failure->message);
  }
  JsonWriter json;
  writeModelInfo(model, json);
  return printJson(json);
}

}  // namespace

int runInfo(std::span<const std::string_view> arguments) {
  if (arguments.size() != 1) {
    std::fputs(kUsage.data(), stderr);
    return kUsageError;
  }
  std::filesystem::path path(arguments[0]);
  std::string extension = lowerExtension(path);
  if (extension == ".tsm") {
    return infoModel(path);
  }
  std::fprintf(stderr, "zolvanta-cli: info does not know files of the kind '%s'\n", extension.c_str());
  return kUsageError;
}

}  // namespace zv::cli
