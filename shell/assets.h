#pragma once
// The pictures and the font built into the program, and the two snapshots
// that stand behind the pause and title menus.
#include <cstdint>

#include "platform/font.h"
#include "platform/image.h"

// Names under which the built-in files are registered and opened.
#define RES_MAKER_LOGO "maker_logo.png"
#define RES_GAME_FONT "game_font.ttf"
#define RES_POINTER "pointer.png"
#define RES_TITLE_LOGO "title_logo.png"
#define RES_SHIP "ship.png"
#define RES_BOMB "bomb.png"

extern pf::ImageRef logo_img;  // the title logo, centred handle
extern pf::ImageRef ptr_img;
extern pf::ImageRef ship_img;
extern pf::ImageRef bomb_img;
extern pf::FontRef game_font;
extern pf::ImageRef grab_pause;  // the play screen as it was when paused
extern pf::ImageRef grab_title;  // the play backdrop behind the title menu

// Makes the six built-in files openable as "embed::name".
int32_t register_assets();
// Font, pictures and sound effects, once at start-up.
int32_t load_assets();
