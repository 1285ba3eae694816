#pragma once
// Runs the whole game once on a headless back end.
#include "platform/headless/headless_backend.h"

// Installs the back end with a fresh input state, runs the game to its end
// and uninstalls the back end; returns the game's exit status.
int run_game_headless(pf::HeadlessBackend& backend);
