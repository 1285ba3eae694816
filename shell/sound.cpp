#include "shell/sound.h"

#include "platform/input.h"
#include "shell/options.h"

pf::SoundRef snd_expld;
pf::SoundRef snd_flyin;
pf::SoundRef snd_dbomb;
pf::SoundRef snd_start;
pf::SoundRef snd_dmond;
pf::SoundRef snd_psgas;
pf::Channel music_chn = 0;

int32_t load_sounds() {
  snd_expld = pf::load_sound("data\\expld.ogg", 0);
  snd_flyin = pf::load_sound("data\\flyin.ogg", 0);
  snd_dbomb = pf::load_sound("data\\dbomb.ogg", 0);
  snd_start = pf::load_sound("data\\start.ogg", 0);
  snd_dmond = pf::load_sound("data\\dmond.ogg", 0);
  snd_psgas = pf::load_sound("data\\psgas.ogg", 0);
  return 0;
}

int32_t play_sfx(const pf::SoundRef& snd) {
  // Cued paused and set before it starts, so the first sample already has
  // the chosen volume.
  const pf::Channel ch = pf::cue_sound(snd);
  pf::set_channel_volume(ch, sound_vol);
  pf::resume_channel(ch);
  return 0;
}

int32_t start_music(int32_t) {
  const pf::SoundRef music = pf::load_sound("data\\music.ogg", pf::sound_loop);
  // The channel held before (the idle one from start-up) is let go, not stopped.
  music_chn = pf::cue_sound(music);
  pf::set_channel_volume(music_chn, music_vol);
  pf::resume_channel(music_chn);
  return 0;
}

int32_t suspend_check() {
  if (!pf::app_suspended()) return 0;
  const bool held = pf::channel_playing(music_chn);
  if (held) pf::pause_channel(music_chn);
  while (pf::app_suspended()) {
  }
  if (held) pf::resume_channel(music_chn);
  return 0;
}
