// The presentation rule: 60 frames a second by the clock, or by vertical
// sync once the first second has shown a 60 Hz display.
#include "platform/pacing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/display.h"
#include "platform/headless/headless_backend.h"

namespace {

// Runs frames that take no time to draw; returns the clock afterwards.
int64_t run_clock_frames(pf::FramePacer& pacer, int64_t now, int frames,
                         std::vector<int64_t>* waits = nullptr) {
  for (int i = 0; i < frames; ++i) {
    const int64_t wait = pacer.clock_wait(now);
    if (waits) waits->push_back(wait);
    now += wait;
  }
  return now;
}

TEST(ClockPacing, SixtyFramesTakeExactlyOneSecond) {
  pf::FramePacer pacer;
  pacer.start(500, 500.0, false);
  EXPECT_FALSE(pacer.measuring());
  EXPECT_FALSE(pacer.on_vsync());
  std::vector<int64_t> waits;
  EXPECT_EQ(run_clock_frames(pacer, 500, 60, &waits), 1500);
  for (int64_t w : waits) EXPECT_TRUE(w == 16 || w == 17) << w;
  // No drift over a longer run either.
  EXPECT_EQ(run_clock_frames(pacer, 1500, 600), 11500);
}

TEST(ClockPacing, DrawingTimeIsTakenFromTheWait) {
  pf::FramePacer pacer;
  pacer.start(0, 0.0, false);
  int64_t now = run_clock_frames(pacer, 0, 3);  // 50 ms: 16 + 17 + 17
  ASSERT_EQ(now, 50);
  now += 10;  // drawing the frame took 10 ms of its 16
  EXPECT_EQ(pacer.clock_wait(now), 6);
}

TEST(ClockPacing, LateFrameResetsTheTargetAndLaterFramesAreNotShortened) {
  pf::FramePacer pacer;
  pacer.start(0, 0.0, false);
  int64_t now = run_clock_frames(pacer, 0, 6);
  ASSERT_EQ(now, 100);
  now += 200;  // a frame that took far too long
  EXPECT_EQ(pacer.clock_wait(now), 0);
  // From the late frame on, the next frames get their full length again
  // rather than rushing to make up the lost 200 ms.
  std::vector<int64_t> waits;
  const int64_t end = run_clock_frames(pacer, now, 60, &waits);
  for (int64_t w : waits) EXPECT_GE(w, 16);
  EXPECT_EQ(end - now, 1000);
}

struct VsyncCase {
  const char* name;
  std::vector<double> intervals;  // between presentation returns, from the opening
  int ends_after;                 // presentations until measuring stops (0: not within the list)
  bool on_vsync;
};

class VsyncMeasure : public testing::TestWithParam<VsyncCase> {};

TEST_P(VsyncMeasure, DecidesFromPresentationIntervals) {
  const VsyncCase& c = GetParam();
  pf::FramePacer pacer;
  pacer.start(0, 0.0, true);
  ASSERT_TRUE(pacer.measuring());
  double now = 0;
  int ended = 0;
  for (size_t i = 0; i < c.intervals.size() && pacer.measuring(); ++i) {
    now += c.intervals[i];
    pacer.vsync_presented(now);
    if (!pacer.measuring()) ended = static_cast<int>(i) + 1;
  }
  EXPECT_EQ(ended, c.ends_after);
  EXPECT_EQ(pacer.on_vsync(), c.on_vsync);
}

std::vector<double> repeat(double interval, int n) {
  return std::vector<double>(static_cast<size_t>(n), interval);
}

std::vector<double> concat(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

INSTANTIATE_TEST_SUITE_P(
    Displays, VsyncMeasure,
    testing::Values(
        VsyncCase{"at_60_hz", repeat(1000.0 / 60, 10), 3, true},
        VsyncCase{"edges_of_the_tolerance", {15.0, 17.0, 15.0}, 3, true},
        VsyncCase{"a_hiccup_starts_the_count_again", {16.7, 16.7, 40.0, 16.7, 16.7, 16.7}, 6, true},
        // 144 Hz: 6.9 ms presents never make a 60 Hz triple; the 145th
        // present is the first past one second.
        VsyncCase{"at_144_hz", repeat(6.9, 200), 145, false},
        VsyncCase{"just_too_fast", repeat(14.9, 100), 68, false},
        VsyncCase{"just_too_slow", repeat(17.1, 100), 59, false},
        VsyncCase{"at_30_hz", repeat(33.4, 40), 30, false},
        VsyncCase{"two_good_then_slow_until_a_second", concat({16.0, 16.0}, repeat(100.0, 20)), 12,
                  false}),
    [](const testing::TestParamInfo<VsyncCase>& info) { return std::string(info.param.name); });

// A display with vertical sync for flip(): a vsync presentation returns at the
// display's next refresh; without vsync it returns at once.
class FakeDisplay : public pf::HeadlessBackend {
 public:
  explicit FakeDisplay(double refresh_ms) : refresh_ms_(refresh_ms) {}
  bool can_vsync() override { return true; }
  bool set_vsync(bool on) override {
    vsync_calls.push_back(on);
    vsync_ = on;
    return true;
  }
  void show_frame(const uint32_t* pixels) override {
    pf::HeadlessBackend::show_frame(pixels);
    // The next refresh strictly after now (the small slack keeps a present
    // that landed on a refresh from waiting for the same one again).
    if (vsync_) now_ = (std::floor(now_ / refresh_ms_ + 1e-6) + 1) * refresh_ms_;
  }
  int64_t now_ms() override { return static_cast<int64_t>(now_); }
  double now_precise_ms() override { return now_; }
  void sleep_ms(int64_t ms) override {
    now_ += static_cast<double>(ms);
    slept_ms += ms;
  }

  std::vector<bool> vsync_calls;
  int64_t slept_ms = 0;

 private:
  double refresh_ms_;
  double now_ = 0;
  bool vsync_ = false;
};

class FlipTest : public testing::Test {
 protected:
  void TearDown() override { pf::set_backend(nullptr); }
};

TEST_F(FlipTest, HeadlessClockPacesFromTheFirstFrame) {
  pf::HeadlessBackend b;
  pf::set_backend(&b);
  b.advance_clock(1234);
  pf::open_display(640, 480, 32, 60, 2);
  for (int i = 0; i < 60; ++i) pf::flip();
  EXPECT_EQ(b.now_ms(), 1234 + 1000);
  EXPECT_EQ(b.presentations(), 60);

  b.advance_clock(300);  // a frame far too slow to draw
  pf::flip();
  EXPECT_EQ(b.now_ms(), 1234 + 1000 + 300);
  const int64_t after_late = b.now_ms();
  for (int i = 0; i < 60; ++i) pf::flip();
  EXPECT_EQ(b.now_ms() - after_late, 1000);
}

TEST_F(FlipTest, SixtyHertzDisplaySwitchesToVsync) {
  FakeDisplay d(1000.0 / 60);
  pf::set_backend(&d);
  pf::open_display(640, 480, 32, 60, 2);
  for (int i = 0; i < 120; ++i) pf::flip();
  // Vsync was asked for on opening and never given up; the clock never slept.
  EXPECT_EQ(d.vsync_calls, std::vector<bool>{true});
  EXPECT_EQ(d.slept_ms, 0);
  EXPECT_NEAR(d.now_precise_ms(), 2000.0, 1e-6);
  EXPECT_EQ(d.presentations(), 120);
}

TEST_F(FlipTest, FastDisplayGivesUpVsyncAfterOneSecondAndTheClockPaces) {
  FakeDisplay d(6.9);  // 144 Hz
  pf::set_backend(&d);
  pf::open_display(640, 480, 32, 60, 2);
  int measured = 0;
  while (d.vsync_calls.size() < 2 && measured < 1000) {
    pf::flip();
    ++measured;
  }
  EXPECT_EQ(measured, 145);  // the first present past one second
  EXPECT_EQ(d.vsync_calls, (std::vector<bool>{true, false}));
  EXPECT_EQ(d.slept_ms, 0);

  pf::flip();  // late against the clock's target: shown at once, target reset
  const int64_t start = d.now_ms();
  for (int i = 0; i < 60; ++i) pf::flip();
  EXPECT_EQ(d.now_ms() - start, 1000);
  EXPECT_EQ(d.slept_ms, 1000);
}

class NoScreen : public pf::HeadlessBackend {
 public:
  bool open_display(const std::string&, std::string* error) override {
    *error = "no screen found";
    return false;
  }
};

TEST_F(FlipTest, DisplayThatCannotOpenEndsTheProgramWithOneLine) {
  NoScreen b;
  pf::set_backend(&b);
  EXPECT_EXIT(pf::open_display(640, 480, 32, 60, 2), testing::ExitedWithCode(1),
              "^orlenvault: cannot open the display: no screen found\n$");
}

}  // namespace
