#pragma once
// The benchmarks' own effects (app/effects.hpp): no box opens and the process
// never ends; the clock notes when the first box of a press would have opened.

#include <chrono>

namespace bench {

using Clock = std::chrono::steady_clock;

// Forgets the last box, before a press.
void ResetBoxClock();

// When the first box since the reset would have opened; the clock's epoch if none.
Clock::time_point FirstBoxShown();

}  // namespace bench
