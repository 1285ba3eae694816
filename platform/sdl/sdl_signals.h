#pragma once
// SIGINT and SIGTERM as a request to close the window, so the game leaves
// through its exit sequence (the best score is written). A second signal
// ends the program at once, in case the game is not looking.

namespace pf {

void catch_close_signals();    // leaves a signal alone if it was being ignored
void release_close_signals();  // puts back what was there before
// True once after a signal was caught.
bool take_close_signal();

}  // namespace pf
