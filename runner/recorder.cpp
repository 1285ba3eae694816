#include "runner/recorder.h"

#include <cerrno>
#include <cstring>

#include "platform/draw.h"
#include "platform/png_write.h"
#include "runner/trace.h"

Recorder::~Recorder() {
  if (trace_) std::fclose(trace_);
}

bool Recorder::open_trace(const std::string& path, std::string& error) {
  trace_ = std::fopen(path.c_str(), "w");
  if (!trace_) {
    error = "cannot write the trace " + path + ": " + std::strerror(errno);
    return false;
  }
  trace_path_ = path;
  return true;
}

void Recorder::presented(int n, const uint32_t* pixels) {
  for (const ShotRequest& shot : shots_) {
    if (shot.presentation != n) continue;
    std::string error;
    if (!pf::write_png(shot.path, pixels, pf::screen_w, pf::screen_h, &error))
      problems_.push_back(error);
  }
  if (trace_) {
    const std::string line = trace_line(n) + "\n";
    // Flushed line by line: a run that hangs or crashes still shows how far
    // it got.
    if (std::fputs(line.c_str(), trace_) < 0 || std::fflush(trace_) != 0) {
      problems_.push_back("cannot write the trace " + trace_path_ + ": " + std::strerror(errno));
      std::fclose(trace_);
      trace_ = nullptr;
    }
  }
}

std::vector<std::string> Recorder::finish(int presentations) {
  for (const ShotRequest& shot : shots_) {
    if (shot.presentation > presentations) {
      problems_.push_back("no shot " + shot.path + ": the run ended after presentation " +
                          std::to_string(presentations));
    }
  }
  if (trace_ && std::fclose(trace_) != 0) {
    problems_.push_back("cannot write the trace " + trace_path_ + ": " + std::strerror(errno));
  }
  trace_ = nullptr;
  return problems_;
}
