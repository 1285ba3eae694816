#include "runner/options.h"

#include <charconv>

const char* const runner_usage =
    "usage: orlenvault-headless [--dir DIR] [--seed N] [--frames N] [--input FILE]\n"
    "                           [--shot N:PATH]... [--trace PATH]\n";

namespace {

bool to_int(const std::string& word, int& value) {
  const char* end = word.data() + word.size();
  const auto [at, ec] = std::from_chars(word.data(), end, value);
  return !word.empty() && ec == std::errc() && at == end;
}

}  // namespace

bool parse_runner_args(const std::vector<std::string>& args, RunnerOptions& out,
                       std::string& error) {
  RunnerOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& flag = args[i];
    if (flag == "-h" || flag == "--help") {
      o.help = true;
      continue;
    }
    const bool takes_value = flag == "--dir" || flag == "--seed" || flag == "--frames" ||
                             flag == "--input" || flag == "--shot" || flag == "--trace";
    if (!takes_value) {
      error = "unknown argument \"" + flag + "\"";
      return false;
    }
    if (i + 1 == args.size()) {
      error = flag + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (value.empty()) {
      error = flag + " needs a value";
      return false;
    }
    if (flag == "--dir") {
      o.dir = value;
    } else if (flag == "--seed") {
      if (!to_int(value, o.seed)) {
        error = "--seed needs a whole number, not \"" + value + "\"";
        return false;
      }
    } else if (flag == "--frames") {
      if (!to_int(value, o.frames) || o.frames < 1) {
        error = "--frames needs a whole number of at least 1, not \"" + value + "\"";
        return false;
      }
    } else if (flag == "--input") {
      o.input = value;
    } else if (flag == "--trace") {
      o.trace = value;
    } else {  // --shot N:PATH
      const size_t colon = value.find(':');
      ShotRequest shot;
      if (colon == std::string::npos || !to_int(value.substr(0, colon), shot.presentation) ||
          shot.presentation < 1 || colon + 1 == value.size()) {
        error = "--shot needs N:PATH with N at least 1, not \"" + value + "\"";
        return false;
      }
      shot.path = value.substr(colon + 1);
      o.shots.push_back(shot);
    }
  }
  out = o;
  return true;
}
