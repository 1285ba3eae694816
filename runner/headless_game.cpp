#include "runner/headless_game.h"

#include "shell/game.h"

int run_game_headless(pf::HeadlessBackend& backend) {
  pf::set_backend(&backend);
  pf::input_state() = pf::InputState{};
  const int status = game_main();
  pf::set_backend(nullptr);
  return status;
}
