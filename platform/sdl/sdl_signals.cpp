#include "platform/sdl/sdl_signals.h"

#include <signal.h>

#include <csignal>

namespace pf {

namespace {

volatile std::sig_atomic_t caught = 0;

constexpr int close_signals[] = {SIGINT, SIGTERM};
struct sigaction previous[2];
bool installed[2] = {false, false};

void on_close_signal(int) {
  caught = 1;
}

}  // namespace

void catch_close_signals() {
  for (int i = 0; i < 2; ++i) {
    if (installed[i]) continue;
    struct sigaction old {};
    sigaction(close_signals[i], nullptr, &old);
    // A program started in the background of a script ignores Ctrl+C on
    // purpose; keep it that way.
    if (!(old.sa_flags & SA_SIGINFO) && old.sa_handler == SIG_IGN) continue;
    struct sigaction act {};
    act.sa_handler = on_close_signal;
    sigemptyset(&act.sa_mask);
    act.sa_flags = SA_RESETHAND | SA_RESTART;
    if (sigaction(close_signals[i], &act, &previous[i]) == 0) installed[i] = true;
  }
}

void release_close_signals() {
  for (int i = 0; i < 2; ++i) {
    if (!installed[i]) continue;
    sigaction(close_signals[i], &previous[i], nullptr);
    installed[i] = false;
  }
}

bool take_close_signal() {
  if (!caught) return false;
  caught = 0;
  return true;
}

}  // namespace pf
