#include "runner/timeline.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace {

using Kind = pf::TimelineEvent::Kind;

struct EventForm {
  const char* name;
  Kind kind;
  int args;
};

constexpr EventForm event_forms[] = {
    {"key", Kind::key, 1},       {"mouse", Kind::mouse, 1}, {"move", Kind::move, 2},
    {"joy", Kind::joy, 1},       {"axis", Kind::axis, 2},   {"plug", Kind::plug, 0},
    {"unplug", Kind::unplug, 0}, {"close", Kind::close, 0}, {"suspend", Kind::suspend, 0},
    {"resume", Kind::resume, 0},
};

bool to_int(const std::string& word, int& value) {
  const char* end = word.data() + word.size();
  const auto [at, ec] = std::from_chars(word.data(), end, value);
  return ec == std::errc() && at == end;
}

bool to_float(const std::string& word, float& value) {
  const char* end = word.data() + word.size();
  const auto [at, ec] = std::from_chars(word.data(), end, value);
  return ec == std::errc() && at == end && std::isfinite(value);
}

// A whole number in [low, high] or a reason why not.
bool int_in(const std::string& word, int low, int high, const char* what, int& value,
            std::string& why) {
  if (!to_int(word, value)) {
    why = std::string(what) + " is not a whole number: \"" + word + "\"";
    return false;
  }
  if (value < low || value > high) {
    why = std::string(what) + " " + word + " is outside " + std::to_string(low) + ".." +
          std::to_string(high);
    return false;
  }
  return true;
}

bool read_args(const EventForm& form, const std::vector<std::string>& args, pf::TimelineEvent& e,
               std::string& why) {
  switch (form.kind) {
    case Kind::key:
      return int_in(args[0], 0, 255, "key code", e.a, why);
    case Kind::mouse:
      return int_in(args[0], 1, 3, "mouse button", e.a, why);
    case Kind::joy:
      return int_in(args[0], 0, 31, "joystick button", e.a, why);
    case Kind::move:
      return int_in(args[0], -100000, 100000, "pointer x", e.a, why) &&
             int_in(args[1], -100000, 100000, "pointer y", e.b, why);
    case Kind::axis:
      if (args[0] != "x" && args[0] != "y") {
        why = "axis must be x or y, not \"" + args[0] + "\"";
        return false;
      }
      e.a = args[0] == "x" ? 0 : 1;
      if (!to_float(args[1], e.value) || e.value < -1.0f || e.value > 1.0f) {
        why = "axis value must be a number from -1 to 1, not \"" + args[1] + "\"";
        return false;
      }
      return true;
    default:
      return true;
  }
}

}  // namespace

TimelineLine parse_timeline_line(const std::string& line, pf::TimelineEvent& event,
                                 std::string& why) {
  std::istringstream words(line);
  std::vector<std::string> w;
  for (std::string word; words >> word;) w.push_back(word);
  if (w.empty() || w[0][0] == '#') return TimelineLine::skipped;

  pf::TimelineEvent e;
  if (!int_in(w[0], 1, 100000000, "frame", e.frame, why)) return TimelineLine::malformed;
  if (w.size() < 2) {
    why = "no event after the frame number";
    return TimelineLine::malformed;
  }
  const EventForm* form = nullptr;
  for (const EventForm& s : event_forms) {
    if (w[1] == s.name) form = &s;
  }
  if (!form) {
    why = "unknown event \"" + w[1] + "\"";
    return TimelineLine::malformed;
  }
  const std::vector<std::string> args(w.begin() + 2, w.end());
  if (static_cast<int>(args.size()) != form->args) {
    why = std::string(form->name) + " takes " + std::to_string(form->args) + " argument" +
          (form->args == 1 ? "" : "s") + ", not " + std::to_string(args.size());
    return TimelineLine::malformed;
  }
  e.kind = form->kind;
  if (!read_args(*form, args, e, why)) return TimelineLine::malformed;
  event = e;
  return TimelineLine::event;
}

bool parse_timeline(std::istream& in, const std::string& name, std::vector<pf::TimelineEvent>& out,
                    std::string& error) {
  std::vector<pf::TimelineEvent> read;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    pf::TimelineEvent e;
    std::string why;
    switch (parse_timeline_line(line, e, why)) {
      case TimelineLine::event:
        read.push_back(e);
        break;
      case TimelineLine::skipped:
        break;
      case TimelineLine::malformed:
        error = name + ":" + std::to_string(number) + ": " + why;
        return false;
    }
  }
  out.insert(out.end(), read.begin(), read.end());
  return true;
}
