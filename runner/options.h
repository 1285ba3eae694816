#pragma once
// The headless runner's command line:
//   orlenvault-headless [--dir DIR] [--seed N] [--frames N] [--input FILE]
//                       [--shot N:PATH]... [--trace PATH]
#include <string>
#include <vector>

struct ShotRequest {
  int presentation = 0;  // numbered from 1, intro frames included
  std::string path;
};

struct RunnerOptions {
  std::string dir;    // the program folder; empty: the binary's own folder
  int seed = 1;       // what the game's generator is seeded with
  int frames = 5000;  // a close request arrives when this presentation returns
  std::string input;  // input timeline file, "-" for standard input, empty for none
  std::vector<ShotRequest> shots;
  std::string trace;  // JSON Lines file, empty for none
  bool help = false;
};

extern const char* const runner_usage;

// args without the program name. False with a one-line reason on a bad
// argument; nothing is checked against the file system here.
bool parse_runner_args(const std::vector<std::string>& args, RunnerOptions& out,
                       std::string& error);
