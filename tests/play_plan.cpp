#include "tests/play_plan.h"

#include <map>
#include <regex>
#include <sstream>
#include <tuple>

std::string start_game_input() {
  return "2 key 27\n" + std::to_string(game_start) + " mouse 1\n";
}

std::string fire_at(int frame, int key) {
  return std::to_string(frame) + " key " + std::to_string(key) + "\n";
}

Scenario game(const std::string& input, int frames, int seed, std::vector<int> shots,
              const std::string& dir) {
  Scenario s;
  s.input = input;
  s.frames = frames;
  s.seed = seed;
  s.shots = std::move(shots);
  s.dir = dir;
  return s;
}

const RunResult& cached_run(const Scenario& s) {
  using Key = std::tuple<std::string, int, int, std::vector<int>, std::string>;
  static std::map<Key, RunResult> runs;
  const Key key{s.input, s.frames, s.seed, s.shots, s.dir};
  auto it = runs.find(key);
  if (it == runs.end()) it = runs.emplace(key, run_headless(s)).first;
  return it->second;
}

std::vector<std::string> sound_names(const Trace& t, int n) {
  static const std::regex name(R"re("name": "([a-z]+)")re");
  const std::string raw = t.raw(n, "sounds");
  std::vector<std::string> names;
  for (std::sregex_iterator i(raw.begin(), raw.end(), name), end; i != end; ++i)
    names.push_back((*i)[1]);
  return names;
}

int count_sound(const Trace& t, const std::string& name) {
  int count = 0;
  for (int n = 1; n <= t.frames(); ++n)
    for (const std::string& s : sound_names(t, n)) count += s == name;
  return count;
}

std::vector<std::pair<int, int>> columns(const Trace& t, int n) {
  static const std::regex pair(R"(\[(-?\d+), (-?\d+)\])");
  const std::string raw = t.raw(n, "mtn");
  std::vector<std::pair<int, int>> cols;
  for (std::sregex_iterator i(raw.begin(), raw.end(), pair), end; i != end; ++i)
    cols.emplace_back(std::stoi((*i)[1]), std::stoi((*i)[2]));
  return cols;
}

int height_at(const Trace& t, int n, int x) {
  for (const auto& [cx, h] : columns(t, n))
    if (cx == x) return h;
  return -1;
}

int first_frame(const Trace& t, const std::string& field, long long value, int from) {
  for (int n = from + 1; n <= t.frames(); ++n)
    if (t.num(n, field) == value) return n;
  return -1;
}

std::string without_frame(const std::string& line) {
  const size_t comma = line.find(", ");
  return comma == std::string::npos ? line : line.substr(comma);
}

int drop_frame(const Trace& no_drop, int offset, int from) {
  for (int n = std::max(from + 1, 2); n <= no_drop.frames(); ++n) {
    // The craft reads the fire keys only in flight, after its move.
    if (no_drop.num(n - 1, "round_phase") != 1 || no_drop.num(n - 1, "game_mode") != 2) continue;
    if (no_drop.num(n, "bomb_x") == no_drop.num(n, "dmd_x") + offset) return n;
  }
  return -1;
}
