#include <cstdio>
#include <cstdlib>

#include "platform/backend.h"

namespace pf {

namespace {
Backend* installed = nullptr;
InputState input;
}  // namespace

void set_backend(Backend* b) {
  installed = b;
}

Backend& backend() {
  // Every platform call goes through here: running without a back end is a
  // wiring fault of the program's entry point, not something to limp past.
  if (!installed) {
    std::fputs("orlenvault: no platform back end installed\n", stderr);
    std::abort();
  }
  return *installed;
}

InputState& input_state() {
  return input;
}

}  // namespace pf
