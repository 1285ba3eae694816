#include "runner/trace.h"

#include <cstdio>

#include "platform/audio.h"
#include "platform/audio_record.h"
#include "platform/backend.h"
#include "play/effects.h"
#include "play/mountain.h"
#include "play/player.h"
#include "play/round.h"
#include "present/backdrop.h"
#include "shell/game.h"
#include "shell/options.h"
#include "shell/sound.h"

namespace {

// Shortest text that reads back as the same 32-bit float.
std::string num(float v) {
  char buf[32];
  for (int precision = 6; precision <= 9; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, static_cast<double>(v));
    float back = 0;
    if (std::sscanf(buf, "%f", &back) == 1 && back == v) break;
  }
  std::string s = buf;
  if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
  return s;
}

void field(std::string& out, const char* name, const std::string& value) {
  if (out.size() > 1) out += ", ";
  out += '"';
  out += name;
  out += "\": ";
  out += value;
}

void field(std::string& out, const char* name, int32_t value) {
  field(out, name, std::to_string(value));
}

}  // namespace

std::string trace_line(int frame) {
  const player_tag none;
  const player_tag& p = player ? *player : none;
  std::string out = "{";
  field(out, "frame", frame);
  field(out, "game_mode", game_mode);
  field(out, "quit_game", quit_game);
  field(out, "round_phase", round_phase);
  field(out, "round_result", round_result);
  field(out, "scroll_sp", scroll_sp);
  field(out, "msg_alpha", num(msg_alpha));
  field(out, "score", p.score);
  field(out, "best_sc", p.best_sc);
  field(out, "level", p.level);
  field(out, "new_bs", p.new_bs);
  field(out, "ship_x", num(p.x));
  field(out, "ship_y", num(p.y));
  field(out, "bomb_x", bomb_x);
  field(out, "bomb_y", bomb_y);
  field(out, "bomb_on", bomb_on);
  field(out, "dmd_x", dmd_x);
  field(out, "dmd_tx", dmd_tx);
  field(out, "expl_ctr", expl_ctr);
  field(out, "trail_ctr", trail_ctr);
  field(out, "blocks", static_cast<int32_t>(block_list.size()));
  field(out, "trails", static_cast<int32_t>(trail_list.size()));
  std::string cols = "[";
  for (size_t i = 0; i < mtn.size(); ++i) {
    if (i) cols += ", ";
    cols += mtn[i] ? "[" + std::to_string(mtn[i]->x) + ", " + std::to_string(mtn[i]->h) + "]"
                   : "[0, 0]";
  }
  field(out, "mtn", cols + "]");
  field(out, "cloud1_x", num(cloud1_x));
  field(out, "cloud2_x", num(cloud2_x));
  field(out, "retro_fx", retro_fx);
  field(out, "sound_lvl", sound_lvl);
  field(out, "music_lvl", music_lvl);
  // Read without pumping events: the trace must not act as an input query.
  const pf::InputState& in = pf::input_state();
  field(out, "pointer",
        "[" + std::to_string(in.pointer_x) + ", " + std::to_string(in.pointer_y) + "]");
  std::string sounds = "[";
  for (const pf::StartedSound& snd : pf::take_started_sounds()) {
    if (snd.name == "music") continue;  // the music has a field of its own
    if (sounds.size() > 1) sounds += ", ";
    sounds += "{\"name\": \"" + snd.name + "\", \"volume\": " + num(snd.volume) + "}";
  }
  field(out, "sounds", sounds + "]");
  field(out, "music", std::string("{\"playing\": ") +
                          (pf::channel_playing(music_chn) ? "true" : "false") +
                          ", \"volume\": " + num(pf::channel_volume(music_chn)) + "}");
  return out + "}";
}
