#include "platform/sdl/sdl_keys.h"

namespace pf {

namespace {

struct KeyCode {
  SDL_Keycode sym;
  int code;
};

// Keys outside the letter, digit, keypad and function-key runs.
constexpr KeyCode named_keys[] = {
    {SDLK_BACKSPACE, 8},      {SDLK_TAB, 9},           {SDLK_RETURN, 13},
    {SDLK_KP_ENTER, 13},      {SDLK_PAUSE, 19},        {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},        {SDLK_SPACE, 32},        {SDLK_PAGEUP, 33},
    {SDLK_PAGEDOWN, 34},      {SDLK_END, 35},          {SDLK_HOME, 36},
    {SDLK_LEFT, 37},          {SDLK_UP, 38},           {SDLK_RIGHT, 39},
    {SDLK_DOWN, 40},          {SDLK_PRINTSCREEN, 44},  {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},        {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},
    {SDLK_KP_MINUS, 109},     {SDLK_KP_PERIOD, 110},   {SDLK_KP_DIVIDE, 111},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},  {SDLK_LSHIFT, 160},
    {SDLK_RSHIFT, 161},       {SDLK_LCTRL, 162},       {SDLK_RCTRL, 163},
    {SDLK_LALT, 164},         {SDLK_RALT, 165},
};

}  // namespace

int game_key_code(SDL_Keycode sym) {
  // SDL names letters by their lower-case character; the game by the capital.
  if (sym >= SDLK_a && sym <= SDLK_z) return 'A' + (sym - SDLK_a);
  if (sym >= SDLK_0 && sym <= SDLK_9) return '0' + (sym - SDLK_0);
  if (sym >= SDLK_F1 && sym <= SDLK_F12) return 112 + (sym - SDLK_F1);
  // The keypad digits are not one run in SDL: 1..9 then 0.
  if (sym >= SDLK_KP_1 && sym <= SDLK_KP_9) return 97 + (sym - SDLK_KP_1);
  if (sym == SDLK_KP_0) return 96;
  for (const KeyCode& k : named_keys) {
    if (k.sym == sym) return k.code;
  }
  return -1;
}

}  // namespace pf
