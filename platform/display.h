#pragma once
// The game's one display: opening it and presenting frames at 60 a second.
#include <string>

namespace pf {

void set_app_title(const std::string& title);

// Opens the 640x480 display (the only size the game uses). If no display can
// be had, prints one line naming the cause on stderr and ends the program
// with status 1. Opening moves the pointer to (320, 240).
void open_display(int width, int height, int depth, int hertz, int flags);

// Shows the frame drawn and returns when the next may be drawn: in step with
// the display's vertical sync when that was measured at 60 Hz during the
// first second, otherwise paced by the millisecond clock (16 ms a frame plus
// 1 ms more on two frames in three; a late frame is not made up). sync is always -1.
void flip(int sync = -1);

}  // namespace pf
