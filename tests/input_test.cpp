// Polled input: counted presses, auto-repeat, the flushes and what each one
// leaves alone, suspension, and joystick ports that come and go.
#include "platform/input.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/input_state.h"

namespace {

// "d" goes down, "u" comes up, "f" flushes; the result is the hit count.
struct PressCase {
  const char* steps;
  int hits;
};

class PressCounting : public testing::TestWithParam<PressCase> {};

int run_steps(const std::string& steps, const std::function<void(pf::InputState&, char)>& act,
              const std::function<int(pf::InputState&)>& hits) {
  pf::InputState in;
  std::istringstream words(steps);
  for (std::string w; words >> w;) act(in, w[0]);
  return hits(in);
}

TEST_P(PressCounting, Keys) {
  const int n = run_steps(
      GetParam().steps,
      [](pf::InputState& in, char c) {
        if (c == 'd') in.key_pressed(pf::key_enter);
        if (c == 'u') in.key_released(pf::key_enter);
        if (c == 'f') in.flush_keys();
      },
      [](pf::InputState& in) { return in.key_hits[pf::key_enter]; });
  EXPECT_EQ(n, GetParam().hits);
}

TEST_P(PressCounting, MouseButtons) {
  const int n = run_steps(
      GetParam().steps,
      [](pf::InputState& in, char c) {
        if (c == 'd') in.mouse_pressed(1);
        if (c == 'u') in.mouse_released(1);
        if (c == 'f') in.flush_mouse();
      },
      [](pf::InputState& in) { return in.mouse_hits[1]; });
  EXPECT_EQ(n, GetParam().hits);
}

INSTANTIATE_TEST_SUITE_P(Sequences, PressCounting,
                         testing::Values(PressCase{"d", 1},
                                         PressCase{"d d d", 1},  // auto-repeat while held
                                         PressCase{"d u d u", 2}, PressCase{"d u d d u d", 3},
                                         PressCase{"u", 0}, PressCase{"d u f", 0},
                                         // The flush forgets the key is down: the next
                                         // down event counts again.
                                         PressCase{"d f d", 1}));

TEST(InputState, OutOfRangeCodesAreIgnored) {
  pf::InputState in;
  in.key_pressed(-1);
  in.key_pressed(256);
  in.mouse_pressed(8);
  in.key_released(999);
  for (int h : in.key_hits) EXPECT_EQ(h, 0);
  for (int h : in.mouse_hits) EXPECT_EQ(h, 0);
}

// Each action on a state holding one pending press of each kind, and which
// presses survive it.
struct FlushCase {
  const char* name;
  std::function<void(pf::InputState&)> act;
  bool key_kept, mouse_kept;
};

class Flushes : public testing::TestWithParam<FlushCase> {};

TEST_P(Flushes, TouchOnlyTheirOwnInputs) {
  const FlushCase& c = GetParam();
  pf::InputState in;
  in.joy_added(3);
  in.key_pressed(pf::key_space);  // still held
  in.mouse_pressed(1);            // still held
  in.wheel = 2;
  in.joy(0)->hits[1] = 1;
  c.act(in);
  EXPECT_EQ(in.key_hits[pf::key_space], c.key_kept ? 1 : 0);
  EXPECT_EQ(in.key_held[pf::key_space], c.key_kept);
  EXPECT_EQ(in.mouse_hits[1], c.mouse_kept ? 1 : 0);
  EXPECT_EQ(in.mouse_held[1], c.mouse_kept);
  EXPECT_EQ(in.wheel, c.mouse_kept ? 2 : 0);
  EXPECT_EQ(in.joy(0)->hits[1], 1) << "joystick presses are never flushed";
}

INSTANTIATE_TEST_SUITE_P(
    Actions, Flushes,
    testing::Values(
        FlushCase{"flush_keys", [](pf::InputState& in) { in.flush_keys(); }, false, true},
        FlushCase{"flush_mouse", [](pf::InputState& in) { in.flush_mouse(); }, true, false},
        FlushCase{"suspend", [](pf::InputState& in) { in.set_suspended(true); }, false, false},
        FlushCase{"resume",
                  [](pf::InputState& in) {
                    in.suspended = true;  // pressed while suspended, then activated
                    in.set_suspended(false);
                  },
                  false, false},
        // Only a change of the state flushes.
        FlushCase{"still_active", [](pf::InputState& in) { in.set_suspended(false); }, true, true}),
    [](const testing::TestParamInfo<FlushCase>& info) { return std::string(info.param.name); });

TEST(InputState, UnpluggedJoystickMovesLaterPortsDown) {
  pf::InputState in;
  in.joy_added(10);
  in.joy_added(11);
  in.joy_added(12);
  in.joy(2)->hits[0] = 4;
  in.joy_removed(11);
  ASSERT_EQ(in.joys.size(), 2u);
  EXPECT_EQ(in.joy(0)->id, 10);
  EXPECT_EQ(in.joy(1)->id, 12);
  EXPECT_EQ(in.joy(1)->hits[0], 4) << "a device keeps its presses when its port changes";
  EXPECT_EQ(in.joy(2), nullptr);
  in.joy_removed(99);  // not attached: nothing moves
  EXPECT_EQ(in.joys.size(), 2u);
  EXPECT_EQ(in.joy(-1), nullptr);
}

// The queries of input.h, on a back end that remembers where it put the
// system pointer.
class PointerBackend : public pf::HeadlessBackend {
 public:
  void move_pointer(int x, int y) override { moves.push_back({x, y}); }
  std::vector<std::pair<int, int>> moves;
};

class Queries : public testing::Test {
 protected:
  void SetUp() override {
    pf::input_state() = pf::InputState{};
    pf::set_backend(&backend);
  }
  void TearDown() override { pf::set_backend(nullptr); }
  pf::InputState& in() { return pf::input_state(); }
  PointerBackend backend;
};

TEST_F(Queries, HitsAreCountedAndClearedByTheirQuery) {
  in().key_pressed(pf::key_escape);
  in().key_released(pf::key_escape);
  in().key_pressed(pf::key_escape);
  in().mouse_pressed(2);
  EXPECT_EQ(pf::key_hit(pf::key_space), 0);
  EXPECT_EQ(pf::key_hit(pf::key_escape), 2);
  EXPECT_EQ(pf::key_hit(pf::key_escape), 0);
  EXPECT_EQ(pf::mouse_hit(1), 0);
  EXPECT_EQ(pf::mouse_hit(2), 1);
  EXPECT_EQ(pf::mouse_hit(2), 0);
  for (int bad : {-1, 256, 100000}) EXPECT_EQ(pf::key_hit(bad), 0);
  for (int bad : {-1, 8}) EXPECT_EQ(pf::mouse_hit(bad), 0);
}

TEST_F(Queries, QueriesSeeEventsWaitingAtTheBackEnd) {
  backend.queue({.frame = 1, .kind = pf::TimelineEvent::Kind::key, .a = pf::key_enter});
  EXPECT_EQ(in().key_hits[pf::key_enter], 0);
  EXPECT_EQ(pf::key_hit(pf::key_enter), 1);
}

TEST_F(Queries, JoystickPortsAndMissingPorts) {
  in().joy_added(7);
  in().joy_added(8);
  in().joy(1)->hits[0] = 2;
  in().joy(1)->x = -1.0f;
  in().joy(1)->y = 0.5f;
  EXPECT_EQ(pf::joy_count(), 2);
  EXPECT_EQ(pf::joy_hit(0, 1), 2);
  EXPECT_EQ(pf::joy_hit(0, 1), 0);
  EXPECT_EQ(pf::joy_x(1), -1.0f);
  EXPECT_EQ(pf::joy_y(1), 0.5f);

  in().joy(1)->hits[3] = 1;
  in().joy_removed(7);  // the second pad becomes port 0
  EXPECT_EQ(pf::joy_count(), 1);
  EXPECT_EQ(pf::joy_hit(3, 0), 1);
  EXPECT_EQ(pf::joy_x(0), -1.0f);

  for (int port : {1, 2, -1}) {
    EXPECT_EQ(pf::joy_hit(0, port), 0) << port;
    EXPECT_EQ(pf::joy_x(port), 0.0f) << port;
    EXPECT_EQ(pf::joy_y(port), 0.0f) << port;
  }
  EXPECT_EQ(pf::joy_hit(32, 0), 0);
  EXPECT_EQ(pf::joy_hit(-1, 0), 0);
}

TEST_F(Queries, MovingThePointerIsReadBackAtOnce) {
  pf::move_mouse(320, 240);
  EXPECT_EQ(pf::mouse_x(), 320);
  EXPECT_EQ(pf::mouse_y(), 240);
  pf::move_mouse(-5, 700);
  EXPECT_EQ(pf::mouse_x(), -5);
  EXPECT_EQ(pf::mouse_y(), 700);
  EXPECT_EQ(backend.moves, (std::vector<std::pair<int, int>>{{320, 240}, {-5, 700}}));
}

TEST_F(Queries, CloseRequestIsReportedOnce) {
  EXPECT_FALSE(pf::app_terminate());
  in().close_requested = true;
  EXPECT_TRUE(pf::app_terminate());
  EXPECT_FALSE(pf::app_terminate());
}

TEST_F(Queries, SuspendedStaysUntilActivatedAndTheQueryDoesNotClearIt) {
  in().set_suspended(true);
  EXPECT_TRUE(pf::app_suspended());
  // Asking again means waiting for activation; with nothing left to come,
  // the headless back end gives the activation back.
  EXPECT_FALSE(pf::app_suspended());
  EXPECT_FALSE(pf::app_suspended());
}

TEST_F(Queries, FlushQueriesClearTheirInputs) {
  in().key_pressed(pf::key_down);
  in().mouse_pressed(3);
  pf::flush_keys();
  EXPECT_EQ(pf::key_hit(pf::key_down), 0);
  EXPECT_EQ(pf::mouse_hit(3), 1);
  in().key_pressed(pf::key_lcontrol);
  in().mouse_pressed(3);  // still held: auto-repeat, not a press
  in().mouse_released(3);
  in().mouse_pressed(3);
  pf::flush_mouse();
  EXPECT_EQ(pf::mouse_hit(3), 0);
  EXPECT_EQ(pf::key_hit(pf::key_lcontrol), 1);
}

}  // namespace
