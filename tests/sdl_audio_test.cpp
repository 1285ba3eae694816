// The real sound output: SDL's disk driver stands in for a sound card and
// must receive exactly what the mixer makes; with no usable driver the game
// carries on in silence.
#include "platform/sdl/sdl_audio.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "platform/audio/mixer.h"
#include "platform/audio/sound.h"

namespace {

// Sets environment variables for one test and puts the old values back.
class ScopedEnv {
 public:
  void set(const char* name, const std::string& value) {
    const char* old = std::getenv(name);
    saved_.push_back({name, old ? old : "", old != nullptr});
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnv() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
      if (it->had)
        setenv(it->name.c_str(), it->value.c_str(), 1);
      else
        unsetenv(it->name.c_str());
    }
  }

 private:
  struct Saved {
    std::string name, value;
    bool had;
  };
  std::vector<Saved> saved_;
};

TEST(SdlAudio, WithoutADeviceTheGameCarriesOnSilently) {
  ScopedEnv env;
  env.set("SDL_AUDIODRIVER", "no-such-driver");
  pf::Mixer m;
  pf::SdlAudio audio(m);
  testing::internal::CaptureStderr();
  EXPECT_FALSE(audio.open());
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "") << "a missing sound card is not worth a message";
  EXPECT_FALSE(audio.is_open());
  audio.close();
  // Channels still behave; they just go nowhere.
  auto s = std::make_shared<pf::Sound>();
  s->rate = 44100;
  s->channels = 1;
  s->samples.assign(100, 1000);
  const pf::Channel ch = m.cue(s);
  m.resume(ch);
  EXPECT_TRUE(m.playing(ch));
}

TEST(SdlAudio, DiskDriverReceivesTheMixedSound) {
  std::string dir = testing::TempDir() + "sdl_audio_XXXXXX";
  ASSERT_NE(mkdtemp(dir.data()), nullptr);
  const std::string raw = dir + "/out.raw";
  ScopedEnv env;
  env.set("SDL_AUDIODRIVER", "disk");
  env.set("SDL_DISKAUDIOFILE", raw);

  // A stereo sound of distinct frames, a few device blocks long.
  auto s = std::make_shared<pf::Sound>();
  s->rate = 44100;
  s->channels = 2;
  const int frames = 3000;
  for (int i = 0; i < frames; ++i) {
    s->samples.push_back(static_cast<int16_t>(i * 9 - 13000));
    s->samples.push_back(static_cast<int16_t>(20000 - i * 11));
  }
  pf::Mixer m;
  const pf::Channel ch = m.cue(s);
  m.resume(ch);
  {
    pf::SdlAudio audio(m);
    ASSERT_TRUE(audio.open());
    // The disk driver plays in real time; the deadline only guards a hang.
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (m.playing(ch) && std::chrono::steady_clock::now() < give_up)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_FALSE(m.playing(ch)) << "the device never played the sound through";
  }  // closing waits for the last block to be written

  std::vector<int16_t> got(2 * frames);
  std::FILE* f = std::fopen(raw.c_str(), "rb");
  ASSERT_NE(f, nullptr);
  const size_t read = std::fread(got.data(), sizeof(int16_t), got.size(), f);
  std::fclose(f);
  std::filesystem::remove_all(dir);
  ASSERT_EQ(read, got.size());
  EXPECT_EQ(got, s->samples);
}

}  // namespace
