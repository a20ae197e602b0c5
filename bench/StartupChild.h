#pragma once

#include <cstdint>

class QString;
class StartupWatch;

// The child side of the start-up measurement: starts the program as its main function does
// (offscreen, on `folder`, with the settings folder the environment names), waits for the first
// complete paint of all three panes and prints the times since `launch`, the CLOCK_MONOTONIC
// stamp (ns) the bench took before creating this process. Saves nothing.
class StartupChild {
public:
    static constexpr int kGiveUpMilliseconds = 30000;

    StartupChild(int64_t launch, int64_t mainEntered);

    // 0 once the figures are printed; 1 when the start did not complete in time.
    int Run(const char* programName, const QString& folder);

private:
    void PrintFigures(const StartupWatch& watch) const;
    void PrintTime(const char* name, int64_t stamp) const;

    int64_t m_launch;
    int64_t m_mainEntered;
    int64_t m_applicationMade = 0;
    int64_t m_initReturned = 0;
};
