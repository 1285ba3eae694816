#include "platform/sdl/sdl_joysticks.h"

namespace pf {

SdlJoysticks::~SdlJoysticks() {
  for (Device& d : devices_) {
    if (d.pad) SDL_GameControllerClose(d.pad);
    if (d.stick) SDL_JoystickClose(d.stick);
  }
}

void SdlJoysticks::close_all(InputState& in) {
  while (!devices_.empty()) remove(devices_.back().id, in);
}

SdlJoysticks::Device* SdlJoysticks::find(SDL_JoystickID id) {
  for (Device& d : devices_) {
    if (d.id == id) return &d;
  }
  return nullptr;
}

void SdlJoysticks::add(int device_index, InputState& in) {
  // A pad SDL knows announces itself twice (as a joystick and as a
  // controller): the second announcement finds the device already open.
  const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device_index);
  if (id < 0 || find(id)) return;
  Device d;
  d.id = id;
  if (SDL_IsGameController(device_index)) d.pad = SDL_GameControllerOpen(device_index);
  if (!d.pad) d.stick = SDL_JoystickOpen(device_index);
  if (!d.pad && !d.stick) return;
  devices_.push_back(d);
  in.joy_added(id);
}

void SdlJoysticks::remove(SDL_JoystickID id, InputState& in) {
  for (auto it = devices_.begin(); it != devices_.end(); ++it) {
    if (it->id != id) continue;
    if (it->pad) SDL_GameControllerClose(it->pad);
    if (it->stick) SDL_JoystickClose(it->stick);
    devices_.erase(it);
    in.joy_removed(id);
    return;
  }
}

void SdlJoysticks::press(InputState& in, SDL_JoystickID id, int button) {
  for (JoyState& j : in.joys) {
    if (j.id == id && button >= 0 && button < static_cast<int>(j.hits.size())) ++j.hits[button];
  }
}

void SdlJoysticks::update_axes(const Device& d, InputState& in) {
  float x = d.stick_x, y = d.stick_y;
  if (d.left != d.right) x = d.left ? -1.0f : 1.0f;
  if (d.up != d.down) y = d.up ? -1.0f : 1.0f;
  for (JoyState& j : in.joys) {
    if (j.id == d.id) {
      j.x = x;
      j.y = y;
    }
  }
}

bool SdlJoysticks::handle(const SDL_Event& e, InputState& in) {
  switch (e.type) {
    case SDL_JOYDEVICEADDED:
    case SDL_CONTROLLERDEVICEADDED:
      add(e.jdevice.which, in);  // a device index
      return true;
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEREMOVED:
      remove(e.jdevice.which, in);  // an instance id
      return true;

    // A mapped pad also sends raw joystick events: only its controller
    // events count, so each of its presses is seen once.
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      Device* d = find(e.cbutton.which);
      if (!d || !d->pad) return true;
      const bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
      if (down) press(in, d->id, e.cbutton.button);
      switch (e.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
          d->left = down;
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
          d->right = down;
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_UP:
          d->up = down;
          break;
        case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
          d->down = down;
          break;
        default:
          return true;
      }
      update_axes(*d, in);
      return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
      Device* d = find(e.caxis.which);
      if (!d || !d->pad) return true;
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX)
        d->stick_x = axis_value(e.caxis.value);
      else if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY)
        d->stick_y = axis_value(e.caxis.value);
      else
        return true;
      update_axes(*d, in);
      return true;
    }

    case SDL_JOYBUTTONDOWN: {
      Device* d = find(e.jbutton.which);
      if (d && d->stick) press(in, d->id, e.jbutton.button);
      return true;
    }
    case SDL_JOYBUTTONUP:
      return true;
    case SDL_JOYAXISMOTION: {
      Device* d = find(e.jaxis.which);
      if (!d || !d->stick) return true;
      if (e.jaxis.axis == 0)
        d->stick_x = axis_value(e.jaxis.value);
      else if (e.jaxis.axis == 1)
        d->stick_y = axis_value(e.jaxis.value);
      else
        return true;
      update_axes(*d, in);
      return true;
    }
    case SDL_JOYHATMOTION: {
      Device* d = find(e.jhat.which);
      if (!d || !d->stick || e.jhat.hat != 0) return true;
      d->left = e.jhat.value & SDL_HAT_LEFT;
      d->right = e.jhat.value & SDL_HAT_RIGHT;
      d->up = e.jhat.value & SDL_HAT_UP;
      d->down = e.jhat.value & SDL_HAT_DOWN;
      update_axes(*d, in);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace pf
