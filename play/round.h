#pragma once
// The round: approach, flight, outcome; the diamond marker and the banners.
#include <cstdint>

extern int32_t round_phase;   // 0 approach, 1 flight, 2 outcome
extern int32_t round_result;  // 0 none yet, 1 diamond found, 2 poison gas, 3 flown away
extern int32_t scroll_sp;     // 8 while the mountain scrolls in, then 0
extern float msg_alpha;       // the banner's alpha
extern int32_t dmd_x;         // diamond marker's left edge
extern int32_t dmd_tx;        // the approach ends when dmd_x passes below it; -1 after

// One frame of play, run by the frame loop in the playing mode only.
int32_t play_step();
int32_t place_diamond();
int32_t move_diamond();
