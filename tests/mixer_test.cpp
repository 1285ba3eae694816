// The mixer on pulled samples, with no device: volumes, pausing, looping,
// sounds played to their end, several voices summed, rate conversion,
// clipping and what counts as playing.
#include "platform/audio/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/audio/sound.h"
#include "platform/audio_record.h"

namespace {

using pf::Mixer;

pf::SoundRef make_sound(std::vector<int16_t> samples, int rate = 44100, int channels = 1,
                        bool loop = false, const char* name = "test") {
  auto s = std::make_shared<pf::Sound>();
  s->name = name;
  s->rate = rate;
  s->channels = channels;
  s->loop = loop;
  s->samples = std::move(samples);
  return s;
}

// A mono ramp of distinct, mixed-sign values, so a shifted or repeated
// frame shows.
std::vector<int16_t> ramp(int frames, int step = 7, int start = -1000) {
  std::vector<int16_t> v(frames);
  for (int i = 0; i < frames; ++i) v[i] = static_cast<int16_t>(start + step * i);
  return v;
}

std::vector<int16_t> pull(Mixer& m, int frames) {
  std::vector<int16_t> out(2 * static_cast<size_t>(frames), 12345);
  m.mix(out.data(), frames);
  return out;
}

pf::Channel play(Mixer& m, const pf::SoundRef& s, float volume = 1.0f) {
  const pf::Channel ch = m.cue(s);
  m.set_volume(ch, volume);
  m.resume(ch);
  return ch;
}

TEST(Mixer, SilenceWithNothingPlaying) {
  Mixer m;
  for (int16_t v : pull(m, 2500)) ASSERT_EQ(v, 0);
}

TEST(Mixer, VolumeScalesEverySampleLinearly) {
  const std::vector<int16_t> src = ramp(200, 150, -15000);
  for (float volume : {1.0f, 0.5f, 0.25f, 0.1f, 0.0f}) {
    SCOPED_TRACE(volume);
    Mixer m;
    play(m, make_sound(src), volume);
    const auto out = pull(m, 200);
    for (int i = 0; i < 200; ++i) {
      ASSERT_NEAR(out[2 * i], src[i] * volume, 0.5) << "frame " << i;
      ASSERT_EQ(out[2 * i + 1], out[2 * i]) << "mono reaches both sides, frame " << i;
    }
  }
}

TEST(Mixer, VolumeChangeAppliesToTheRestOfTheSound) {
  Mixer m;
  const auto src = ramp(100, 100);
  const pf::Channel ch = play(m, make_sound(src));
  pull(m, 50);
  m.set_volume(ch, 0.5f);
  EXPECT_FLOAT_EQ(m.volume(ch), 0.5f);
  const auto out = pull(m, 50);
  for (int i = 0; i < 50; ++i) ASSERT_NEAR(out[2 * i], src[50 + i] * 0.5, 0.5);
}

TEST(Mixer, StereoKeepsItsSides) {
  Mixer m;
  std::vector<int16_t> src;
  for (int i = 0; i < 64; ++i) {
    src.push_back(static_cast<int16_t>(1000 + i));
    src.push_back(static_cast<int16_t>(-2000 - i));
  }
  play(m, make_sound(src, 44100, 2));
  const auto out = pull(m, 64);
  for (int i = 0; i < 64; ++i) {
    ASSERT_EQ(out[2 * i], 1000 + i);
    ASSERT_EQ(out[2 * i + 1], -2000 - i);
  }
}

TEST(Mixer, PauseHoldsThePlaceAndResumeContinuesFromIt) {
  Mixer m;
  const auto src = ramp(300);
  const pf::Channel ch = play(m, make_sound(src));
  pull(m, 100);
  m.pause(ch);
  EXPECT_FALSE(m.playing(ch));
  for (int16_t v : pull(m, 500)) ASSERT_EQ(v, 0);
  m.resume(ch);
  EXPECT_TRUE(m.playing(ch));
  const auto out = pull(m, 200);
  for (int i = 0; i < 200; ++i) ASSERT_EQ(out[2 * i], src[100 + i]) << "frame " << i;
}

TEST(Mixer, CuedSoundWaitsForResumeFromItsStart) {
  Mixer m;
  const auto src = ramp(50);
  const pf::Channel ch = m.cue(make_sound(src));
  for (int16_t v : pull(m, 80)) ASSERT_EQ(v, 0);
  m.resume(ch);
  const auto out = pull(m, 50);
  for (int i = 0; i < 50; ++i) ASSERT_EQ(out[2 * i], src[i]);
}

TEST(Mixer, LoopWrapsSeamlesslyAcrossBlocks) {
  Mixer m;
  const auto src = ramp(37, 311);
  const pf::Channel ch = play(m, make_sound(src, 44100, 1, true));
  // Several pulls of odd sizes and one longer than a device block.
  std::vector<int16_t> all;
  for (int n : {5, 64, 1500, 3}) {
    const auto out = pull(m, n);
    for (int i = 0; i < n; ++i) all.push_back(out[2 * i]);
  }
  for (size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i], src[i % src.size()]) << "frame " << i;
  EXPECT_TRUE(m.playing(ch));
}

TEST(Mixer, LetGoChannelPlaysToItsEndThenStopsCounting) {
  Mixer m;
  const auto src = ramp(300);
  const pf::Channel ch = play(m, make_sound(src));
  auto out = pull(m, 299);
  EXPECT_TRUE(m.playing(ch));
  out = pull(m, 1);
  EXPECT_EQ(out[0], src[299]);
  EXPECT_FALSE(m.playing(ch));
  for (int16_t v : pull(m, 100)) ASSERT_EQ(v, 0);
  // A finished channel is forgotten: its id now names nothing.
  m.resume(ch);
  m.set_volume(ch, 0.7f);
  EXPECT_FALSE(m.playing(ch));
  EXPECT_EQ(m.volume(ch), 0.0f);
  for (int16_t v : pull(m, 10)) ASSERT_EQ(v, 0);
}

TEST(Mixer, EndFallsInsideABlockAndTheRestIsSilent) {
  Mixer m;
  play(m, make_sound(ramp(10, 1, 500)));
  const auto out = pull(m, 64);
  for (int i = 0; i < 10; ++i) ASSERT_EQ(out[2 * i], 500 + i);
  for (int i = 10; i < 64; ++i) ASSERT_EQ(out[2 * i], 0) << "frame " << i;
}

TEST(Mixer, EffectsStartedTogetherAreSummed) {
  Mixer m;
  const auto a = ramp(100, 3, 100);
  const auto b = ramp(60, -5, 2000);
  play(m, make_sound(a));
  play(m, make_sound(b), 0.5f);
  const auto out = pull(m, 100);
  for (int i = 0; i < 100; ++i) {
    const double want = a[i] + (i < 60 ? b[i] * 0.5 : 0.0);
    ASSERT_NEAR(out[2 * i], want, 0.5) << "frame " << i;
  }
}

TEST(Mixer, FullScaleSumsSaturateInsteadOfWrapping) {
  struct Case {
    int16_t a, b;
    float volume;
    int16_t want;
  };
  const Case cases[] = {
      {32767, 32767, 1.0f, 32767},    {-32768, -32768, 1.0f, -32768}, {30000, 10000, 1.0f, 32767},
      {-30000, -10000, 1.0f, -32768}, {32767, -32768, 1.0f, -1},      {20000, 0, 2.0f, 32767},
      {-20000, 0, 3.0f, -32768},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a << " + " << c.b << " at " << c.volume);
    Mixer m;
    play(m, make_sound(std::vector<int16_t>(16, c.a)), c.volume);
    play(m, make_sound(std::vector<int16_t>(16, c.b)), c.volume);
    const auto out = pull(m, 16);
    for (int i = 0; i < 32; ++i) ASSERT_EQ(out[i], c.want);
  }
}

TEST(Mixer, DurationFollowsTheRatesOfSoundAndOutput) {
  struct Case {
    int sound_rate, output_rate, frames;
  };
  const Case cases[] = {{22050, 44100, 100}, {44100, 44100, 100}, {11025, 44100, 40},
                        {44100, 22050, 100}, {32000, 48000, 320}, {48000, 44100, 480}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.sound_rate << " -> " << c.output_rate);
    Mixer m(c.output_rate);
    // All-positive samples: any played output frame is non-zero.
    const pf::Channel ch = play(m, make_sound(std::vector<int16_t>(c.frames, 1000), c.sound_rate));
    int lasted = 0;
    while (m.playing(ch) && lasted < 10 * c.frames) {
      const auto out = pull(m, 1);
      ASSERT_NE(out[0], 0) << "output frame " << lasted;
      ++lasted;
    }
    const double want = static_cast<double>(c.frames) * c.output_rate / c.sound_rate;
    EXPECT_NEAR(lasted, want, 1.0);
  }
}

TEST(Mixer, HalfRateSoundIsInterpolatedBetweenItsFrames) {
  Mixer m(44100);
  const int n = 50;
  const auto src = ramp(n, 400, -10000);
  const pf::Channel ch = play(m, make_sound(src, 22050));
  const auto out = pull(m, 2 * n);
  for (int k = 0; k < n; ++k) {
    ASSERT_EQ(out[4 * k], src[k]) << "on frame " << k;
    // Half way to the next frame; past the last one the sound ends in silence.
    const double next = k + 1 < n ? src[k + 1] : 0;
    ASSERT_NEAR(out[4 * k + 2], (src[k] + next) / 2.0, 0.5) << "after frame " << k;
  }
  EXPECT_FALSE(m.playing(ch));
}

TEST(Mixer, ResampledLoopKeepsItsShapeAcrossTheSeam) {
  // 441 Hz at 22050 Hz: exactly 50 frames a period, so 100 at 44100 Hz.
  // A cosine starts at its peak, so the loop's seam is interpolated towards
  // the first frame, not towards silence.
  std::vector<int16_t> src(2000);
  for (size_t i = 0; i < src.size(); ++i)
    src[i] = static_cast<int16_t>(std::lround(20000 * std::cos(2 * M_PI * i / 50.0)));
  Mixer m(44100);
  play(m, make_sound(src, 22050, 1, true));
  const auto out = pull(m, 5000);  // the seam comes after output frame 3999
  for (int i = 0; i < 5000; ++i) {
    const double want = 20000 * std::cos(2 * M_PI * i / 100.0);
    // Linear interpolation sags by at most A(1 - cos(pi/50)) ~ 40 between frames.
    ASSERT_NEAR(out[2 * i], want, 45.0) << "frame " << i;
  }
}

TEST(Mixer, PlayingOnlyWhileASoundRunsUnpaused) {
  Mixer m;
  const auto sound = make_sound(ramp(100));
  const pf::Channel idle = m.allocate();
  const pf::Channel none = m.cue(nullptr);
  const pf::Channel cued = m.cue(sound);
  const pf::Channel silent = play(m, sound, 0.0f);
  const pf::Channel paused = play(m, sound);
  m.pause(paused);
  const pf::Channel stopped = play(m, sound);
  m.stop(stopped);
  m.resume(none);
  m.resume(idle);
  struct Case {
    const char* what;
    pf::Channel ch;
    bool playing;
  };
  const Case cases[] = {{"allocated idle channel", idle, false},
                        {"cued nothing, resumed", none, false},
                        {"cued, not yet resumed", cued, false},
                        {"volume 0", silent, true},
                        {"paused", paused, false},
                        {"stopped", stopped, false},
                        {"channel 0", 0, false},
                        {"never handed out", 99999, false},
                        {"negative", -3, false}};
  for (const Case& c : cases) EXPECT_EQ(m.playing(c.ch), c.playing) << c.what;
  for (int16_t v : pull(m, 100)) ASSERT_EQ(v, 0) << "only the silent voice runs";
  EXPECT_FALSE(m.playing(silent)) << "volume 0 still runs to its end";
}

TEST(Mixer, StopSilencesAtOnceAndIdsAreNeverReused) {
  Mixer m;
  const auto sound = make_sound(std::vector<int16_t>(500, 4000), 44100, 1, true);
  const pf::Channel first = play(m, sound);
  pull(m, 10);
  m.stop(first);
  for (int16_t v : pull(m, 50)) ASSERT_EQ(v, 0);
  const pf::Channel second = play(m, sound);
  EXPECT_NE(second, first);
  EXPECT_NE(second, m.allocate());
  // Calls with the old id leave the new channel alone.
  m.stop(first);
  m.pause(first);
  m.set_volume(first, 0.0f);
  EXPECT_TRUE(m.playing(second));
  EXPECT_EQ(pull(m, 1)[0], 4000);
}

TEST(Mixer, RecordsEachSoundWhenItFirstStarts) {
  Mixer m;
  const auto expld = make_sound(ramp(100), 44100, 1, false, "expld");
  const auto music = make_sound(ramp(100), 44100, 1, true, "music");
  play(m, expld);  // before recording: kept nowhere
  m.set_recording(true);
  play(m, expld, 0.3f);
  const pf::Channel mus = play(m, music, 0.8f);
  m.pause(mus);
  m.resume(mus);  // continuing is not starting
  m.set_volume(mus, 0.1f);
  play(m, nullptr);
  const pf::Channel later = m.cue(expld);  // cued, not yet started
  auto got = m.take_started();
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].name, "expld");
  EXPECT_FLOAT_EQ(got[0].volume, 0.3f);
  EXPECT_EQ(got[1].name, "music");
  EXPECT_FLOAT_EQ(got[1].volume, 0.8f);
  EXPECT_TRUE(m.take_started().empty()) << "taking clears";
  m.set_volume(later, 0.0f);
  m.resume(later);
  got = m.take_started();
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].volume, 0.0f);
  m.set_recording(false);
  play(m, expld);
  EXPECT_TRUE(m.take_started().empty());
}

TEST(Mixer, VolumeOutsideItsRangeIsTamed) {
  Mixer m;
  const pf::Channel ch = play(m, make_sound(std::vector<int16_t>(8, 1000)), -2.0f);
  EXPECT_EQ(m.volume(ch), 0.0f);
  m.set_volume(ch, std::nanf(""));
  EXPECT_EQ(m.volume(ch), 0.0f);
  for (int16_t v : pull(m, 8)) ASSERT_EQ(v, 0);
}

// The game thread changes channels while the device's thread mixes; the
// sanitizers watch for a voice or sound freed under the mixer's feet.
TEST(Mixer, GameAndDeviceThreadsShareTheTable) {
  Mixer m;
  const auto shortest = make_sound(ramp(300));
  std::atomic<bool> done{false};
  std::thread device([&] {
    std::vector<int16_t> block(2 * Mixer::max_block);
    while (!done) m.mix(block.data(), Mixer::max_block);
  });
  std::vector<pf::Channel> kept;
  for (int i = 0; i < 3000; ++i) {
    // Each effect gets a sound of its own that only the channel holds.
    const pf::Channel ch = play(m, make_sound(ramp(50 + i % 200)), 0.5f);
    if (i % 3 == 0) m.stop(ch);
    if (i % 7 == 0) kept.push_back(ch);
    if (i % 11 == 0) play(m, shortest);
  }
  done = true;
  device.join();
  pull(m, 400);  // anything still running is shorter than this
  for (pf::Channel ch : kept) EXPECT_FALSE(m.playing(ch));
  for (int16_t v : pull(m, 10)) ASSERT_EQ(v, 0);
}

// The game's calls and the headless runner's hooks all reach the one mixer
// that a device (or, without one, the runner) pulls.
TEST(SharedMixer, GameCallsAndSilentRunningMeet) {
  pf::record_started_sounds(true);
  pf::take_started_sounds();
  const pf::SoundRef sound = make_sound(ramp(2000), 22050, 1, false, "psgas");
  const pf::Channel ch = pf::cue_sound(sound);
  pf::set_channel_volume(ch, 0.25f);
  EXPECT_FALSE(pf::channel_playing(ch));
  pf::resume_channel(ch);
  EXPECT_TRUE(pf::channel_playing(ch));
  EXPECT_FLOAT_EQ(pf::channel_volume(ch), 0.25f);
  const auto started = pf::take_started_sounds();
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].name, "psgas");
  EXPECT_FLOAT_EQ(started[0].volume, 0.25f);
  pf::run_sound_without_device(3999);  // 2000 frames at half the output rate
  EXPECT_TRUE(pf::channel_playing(ch));
  pf::run_sound_without_device(1);
  EXPECT_FALSE(pf::channel_playing(ch));
  pf::record_started_sounds(false);
}

}  // namespace
