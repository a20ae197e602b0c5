#include "StartupClock.h"

#include <ctime>

namespace StartupClock {

int64_t Now()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

double MillisecondsSince(int64_t stamp)
{
    return static_cast<double>(Now() - stamp) / 1e6;
}

}  // namespace StartupClock
