// The headless runner's command line.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runner/options.h"

namespace {

TEST(RunnerOptions, DefaultsWithNoArguments) {
  RunnerOptions o;
  std::string error;
  ASSERT_TRUE(parse_runner_args({}, o, error));
  EXPECT_EQ(o.dir, "");
  EXPECT_EQ(o.seed, 1);
  EXPECT_EQ(o.frames, 5000);
  EXPECT_EQ(o.input, "");
  EXPECT_TRUE(o.shots.empty());
  EXPECT_EQ(o.trace, "");
}

TEST(RunnerOptions, ReadsEveryOption) {
  RunnerOptions o;
  std::string error;
  ASSERT_TRUE(
      parse_runner_args({"--dir", "/tmp/game", "--seed", "-42", "--frames", "700", "--input", "-",
                         "--shot", "1:a.png", "--shot", "700:/tmp/x:y.png", "--trace", "t.jsonl"},
                        o, error))
      << error;
  EXPECT_EQ(o.dir, "/tmp/game");
  EXPECT_EQ(o.seed, -42);
  EXPECT_EQ(o.frames, 700);
  EXPECT_EQ(o.input, "-");
  ASSERT_EQ(o.shots.size(), 2u);
  EXPECT_EQ(o.shots[0].presentation, 1);
  EXPECT_EQ(o.shots[0].path, "a.png");
  EXPECT_EQ(o.shots[1].presentation, 700);
  EXPECT_EQ(o.shots[1].path, "/tmp/x:y.png");  // only the first colon splits
  EXPECT_EQ(o.trace, "t.jsonl");
}

struct BadArgs {
  std::vector<std::string> args;
  const char* error_contains;
};

class RunnerBadArgs : public testing::TestWithParam<BadArgs> {};

TEST_P(RunnerBadArgs, AreRefusedWithAReason) {
  RunnerOptions o;
  std::string error;
  EXPECT_FALSE(parse_runner_args(GetParam().args, o, error));
  EXPECT_NE(error.find(GetParam().error_contains), std::string::npos) << error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RunnerBadArgs,
    testing::Values(BadArgs{{"--speed", "2"}, "unknown argument"},
                    BadArgs{{"frames"}, "unknown argument"}, BadArgs{{"--frames"}, "needs a value"},
                    BadArgs{{"--dir", ""}, "needs a value"}, BadArgs{{"--frames", "0"}, "--frames"},
                    BadArgs{{"--frames", "-5"}, "--frames"},
                    BadArgs{{"--frames", "12x"}, "--frames"}, BadArgs{{"--seed", "one"}, "--seed"},
                    BadArgs{{"--seed", "99999999999"}, "--seed"},
                    BadArgs{{"--shot", "a.png"}, "--shot"},
                    BadArgs{{"--shot", "0:a.png"}, "--shot"}, BadArgs{{"--shot", "3:"}, "--shot"},
                    BadArgs{{"--shot", ":a.png"}, "--shot"}));

}  // namespace
