#pragma once
// The game's drawing helper: blend mode, alpha, rotation and scale set in one
// call, and images and text drawn with whatever state is current.
#include <cstdint>
#include <memory>
#include <string>

#include "platform/image.h"

struct kvdraw_tag {
  // The eye colours and the eye and copy arguments below are kept for the
  // stereo look the helper was built for; nothing drawn depends on them.
  int32_t leye_r = 0, leye_g = 0, leye_b = 0;
  int32_t reye_r = 0, reye_g = 0, reye_b = 0;
  float txt_xs = 0;  // scale given to the latest sip, used to centre text
  float txt_ys = 0;

  int32_t slc(int32_t lr, int32_t lg, int32_t lb, int32_t rr, int32_t rg, int32_t rb);
  int32_t sip(int32_t blend, float alpha, float rot, float xs, float ys);
  int32_t i3d(const pf::ImageRef& img, float x, float y, int32_t frame, float eye, float rot_off,
              int32_t copies);
  // Centred text is placed with the scale of the latest sip, so callers call
  // sip with the text's scale right before.
  int32_t t3d(const std::string& txt, float x, float y, float eye, int32_t centre);
};

extern std::unique_ptr<kvdraw_tag> kvd;  // made at start-up, kept for the whole run
