// What plain operations told the user, kept in order as the window would have shown them.
#pragma once

#include <vector>

#include "scene/document/message.h"

namespace zv::test {

struct ToldMessages {
  std::vector<Message> messages;

  void keep(const std::vector<Message>& told) { messages.insert(messages.end(), told.begin(), told.end()); }
  // Keeps the result's messages and hands the result on.
  template <typename Result>
  Result kept(Result result) {
    keep(result.messages);
    return result;
  }
};

}  // namespace zv::test
