// The headless back end: when scripted events reach the game, how a close
// request and a suspension arrive, the seed override and the frame kept.
#include "platform/headless/headless_backend.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/clock.h"
#include "platform/display.h"
#include "platform/draw.h"
#include "platform/input.h"

namespace {

using Kind = pf::TimelineEvent::Kind;

pf::TimelineEvent ev(int frame, Kind kind, int a = 0, int b = 0, float value = 0) {
  return {.frame = frame, .kind = kind, .a = a, .b = b, .value = value};
}

class Headless : public testing::Test {
 protected:
  void SetUp() override {
    pf::input_state() = pf::InputState{};
    pf::set_backend(&b);
    pf::open_display(640, 480, 32, 60, 2);
  }
  void TearDown() override { pf::set_backend(nullptr); }
  pf::HeadlessBackend b;
};

TEST_F(Headless, EventsArriveWhenThePresentationBeforeTheirFrameReturns) {
  b.queue(
      {ev(3, Kind::key, pf::key_space), ev(1, Kind::key, pf::key_enter), ev(2, Kind::mouse, 1)});
  EXPECT_EQ(pf::key_hit(pf::key_enter), 1) << "frame 1 events come before the first frame";
  EXPECT_EQ(pf::mouse_hit(1), 0);
  pf::flip();
  EXPECT_EQ(pf::mouse_hit(1), 1);
  EXPECT_EQ(pf::key_hit(pf::key_space), 0);
  pf::flip();
  EXPECT_EQ(pf::key_hit(pf::key_space), 1);
  EXPECT_EQ(b.pending_events(), 0u);
}

TEST_F(Headless, PressesAreSinglePresses) {
  b.queue({ev(1, Kind::key, 40), ev(1, Kind::key, 40), ev(1, Kind::mouse, 2)});
  EXPECT_EQ(pf::key_hit(40), 2);
  EXPECT_FALSE(pf::input_state().key_held[40]);
  EXPECT_EQ(pf::mouse_hit(2), 1);
  EXPECT_FALSE(pf::input_state().mouse_held[2]);
}

TEST_F(Headless, HookSeesEachPresentationBeforeTheNextFramesEvents) {
  b.queue(ev(2, Kind::key, pf::key_escape));
  std::vector<int> seen, hits_at_hook;
  b.on_present([&](int n) {
    seen.push_back(n);
    hits_at_hook.push_back(pf::input_state().key_hits[pf::key_escape]);
  });
  pf::flip();
  pf::flip();
  EXPECT_EQ(seen, (std::vector<int>{1, 2}));
  EXPECT_EQ(hits_at_hook, (std::vector<int>{0, 0}));
  EXPECT_EQ(pf::key_hit(pf::key_escape), 1);
}

// Events of one frame keep their order: a button pressed before the pad is
// plugged in is lost.
struct OrderCase {
  const char* name;
  std::vector<pf::TimelineEvent> events;
  int joy_count, hits;
  float x, y;
};

class JoystickScript : public Headless, public testing::WithParamInterface<OrderCase> {};

TEST_P(JoystickScript, FollowsTheTimelineInOrder) {
  const OrderCase& c = GetParam();
  b.queue(c.events);
  EXPECT_EQ(pf::joy_count(), c.joy_count);
  EXPECT_EQ(pf::joy_hit(0, 0), c.hits);
  EXPECT_EQ(pf::joy_x(0), c.x);
  EXPECT_EQ(pf::joy_y(0), c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Orders, JoystickScript,
    testing::Values(OrderCase{"plug_then_press",
                              {ev(1, Kind::plug), ev(1, Kind::joy, 0), ev(1, Kind::joy, 0)},
                              1,
                              2,
                              0,
                              0},
                    OrderCase{
                        "press_then_plug", {ev(1, Kind::joy, 0), ev(1, Kind::plug)}, 1, 0, 0, 0},
                    OrderCase{"axes",
                              {ev(1, Kind::plug), ev(1, Kind::axis, 0, 0, -1.0f),
                               ev(1, Kind::axis, 1, 0, 0.25f)},
                              1,
                              0,
                              -1.0f,
                              0.25f},
                    OrderCase{"unplug_takes_presses_and_axes",
                              {ev(1, Kind::plug), ev(1, Kind::joy, 0),
                               ev(1, Kind::axis, 0, 0, 1.0f), ev(1, Kind::unplug)},
                              0,
                              0,
                              0,
                              0},
                    OrderCase{"plugging_twice_is_one_pad",
                              {ev(1, Kind::plug), ev(1, Kind::plug), ev(1, Kind::joy, 0)},
                              1,
                              1,
                              0,
                              0}),
    [](const testing::TestParamInfo<OrderCase>& info) { return std::string(info.param.name); });

TEST_F(Headless, PointerMovesFromTheTimeline) {
  b.queue({ev(1, Kind::move, 100, 50), ev(2, Kind::move, 600, 470)});
  EXPECT_EQ(pf::mouse_x(), 100);
  EXPECT_EQ(pf::mouse_y(), 50);
  pf::flip();
  EXPECT_EQ(pf::mouse_x(), 600);
  EXPECT_EQ(pf::mouse_y(), 470);
}

TEST_F(Headless, OpeningCentresThePointer) {
  EXPECT_TRUE(b.display_open());
  EXPECT_EQ(pf::mouse_x(), 320);
  EXPECT_EQ(pf::mouse_y(), 240);
}

TEST_F(Headless, CloseRequestArrivesWhenItsPresentationReturns) {
  b.close_after(2);
  b.queue(ev(3, Kind::key, pf::key_space));
  pf::flip();
  EXPECT_FALSE(pf::app_terminate());
  pf::flip();
  EXPECT_TRUE(pf::app_terminate());
  EXPECT_FALSE(pf::app_terminate());
  EXPECT_EQ(pf::key_hit(pf::key_space), 1) << "the frame's events come with the close";
}

TEST_F(Headless, ScriptedCloseIsAnEventLikeAnyOther) {
  b.queue(ev(2, Kind::close));
  EXPECT_FALSE(pf::app_terminate());
  pf::flip();
  EXPECT_TRUE(pf::app_terminate());
}

// While the game waits to be activated no frame is shown: the timeline runs
// on to the resume, whatever frames it names.
TEST_F(Headless, SuspensionRunsTheTimelineToTheResume) {
  b.queue({ev(1, Kind::plug), ev(2, Kind::suspend), ev(2, Kind::key, pf::key_enter),
           ev(40, Kind::joy, 0), ev(90, Kind::resume), ev(90, Kind::key, pf::key_space),
           ev(91, Kind::key, pf::key_escape)});
  pf::flip();
  // The frame's first queries deliver the suspension; they must not end it.
  EXPECT_EQ(pf::key_hit(pf::key_escape), 0);
  EXPECT_FALSE(pf::app_terminate());
  EXPECT_TRUE(pf::app_suspended());
  EXPECT_FALSE(pf::app_suspended());
  EXPECT_EQ(b.presentations(), 1);
  EXPECT_EQ(pf::key_hit(pf::key_enter), 0) << "activation flushes keys";
  EXPECT_EQ(pf::joy_hit(0), 1) << "joystick presses survive the flush";
  // What follows the resume waits for its frame again, counted in frames
  // really shown.
  EXPECT_EQ(b.pending_events(), 2u);
  while (b.presentations() < 88) pf::flip();
  EXPECT_EQ(pf::key_hit(pf::key_space), 0);
  pf::flip();
  EXPECT_EQ(pf::key_hit(pf::key_space), 1);
  EXPECT_EQ(pf::key_hit(pf::key_escape), 0);
}

TEST_F(Headless, SuspensionWithoutResumeEndsWhenTheTimelineDoes) {
  b.queue(ev(2, Kind::suspend));
  pf::flip();
  EXPECT_TRUE(pf::app_suspended());
  EXPECT_FALSE(pf::app_suspended());
}

TEST_F(Headless, SleepingMovesOnlyTheVirtualClock) {
  const int before = pf::millisecs();
  pf::delay(500);
  EXPECT_EQ(pf::millisecs() - before, 500);
  pf::delay(-3);
  EXPECT_EQ(pf::millisecs() - before, 500);
}

TEST_F(Headless, SeedOverrideGivesTheSameGameWhateverTheClock) {
  auto draws = [](int requested) {
    pf::seed_rnd(requested);
    std::vector<double> v;
    for (int i = 0; i < 4; ++i) v.push_back(pf::rnd(0.0, 100.0));
    return v;
  };
  const std::vector<double> unfixed_a = draws(10), unfixed_b = draws(11);
  EXPECT_NE(unfixed_a, unfixed_b);
  b.set_seed(10);
  EXPECT_EQ(draws(11), unfixed_a);
  EXPECT_EQ(draws(999), unfixed_a);
}

TEST_F(Headless, KeepsACopyOfTheFrameShown) {
  pf::set_blend(pf::blend_solid);
  pf::set_color(255, 0, 0);
  pf::cls();
  pf::draw_rect(10, 20, 4, 4);
  pf::flip();
  ASSERT_EQ(b.last_frame().size(), 640u * 480u);
  EXPECT_EQ(b.last_frame()[20 * 640 + 10], 0xFF0000u);
  EXPECT_EQ(b.last_frame()[0], 0u);
  pf::cls();  // drawing the next frame leaves the shown one alone
  EXPECT_EQ(b.last_frame()[20 * 640 + 10], 0xFF0000u);
}

}  // namespace
