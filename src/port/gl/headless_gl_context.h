// An OpenGL 3.3 core context without a window or display: EGL on Mesa's surfaceless platform.
// Tests and the command-line tool draw into framebuffer objects on it.
#pragma once

#include <memory>
#include <string>

namespace zv::port {

class HeadlessGlContext {
 public:
  // The context, current on this thread; null with `error` set when EGL offers none.
  static std::unique_ptr<HeadlessGlContext> create(std::string& error);
  ~HeadlessGlContext();
  HeadlessGlContext(const HeadlessGlContext&) = delete;
  HeadlessGlContext& operator=(const HeadlessGlContext&) = delete;

  bool makeCurrent();

 private:
  HeadlessGlContext() = default;
  void* display_ = nullptr;
  void* context_ = nullptr;
};

}  // namespace zv::port
