// The program: the game on the real back end.
#include <cstdio>
#include <string>

#include "platform/backend.h"
#include "platform/files.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_backend.h"
#include "shell/game.h"

int main(int, char** argv) {
  // The data folder lies beside the program, wherever it was started from.
  pf::enter_program_folder(argv[0]);
  pf::SdlBackend sdl;
  std::string error;
  if (!sdl.start(&error)) {
    std::fprintf(stderr, "orlenvault: %s\n", error.c_str());
    return 1;
  }
  pf::set_backend(&sdl);
  // Without a sound device the game plays on in silence. Closed before SDL
  // itself: declared after it. Opened once the window is up, so that with no
  // display the player reads one line about that and nothing about sound.
  pf::SdlAudio audio;
  sdl.after_display_opens([&audio] { audio.open(); });
  return game_main();
}
