#include "present/kvdraw.h"

#include "platform/draw.h"
#include "platform/font.h"

std::unique_ptr<kvdraw_tag> kvd;

int32_t kvdraw_tag::slc(int32_t lr, int32_t lg, int32_t lb, int32_t rr, int32_t rg, int32_t rb) {
  leye_r = lr;
  leye_g = lg;
  leye_b = lb;
  reye_r = rr;
  reye_g = rg;
  reye_b = rb;
  return 0;
}

int32_t kvdraw_tag::sip(int32_t blend, float alpha, float rot, float xs, float ys) {
  pf::set_blend(blend);
  pf::set_alpha(alpha);
  pf::set_transform(rot, xs, ys);
  txt_xs = xs;
  txt_ys = ys;
  return 0;
}

int32_t kvdraw_tag::i3d(const pf::ImageRef& img, float x, float y, int32_t frame, float, float,
                        int32_t) {
  if (img) pf::draw_image(*img, x, y, frame);
  return 0;
}

int32_t kvdraw_tag::t3d(const std::string& txt, float x, float y, float, int32_t centre) {
  if (centre != 0) {
    const float w = static_cast<float>(pf::text_width(txt));
    const float h = static_cast<float>(pf::text_height(txt));
    x = x - w * txt_xs / 2.0f;
    y = y - h * txt_ys / 2.0f;
  }
  pf::draw_text(txt, x, y);
  return 0;
}
