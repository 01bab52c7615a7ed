// Runs the built zolvanta-cli from the program folder and keeps what it printed.
#pragma once

#include <QJsonDocument>
#include <string>
#include <vector>

namespace zv::test {

struct CliRun {
  int exitCode = -1;
  std::string out;
  std::string err;
  QJsonDocument json() const { return QJsonDocument::fromJson(QByteArray::fromStdString(out)); }
};

CliRun runCli(const std::vector<std::string>& arguments);

}  // namespace zv::test
