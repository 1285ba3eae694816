// The best-score file "data/hiscore.dat": what a run reads from what lies
// at the path, and what lies there after the run's exit.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/scenario.h"
#include "tests/shell_runs.h"

namespace fs = std::filesystem;

namespace {

using Bytes = std::vector<unsigned char>;

void write_bytes(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

std::string read_text(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Everything under data/ (or data itself when it is a file): each path with
// its type and rights and, for a file, its content.
std::map<std::string, std::string> snapshot(const fs::path& dir) {
  std::map<std::string, std::string> out;
  const fs::path data = dir / "data";
  auto add = [&](const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    const std::string mode = " mode " + std::to_string(st.st_mode) + ": ";  // type and rights
    // Only plain files are read: a pipe would wait for a writer.
    out[p.lexically_relative(dir).string()] =
        mode + (S_ISREG(st.st_mode) ? read_text(p) : "<not a file>");
  };
  if (!fs::exists(data)) return out;
  add(data);
  if (fs::is_directory(data))
    for (const auto& e : fs::recursive_directory_iterator(data)) add(e.path());
  return out;
}

// A socket file: something no user can open as a file, root included.
void make_socket(const fs::path& path) {
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  std::strncpy(addr.sun_path, path.c_str(), sizeof addr.sun_path - 1);
  EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0) << path;
  ::close(fd);
}

const Bytes score_12345 = {0x39, 0x30, 0x00, 0x00};

struct ScoreFileCase {
  const char* name;
  void (*prepare)(const fs::path& dir);  // dir holds a complete data/ folder
  int32_t best_on_title;
  int32_t best_in_play;
  Bytes after;              // the file's bytes after the run; empty: all of data/ untouched
  bool warns = false;       // one line on stderr says the score was not saved
  bool non_root = false;    // only where permissions stop the root user's reads and writes
  bool file_limit = false;  // the run may create files but not write into them
};

// Test names in listings carry the case's name, not its bytes.
void PrintTo(const ScoreFileCase& c, std::ostream* os) {
  *os << c.name;
}

class ScoreFileTest : public ::testing::TestWithParam<ScoreFileCase> {
 protected:
  void SetUp() override { dir_ = fresh_program_folder("/tmp/orlenvault-score-XXXXXX"); }
  void TearDown() override {
    // Give back the rights a case took away, so the folder can go.
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(dir_, ec))
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(dir_, ec);
  }

  // Runs under a file size limit of 0: no trace can be written either.
  RunResult run_limited(const std::string& input) {
    RunResult run;
    run.dir = dir_.string();
    std::ofstream(dir_ / "input.txt") << input;
    const fs::path out = dir_ / "out.txt";
    std::ostringstream cmd;
    cmd << "( (ulimit -f 0; trap '' XFSZ; exec " << OV_BINARY_DIR << "/orlenvault-headless --dir "
        << dir_ << " --frames 5 --input " << dir_ / "input.txt"
        << ") 2>&1; echo \"status $?\") | cat >" << out;
    std::system(cmd.str().c_str());
    std::string text = read_text(out);
    const size_t at = text.rfind("status ");
    if (at != std::string::npos) run.status = std::atoi(text.c_str() + at + 7);
    run.errors = text.substr(0, at);
    return run;
  }

  fs::path dir_;
};

int lines_about_the_score(const std::string& errors) {
  int n = 0;
  std::istringstream in(errors);
  for (std::string line; std::getline(in, line);)
    if (line.find("score") != std::string::npos) ++n;
  return n;
}

TEST_P(ScoreFileTest, ReadsAtStartWritesAtExit) {
  const ScoreFileCase& c = GetParam();
  if (c.non_root && geteuid() == 0) GTEST_SKIP() << "permissions do not stop the root user";
  c.prepare(dir_);
  const auto before = snapshot(dir_);

  // Skip the intro, start a game, play two frames, close the window.
  const std::string input = "2 key 27\n3 mouse 1\n";
  const RunResult run =
      c.file_limit ? run_limited(input) : run_headless({.input = input, .frames = 5, .dir = dir_});
  EXPECT_EQ(run.status, 0) << run.errors;
  EXPECT_EQ(lines_about_the_score(run.errors), c.warns ? 1 : 0) << run.errors;
  if (!c.file_limit) {
    ASSERT_EQ(run.trace.frames(), 5) << run.errors;
    EXPECT_EQ(run.trace.num(2, "best_sc"), c.best_on_title);
    EXPECT_EQ(run.trace.num(4, "game_mode"), 2);
    EXPECT_EQ(run.trace.num(4, "best_sc"), c.best_in_play);
  }

  if (c.after.empty()) {
    EXPECT_EQ(snapshot(dir_), before) << "data/ was changed";
  } else {
    const std::string file = read_text(dir_ / "data" / "hiscore.dat");
    EXPECT_EQ(Bytes(file.begin(), file.end()), c.after);
  }
}

INSTANTIATE_TEST_SUITE_P(
    WhatLiesAtThePath, ScoreFileTest,
    ::testing::Values(
        ScoreFileCase{"NoFile", [](const fs::path&) {}, 0, 0, {0, 0, 0, 0}},
        ScoreFileCase{"FourBytes",
                      [](const fs::path& d) { write_bytes(d / "data/hiscore.dat", score_12345); },
                      12345, 12345, score_12345},
        // Short files read as far as they go; the rest is zero.
        ScoreFileCase{"TwoBytes",
                      [](const fs::path& d) {
                        write_bytes(d / "data/hiscore.dat", {0x39, 0x30});
                      },
                      12345, 12345, score_12345},
        ScoreFileCase{"OneByte",
                      [](const fs::path& d) { write_bytes(d / "data/hiscore.dat", {0x07}); },
                      7,
                      7,
                      {7, 0, 0, 0}},
        ScoreFileCase{"Empty",
                      [](const fs::path& d) { write_bytes(d / "data/hiscore.dat", {}); },
                      0,
                      0,
                      {0, 0, 0, 0}},
        // Only the first four bytes count, and the exit leaves exactly four.
        ScoreFileCase{"SixBytes",
                      [](const fs::path& d) {
                        write_bytes(d / "data/hiscore.dat", {0x39, 0x30, 0, 0, 0xAA, 0xBB});
                      },
                      12345, 12345, score_12345},
        // -1 is taken as it stands; the first frame of play raises it to 0.
        ScoreFileCase{"AllOnes",
                      [](const fs::path& d) {
                        write_bytes(d / "data/hiscore.dat", {0xFF, 0xFF, 0xFF, 0xFF});
                      },
                      -1,
                      0,
                      {0, 0, 0, 0}},
        // Half-written files an earlier run left behind when it died, read-only
        // as another user's would be.
        ScoreFileCase{"LeftoversOfACrash",
                      [](const fs::path& d) {
                        write_bytes(d / "data/hiscore.dat", score_12345);
                        for (const char* name : {"hiscore.dat.new", "hiscore.dat.tmp",
                                                 ".hiscore.dat.tmp", "hiscore.dat~"}) {
                          write_bytes(d / "data" / name, {0xDE, 0xAD});
                          fs::permissions(d / "data" / name, fs::perms::owner_read);
                        }
                      },
                      12345, 12345, score_12345},
        // The data folder is gone (and the sounds with it): made again at exit.
        ScoreFileCase{"NoDataFolder",
                      [](const fs::path& d) { fs::remove_all(d / "data"); },
                      0,
                      0,
                      {0, 0, 0, 0}},
        // Something that cannot be read is left alone, and the run says so.
        ScoreFileCase{"FolderAtThePath",
                      [](const fs::path& d) {
                        fs::create_directory(d / "data/hiscore.dat");
                        write_bytes(d / "data/hiscore.dat/keep", score_12345);
                      },
                      0,
                      0,
                      {},
                      true},
        ScoreFileCase{"SocketAtThePath",
                      [](const fs::path& d) { make_socket(d / "data/hiscore.dat"); },
                      0,
                      0,
                      {},
                      true},
        // Opening a pipe for reading would wait for a writer that never comes.
        ScoreFileCase{"PipeAtThePath",
                      [](const fs::path& d) {
                        ASSERT_EQ(::mkfifo((d / "data/hiscore.dat").c_str(), 0644), 0);
                      },
                      0,
                      0,
                      {},
                      true},
        ScoreFileCase{"UnreadableFile",
                      [](const fs::path& d) {
                        write_bytes(d / "data/hiscore.dat", score_12345);
                        fs::permissions(d / "data/hiscore.dat", fs::perms::none);
                      },
                      0,
                      0,
                      {},
                      true,
                      true},
        // No folder can be made where a file stands.
        ScoreFileCase{"DataIsAFile",
                      [](const fs::path& d) {
                        fs::remove_all(d / "data");
                        write_bytes(d / "data", score_12345);
                      },
                      0,
                      0,
                      {},
                      true},
        ScoreFileCase{"ReadOnlyDataFolder",
                      [](const fs::path& d) {
                        write_bytes(d / "data/hiscore.dat", score_12345);
                        fs::permissions(d / "data", fs::perms::owner_read | fs::perms::owner_exec);
                      },
                      12345,
                      12345,
                      {},
                      true,
                      true},
        // The write itself fails: the old score stays whole, no new file stays.
        ScoreFileCase{"WriteFails",
                      [](const fs::path& d) { write_bytes(d / "data/hiscore.dat", score_12345); },
                      12345,
                      12345,
                      {},
                      true,
                      false,
                      true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
