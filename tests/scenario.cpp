#include "tests/scenario.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/draw.h"
#include "platform/image.h"
#include "platform/png_write.h"

namespace fs = std::filesystem;

std::string Trace::raw(int n, const std::string& field) const {
  const std::string& line = lines.at(n - 1);
  const std::string key = "\"" + field + "\": ";
  size_t at = line.find(key);
  if (at == std::string::npos) return "";
  at += key.size();
  int depth = 0;
  size_t end = at;
  for (; end < line.size(); ++end) {
    const char c = line[end];
    if (c == '[' || c == '{') ++depth;
    if (c == ']' || c == '}') {
      if (depth == 0) break;
      --depth;
    }
    if (c == ',' && depth == 0) break;
  }
  return line.substr(at, end - at);
}

long long Trace::num(int n, const std::string& field) const {
  return std::stoll(raw(n, field));
}

double Trace::real(int n, const std::string& field) const { return std::stod(raw(n, field)); }

namespace {

// Program folders made for runs; tests may pass their names on to later
// runs, so they are all removed together when the test program ends.
struct MadeFolders {
  std::vector<std::string> dirs;
  ~MadeFolders() {
    std::error_code ec;
    for (const std::string& d : dirs) fs::remove_all(d, ec);
  }
} made_folders;

}  // namespace

RunResult run_headless(const Scenario& s) {
  RunResult run;
  if (s.dir.empty()) {
    char tmpl[] = "/tmp/orlenvault-run-XXXXXX";
    run.dir = mkdtemp(tmpl);
    made_folders.dirs.push_back(run.dir);
    fs::copy(fs::path(OV_BINARY_DIR) / "data", fs::path(run.dir) / "data",
             fs::copy_options::recursive);
    // A game played in the build folder leaves its best score there; a new
    // folder starts without one, as on a first run.
    fs::remove(fs::path(run.dir) / "data" / "hiscore.dat");
  } else {
    run.dir = s.dir;
  }
  const std::string input = run.dir + "/input.txt";
  const std::string trace = run.dir + "/trace.jsonl";
  const std::string errors = run.dir + "/stderr.txt";
  std::ofstream(input) << s.input;
  std::ostringstream cmd;
  cmd << OV_BINARY_DIR << "/orlenvault-headless --dir " << run.dir << " --seed " << s.seed
      << " --frames " << s.frames << " --input " << input << " --trace " << trace;
  for (int n : s.shots) cmd << " --shot " << n << ":" << run.dir << "/shot_" << n << ".png";
  cmd << " 2>" << errors;
  const int rc = std::system(cmd.str().c_str());
  run.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  std::ifstream in(trace);
  for (std::string line; std::getline(in, line);) run.trace.lines.push_back(line);
  std::ifstream err(errors);
  run.errors.assign(std::istreambuf_iterator<char>(err), {});
  return run;
}

std::vector<uint32_t> read_png_pixels(const std::string& path, int* w, int* h) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), {});
  pf::ImageRef img = pf::decode_png(bytes.data(), bytes.size(), 0, nullptr);
  if (!img) return {};
  if (w) *w = img->width;
  if (h) *h = img->height;
  std::vector<uint32_t> px = img->frames[0];
  for (uint32_t& p : px) p &= 0x00FFFFFFu;
  return px;
}

std::string compare_golden(const std::string& shot_path, const std::string& name) {
  const fs::path golden = fs::path(OV_SOURCE_DIR) / "tests" / "golden" / (name + ".png");
  const char* update = std::getenv("ORLENVAULT_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    fs::create_directories(golden.parent_path());
    fs::copy_file(shot_path, golden, fs::copy_options::overwrite_existing);
    return "";
  }
  int w = 0, h = 0;
  const std::vector<uint32_t> actual = read_png_pixels(shot_path, &w, &h);
  const std::vector<uint32_t> expected = read_png_pixels(golden.string());
  if (actual.empty()) return "no shot at " + shot_path;
  if (expected.empty()) return "no golden picture " + golden.string();
  if (actual.size() != expected.size()) return "sizes differ";
  std::vector<uint32_t> diff(actual.size(), 0);
  int differing = 0;
  for (size_t i = 0; i < actual.size(); ++i) {
    if (actual[i] != expected[i]) {
      ++differing;
      diff[i] = 0x00FF00FFu;
    } else {
      diff[i] = (actual[i] >> 2) & 0x003F3F3Fu;  // dimmed where equal
    }
  }
  if (differing == 0) return "";
  const fs::path out = fs::path(OV_BINARY_DIR) / "golden-failures";
  fs::create_directories(out);
  fs::copy_file(shot_path, out / (name + ".actual.png"), fs::copy_options::overwrite_existing);
  pf::write_png((out / (name + ".diff.png")).string(), diff.data(), w, h, nullptr);
  return std::to_string(differing) + " pixels differ from " + golden.string() + "; see " +
         out.string();
}
