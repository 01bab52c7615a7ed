#include "temp_folder.h"

#include <unistd.h>

#include <fstream>
#include <string>

#include "port/file_bytes.h"

namespace zv::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "zolvanta-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    throw std::filesystem::filesystem_error("mkdtemp", std::make_error_code(std::errc::io_error));
  }
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

std::string readFile(const std::filesystem::path& file) {
  int error = 0;
  return port::readWholeFile(file, error).value_or("");
}

void writeFile(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace zv::test
