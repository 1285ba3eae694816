#pragma once
// The one frame the game draws into through draw.h, for the parts of the
// platform layer that work on it directly (grabbing a picture of it).
#include "platform/render/canvas.h"

namespace pf {

render::Canvas& frame_canvas();

}  // namespace pf
