#include "shell/assets.h"

#include "assets/embedded.h"
#include "platform/resources.h"
#include "shell/sound.h"

pf::ImageRef logo_img;
pf::ImageRef ptr_img;
pf::ImageRef ship_img;
pf::ImageRef bomb_img;
pf::FontRef game_font;
pf::ImageRef grab_pause;
pf::ImageRef grab_title;

int32_t register_assets() {
  for (const char* name :
       {RES_MAKER_LOGO, RES_GAME_FONT, RES_POINTER, RES_TITLE_LOGO, RES_SHIP, RES_BOMB}) {
    if (const EmbeddedFile* file = find_embedded(name))
      pf::register_resource(file->name, file->bytes, file->size);
  }
  return 0;
}

int32_t load_assets() {
  game_font = pf::load_font("embed::" RES_GAME_FONT, 30, 4);
  pf::set_font(game_font);
  logo_img = pf::load_image("embed::" RES_TITLE_LOGO, -1);
  ptr_img = pf::load_image("embed::" RES_POINTER, -1);
  ship_img = pf::load_image("embed::" RES_SHIP, -1);
  bomb_img = pf::load_image("embed::" RES_BOMB, -1);
  if (logo_img) pf::mid_handle(*logo_img);
  load_sounds();
  return 0;
}
