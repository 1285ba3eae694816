#pragma once
// The menu's options, in memory only: every run starts with scanlines off
// and both volumes at "Max".
#include <array>
#include <cstdint>
#include <string>

extern int32_t retro_fx;   // scanlines off (0) or on (1)
extern int32_t sound_lvl;  // 0..10, indexes level_txt
extern float sound_vol;    // volume of every sound effect
extern int32_t music_lvl;
extern float music_vol;

extern const std::string ver_txt;
extern std::array<std::string, 2> onoff_txt;
extern std::array<std::string, 11> level_txt;
extern std::array<std::string, 5> menu_txt;

// Fills the menu texts; start-up calls it once.
int32_t make_texts();
