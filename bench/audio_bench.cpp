// Sound costs: decoding each of the game's seven files, loading all seven as
// start-up does (one after another, and with the music fetched alongside the
// effects), and mixing one device block of eight voices. The files are read
// from data/ in the current folder (the build folder holds a copy), or from
// the folder named by ORLENVAULT_SOUND_DIR.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/audio/mixer.h"
#include "platform/audio/sound.h"
#include "platform/audio/vorbis_decode.h"
#include "platform/files.h"

namespace {

const char* const effect_names[] = {"expld", "flyin", "dbomb", "start", "dmond", "psgas"};

std::string sound_dir() {
  const char* dir = std::getenv("ORLENVAULT_SOUND_DIR");
  return dir ? dir : "data";
}

std::string sound_path(const std::string& name) {
  return sound_dir() + "/" + name + ".ogg";
}

void decode_file(benchmark::State& state, const std::string& name) {
  std::vector<unsigned char> bytes;
  if (!pf::read_all(sound_path(name), bytes)) {
    state.SkipWithError(("cannot read " + sound_path(name)).c_str());
    return;
  }
  int64_t frames = 0;
  for (auto _ : state) {
    std::string error;
    pf::SoundRef s = pf::decode_vorbis(bytes.data(), bytes.size(), &error);
    if (!s) {
      state.SkipWithError(error.c_str());
      return;
    }
    frames = s->frames();
    benchmark::DoNotOptimize(s->samples.data());
  }
  state.counters["frames"] = static_cast<double>(frames);
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}

// What load_assets and the intro's start_music cost, one after the other.
void BM_LoadAllSeven(benchmark::State& state) {
  for (auto _ : state) {
    for (const char* name : effect_names)
      benchmark::DoNotOptimize(pf::load_sound(sound_path(name), 0));
    benchmark::DoNotOptimize(pf::load_sound(sound_path("music"), pf::sound_loop));
  }
}

// The same with the music decoding on a worker while the effects load.
void BM_LoadAllSevenMusicPrefetched(benchmark::State& state) {
  for (auto _ : state) {
    pf::prefetch_sound(sound_path("music"), pf::sound_loop);
    for (const char* name : effect_names)
      benchmark::DoNotOptimize(pf::load_sound(sound_path(name), 0));
    benchmark::DoNotOptimize(pf::load_sound(sound_path("music"), pf::sound_loop));
  }
}

// One device block with the music and seven effects running, at mixed rates
// and channel counts so every path of the voice loop is taken.
void BM_MixBlockEightVoices(benchmark::State& state) {
  pf::Mixer m;
  for (int v = 0; v < 8; ++v) {
    auto s = std::make_shared<pf::Sound>();
    s->rate = v % 2 ? 22050 : 44100;
    s->channels = v % 3 ? 1 : 2;
    s->loop = true;
    s->samples.resize(static_cast<size_t>(s->channels) * 44100);
    for (size_t i = 0; i < s->samples.size(); ++i)
      s->samples[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
    const pf::Channel ch = m.cue(s);
    m.set_volume(ch, 0.5f);
    m.resume(ch);
  }
  std::vector<int16_t> out(2 * pf::Mixer::max_block);
  for (auto _ : state) {
    m.mix(out.data(), pf::Mixer::max_block);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * pf::Mixer::max_block);
}

const bool registered = [] {
  for (const char* name : effect_names)
    benchmark::RegisterBenchmark((std::string("BM_Decode/") + name).c_str(), decode_file, name)
        ->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_Decode/music", decode_file, "music")
      ->Unit(benchmark::kMillisecond);
  return true;
}();

}  // namespace

BENCHMARK(BM_LoadAllSeven)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAllSevenMusicPrefetched)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MixBlockEightVoices)->Unit(benchmark::kMicrosecond);
