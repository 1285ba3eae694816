// Files beside the program and embedded resources: the resource store's
// rules, the little-endian integers of the best-score file, and paths.
#include "platform/files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/resources.h"

namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
class FilesTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string templ = testing::TempDir() + "files_test_XXXXXX";
    ASSERT_NE(mkdtemp(templ.data()), nullptr);
    dir_ = templ;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return dir_ + "/" + name; }
  void put(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::FILE* f = std::fopen(path(name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::vector<uint8_t> get(const std::string& name) const {
    std::vector<uint8_t> out;
    std::FILE* f = std::fopen(path(name).c_str(), "rb");
    if (!f) return out;
    for (int c; (c = std::fgetc(f)) != EOF;) out.push_back(static_cast<uint8_t>(c));
    std::fclose(f);
    return out;
  }

  std::string dir_;
};

// --- Embedded resources -----------------------------------------------------------

const unsigned char first_bytes[] = {'f', 'i', 'r', 's', 't'};
const unsigned char second_bytes[] = {'s', 'e', 'c', 'o', 'n', 'd', '!'};

std::string read_text(pf::Stream& s) {
  std::string out(s.size() + 4, '?');
  out.resize(s.read(out.data(), out.size()));
  return out;
}

TEST(Resources, FirstRegistrationOfANameStays) {
  EXPECT_EQ(pf::register_resource("files_test.dup", first_bytes, 5), 1);
  EXPECT_EQ(pf::register_resource("files_test.dup", second_bytes, 7), 0);
  pf::StreamRef s = pf::open_read("embed::files_test.dup");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->size(), 5u);
  EXPECT_EQ(read_text(*s), "first");
}

TEST(Resources, SchemeIgnoresCaseNameDoesNot) {
  ASSERT_EQ(pf::register_resource("Files_Test.Case", second_bytes, 7), 1);
  struct Case {
    const char* path;
    bool found;
  };
  const Case cases[] = {
      {"embed::Files_Test.Case", true},   {"Embed::Files_Test.Case", true},
      {"EMBED::Files_Test.Case", true},   {"eMbEd::Files_Test.Case", true},
      {"embed::files_test.case", false},  {"embed::FILES_TEST.CASE", false},
      {"embed::Files_Test.Case ", false}, {"embed:Files_Test.Case", false},
      {"embedd::Files_Test.Case", false}, {"Files_Test.Case", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    pf::StreamRef s = pf::open_read(c.path);
    EXPECT_EQ(s != nullptr, c.found);
    EXPECT_EQ(pf::file_type(c.path), c.found ? pf::path_file : pf::path_none);
    if (s) {
      EXPECT_EQ(read_text(*s), "second!");
    }
  }
}

TEST(Resources, ReadOnlyAndReadInPlace) {
  static unsigned char bytes[] = {1, 2, 3, 4};
  ASSERT_EQ(pf::register_resource("files_test.ro", bytes, 4), 1);
  EXPECT_EQ(pf::open_write("embed::files_test.ro"), nullptr);
  EXPECT_EQ(pf::open_write("EMBED::files_test.unknown"), nullptr);
  pf::StreamRef s = pf::open_read("embed::files_test.ro");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->write("xx", 2), 0u);
  EXPECT_EQ(s->read_int(), 0x04030201);
  EXPECT_EQ(bytes[0], 1);
}

TEST(Resources, BadRegistrationsAreRefused) {
  EXPECT_EQ(pf::register_resource(nullptr, first_bytes, 5), 0);
  EXPECT_EQ(pf::register_resource("files_test.neg", first_bytes, -1), 0);
  EXPECT_EQ(pf::register_resource("files_test.null", nullptr, 3), 0);
  EXPECT_EQ(pf::open_read("embed::files_test.null"), nullptr);
}

// --- Integers, least significant byte first ----------------------------------------

struct IntCase {
  std::vector<uint8_t> bytes;
  std::vector<int32_t> ints;  // successive read_int results
};

const std::vector<IntCase> int_cases = {
    {{}, {0}},
    {{0x39}, {0x39, 0}},
    {{0x39, 0x30}, {12345}},
    {{0x39, 0x30, 0x00, 0x00}, {12345, 0}},
    {{0xFF, 0xFF, 0xFF, 0xFF}, {-1}},
    {{0x00, 0x00, 0x00, 0x80}, {INT32_MIN}},
    {{0x01, 0x02, 0x03, 0x04, 0x05, 0x06}, {0x04030201, 0x0605, 0}},
};

TEST_F(FilesTest, ReadIntFromFilesOfAnyLength) {
  for (const IntCase& c : int_cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    put("n.dat", c.bytes);
    pf::StreamRef s = pf::open_read(path("n.dat"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->size(), c.bytes.size());
    for (int32_t v : c.ints) EXPECT_EQ(s->read_int(), v);
  }
}

TEST(Resources, ReadIntFromResourcesOfAnyLength) {
  int n = 0;
  for (const IntCase& c : int_cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    const std::string name = "files_test.int" + std::to_string(n++);
    ASSERT_EQ(pf::register_resource(name.c_str(), c.bytes.data(), int(c.bytes.size())), 1);
    pf::StreamRef s = pf::open_read("embed::" + name);
    ASSERT_NE(s, nullptr);
    for (int32_t v : c.ints) EXPECT_EQ(s->read_int(), v);
  }
}

TEST_F(FilesTest, WriteIntPutsLowByteFirstAndCutsTheFile) {
  put("best.dat", {9, 9, 9, 9, 9, 9});
  {
    pf::StreamRef s = pf::open_write(path("best.dat"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->size(), 0u);
    s->write_int(37);
  }
  EXPECT_EQ(get("best.dat"), (std::vector<uint8_t>{0x25, 0, 0, 0}));

  {
    pf::StreamRef s = pf::open_write(path("new.dat"));
    ASSERT_NE(s, nullptr);
    s->write_int(-1);
    s->write_int(0x12345678);
    EXPECT_EQ(s->size(), 8u);
    EXPECT_EQ(s->read(nullptr, 0), 0u);
  }
  EXPECT_EQ(get("new.dat"), (std::vector<uint8_t>{0xFF, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
}

TEST_F(FilesTest, GamePathsWithBackslashes) {
  ASSERT_EQ(mkdir(path("data").c_str(), 0755), 0);
  put("data/hiscore.dat", {0x39, 0x30});
  const std::string game_path = dir_ + "\\data\\hiscore.dat";
  EXPECT_EQ(pf::file_type(game_path), pf::path_file);
  pf::StreamRef s = pf::open_read(game_path);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->read_int(), 12345);
}

TEST_F(FilesTest, WhatIsAtAPath) {
  put("file", {1});
  ASSERT_EQ(mkdir(path("folder").c_str(), 0755), 0);
  EXPECT_EQ(pf::file_type(path("nothing")), pf::path_none);
  EXPECT_EQ(pf::file_type(path("file")), pf::path_file);
  EXPECT_EQ(pf::file_type(path("folder")), pf::path_folder);
  EXPECT_EQ(pf::file_type(path("folder/")), pf::path_folder);
  EXPECT_EQ(pf::file_type(""), pf::path_none);
}

// A folder where the best-score file should be is not a file to read or write.
TEST_F(FilesTest, FoldersAndMissingFilesDoNotOpen) {
  ASSERT_EQ(mkdir(path("hiscore.dat").c_str(), 0755), 0);
  EXPECT_EQ(pf::open_read(path("hiscore.dat")), nullptr);
  EXPECT_EQ(pf::open_write(path("hiscore.dat")), nullptr);
  EXPECT_EQ(pf::open_read(path("missing.dat")), nullptr);
  EXPECT_EQ(pf::open_write(path("no_folder/new.dat")), nullptr);
  std::vector<unsigned char> bytes{1};
  EXPECT_FALSE(pf::read_all(path("missing.dat"), bytes));
  EXPECT_TRUE(bytes.empty());
}

TEST_F(FilesTest, ReadAllOfFilesAndResources) {
  std::vector<uint8_t> big(10000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 13);
  put("big.bin", big);
  put("empty.bin", {});
  std::vector<unsigned char> out;
  ASSERT_TRUE(pf::read_all(path("big.bin"), out));
  EXPECT_EQ(out, big);
  ASSERT_TRUE(pf::read_all(path("empty.bin"), out));
  EXPECT_TRUE(out.empty());

  static const std::vector<uint8_t> res = {5, 4, 3};
  pf::register_resource("files_test.all", res.data(), 3);
  ASSERT_TRUE(pf::read_all("Embed::files_test.all", out));
  EXPECT_EQ(out, res);
}

TEST(NativePath, BackslashesBecomeSlashes) {
  const std::pair<std::string, std::string> cases[] = {
      {"data\\hiscore.dat", "data/hiscore.dat"},
      {"data\\music.ogg", "data/music.ogg"},
      {"a\\b\\\\c", "a/b//c"},
      {"already/native", "already/native"},
      {"", ""},
  };
  for (const auto& [game, native] : cases) EXPECT_EQ(pf::native_path(game), native);
}

TEST(ProgramFolder, BecomesTheCurrentFolder) {
  char before[PATH_MAX];
  ASSERT_NE(getcwd(before, sizeof(before)), nullptr);
  ASSERT_EQ(chdir("/"), 0);
  pf::enter_program_folder("/nowhere/at/all/orlenvault");
  const fs::path now = fs::current_path();
  const fs::path expected = fs::canonical("/proc/self/exe").parent_path();
  ASSERT_EQ(chdir(before), 0);
  EXPECT_EQ(now, expected);
}

}  // namespace
