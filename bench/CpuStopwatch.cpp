#include "CpuStopwatch.h"

#include <ctime>

CpuStopwatch::CpuStopwatch() : m_start(Now()) {}

double CpuStopwatch::Seconds() const
{
    return Now() - m_start;
}

double CpuStopwatch::Now()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}
