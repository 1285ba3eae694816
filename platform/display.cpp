#include "platform/display.h"

#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"
#include "platform/draw.h"
#include "platform/input.h"
#include "platform/pacing.h"

namespace pf {

namespace {
std::string app_title;
FramePacer pacer;
}  // namespace

void set_app_title(const std::string& title) {
  app_title = title;
}

void open_display(int, int, int, int, int) {
  Backend& b = backend();
  std::string error;
  if (!b.open_display(app_title, &error)) {
    std::fprintf(stderr, "orlenvault: cannot open the display: %s\n", error.c_str());
    std::exit(1);
  }
  move_mouse(screen_w / 2, screen_h / 2);
  const bool vsync = b.can_vsync() && b.set_vsync(true);
  if (!vsync) b.set_vsync(false);
  pacer.start(b.now_ms(), b.now_precise_ms(), vsync);
}

void flip(int) {
  Backend& b = backend();
  if (pacer.measuring()) {
    b.show_frame(frame_pixels());
    pacer.vsync_presented(b.now_precise_ms());
    // A display that is not at 60 Hz (or gives no sync at all) must not pace
    // the game any more: the clock takes over from the next frame.
    if (!pacer.measuring() && !pacer.on_vsync()) b.set_vsync(false);
  } else if (pacer.on_vsync()) {
    b.show_frame(frame_pixels());
  } else {
    const int64_t wait = pacer.clock_wait(b.now_ms());
    if (wait > 0) b.sleep_ms(wait);
    b.show_frame(frame_pixels());
  }
  b.frame_presented();
}

}  // namespace pf
