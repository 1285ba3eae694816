#pragma once
// The best score kept from run to run in "data\hiscore.dat": four bytes,
// least significant first.
#include <cstdint>

// 0 reads the file into the player's best score, anything else writes it.
int32_t best_score_io(int32_t mode);
