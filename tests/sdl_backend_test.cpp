// The real back end without a screen: SDL's events turned into the game's
// input, virtual joysticks plugged and unplugged, close signals, the clock,
// and a window on SDL's dummy video driver.
#include "platform/sdl/sdl_backend.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/sdl/sdl_input.h"
#include "platform/sdl/sdl_keys.h"

namespace {

SDL_Event key_event(Uint32 type, SDL_Keycode sym, Uint8 repeat = 0, Uint32 timestamp = 0) {
  SDL_Event e{};
  e.type = type;
  e.key.timestamp = timestamp;
  e.key.keysym.sym = sym;
  e.key.repeat = repeat;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  return e;
}

SDL_Event button_event(Uint32 type, Uint8 button, int x, int y) {
  SDL_Event e{};
  e.type = type;
  e.button.button = button;
  e.button.x = x;
  e.button.y = y;
  return e;
}

SDL_Event motion_event(int x, int y) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  return e;
}

SDL_Event window_event(Uint8 what, Uint32 timestamp = 0) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.timestamp = timestamp;
  e.window.event = what;
  return e;
}

TEST(SdlKeys, GameCodesAreTheWindowsKeyNumbers) {
  const struct {
    SDL_Keycode sym;
    int code;
  } cases[] = {
      {SDLK_RETURN, 13}, {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},  {SDLK_SPACE, 32},
      {SDLK_DOWN, 40},   {SDLK_LCTRL, 162},   {SDLK_RCTRL, 163},  {SDLK_LEFT, 37},
      {SDLK_a, 65},      {SDLK_z, 90},        {SDLK_0, 48},       {SDLK_9, 57},
      {SDLK_F1, 112},    {SDLK_F12, 123},     {SDLK_KP_0, 96},    {SDLK_KP_1, 97},
      {SDLK_KP_9, 105},  {SDLK_MENU, -1},     {SDLK_UNKNOWN, -1}, {SDLK_AUDIOPLAY, -1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pf::game_key_code(c.sym), c.code) << SDL_GetKeyName(c.sym);
  }
}

TEST(SdlInput, KeyDownCountsOncePerPressNotOnRepeat) {
  pf::SdlInput input;
  pf::InputState in;
  input.handle(key_event(SDL_KEYDOWN, SDLK_SPACE), in);
  input.handle(key_event(SDL_KEYDOWN, SDLK_SPACE, 1), in);
  input.handle(key_event(SDL_KEYDOWN, SDLK_SPACE, 1), in);
  EXPECT_EQ(in.key_hits[32], 1);
  EXPECT_TRUE(in.key_held[32]);
  input.handle(key_event(SDL_KEYUP, SDLK_SPACE), in);
  EXPECT_FALSE(in.key_held[32]);
  input.handle(key_event(SDL_KEYDOWN, SDLK_SPACE), in);
  EXPECT_EQ(in.key_hits[32], 2);
  // Keys the game has no code for leave everything as it was.
  const auto hits_before = in.key_hits;
  input.handle(key_event(SDL_KEYDOWN, SDLK_MENU), in);
  EXPECT_EQ(in.key_hits, hits_before);
}

TEST(SdlInput, MouseButtonsAndPointerPosition) {
  const struct {
    Uint8 sdl_button;
    int game_button;
  } cases[] = {{SDL_BUTTON_LEFT, 1}, {SDL_BUTTON_RIGHT, 2}, {SDL_BUTTON_MIDDLE, 3}};
  for (const auto& c : cases) {
    pf::SdlInput input;
    pf::InputState in;
    input.handle(button_event(SDL_MOUSEBUTTONDOWN, c.sdl_button, 100, 200), in);
    EXPECT_EQ(in.mouse_hits[c.game_button], 1) << int(c.sdl_button);
    EXPECT_EQ(in.pointer_x, 100);
    EXPECT_EQ(in.pointer_y, 200);
    input.handle(button_event(SDL_MOUSEBUTTONUP, c.sdl_button, 100, 200), in);
    EXPECT_FALSE(in.mouse_held[c.game_button]);
    int total = 0;
    for (int h : in.mouse_hits) total += h;
    EXPECT_EQ(total, 1) << "one click counts on one button only";
  }
  // On the letterbox bars the pointer lies outside the frame, as it is.
  pf::SdlInput input;
  pf::InputState in;
  input.handle(motion_event(-12, 500), in);
  EXPECT_EQ(in.pointer_x, -12);
  EXPECT_EQ(in.pointer_y, 500);
}

TEST(SdlInput, WarpedPointerReadsExactlyWhereItWasPut) {
  pf::SdlInput input;
  pf::InputState in;
  input.pointer_warped(320, 240);
  input.handle(motion_event(319, 241), in);  // the warp, rounded on its way back
  EXPECT_EQ(in.pointer_x, 320);
  EXPECT_EQ(in.pointer_y, 240);
  input.handle(motion_event(319, 241), in);  // the player's own move
  EXPECT_EQ(in.pointer_x, 319);
  EXPECT_EQ(in.pointer_y, 241);
  input.pointer_warped(320, 240);
  input.handle(motion_event(100, 50), in);  // far off: not the warp
  EXPECT_EQ(in.pointer_x, 100);
}

TEST(SdlInput, SuspendedWhileUnfocusedOrMinimised) {
  struct Step {
    Uint8 event;
    bool suspended;
  };
  const std::vector<std::vector<Step>> sequences = {
      {{SDL_WINDOWEVENT_FOCUS_LOST, true}, {SDL_WINDOWEVENT_FOCUS_GAINED, false}},
      {{SDL_WINDOWEVENT_MINIMIZED, true}, {SDL_WINDOWEVENT_RESTORED, false}},
      // Minimised and left: back on screen but still behind another application.
      {{SDL_WINDOWEVENT_FOCUS_LOST, true},
       {SDL_WINDOWEVENT_MINIMIZED, true},
       {SDL_WINDOWEVENT_RESTORED, true},
       {SDL_WINDOWEVENT_FOCUS_GAINED, false}},
      {{SDL_WINDOWEVENT_MINIMIZED, true},
       {SDL_WINDOWEVENT_FOCUS_GAINED, true},
       {SDL_WINDOWEVENT_RESTORED, false}},
      {{SDL_WINDOWEVENT_SHOWN, false}, {SDL_WINDOWEVENT_EXPOSED, false}},
  };
  for (size_t s = 0; s < sequences.size(); ++s) {
    pf::SdlInput input;
    pf::InputState in;
    for (const Step& step : sequences[s]) {
      input.handle(window_event(step.event), in);
      EXPECT_EQ(in.suspended, step.suspended) << "sequence " << s << ", event " << int(step.event);
    }
  }
}

TEST(SdlInput, SuspensionForgetsKeysAndMouseBothWays) {
  pf::SdlInput input;
  pf::InputState in;
  input.handle(key_event(SDL_KEYDOWN, SDLK_RETURN), in);
  input.handle(button_event(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 5), in);
  input.handle(window_event(SDL_WINDOWEVENT_FOCUS_LOST), in);
  EXPECT_EQ(in.key_hits[13], 0);
  EXPECT_FALSE(in.key_held[13]);
  EXPECT_EQ(in.mouse_hits[1], 0);
  input.handle(key_event(SDL_KEYDOWN, SDLK_LCTRL), in);
  input.handle(window_event(SDL_WINDOWEVENT_FOCUS_GAINED), in);
  EXPECT_FALSE(in.suspended);
  EXPECT_EQ(in.key_hits[162], 0);
}

TEST(SdlInput, ModifierHeldThroughReturnIsNoPress) {
  pf::SdlInput input;
  pf::InputState in;
  input.handle(window_event(SDL_WINDOWEVENT_FOCUS_LOST, 1000), in);
  // The desktop reports left Control, held all along, as going down on return.
  input.handle(window_event(SDL_WINDOWEVENT_FOCUS_GAINED, 2000), in);
  input.handle(key_event(SDL_KEYDOWN, SDLK_LCTRL, 0, 2000), in);
  EXPECT_EQ(in.key_hits[162], 0);
  EXPECT_TRUE(in.key_held[162]);
  // Other keys at that moment are the player's own.
  input.handle(key_event(SDL_KEYDOWN, SDLK_RETURN, 0, 2001), in);
  EXPECT_EQ(in.key_hits[13], 1);
  // Let go and pressed again, Control fires as ever.
  input.handle(key_event(SDL_KEYUP, SDLK_LCTRL, 0, 2300), in);
  input.handle(key_event(SDL_KEYDOWN, SDLK_LCTRL, 0, 2400), in);
  EXPECT_EQ(in.key_hits[162], 1);
}

TEST(SdlInput, WindowCloseAndQuitAskToClose) {
  for (Uint32 type : {Uint32(SDL_WINDOWEVENT), Uint32(SDL_QUIT)}) {
    pf::SdlInput input;
    pf::InputState in;
    SDL_Event e = type == SDL_QUIT ? SDL_Event{} : window_event(SDL_WINDOWEVENT_CLOSE);
    e.type = type;
    input.handle(e, in);
    EXPECT_TRUE(in.close_requested) << type;
    EXPECT_FALSE(in.suspended);
  }
}

TEST(SdlJoysticks, AxisEndsAreExact) {
  EXPECT_EQ(pf::SdlJoysticks::axis_value(-32768), -1.0f);
  EXPECT_EQ(pf::SdlJoysticks::axis_value(32767), 1.0f);
  EXPECT_EQ(pf::SdlJoysticks::axis_value(0), 0.0f);
  EXPECT_GT(pf::SdlJoysticks::axis_value(-1), -0.001f);
  EXPECT_LT(pf::SdlJoysticks::axis_value(-1), 0.0f);
}

// A started back end on SDL's dummy video driver, and virtual devices.
class SdlBackendTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    std::string error;
    ASSERT_TRUE(sdl.start(&error)) << error;
    pf::set_backend(&sdl);
  }
  void TearDown() override {
    for (SDL_Joystick* j : handles) SDL_JoystickClose(j);
  }

  // Plugs a virtual device and returns its instance id; the test keeps a
  // handle to work its buttons and axes.
  SDL_JoystickID plug(SDL_JoystickType type, int axes, int buttons, int hats) {
    const int index = SDL_JoystickAttachVirtual(type, axes, buttons, hats);
    EXPECT_GE(index, 0) << SDL_GetError();
    SDL_Joystick* j = SDL_JoystickOpen(index);
    EXPECT_NE(j, nullptr) << SDL_GetError();
    handles.push_back(j);
    return SDL_JoystickInstanceID(j);
  }
  SDL_Joystick* handle(SDL_JoystickID id) { return SDL_JoystickFromInstanceID(id); }
  void unplug(SDL_JoystickID id) {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
  }
  pf::InputState& pump() {
    sdl.pump_events(in);
    return in;
  }

  pf::SdlBackend sdl;
  pf::InputState in;
  std::vector<SDL_Joystick*> handles;
};

// A pad SDL knows: 15 buttons in the order a, b, x, y, back, guide, start,
// stick presses, shoulders, then the D-pad up, down, left, right.
constexpr int pad_axes = 6, pad_buttons = 15;
constexpr int dpad_up = 11, dpad_down = 12, dpad_left = 13, dpad_right = 14;

TEST_F(SdlBackendTest, MappedPadButtonsCountOnce) {
  const SDL_JoystickID id = plug(SDL_JOYSTICK_TYPE_GAMECONTROLLER, pad_axes, pad_buttons, 0);
  ASSERT_EQ(pump().joys.size(), 1u);
  EXPECT_EQ(in.joys[0].id, id);
  // The pad announces itself as a joystick and as a controller: one port.
  EXPECT_EQ(pump().joys.size(), 1u);

  SDL_Joystick* j = handle(id);
  SDL_JoystickSetVirtualButton(j, 0, SDL_PRESSED);
  SDL_JoystickSetVirtualButton(j, 1, SDL_PRESSED);
  pump();
  EXPECT_EQ(in.joys[0].hits[0], 1);  // south face
  EXPECT_EQ(in.joys[0].hits[1], 1);  // east face
  SDL_JoystickSetVirtualButton(j, 0, SDL_RELEASED);
  pump();
  SDL_JoystickSetVirtualButton(j, 0, SDL_PRESSED);
  pump();
  EXPECT_EQ(in.joys[0].hits[0], 2);
}

TEST_F(SdlBackendTest, MappedPadStickAndDpadDriveTheAxes) {
  const SDL_JoystickID id = plug(SDL_JOYSTICK_TYPE_GAMECONTROLLER, pad_axes, pad_buttons, 0);
  pump();
  ASSERT_EQ(in.joys.size(), 1u);
  SDL_Joystick* j = handle(id);
  const struct {
    Sint16 x, y;
    float want_x, want_y;
  } sticks[] = {{-32768, 32767, -1.0f, 1.0f}, {32767, -32768, 1.0f, -1.0f}, {0, 0, 0.0f, 0.0f}};
  for (const auto& s : sticks) {
    SDL_JoystickSetVirtualAxis(j, 0, s.x);
    SDL_JoystickSetVirtualAxis(j, 1, s.y);
    pump();
    EXPECT_EQ(in.joys[0].x, s.want_x) << s.x;
    EXPECT_EQ(in.joys[0].y, s.want_y) << s.y;
  }
  const struct {
    int button;
    float want_x, want_y;
  } dpad[] = {{dpad_left, -1.0f, 0.0f},
              {dpad_right, 1.0f, 0.0f},
              {dpad_up, 0.0f, -1.0f},
              {dpad_down, 0.0f, 1.0f}};
  for (const auto& d : dpad) {
    SDL_JoystickSetVirtualButton(j, d.button, SDL_PRESSED);
    pump();
    EXPECT_EQ(in.joys[0].x, d.want_x) << d.button;
    EXPECT_EQ(in.joys[0].y, d.want_y) << d.button;
    SDL_JoystickSetVirtualButton(j, d.button, SDL_RELEASED);
    pump();
    EXPECT_EQ(in.joys[0].x, 0.0f) << "released " << d.button;
    EXPECT_EQ(in.joys[0].y, 0.0f) << "released " << d.button;
  }
  // The D-pad wins over a half-pushed stick, which comes back on release.
  SDL_JoystickSetVirtualAxis(j, 0, 16000);
  SDL_JoystickSetVirtualButton(j, dpad_left, SDL_PRESSED);
  pump();
  EXPECT_EQ(in.joys[0].x, -1.0f);
  SDL_JoystickSetVirtualButton(j, dpad_left, SDL_RELEASED);
  pump();
  EXPECT_FLOAT_EQ(in.joys[0].x, 16000 / 32767.0f);
}

TEST_F(SdlBackendTest, RawJoystickButtonsAxesAndHat) {
  const SDL_JoystickID id = plug(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
  pump();
  ASSERT_EQ(in.joys.size(), 1u);
  SDL_Joystick* j = handle(id);
  SDL_JoystickSetVirtualButton(j, 2, SDL_PRESSED);
  SDL_JoystickSetVirtualAxis(j, 0, 32767);
  SDL_JoystickSetVirtualAxis(j, 1, -32768);
  pump();
  EXPECT_EQ(in.joys[0].hits[2], 1);
  EXPECT_EQ(in.joys[0].x, 1.0f);
  EXPECT_EQ(in.joys[0].y, -1.0f);
  SDL_JoystickSetVirtualAxis(j, 0, 0);
  SDL_JoystickSetVirtualAxis(j, 1, 0);
  const struct {
    Uint8 hat;
    float want_x, want_y;
  } hats[] = {{SDL_HAT_LEFTUP, -1.0f, -1.0f},
              {SDL_HAT_RIGHTDOWN, 1.0f, 1.0f},
              {SDL_HAT_DOWN, 0.0f, 1.0f},
              {SDL_HAT_CENTERED, 0.0f, 0.0f}};
  for (const auto& h : hats) {
    SDL_JoystickSetVirtualHat(j, 0, h.hat);
    pump();
    EXPECT_EQ(in.joys[0].x, h.want_x) << int(h.hat);
    EXPECT_EQ(in.joys[0].y, h.want_y) << int(h.hat);
  }
}

TEST_F(SdlBackendTest, UnpluggingPortZeroMovesTheNextDeviceUp) {
  const SDL_JoystickID first = plug(SDL_JOYSTICK_TYPE_GAMECONTROLLER, pad_axes, pad_buttons, 0);
  const SDL_JoystickID second = plug(SDL_JOYSTICK_TYPE_UNKNOWN, 2, 4, 1);
  pump();
  ASSERT_EQ(in.joys.size(), 2u);
  EXPECT_EQ(in.joys[0].id, first);
  EXPECT_EQ(in.joys[1].id, second);

  // Held down while it goes: nothing may touch the closed device after.
  SDL_JoystickSetVirtualButton(handle(first), 0, SDL_PRESSED);
  unplug(first);
  pump();
  ASSERT_EQ(in.joys.size(), 1u);
  EXPECT_EQ(in.joys[0].id, second);

  SDL_JoystickSetVirtualButton(handle(second), 0, SDL_PRESSED);
  pump();
  EXPECT_EQ(in.joys[0].hits[0], 1);

  unplug(second);
  pump();
  EXPECT_TRUE(in.joys.empty());
  pump();  // and nothing more happens
  EXPECT_TRUE(in.joys.empty());
}

TEST(SdlSignals, CloseSignalIsReportedOnce) {
  for (int sig : {SIGTERM, SIGINT}) {
    // Each back end catches one signal; the next would end the program.
    pf::SdlBackend sdl;
    pf::InputState in;
    std::string error;
    ASSERT_TRUE(sdl.start(&error)) << error;
    std::raise(sig);
    sdl.pump_events(in);
    EXPECT_TRUE(in.close_requested) << sig;
    in.close_requested = false;
    sdl.pump_events(in);
    EXPECT_FALSE(in.close_requested) << sig;
  }
}

TEST(SdlSignals, IgnoredInterruptStaysIgnored) {
  struct sigaction ignore {
  }, before{}, after{};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGINT, &ignore, &before);
  {
    pf::SdlBackend sdl;
    std::string error;
    ASSERT_TRUE(sdl.start(&error)) << error;
    sigaction(SIGINT, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_IGN);
  }
  sigaction(SIGINT, &before, nullptr);
}

TEST_F(SdlBackendTest, SleepNeverEndsEarly) {
  for (int ms : {1, 2, 5}) {
    const double before = sdl.now_precise_ms();
    const int64_t before_ms = sdl.now_ms();
    sdl.sleep_ms(ms);
    EXPECT_GE(sdl.now_precise_ms() - before, ms);
    EXPECT_GE(sdl.now_ms() - before_ms, ms - 1);
  }
}

TEST_F(SdlBackendTest, DummyDisplayOpensShowsFramesAndDropsVsync) {
  int opened = 0;
  sdl.after_display_opens([&opened] { ++opened; });
  std::string error;
  ASSERT_TRUE(sdl.open_display("Orlenvault", &error)) << error;
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(pf::input_state().pointer_x, 320);
  EXPECT_EQ(pf::input_state().pointer_y, 240);
  std::vector<uint32_t> frame(640 * 480, 0x00336699);
  sdl.show_frame(frame.data());
  EXPECT_TRUE(sdl.set_vsync(false));
  EXPECT_FALSE(sdl.display().vsync_on());
  EXPECT_TRUE(sdl.display().is_open());
  sdl.show_frame(frame.data());
  EXPECT_TRUE(sdl.set_vsync(true));
  EXPECT_TRUE(sdl.display().is_open());
  sdl.show_frame(frame.data());
}

TEST_F(SdlBackendTest, NoDesktopMeansNoDisplay) {
  // What a user without a desktop has: nothing asked of SDL, nowhere to show.
  struct Var {
    const char* name;
    std::string value;
    bool set;
  };
  std::vector<Var> saved;
  for (const char* name : {"SDL_VIDEODRIVER", "DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* v = std::getenv(name);
    saved.push_back({name, v ? v : "", v != nullptr});
    unsetenv(name);
  }
  bool opened = false;
  sdl.after_display_opens([&opened] { opened = true; });
  std::string error;
  EXPECT_FALSE(sdl.open_display("Orlenvault", &error));
  EXPECT_FALSE(opened) << "nothing else starts without a window";
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;
  EXPECT_FALSE(sdl.display().is_open());
  for (const Var& v : saved) {
    if (v.set) setenv(v.name, v.value.c_str(), 1);
  }
}

}  // namespace
