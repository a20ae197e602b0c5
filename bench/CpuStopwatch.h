#pragma once

// CPU time of the whole process (user and system, every thread) since construction: unlike
// wall-clock time, it does not count the time other programs take from the cores.
class CpuStopwatch {
public:
    CpuStopwatch();

    double Seconds() const;

private:
    static double Now();

    double m_start;
};
