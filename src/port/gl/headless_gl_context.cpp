#include "port/gl/headless_gl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace zv::port {

std::unique_ptr<HeadlessGlContext> HeadlessGlContext::create(std::string& error) {
  auto getPlatformDisplay =
      reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
  if (!getPlatformDisplay) {
    error = "EGL has no eglGetPlatformDisplayEXT";
    return nullptr;
  }
  EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
    error = "EGL surfaceless display unavailable";
    return nullptr;
  }
  if (!eglBindAPI(EGL_OPENGL_API)) {
    eglTerminate(display);
    error = "EGL cannot bind desktop OpenGL";
    return nullptr;
  }
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                               3,
                               EGL_CONTEXT_MINOR_VERSION,
                               3,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                               EGL_NONE};
  EGLContext context = eglCreateContext(display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (context == EGL_NO_CONTEXT) {
    eglTerminate(display);
    error = "EGL cannot create an OpenGL 3.3 core context";
    return nullptr;
  }
  std::unique_ptr<HeadlessGlContext> result(new HeadlessGlContext);
  result->display_ = display;
  result->context_ = context;
  if (!result->makeCurrent()) {
    error = "EGL cannot make the context current";
    return nullptr;
  }
  return result;
}

HeadlessGlContext::~HeadlessGlContext() {
  eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  eglDestroyContext(display_, context_);
  eglTerminate(display_);
}

bool HeadlessGlContext::makeCurrent() {
  return eglMakeCurrent(display_, EGL_NO_SURFACE, EGL_NO_SURFACE, static_cast<EGLContext>(context_)) ==
         EGL_TRUE;
}

}  // namespace zv::port
