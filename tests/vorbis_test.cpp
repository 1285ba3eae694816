// Decoding sound files: a known tone encoded here comes back with its
// length, rate and loudness; broken files of every kind give no sound.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/audio/sound.h"
#include "platform/audio/vorbis_decode.h"

namespace {

using Bytes = std::vector<unsigned char>;

// An Ogg Vorbis file of sine tones, one per channel (440 Hz, then 660 Hz),
// at the given amplitudes (0..1).
Bytes encode_tone(int rate, int channels, int frames, std::vector<float> amplitude) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  EXPECT_EQ(vorbis_encode_init_vbr(&vi, channels, rate, 0.4f), 0);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block vb;
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1234);

  Bytes out;
  auto put = [&](const ogg_page& p) {
    out.insert(out.end(), p.header, p.header + p.header_len);
    out.insert(out.end(), p.body, p.body + p.body_len);
  };
  ogg_packet head, comm, code;
  vorbis_analysis_headerout(&vd, &vc, &head, &comm, &code);
  ogg_stream_packetin(&os, &head);
  ogg_stream_packetin(&os, &comm);
  ogg_stream_packetin(&os, &code);
  ogg_page page;
  while (ogg_stream_flush(&os, &page)) put(page);

  // Blocks of samples, then a block of none, which marks the end.
  const int chunk = 1024;
  for (int done = 0;;) {
    const int n = std::min(chunk, frames - done);
    if (n > 0) {
      float** buf = vorbis_analysis_buffer(&vd, n);
      for (int c = 0; c < channels; ++c)
        for (int i = 0; i < n; ++i)
          buf[c][i] = amplitude[c] * std::sin(2 * M_PI * (440.0 + 220.0 * c) * (done + i) / rate);
    }
    vorbis_analysis_wrote(&vd, n);
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &page)) put(page);
      }
    }
    if (n == 0) break;
    done += n;
  }
  while (ogg_stream_flush(&os, &page)) put(page);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

double rms(const pf::Sound& s, int channel) {
  double sum = 0;
  const int64_t n = s.frames();
  for (int64_t i = 0; i < n; ++i) {
    const double v = s.samples[i * s.channels + channel];
    sum += v * v;
  }
  return std::sqrt(sum / static_cast<double>(n));
}

pf::SoundRef decode(const Bytes& b, std::string* error) {
  return pf::decode_vorbis(b.data(), b.size(), error);
}

TEST(Vorbis, ToneComesBackWithItsLengthRateAndLoudness) {
  struct Case {
    int rate, channels, frames;
    std::vector<float> amplitude;
  };
  const Case cases[] = {{44100, 1, 22050, {0.5f}},
                        {22050, 2, 11025, {0.6f, 0.2f}},
                        {44100, 1, 700, {0.3f}}};  // shorter than one block
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.channels << " channels");
    std::string error;
    const pf::SoundRef s = decode(encode_tone(c.rate, c.channels, c.frames, c.amplitude), &error);
    ASSERT_NE(s, nullptr) << error;
    EXPECT_EQ(s->rate, c.rate);
    EXPECT_EQ(s->channels, c.channels);
    EXPECT_EQ(s->frames(), c.frames);
    for (int ch = 0; ch < c.channels; ++ch) {
      // A sine of amplitude A has an RMS of A / sqrt(2).
      const double want = c.amplitude[ch] * 32767 / std::sqrt(2.0);
      EXPECT_NEAR(rms(*s, ch), want, want * 0.1) << "channel " << ch;
    }
  }
}

TEST(Vorbis, MoreThanTwoChannelsBecomeStereo) {
  std::string error;
  const pf::SoundRef s = decode(encode_tone(44100, 3, 4410, {0.5f, 0.1f, 0.3f}), &error);
  ASSERT_NE(s, nullptr) << error;
  EXPECT_EQ(s->channels, 2);
  // Three channels are left, centre, right: the sides are the first and third.
  EXPECT_NEAR(rms(*s, 0), 0.5 * 32767 / std::sqrt(2.0), 1200);
  EXPECT_NEAR(rms(*s, 1), 0.3 * 32767 / std::sqrt(2.0), 1200);
}

TEST(Vorbis, BrokenFilesGiveNoSound) {
  const Bytes good = encode_tone(44100, 1, 44100, {0.5f});
  ASSERT_GT(good.size(), 2000u);
  auto cut = [&](size_t n) { return Bytes(good.begin(), good.begin() + n); };
  Bytes flipped = good;
  flipped[good.size() / 2] ^= 0x5a;
  Bytes garbage(4096);
  std::mt19937 gen(7);
  for (auto& b : garbage) b = static_cast<unsigned char>(gen());
  Bytes trailing = good;
  trailing.insert(trailing.end(), {'j', 'u', 'n', 'k'});
  const Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0,    0,    0,
                     13,   'I', 'H', 'D', 'R',  0,    0,    0,    1,    0,    0,
                     0,    1,   8,   2,   0,    0,    0,    0x90, 0x77, 0x53, 0xde};
  Bytes ogg_not_vorbis = cut(4 + 1 + 1 + 8 + 4 + 4 + 4);  // a page header with nothing after

  struct Case {
    const char* what;
    Bytes bytes;
  };
  const std::vector<Case> cases = {
      {"empty", {}},
      {"ten bytes", Bytes(good.begin(), good.begin() + 10)},
      {"cut inside the first page", cut(40)},
      {"cut after the headers", cut(good.size() / 4)},
      {"cut half way", cut(good.size() / 2)},
      {"one byte short", cut(good.size() - 1)},
      {"a byte damaged", flipped},
      {"junk after the end", trailing},
      {"random bytes", garbage},
      {"a PNG picture", png},
      {"a bare page header", ogg_not_vorbis},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_EQ(decode(c.bytes, &error), nullptr) << c.what;
    EXPECT_FALSE(error.empty()) << c.what;
  }
}

class SoundFileTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string templ = testing::TempDir() + "vorbis_test_XXXXXX";
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    dir_ = templ;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string write(const std::string& name, const Bytes& bytes) {
    const std::string path = dir_ + "/" + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    return path;
  }
  std::string dir_;
};

TEST_F(SoundFileTest, LoadNamesTheSoundAndKeepsTheLoopFlag) {
  const std::string path = write("dmond.ogg", encode_tone(44100, 1, 5000, {0.4f}));
  const pf::SoundRef once = pf::load_sound(path, 0);
  const pf::SoundRef looped = pf::load_sound(path, pf::sound_loop);
  ASSERT_NE(once, nullptr);
  ASSERT_NE(looped, nullptr);
  EXPECT_EQ(once->name, "dmond");
  EXPECT_FALSE(once->loop);
  EXPECT_TRUE(looped->loop);
  EXPECT_EQ(once->samples, looped->samples);
}

TEST_F(SoundFileTest, FailedLoadSaysWhichFileInOneLine) {
  const std::string cut = write("flyin.ogg", Bytes(100, 'O'));
  for (const std::string& path : {dir_ + "/nothing.ogg", cut}) {
    testing::internal::CaptureStderr();
    EXPECT_EQ(pf::load_sound(path, 0), nullptr) << path;
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find(path), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  }
}

TEST_F(SoundFileTest, PrefetchedLoadGivesWhatAPlainLoadGives) {
  const std::string path = write("music.ogg", encode_tone(44100, 2, 30000, {0.3f, 0.3f}));
  const std::string missing = dir_ + "/gone.ogg";
  pf::prefetch_sound(path, pf::sound_loop);
  pf::prefetch_sound(path, pf::sound_loop);  // twice is once
  testing::internal::CaptureStderr();
  pf::prefetch_sound(missing, 0);
  const pf::SoundRef fetched = pf::load_sound(path, pf::sound_loop);
  const pf::SoundRef plain = pf::load_sound(path, pf::sound_loop);
  EXPECT_EQ(pf::load_sound(missing, 0), nullptr);
  const std::string said = testing::internal::GetCapturedStderr();
  ASSERT_NE(fetched, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_NE(fetched, plain) << "the second load reads the file anew";
  EXPECT_EQ(fetched->samples, plain->samples);
  EXPECT_EQ(fetched->name, "music");
  EXPECT_TRUE(fetched->loop);
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << "one failed load, one line: " << said;
}

}  // namespace
