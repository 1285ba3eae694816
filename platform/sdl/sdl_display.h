#pragma once
// The game's one window: borderless, covering the desktop, with the 640x480
// frame scaled to fit (aspect kept, black bars, nearest scaling).
#include <SDL.h>

#include <cstdint>
#include <string>

namespace pf {

class SdlDisplay {
 public:
  SdlDisplay() = default;
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;
  ~SdlDisplay();

  // Starts SDL's video and opens the window; false with a one-line reason
  // when there is no display to show it on.
  bool open(const std::string& title, std::string* error);
  bool is_open() const { return texture_ != nullptr; }
  void close();  // the window goes and SDL's video stops

  void show(const uint32_t* pixels);  // 640x480 pixels 0x00RRGGBB
  bool set_vsync(bool on);
  bool can_vsync() const { return vsync_possible_; }
  bool vsync_on() const { return vsync_on_; }
  std::string renderer_name() const;

  // Places the system pointer at (x, y) in 640x480 coordinates.
  void warp_pointer(int x, int y);
  void hide_pointer();

 private:
  bool open_window(const std::string& title, std::string* error);
  static SDL_Window* make_window(const std::string& title);
  bool make_renderer(bool vsync, std::string* error);
  void drop_renderer();

  std::string title_;
  bool video_started_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  bool software_ = false;
  bool vsync_possible_ = false;
  bool vsync_on_ = false;
};

}  // namespace pf
