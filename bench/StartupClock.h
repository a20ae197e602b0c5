#pragma once

#include <cstdint>

// CLOCK_MONOTONIC, which Linux keeps for the whole system: a stamp taken by the bench just before
// it starts a child process means the same inside that child.
namespace StartupClock {

int64_t Now();  // nanoseconds
double MillisecondsSince(int64_t stamp);

}  // namespace StartupClock
