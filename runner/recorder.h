#pragma once
// What the runner keeps of a run: the shots asked for and the trace, both
// written as each presentation returns.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "runner/options.h"

class Recorder {
 public:
  Recorder() = default;
  Recorder(const Recorder&) = delete;
  Recorder& operator=(const Recorder&) = delete;
  ~Recorder();

  // Opened before the game starts, so a bad path stops the run at once.
  bool open_trace(const std::string& path, std::string& error);
  void add_shot(const ShotRequest& shot) { shots_.push_back(shot); }

  // Presentation n has returned showing pixels (640 x 480): its shots, then
  // its trace line.
  void presented(int n, const uint32_t* pixels);

  // After the run: shots that could not be written or whose presentation
  // never came, one line each; empty when all went well.
  std::vector<std::string> finish(int presentations);

 private:
  std::vector<ShotRequest> shots_;
  std::vector<std::string> problems_;
  std::FILE* trace_ = nullptr;
  std::string trace_path_;
};
