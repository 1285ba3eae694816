#include "shell/best_score.h"

#include <cstdio>
#include <string>

#include "platform/files.h"
#include "play/player.h"

namespace {

const char* const score_path = "data\\hiscore.dat";

// Something stood at the path that could not be read (a folder, no
// permission): it is left alone at exit rather than overwritten.
bool unreadable = false;

int32_t read_best() {
  unreadable = false;
  player->best_sc = 0;
  const int kind = pf::file_type(score_path);
  if (kind == pf::path_none) return 0;
  pf::StreamRef in = kind == pf::path_file ? pf::open_read(score_path) : nullptr;
  if (!in) {
    unreadable = true;
    return 0;
  }
  player->best_sc = in->read_int();
  return 0;
}

int32_t write_best() {
  if (unreadable) {
    std::fprintf(stderr, "orlenvault: best score not saved: %s could not be read\n",
                 pf::native_path(score_path).c_str());
    return 0;
  }
  const uint32_t v = static_cast<uint32_t>(player->best_sc);
  const unsigned char bytes[4] = {static_cast<unsigned char>(v), static_cast<unsigned char>(v >> 8),
                                  static_cast<unsigned char>(v >> 16),
                                  static_cast<unsigned char>(v >> 24)};
  std::string error;
  // Written aside and renamed over the old file: a run that dies mid-write
  // leaves the old score whole.
  if (!pf::make_folder("data", &error) || !pf::replace_file(score_path, bytes, 4, &error))
    std::fprintf(stderr, "orlenvault: best score not saved: %s\n", error.c_str());
  return 0;
}

}  // namespace

int32_t best_score_io(int32_t mode) { return mode == 0 ? read_best() : write_best(); }
