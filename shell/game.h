#pragma once
// The spine: start-up, the frame loop and the exit sequence.
#include <cstdint>

extern int32_t game_mode;  // 2 playing, 3 paused, 4 title menu
extern int32_t quit_game;  // non-zero ends the frame loop after the current frame

// Runs the whole game once on the installed back end; returns the exit status.
int game_main();

int32_t mode_keys();
