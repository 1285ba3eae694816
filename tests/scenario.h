#pragma once
// Runs the real game in the headless runner from a seed and an input
// timeline, in a fresh program folder, and reads back its trace and shots.
#include <string>
#include <vector>

struct Trace {
  std::vector<std::string> lines;  // lines[0] is presentation 1

  int frames() const { return static_cast<int>(lines.size()); }
  // A top-level field of presentation n (from 1), as its JSON text.
  std::string raw(int n, const std::string& field) const;
  long long num(int n, const std::string& field) const;
  double real(int n, const std::string& field) const;
};

struct RunResult {
  int status = -1;
  Trace trace;
  std::string dir;     // the program folder the run used (data/ inside)
  std::string errors;  // what the runner said on stderr
  std::string shot(int n) const { return dir + "/shot_" + std::to_string(n) + ".png"; }
};

struct Scenario {
  std::string input{};     // the timeline, one event a line
  int frames = 400;        // presentations before the close request
  int seed = 1;
  std::vector<int> shots{};  // presentations to save as shot_N.png
  std::string dir{};       // reuse this program folder (keeps data/hiscore.dat); empty: new
};

RunResult run_headless(const Scenario& s);

// Pixels of a PNG as 0x00RRGGBB; empty when it cannot be read.
std::vector<uint32_t> read_png_pixels(const std::string& path, int* w = nullptr, int* h = nullptr);

// Compares a shot with tests/golden/NAME.png pixel for pixel. On a mismatch
// writes the actual picture and a difference picture into the build folder
// and returns a message; empty when equal. ORLENVAULT_UPDATE_GOLDEN=1 writes
// the golden picture instead.
std::string compare_golden(const std::string& shot_path, const std::string& name);
