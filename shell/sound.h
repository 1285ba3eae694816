#pragma once
// The six sound effects, the looping music and its pause while the game is
// in the background.
#include <cstdint>

#include "platform/audio.h"

extern pf::SoundRef snd_expld;  // a blasted block (and the volume row's test sound)
extern pf::SoundRef snd_flyin;  // the marker arrives, the craft sets off
extern pf::SoundRef snd_dbomb;  // the bomb is released
extern pf::SoundRef snd_start;  // a game or a level starts
extern pf::SoundRef snd_dmond;  // the diamond is found
extern pf::SoundRef snd_psgas;  // poison gas
extern pf::Channel music_chn;

int32_t load_sounds();
// Plays once at sound_vol on a channel of its own, fire and forget.
int32_t play_sfx(const pf::SoundRef& snd);
int32_t start_music(int32_t track);
// While the game is in the background: holds the music and waits.
int32_t suspend_check();
