// A real window writes the program folder's Data/config.ini when it closes; a test that shows one
// keeps what stood there and puts it back afterwards.
#pragma once

#include <filesystem>
#include <string>

#include "port/paths.h"
#include "temp_folder.h"

namespace zv::test {

class KeptConfiguration {
 public:
  KeptConfiguration()
      : file_(port::executableDirectory() / "Data" / "config.ini"),
        existed_(std::filesystem::exists(file_)),
        contents_(existed_ ? readFile(file_) : std::string()) {}
  ~KeptConfiguration() {
    std::filesystem::remove(file_);
    if (existed_) {
      writeFile(file_, contents_);
    }
  }
  KeptConfiguration(const KeptConfiguration&) = delete;
  KeptConfiguration& operator=(const KeptConfiguration&) = delete;

 private:
  std::filesystem::path file_;
  bool existed_;
  std::string contents_;
};

}  // namespace zv::test
