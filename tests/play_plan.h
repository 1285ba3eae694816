#pragma once
// Whole games in the headless runner: starting a game from the title,
// reading the round out of the trace, and planning a bomb drop over a chosen
// column from a first run without one.
#include <string>
#include <utility>
#include <vector>

#include "tests/scenario.h"

// Esc skips the intro after its first frame; the click on "Play Game" (the
// pointer rests on it) is seen by the menu in this frame, which starts the
// game: the approach's first frame is the one after it.
constexpr int game_start = 3;
std::string start_game_input();

// A fire key (Enter) seen by the craft in this frame.
std::string fire_at(int frame, int key = 13);

Scenario game(const std::string& input, int frames, int seed, std::vector<int> shots = {},
              const std::string& dir = "");

// Runs each distinct scenario once per test program: several tests read the
// same games.
const RunResult& cached_run(const Scenario& s);

std::vector<std::string> sound_names(const Trace& t, int n);
int count_sound(const Trace& t, const std::string& name);  // over the whole trace
// The mountain's [x, h] pairs in column order.
std::vector<std::pair<int, int>> columns(const Trace& t, int n);
int height_at(const Trace& t, int n, int x);
// The first frame after `from` whose field has the value; -1 when none.
int first_frame(const Trace& t, const std::string& field, long long value, int from = 1);
// The trace line without its frame number, for comparing shifted runs.
std::string without_frame(const std::string& line);

// The frame in which a fire press releases the bomb over the column at
// dmd_x + offset, read from a run in which no bomb was dropped: the first
// flight frame after `from` whose carried bomb sits there. -1 when none.
int drop_frame(const Trace& no_drop, int offset, int from = game_start);
