// Loading sound files: the whole file is read, then decoded at once.
#include <cstdio>
#include <future>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/audio.h"
#include "platform/audio/sound.h"
#include "platform/audio/vorbis_decode.h"
#include "platform/files.h"

namespace pf {

namespace {

// "data\expld.ogg" -> "expld": the name the record of started sounds uses.
std::string base_name(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

SoundRef load_now(const std::string& path, int flags) {
  std::vector<unsigned char> bytes;
  std::string error;
  SoundRef sound;
  if (!read_all(path, bytes))
    error = "cannot read the file";
  else
    sound = decode_vorbis(bytes.data(), bytes.size(), &error);
  if (!sound) {
    std::fprintf(stderr, "orlenvault: no sound from %s: %s\n", path.c_str(), error.c_str());
    return nullptr;
  }
  sound->name = base_name(path);
  sound->loop = (flags & sound_loop) != 0;
  return sound;
}

using PrefetchKey = std::pair<std::string, int>;
std::mutex prefetch_lock;
std::map<PrefetchKey, std::future<SoundRef>> prefetched;

}  // namespace

void prefetch_sound(const std::string& path, int flags) {
  std::lock_guard<std::mutex> hold(prefetch_lock);
  auto& slot = prefetched[{path, flags}];
  if (slot.valid()) return;  // already on its way
  slot = std::async(std::launch::async, load_now, path, flags);
}

SoundRef load_sound(const std::string& path, int flags) {
  std::future<SoundRef> pending;
  {
    std::lock_guard<std::mutex> hold(prefetch_lock);
    auto it = prefetched.find({path, flags});
    if (it != prefetched.end()) {
      pending = std::move(it->second);
      prefetched.erase(it);
    }
  }
  if (pending.valid()) return pending.get();
  return load_now(path, flags);
}

}  // namespace pf
