#include "platform/sdl/sdl_display.h"

#include <cstdlib>
#include <cstring>

namespace pf {

namespace {

constexpr int frame_w = 640, frame_h = 480;

bool has_value(const char* env) {
  return env && *env;
}

bool is_headless_driver(const char* name) {
  return name && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

}  // namespace

SdlDisplay::~SdlDisplay() {
  close();
}

void SdlDisplay::close() {
  drop_renderer();
  if (window_) SDL_DestroyWindow(window_);
  window_ = nullptr;
  if (video_started_) SDL_QuitSubSystem(SDL_INIT_VIDEO);
  video_started_ = false;
}

bool SdlDisplay::open(const std::string& title, std::string* error) {
  if (open_window(title, error)) return true;
  close();
  return false;
}

bool SdlDisplay::open_window(const std::string& title, std::string* error) {
  const bool driver_asked = has_value(std::getenv("SDL_VIDEODRIVER"));
  // Without a desktop to show the window on, say so before SDL's drivers
  // try one after another and print their own complaints.
  if (!driver_asked && !has_value(std::getenv("DISPLAY")) &&
      !has_value(std::getenv("WAYLAND_DISPLAY"))) {
    *error = "neither DISPLAY nor WAYLAND_DISPLAY is set";
    return false;
  }
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    *error = std::string("cannot start the video system: ") + SDL_GetError();
    return false;
  }
  video_started_ = true;
  // When the desktop cannot be reached SDL quietly picks a driver that shows
  // nothing, and the game would run unseen. Only a driver the user asked for
  // by name is accepted.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (is_headless_driver(driver) && !driver_asked) {
    *error = std::string("no desktop could be reached (only SDL's ") + driver + " driver started)";
    return false;
  }
  // Typed text is never read, and an input method could swallow keys.
  SDL_StopTextInput();

  title_ = title;
  window_ = make_window(title);
  if (!window_) {
    *error = std::string("cannot open the window: ") + SDL_GetError();
    return false;
  }
  if (!make_renderer(true, error)) return false;
  vsync_possible_ = vsync_on_;
  // Black until the first frame arrives, rather than whatever was there.
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

SDL_Window* SdlDisplay::make_window(const std::string& title) {
  // Borderless over the whole desktop: switching the screen itself to
  // 640x480 is unreliable and leaves it there if the game is killed.
  // Made for OpenGL from the start: an OpenGL renderer would otherwise
  // replace the window with a new one, which shows as a flicker on screen.
  for (Uint32 gl : {Uint32(SDL_WINDOW_OPENGL), Uint32(0)}) {
    SDL_Window* w =
        SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, frame_w,
                         frame_h, SDL_WINDOW_FULLSCREEN_DESKTOP | gl);
    if (w) return w;
  }
  return nullptr;
}

bool SdlDisplay::make_renderer(bool vsync, std::string* error) {
  const Uint32 sync = vsync ? SDL_RENDERER_PRESENTVSYNC : 0;
  // An accelerated renderer first: only there can vsync really be switched.
  renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | sync);
  if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, sync);
  if (!renderer_) {
    if (error) *error = std::string("cannot draw into the window: ") + SDL_GetError();
    return false;
  }
  SDL_RendererInfo info{};
  SDL_GetRendererInfo(renderer_, &info);
  software_ = (info.flags & SDL_RENDERER_SOFTWARE) || std::strcmp(info.name, "software") == 0;
  // The software renderer claims vsync whatever it was asked; it waits for
  // the display exactly when its window was made with vsync asked for.
  vsync_on_ = software_ ? SDL_GetHintBoolean(SDL_HINT_RENDER_VSYNC, vsync ? SDL_TRUE : SDL_FALSE) !=
                              SDL_FALSE
                        : (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;

  SDL_RenderSetLogicalSize(renderer_, frame_w, frame_h);
  // Big square pixels: nearest scaling, set before the texture is made.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                               frame_w, frame_h);
  if (!texture_) {
    if (error) *error = std::string("cannot make the frame texture: ") + SDL_GetError();
    drop_renderer();
    return false;
  }
  // The frame's top byte is not an alpha: copy the pixels as they are.
  SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_NONE);
  return true;
}

void SdlDisplay::drop_renderer() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  texture_ = nullptr;
  renderer_ = nullptr;
}

void SdlDisplay::show(const uint32_t* pixels) {
  if (!texture_) return;
  SDL_UpdateTexture(texture_, nullptr, pixels, frame_w * 4);
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

bool SdlDisplay::set_vsync(bool on) {
  if (!window_) return false;
  if (on == vsync_on_ && renderer_) return true;
  if (renderer_ && !software_ && SDL_RenderSetVSync(renderer_, on ? 1 : 0) == 0) {
    vsync_on_ = on;
    return true;
  }
  // The software renderer draws into the window's own surface, which keeps
  // the vsync it was made with for the window's whole life: only a new
  // window really stops waiting for the display.
  const bool new_window = software_;
  drop_renderer();
  if (new_window) {
    SDL_DestroyWindow(window_);
    window_ = make_window(title_);
    if (!window_) return false;
  }
  if (make_renderer(on, nullptr) && vsync_on_ == on) return true;
  // Keep some way of showing frames whatever happened.
  if (!renderer_) make_renderer(!on, nullptr);
  return false;
}

std::string SdlDisplay::renderer_name() const {
  SDL_RendererInfo info{};
  if (!renderer_ || SDL_GetRendererInfo(renderer_, &info) != 0) return "";
  return info.name;
}

void SdlDisplay::warp_pointer(int x, int y) {
  if (!window_ || !renderer_) return;
  // Some desktops honour a warp only while the cursor is hidden.
  hide_pointer();
  int wx = 0, wy = 0;
  SDL_RenderLogicalToWindow(renderer_, static_cast<float>(x), static_cast<float>(y), &wx, &wy);
  SDL_WarpMouseInWindow(window_, wx, wy);
}

void SdlDisplay::hide_pointer() {
  SDL_ShowCursor(SDL_DISABLE);
}

}  // namespace pf
