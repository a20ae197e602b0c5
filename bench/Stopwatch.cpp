#include "Stopwatch.h"

Stopwatch::Stopwatch() : m_start(std::chrono::steady_clock::now()) {}

void Stopwatch::Restart()
{
    m_start = std::chrono::steady_clock::now();
}

double Stopwatch::Seconds() const
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
}
