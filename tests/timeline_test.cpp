// Reading the runner's input timeline: every event's form, and the lines that
// must stop a run before it starts.
#include "runner/timeline.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using Kind = pf::TimelineEvent::Kind;

struct GoodLine {
  const char* line;
  int frame;
  Kind kind;
  int a = 0, b = 0;
  float value = 0;
};

class TimelineGood : public testing::TestWithParam<GoodLine> {};

TEST_P(TimelineGood, ReadsTheEvent) {
  const GoodLine& c = GetParam();
  pf::TimelineEvent e;
  std::string why;
  ASSERT_EQ(parse_timeline_line(c.line, e, why), TimelineLine::event) << why;
  EXPECT_EQ(e.frame, c.frame);
  EXPECT_EQ(e.kind, c.kind);
  EXPECT_EQ(e.a, c.a);
  EXPECT_EQ(e.b, c.b);
  EXPECT_EQ(e.value, c.value);
}

INSTANTIATE_TEST_SUITE_P(
    Events, TimelineGood,
    testing::Values(
        GoodLine{"1 key 13", 1, Kind::key, 13}, GoodLine{"240 key 0", 240, Kind::key, 0},
        GoodLine{"7 key 255", 7, Kind::key, 255}, GoodLine{"3 mouse 1", 3, Kind::mouse, 1},
        GoodLine{"3 mouse 3", 3, Kind::mouse, 3},
        GoodLine{"5 move 320 240", 5, Kind::move, 320, 240},
        GoodLine{"5 move -4 500", 5, Kind::move, -4, 500}, GoodLine{"9 joy 0", 9, Kind::joy, 0},
        GoodLine{"9 joy 31", 9, Kind::joy, 31}, GoodLine{"2 axis x -1", 2, Kind::axis, 0, 0, -1.0f},
        GoodLine{"2 axis y 0.5", 2, Kind::axis, 1, 0, 0.5f},
        GoodLine{"2 axis y 1.0", 2, Kind::axis, 1, 0, 1.0f}, GoodLine{"1 plug", 1, Kind::plug},
        GoodLine{"8 unplug", 8, Kind::unplug}, GoodLine{"100 close", 100, Kind::close},
        GoodLine{"4 suspend", 4, Kind::suspend}, GoodLine{"6 resume", 6, Kind::resume},
        GoodLine{"  12\tkey   32  ", 12, Kind::key, 32},
        GoodLine{"12 key 32\r", 12, Kind::key, 32}));

TEST(Timeline, SkipsBlankAndCommentLines) {
  for (const char* line : {"", "   ", "\t", "# 5 key 13", "   #comment", "\r"}) {
    pf::TimelineEvent e;
    std::string why;
    EXPECT_EQ(parse_timeline_line(line, e, why), TimelineLine::skipped) << '"' << line << '"';
  }
}

struct BadLine {
  const char* line;
  const char* why_contains;
};

class TimelineBad : public testing::TestWithParam<BadLine> {};

TEST_P(TimelineBad, SaysWhatIsWrong) {
  pf::TimelineEvent e;
  std::string why;
  ASSERT_EQ(parse_timeline_line(GetParam().line, e, why), TimelineLine::malformed);
  EXPECT_NE(why.find(GetParam().why_contains), std::string::npos) << why;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, TimelineBad,
    testing::Values(BadLine{"0 key 13", "frame"}, BadLine{"-3 key 13", "frame"},
                    BadLine{"x key 13", "frame"}, BadLine{"1.5 key 13", "frame"},
                    BadLine{"99999999999 key 13", "frame"}, BadLine{"5", "no event"},
                    BadLine{"5 jump", "unknown event"}, BadLine{"5 Key 13", "unknown event"},
                    BadLine{"5 key", "argument"}, BadLine{"5 key 13 14", "argument"},
                    BadLine{"5 key 13 # Enter", "argument"}, BadLine{"5 plug 1", "argument"},
                    BadLine{"5 move 3", "argument"}, BadLine{"5 key 256", "outside"},
                    BadLine{"5 key -1", "outside"}, BadLine{"5 key enter", "whole number"},
                    BadLine{"5 key 0x0d", "whole number"}, BadLine{"5 mouse 0", "outside"},
                    BadLine{"5 mouse 4", "outside"}, BadLine{"5 joy 32", "outside"},
                    BadLine{"5 move 1 y", "whole number"}, BadLine{"5 axis z 0.5", "x or y"},
                    BadLine{"5 axis x 1.01", "-1 to 1"}, BadLine{"5 axis y -2", "-1 to 1"},
                    BadLine{"5 axis x nan", "-1 to 1"}, BadLine{"5 axis x half", "-1 to 1"},
                    BadLine{"5 axis x", "argument"}));

TEST(Timeline, WholeFileKeepsOrderAndSkipsComments) {
  std::istringstream in("# opening\n1 plug\n\n240 key 13\n   # later\n240 mouse 1\n");
  std::vector<pf::TimelineEvent> events;
  std::string error;
  ASSERT_TRUE(parse_timeline(in, "run.txt", events, error)) << error;
  ASSERT_EQ(events.size(), 3u);
  EXPECT_EQ(events[0].kind, Kind::plug);
  EXPECT_EQ(events[1].kind, Kind::key);
  EXPECT_EQ(events[2].kind, Kind::mouse);
  EXPECT_EQ(events[2].frame, 240);
}

TEST(Timeline, MalformedLineNamesFileAndLineAndAddsNothing) {
  std::istringstream in("1 plug\n# two\n\n4 key 13\n5 key 300\n6 key 13\n");
  std::vector<pf::TimelineEvent> events;
  std::string error;
  EXPECT_FALSE(parse_timeline(in, "run.txt", events, error));
  EXPECT_EQ(error.rfind("run.txt:5: ", 0), 0u) << error;
  EXPECT_TRUE(events.empty());
}

}  // namespace
