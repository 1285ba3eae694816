#pragma once
// The maker's logo over the title backdrop before the title menu; it also
// grabs that backdrop and starts the music.
#include <cstdint>

// offset: the logo's distance from the screen's vertical centre (negative is up).
int32_t intro_splash(int32_t offset);
