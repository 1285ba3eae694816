#include "shell/options.h"

int32_t retro_fx = 0;
int32_t sound_lvl = 10;
float sound_vol = 1.0f;
int32_t music_lvl = 10;
float music_vol = 1.0f;

const std::string ver_txt = "v1.6  (c) 2026 Tinderkite Studio";
std::array<std::string, 2> onoff_txt;
std::array<std::string, 11> level_txt;
std::array<std::string, 5> menu_txt;

int32_t make_texts() {
  onoff_txt = {"Off", "On"};
  level_txt = {"Off", "10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "Max"};
  // Rows 1 to 3 end in a blank that separates the caption from its value.
  menu_txt = {"Play Game", "Retro FX ", "Sound Volume ", "Music Volume ", "Exit Game"};
  return 0;
}
