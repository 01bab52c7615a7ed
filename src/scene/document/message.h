// What plain operations hand back for the user to read: the text and caption of a message box,
// and the results that carry them. Whoever owns the window shows them, in order.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace zv {

struct Message {
  std::string text;         // UTF-8
  std::string caption;      // UTF-8
  bool standalone = false;  // a box of its own rather than one over the main window
  bool operator==(const Message&) const = default;
};

// Whether an operation got done, and what the user is to be told, in the order it happened.
struct Outcome {
  bool done = false;
  std::vector<Message> messages;
  explicit operator bool() const { return done; }
};

// Answers a question an operation meets on its way (an OK/Cancel box in the window): true goes on.
using Confirmation = std::function<bool(const Message& question)>;

}  // namespace zv
