#pragma once

#include <functional>
#include <string>

// Starts `save` in a child process and kills it (SIGKILL) after a random delay up to
// `maxDelayMicroseconds`, `rounds` times, each time after putting `oldContent` back at `path`.
// Returns an empty string when every round left `path` holding exactly `oldContent` or
// `newContent`; otherwise a description of the first round that did not.
std::string KillDuringSave(const std::string& path, const std::string& oldContent,
                           const std::string& newContent, const std::function<void()>& save,
                           int rounds = 40, int maxDelayMicroseconds = 3000);
