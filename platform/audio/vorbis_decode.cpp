#include "platform/audio/vorbis_decode.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>
#include <vector>

#include "platform/audio/sound.h"

namespace pf {

namespace {

// libvorbisfile decodes whatever pages it can find and stops quietly where a
// file is cut short, so a sound file is first checked page by page: every
// byte must belong to an intact page (libogg checks each page's CRC) and the
// stream must end with its end-of-stream page.
bool whole_ogg_file(const unsigned char* data, size_t size, std::string* error) {
  ogg_sync_state sync;
  ogg_sync_init(&sync);
  char* buffer = ogg_sync_buffer(&sync, static_cast<long>(size));
  bool ok = buffer != nullptr;
  if (ok) {
    std::memcpy(buffer, data, size);
    ogg_sync_wrote(&sync, static_cast<long>(size));
  }
  size_t paged = 0;
  bool ended = false;
  ogg_page page;
  while (ok) {
    const int got = ogg_sync_pageout(&sync, &page);
    if (got == 0) break;
    if (got < 0) {
      ok = false;
      *error = "damaged Ogg page";
      break;
    }
    paged += static_cast<size_t>(page.header_len + page.body_len);
    ended = ogg_page_eos(&page) != 0;
  }
  ogg_sync_clear(&sync);
  if (!ok) return false;
  if (paged == 0) {
    *error = "not an Ogg file";
    return false;
  }
  if (paged != size || !ended) {
    *error = "file cut short";
    return false;
  }
  return true;
}

struct MemoryFile {
  const unsigned char* data;
  size_t size;
  size_t pos;
};

size_t mem_read(void* out, size_t item, size_t count, void* source) {
  auto* f = static_cast<MemoryFile*>(source);
  if (item == 0) return 0;
  const size_t items = std::min(count, (f->size - f->pos) / item);
  std::memcpy(out, f->data + f->pos, items * item);
  f->pos += items * item;
  return items;
}

int mem_seek(void* source, ogg_int64_t offset, int whence) {
  auto* f = static_cast<MemoryFile*>(source);
  ogg_int64_t base = 0;
  if (whence == SEEK_CUR) base = static_cast<ogg_int64_t>(f->pos);
  if (whence == SEEK_END) base = static_cast<ogg_int64_t>(f->size);
  const ogg_int64_t to = base + offset;
  if (to < 0 || to > static_cast<ogg_int64_t>(f->size)) return -1;
  f->pos = static_cast<size_t>(to);
  return 0;
}

long mem_tell(void* source) {
  return static_cast<long>(static_cast<MemoryFile*>(source)->pos);
}

// Three and more channels come in Vorbis order (3: L C R; 4: FL FR RL RR;
// 5 and up: FL C FR ...): the right front is the third, except with four.
int right_of(int channels) {
  if (channels == 1) return 0;
  if (channels == 2 || channels == 4) return 1;
  return 2;
}

class OpenVorbis {
 public:
  OggVorbis_File file;
  bool open = false;
  ~OpenVorbis() {
    if (open) ov_clear(&file);
  }
};

}  // namespace

SoundRef decode_vorbis(const unsigned char* data, size_t size, std::string* error) {
  if (size == 0) {
    *error = "empty file";
    return nullptr;
  }
  if (!whole_ogg_file(data, size, error)) return nullptr;

  MemoryFile source{data, size, 0};
  ov_callbacks callbacks{mem_read, mem_seek, nullptr, mem_tell};
  OpenVorbis vf;
  if (ov_open_callbacks(&source, &vf.file, nullptr, 0, callbacks) != 0) {
    *error = "not an Ogg Vorbis stream";
    return nullptr;
  }
  vf.open = true;

  const vorbis_info* info = ov_info(&vf.file, -1);
  if (!info || info->channels < 1 || info->rate < 1 || info->rate > 1000000) {
    *error = "unusable stream format";
    return nullptr;
  }
  const int in_channels = info->channels;
  const long rate = info->rate;
  // Chained streams play one after the other: they must share one format.
  for (long link = 0; link < ov_streams(&vf.file); ++link) {
    const vorbis_info* li = ov_info(&vf.file, static_cast<int>(link));
    if (!li || li->channels != in_channels || li->rate != rate) {
      *error = "chained streams differ in format";
      return nullptr;
    }
  }

  try {
    auto sound = std::make_shared<Sound>();
    sound->rate = static_cast<int>(rate);
    sound->channels = in_channels == 1 ? 1 : 2;
    // The length the pages announce; a damaged announcement must not make
    // us reserve absurd amounts, so it is only a hint up to ten minutes.
    const ogg_int64_t announced = ov_pcm_total(&vf.file, -1);
    if (announced > 0 && announced <= 600 * rate)
      sound->samples.reserve(static_cast<size_t>(announced) * sound->channels);

    const int right = right_of(in_channels);
    std::vector<int16_t> block(4096 * static_cast<size_t>(in_channels));
    const int big_endian = std::endian::native == std::endian::big ? 1 : 0;
    int bitstream = 0;
    for (;;) {
      const long got =
          ov_read(&vf.file, reinterpret_cast<char*>(block.data()),
                  static_cast<int>(block.size() * sizeof(int16_t)), big_endian, 2, 1, &bitstream);
      if (got == 0) break;
      if (got == OV_HOLE) continue;  // a gap in the data: decoding goes on after it
      if (got < 0) {
        *error = "undecodable audio data";
        return nullptr;
      }
      const size_t frames = static_cast<size_t>(got) / (sizeof(int16_t) * in_channels);
      if (in_channels <= 2) {
        sound->samples.insert(sound->samples.end(), block.data(),
                              block.data() + frames * in_channels);
        continue;
      }
      for (size_t i = 0; i < frames; ++i) {
        const int16_t* frame = block.data() + i * in_channels;
        sound->samples.push_back(frame[0]);
        sound->samples.push_back(frame[right]);
      }
    }
    return sound;
  } catch (const std::bad_alloc&) {
    *error = "too long to hold in memory";
    return nullptr;
  }
}

}  // namespace pf
