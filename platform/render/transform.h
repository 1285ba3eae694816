#pragma once
// The drawing transform: rotation (degrees, clockwise on screen) and x/y
// scale about the point a draw call names. Shapes are rasterised by mapping
// each pixel centre back into the shape's own unrotated, unscaled space, so
// every coverage and sampling decision is one fixed sequence of float
// operations and comes out the same on every machine.

namespace pf::render {

struct Transform {
  float degrees = 0;
  float sx = 1, sy = 1;
  // Derived: rotation matrix. Quarter turns are exact (sin 0 or +-1).
  float c = 1, s = 0;

  void set(float deg, float scale_x, float scale_y);

  // No rotation other than a half turn: x maps to x and y to y, so coverage
  // and sampling can be worked out per column and per row.
  bool separable() const { return s == 0; }
  // No rotation and scale 1: a shape's own space is the screen shifted.
  bool plain() const { return plain_; }
  // Scale 0 (or a non-finite one) collapses the shape: nothing is drawn.
  bool degenerate() const { return degenerate_; }

  // Pixel-centre offset (dx, dy) from the anchor, in screen pixels, mapped
  // to the shape's own space. With s == 0 these reduce exactly to dx / (c sx)
  // and dy / (c sy) because 0 * d adds nothing.
  float local_x(float dx, float dy) const { return (c * dx + s * dy) / sx; }
  float local_y(float dx, float dy) const { return (c * dy - s * dx) / sy; }

  // Forward map of a point in the shape's own space to a screen offset.
  float screen_x(float lx, float ly) const { return c * (lx * sx) - s * (ly * sy); }
  float screen_y(float lx, float ly) const { return s * (lx * sx) + c * (ly * sy); }

 private:
  bool plain_ = true, degenerate_ = false;
};

}  // namespace pf::render
