#pragma once
// Helpers for whole runs of the game: a fresh program folder, and the
// sound and mode fields of a runner trace.
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/scenario.h"

struct StartedEffect {
  std::string name;
  float volume = 0;
};

// The effects started before presentation n, oldest first.
inline std::vector<StartedEffect> effects_at(const Trace& t, int n) {
  std::vector<StartedEffect> out;
  const std::string list = t.raw(n, "sounds");
  for (size_t at = list.find("\"name\": \""); at != std::string::npos;
       at = list.find("\"name\": \"", at)) {
    at += 9;
    StartedEffect e;
    e.name = list.substr(at, list.find('"', at) - at);
    const size_t vol = list.find("\"volume\": ", at);
    e.volume = std::strtof(list.c_str() + vol + 10, nullptr);
    out.push_back(e);
  }
  return out;
}

struct MusicState {
  bool playing = false;
  float volume = 0;
};

inline MusicState music_at(const Trace& t, int n) {
  const std::string m = t.raw(n, "music");
  MusicState s;
  s.playing = m.find("\"playing\": true") != std::string::npos;
  const size_t vol = m.find("\"volume\": ");
  if (vol != std::string::npos) s.volume = std::strtof(m.c_str() + vol + 10, nullptr);
  return s;
}

// The first presentation in the given game mode, or 0.
inline int first_in_mode(const Trace& t, int mode) {
  for (int n = 1; n <= t.frames(); ++n)
    if (t.num(n, "game_mode") == mode) return n;
  return 0;
}

// A new program folder with the data files beside it and no best-score file
// (a run of the real program in the build folder may have left one there).
inline std::string fresh_program_folder(const char* prefix = "/tmp/orlenvault-shell-XXXXXX") {
  namespace fs = std::filesystem;
  std::string tmpl = prefix;
  const fs::path dir = mkdtemp(tmpl.data());
  fs::copy(fs::path(OV_BINARY_DIR) / "data", dir / "data", fs::copy_options::recursive);
  fs::remove(dir / "data" / "hiscore.dat");
  return dir.string();
}
