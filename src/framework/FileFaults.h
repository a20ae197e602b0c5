#pragma once

#include <functional>
#include <string>

// Failures the tests make the file replacement meet, step by step, so that every kind of save
// can be shown to leave the old file intact and to say so. Nothing is injected unless a test
// sets a rule.
class FileFaults {
public:
    enum class Step { Create, Write, Chmod, Sync, Rename };
    // The errno to fail `step` for the file `target` with, or 0 to let it happen.
    using Rule = std::function<int(Step step, const std::string& target)>;

    // An empty rule removes the one set.
    static void Set(Rule rule);
    static int Injected(Step step, const std::string& target);
};
