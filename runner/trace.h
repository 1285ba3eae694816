#pragma once
// One line of the runner's trace: the game's state when a presentation
// returns, as a JSON object (no trailing newline).
#include <string>

std::string trace_line(int frame);
