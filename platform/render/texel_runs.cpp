#include "platform/render/texel_runs.h"

#include <memory>

namespace pf::render {

TexelRuns::TexelRuns(const uint32_t* texels, int w, int h) {
  first_.reserve(size_t(h) + 1);
  for (int v = 0; v < h; ++v) {
    first_.push_back(int(runs_.size()));
    const uint32_t* row = texels + size_t(v) * w;
    int u = 0;
    while (u < w) {
      while (u < w && (row[u] >> 24) == 0) ++u;
      if (u == w) break;
      const int start = u;
      bool opaque = true;
      while (u < w && (row[u] >> 24) != 0) opaque &= (row[u++] >> 24) == 0xff;
      runs_.push_back({start, u - start, opaque});
    }
  }
  first_.push_back(int(runs_.size()));
}

// One frame's runs with what they were worked out from: the texel storage,
// its size and the picture's texel version.
struct TexelRunCache {
  struct Entry {
    const uint32_t* texels = nullptr;
    size_t size = 0;
    int w = 0, h = 0;
    uint32_t version = 0;
    std::unique_ptr<TexelRuns> runs;
  };
  std::vector<Entry> frames;
};

const TexelRuns& texel_runs(const Image& img, int frame) {
  if (!img.draw_cache) img.draw_cache = std::make_shared<TexelRunCache>();
  TexelRunCache& cache = *img.draw_cache;
  if (cache.frames.size() < img.frames.size()) cache.frames.resize(img.frames.size());
  TexelRunCache::Entry& e = cache.frames[size_t(frame)];
  const std::vector<uint32_t>& texels = img.frames[size_t(frame)];
  if (!e.runs || e.texels != texels.data() || e.size != texels.size() || e.w != img.width ||
      e.h != img.height || e.version != img.texel_version) {
    e.runs = std::make_unique<TexelRuns>(texels.data(), img.width, img.height);
    e.texels = texels.data(), e.size = texels.size();
    e.w = img.width, e.h = img.height, e.version = img.texel_version;
  }
  return *e.runs;
}

}  // namespace pf::render
