#pragma once
// The score line over every screen, and the optional retro scanlines.
#include <cstdint>
#include <string>

// Score, best score and level as the score line shows them: a "0" in front
// of anything below 10 ("00".."09", and "0-1" for a negative best score).
std::string hud_number(int32_t value);

int32_t draw_hud();
// Covers every odd pixel row in grey level `level`, when retro_fx is on.
int32_t draw_scanlines(int32_t level);
