#pragma once
// Where a picture shows: per texel row, the runs of texels whose alpha is
// not 0, each marked when every texel in it has alpha 255. In the masked,
// alpha and additive modes a texel of alpha 0 leaves its pixel as it was, so
// a row can be drawn run by run, skipping the clear texels between (the
// ship's empty corners, a glyph's margins); and in a run of alpha 255 every
// texel gets the same weight. Worked out once per picture frame and kept on
// the picture.
#include <cstdint>
#include <vector>

#include "platform/image.h"

namespace pf::render {

struct TexelRun {
  int start, len;  // texel columns [start, start + len)
  bool opaque;     // every texel has alpha 255
};

class TexelRuns {
 public:
  TexelRuns(const uint32_t* texels, int w, int h);
  const TexelRun* row_begin(int v) const { return runs_.data() + first_[v]; }
  const TexelRun* row_end(int v) const { return runs_.data() + first_[v + 1]; }

 private:
  std::vector<TexelRun> runs_;
  std::vector<int> first_;  // per row, the index of its first run; one more at the end
};

// The runs of frame `frame` of img (which must hold width * height texels),
// worked out again when the frame's texel storage or img.texel_version has
// changed since they were last worked out.
const TexelRuns& texel_runs(const Image& img, int frame);

}  // namespace pf::render
