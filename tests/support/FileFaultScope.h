#pragma once

#include "framework/FileFaults.h"

#include <string>

// While it lives, every file replacement of a file whose path ends with `suffix` (any file when
// it is empty) fails at `step` with `error`.
class FileFaultScope {
public:
    FileFaultScope(FileFaults::Step step, int error, std::string suffix = {});
    ~FileFaultScope();
    FileFaultScope(const FileFaultScope&) = delete;
    FileFaultScope& operator=(const FileFaultScope&) = delete;

    // How many times the fault was met.
    int Hits() const { return m_hits; }

private:
    int m_hits = 0;
};
