#pragma once
// The presentation rule: during the first second frames are shown with
// vertical sync and timed; three intervals in a row of 16 ms (give or take
// 1) mean the display runs at 60 Hz and vsync paces the game from then on.
// Otherwise the millisecond clock paces it: 16 ms a frame and 1 ms more
// on two frames in three (60 frames = 1000 ms); a late frame resets the target.
#include <cstdint>

namespace pf {

class FramePacer {
 public:
  // open_ms: when the display was opened. Without vsync there is nothing to
  // measure and the clock paces from the first frame.
  void start(int64_t open_ms, double open_precise_ms, bool vsync_possible);

  bool measuring() const { return measuring_; }
  bool on_vsync() const { return on_vsync_; }

  // After a presentation shown with vsync while measuring, at the moment it
  // returned. Ends the measurement on success or once a second has passed.
  void vsync_presented(double now_precise_ms);

  // Clock pacing: the milliseconds to wait before showing this frame.
  int64_t clock_wait(int64_t now_ms);

 private:
  bool measuring_ = false;
  bool on_vsync_ = false;
  double open_precise_ = 0;
  double last_present_ = 0;
  int good_in_row_ = 0;
  int64_t target_ = 0;
  int spare_ = 0;
};

}  // namespace pf
