#include "platform/pacing.h"

namespace pf {

void FramePacer::start(int64_t open_ms, double open_precise_ms, bool vsync_possible) {
  measuring_ = vsync_possible;
  on_vsync_ = false;
  open_precise_ = open_precise_ms;
  last_present_ = open_precise_ms;
  good_in_row_ = 0;
  target_ = open_ms;
  spare_ = 0;
}

void FramePacer::vsync_presented(double now) {
  const double interval = now - last_present_;
  last_present_ = now;
  // 1000 / 60 in whole milliseconds is 16; one either side is still 60 Hz.
  good_in_row_ = (interval >= 15.0 && interval <= 17.0) ? good_in_row_ + 1 : 0;
  if (good_in_row_ >= 3) {
    measuring_ = false;
    on_vsync_ = true;
  } else if (now - open_precise_ >= 1000.0) {
    measuring_ = false;
  }
}

int64_t FramePacer::clock_wait(int64_t now) {
  target_ += 16;
  spare_ += 40;  // 1000 - 16 x 60, spread over the frames
  if (spare_ >= 60) {
    spare_ -= 60;
    target_ += 1;
  }
  if (target_ > now) return target_ - now;
  target_ = now;  // late: start afresh rather than rush the next frames
  return 0;
}

}  // namespace pf
