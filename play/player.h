#pragma once
// The player record: score, best score and level, and the craft that
// carries the round's one bomb.
#include <cstdint>
#include <memory>

struct player_tag {
  int32_t score = 0;
  int32_t best_sc = 0;  // read at start, raised by play, written at exit
  int32_t new_bs = 0;   // set the first time in a game the score passes the best
  int32_t lives = 0;    // there are no lives: a lost round ends the game
  int32_t level = 0;
  float x = 0;          // craft's left edge
  float y = 0;          // craft's top edge, 32 in every round
  float rotation = 0;   // the craft is always drawn upright, unscaled, frame 0
  float scale = 0;
  int32_t frame = 0;
  int32_t a_tmr = 0;
  int32_t a_ctr = 0;

  // 1 starts a new game, 0 the next round.
  static int32_t reset(int32_t n);
  // Draws the craft, then moves it; notices it flying off with the bomb.
  int32_t update();
  // Releases the bomb on the first fire input that was pressed.
  int32_t get_inputs();
};

// Draws the bomb; carries it under the craft or drops it one cell, and
// settles the round when it reaches the bottom.
int32_t update_bomb();

extern std::unique_ptr<player_tag> player;  // made at start-up, kept for the whole run

extern int32_t bomb_x;     // bomb's left edge
extern int32_t bomb_y;     // bomb's top edge; its tip is 22 pixels lower
extern int32_t bomb_on;    // 1 once the bomb is released this round
extern int32_t trail_ctr;  // frames until the flying craft leaves its next trail sprite
