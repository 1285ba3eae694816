#include "play/round.h"

#include "platform/clock.h"

int32_t round_phase = 0;
int32_t round_result = 0;
int32_t scroll_sp = 0;
float msg_alpha = 0;
int32_t dmd_x = 0;
int32_t dmd_tx = 0;

int32_t place_diamond() {
  dmd_tx = 8 * static_cast<int32_t>(pf::rnd(10, 70));
  // The marker starts off the right edge and scrolls in with the mountain.
  dmd_x = dmd_tx + 640;
  return 0;
}
