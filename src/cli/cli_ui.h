// The command-line tool's Ui: every message box is printed to stderr as "caption: text", and
// questions are answered OK, so an operation runs as it would in the window without anyone there.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "port/headless_ui.h"

namespace zv::cli {

class CliUi : public port::HeadlessUi {
 public:
  port::MessageAnswer messageBox(port::MessageOwner owner, std::string_view text, std::string_view caption,
                                 port::MessageButtons buttons) override {
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
    return port::HeadlessUi::messageBox(owner, text, caption, buttons);
  }

  // Whether a box other than a question was shown beyond the `informationBoxes` the command
  // expects: then an input gave an error, even when the operation kept what it read before it.
  bool shownError(std::size_t informationBoxes = 0) const {
    const auto plainBoxes = std::ranges::count_if(
        messages, [](const port::ShownMessage& shown) { return shown.buttons == port::MessageButtons::Ok; });
    return static_cast<std::size_t>(plainBoxes) > informationBoxes;
  }
};

}  // namespace zv::cli
