#pragma once

#include <chrono>

// Wall-clock time since construction or the last Restart(), on the steady clock.
class Stopwatch {
public:
    Stopwatch();

    void Restart();
    double Seconds() const;

private:
    std::chrono::steady_clock::time_point m_start;
};
