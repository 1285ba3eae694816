#pragma once
// The game's key codes (Windows virtual-key numbers) for SDL's key symbols.
#include <SDL.h>

namespace pf {

// The game's code for the key, or -1 for a key the game has no code for.
int game_key_code(SDL_Keycode sym);

}  // namespace pf
