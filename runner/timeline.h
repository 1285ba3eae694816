#pragma once
// The runner's input timeline: one event a line, "FRAME EVENT ARGS", for
// example "240 key 13" (Enter is hit in frame 240). Blank lines and lines
// starting with '#' are skipped.
//
//   key C        one press of key C (0..255)
//   mouse B      one press of mouse button B (1 left, 2 right, 3 middle)
//   move X Y     pointer to (X, Y)
//   joy B        one press of button B (0..31) of the joystick at port 0
//   axis x|y V   that axis of the joystick at port 0 to V (-1..1)
//   plug         a joystick appears at port 0; unplug takes it away
//   close        a window-close request
//   suspend      another application takes the activation; resume gives it back
//
// While the game is suspended no frame is shown, so after a suspend the events
// up to and including the next resume arrive as the game waits, whatever
// frames they name; a suspend with no resume after it lasts until the
// timeline runs out.
#include <istream>
#include <string>
#include <vector>

#include "platform/headless/headless_backend.h"

enum class TimelineLine { event, skipped, malformed };

// One line; on malformed, why says what is wrong with it.
TimelineLine parse_timeline_line(const std::string& line, pf::TimelineEvent& event,
                                 std::string& why);

// A whole timeline; on the first malformed line returns false with
// "NAME:LINE: why" in error and nothing added to out.
bool parse_timeline(std::istream& in, const std::string& name, std::vector<pf::TimelineEvent>& out,
                    std::string& error);
