// orlenvault-headless: plays the game without a window, sound or wall clock,
// from a seed and an input timeline, and records shots and a trace.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "platform/audio_record.h"
#include "platform/files.h"
#include "platform/headless/headless_backend.h"
#include "runner/headless_game.h"
#include "runner/options.h"
#include "runner/recorder.h"
#include "runner/timeline.h"

namespace {

constexpr int bad_arguments = 2;

int refuse(const std::string& why) {
  std::fprintf(stderr, "orlenvault-headless: %s\n%s", why.c_str(), runner_usage);
  return bad_arguments;
}

bool read_timeline(const std::string& path, std::vector<pf::TimelineEvent>& events,
                   std::string& error) {
  if (path == "-") return parse_timeline(std::cin, "stdin", events, error);
  std::ifstream file(path);
  if (!file) {
    error = "cannot read the input " + path + ": " + std::strerror(errno);
    return false;
  }
  return parse_timeline(file, path, events, error);
}

}  // namespace

int main(int argc, char** argv) {
  RunnerOptions opt;
  std::string error;
  if (!parse_runner_args(std::vector<std::string>(argv + 1, argv + argc), opt, error))
    return refuse(error);
  if (opt.help) {
    std::fputs(runner_usage, stdout);
    return 0;
  }

  // Every path the user gave is taken from where the runner was started,
  // before it moves into the program folder.
  std::vector<pf::TimelineEvent> events;
  if (!opt.input.empty() && !read_timeline(opt.input, events, error)) return refuse(error);
  Recorder recorder;
  if (!opt.trace.empty() && !recorder.open_trace(opt.trace, error)) return refuse(error);
  for (ShotRequest shot : opt.shots) {
    std::error_code ec;
    shot.path = std::filesystem::absolute(shot.path, ec).string();
    const std::filesystem::path folder = std::filesystem::path(shot.path).parent_path();
    if (ec || !std::filesystem::is_directory(folder, ec)) {
      return refuse("no folder for the shot " + shot.path);
    }
    recorder.add_shot(shot);
  }
  if (opt.dir.empty()) {
    pf::enter_program_folder(argv[0]);
  } else if (chdir(opt.dir.c_str()) != 0) {
    return refuse("cannot enter the folder " + opt.dir + ": " + std::strerror(errno));
  }

  pf::HeadlessBackend backend;
  backend.set_seed(opt.seed);
  // The trace lists the effects started each frame; without a trace nobody
  // takes the record, and a long run would pile it up.
  pf::record_started_sounds(!opt.trace.empty());
  backend.queue(events);
  backend.close_after(opt.frames);
  backend.on_present([&](int n) { recorder.presented(n, backend.last_frame().data()); });
  int status = run_game_headless(backend);

  const std::vector<std::string> problems = recorder.finish(backend.presentations());
  for (const std::string& p : problems)
    std::fprintf(stderr, "orlenvault-headless: %s\n", p.c_str());
  if (!problems.empty() && status == 0) status = 1;
  return status;
}
