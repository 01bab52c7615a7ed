// Reading the whole back buffer without waiting for the drawing: the pixels go into a pixel-buffer
// object and are collected later, so the copy overlaps the drawing of the next picture. Two
// buffers are used in turn: a frame step starts one read and collects the one before.
#pragma once

#include "port/rect.h"
#include "port/video/picture.h"
#include "render/display_device.h"

namespace zv {

struct AsyncReadBack {
  unsigned buffers[2] = {0, 0};  // pixel-buffer objects, made on first use
  port::Size sizes[2];           // of the picture each pending read holds
  bool pending[2] = {false, false};
  int next = 0;  // the buffer the next read goes into
};

// Starts reading the whole back buffer (B, G, R, A, bottom row first, alpha as drawn). False,
// starting nothing, when the device is not created, both buffers hold reads not yet collected, or
// GL refuses the buffer.
bool startReadBack(DisplayDevice& device, AsyncReadBack& readBack);

// Waits for the oldest read started and copies it into `picture` (its size set to the back
// buffer's at the time of the read). False when no read is pending or its buffer cannot be read,
// and then `picture` holds nothing to use; the read is dropped either way.
bool collectReadBack(AsyncReadBack& readBack, port::Picture& picture);

int pendingReadBacks(const AsyncReadBack& readBack);

// Forgets reads not collected, as when a recording that started them has ended.
void discardReadBacks(AsyncReadBack& readBack);

// Deletes the buffers; the context they were made on must be current.
void releaseReadBack(AsyncReadBack& readBack);

}  // namespace zv
