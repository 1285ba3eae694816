#pragma once
// Candidate pixels of a transformed shape: the screen bounds of its corners,
// widened by a pixel either side and clipped. The exact coverage test then
// decides each pixel, so the widening only costs a few rejected pixels.
#include <algorithm>
#include <cmath>

#include "platform/render/transform.h"

namespace pf::render {

struct PixelBox {
  int x0 = 0, x1 = 0, y0 = 0, y1 = 0;  // [x0, x1) x [y0, y1)
  bool empty() const { return x0 >= x1 || y0 >= y1; }
};

// The shape spans [lx0, lx1] x [ly0, ly1] in its own space and is anchored
// at (ax, ay) on the screen. Non-finite values give an empty box.
inline PixelBox candidate_box(const Transform& t, float ax, float ay, double lx0, double lx1,
                              double ly0, double ly1, int w, int h) {
  double xmin = INFINITY, xmax = -INFINITY, ymin = INFINITY, ymax = -INFINITY;
  if (t.s == 0) {  // the common case: axes stay axes
    const double kx = double(t.c) * t.sx, ky = double(t.c) * t.sy;
    const double xa = ax + kx * lx0, xb = ax + kx * lx1, ya = ay + ky * ly0, yb = ay + ky * ly1;
    xmin = std::min(xa, xb), xmax = std::max(xa, xb);
    ymin = std::min(ya, yb), ymax = std::max(ya, yb);
  } else {
    const double lxs[2] = {lx0, lx1}, lys[2] = {ly0, ly1};
    for (double lx : lxs)
      for (double ly : lys) {
        const double sx = ax + (double(t.c) * lx * t.sx - double(t.s) * ly * t.sy);
        const double sy = ay + (double(t.s) * lx * t.sx + double(t.c) * ly * t.sy);
        xmin = std::min(xmin, sx), xmax = std::max(xmax, sx);
        ymin = std::min(ymin, sy), ymax = std::max(ymax, sy);
      }
  }
  PixelBox box;
  if (!(std::isfinite(xmin) && std::isfinite(xmax) && std::isfinite(ymin) && std::isfinite(ymax)))
    return box;
  const auto lo = [](double v, int n) {
    return std::max(0, static_cast<int>(std::clamp(std::floor(v) - 1, -1.0, n + 1.0)));
  };
  const auto hi = [](double v, int n) {
    return std::min(n, static_cast<int>(std::clamp(std::ceil(v) + 1, -1.0, n + 1.0)));
  };
  box.x0 = lo(xmin, w), box.x1 = hi(xmax, w);
  box.y0 = lo(ymin, h), box.y1 = hi(ymax, h);
  return box;
}

}  // namespace pf::render
