#include "platform/render/transform.h"

#include <cmath>

namespace pf::render {

void Transform::set(float deg, float scale_x, float scale_y) {
  degrees = deg;
  sx = scale_x;
  sy = scale_y;
  // Reduce to [0, 360) so that quarter turns give exact 0 and +-1 rather than
  // the 1e-8 residues of sin(pi); other angles go through double precision
  // and are rounded once to float.
  double d = std::fmod(static_cast<double>(deg), 360.0);
  if (d < 0) d += 360.0;
  if (!std::isfinite(d)) d = 0;
  if (d == 0) {
    c = 1, s = 0;
  } else if (d == 90) {
    c = 0, s = 1;
  } else if (d == 180) {
    c = -1, s = 0;
  } else if (d == 270) {
    c = 0, s = -1;
  } else {
    const double r = d * (3.14159265358979323846 / 180.0);
    c = static_cast<float>(std::cos(r));
    s = static_cast<float>(std::sin(r));
  }
  degenerate_ = !(std::isfinite(sx) && std::isfinite(sy)) || sx == 0 || sy == 0;
  plain_ = s == 0 && c == 1 && sx == 1 && sy == 1;
}

}  // namespace pf::render
