#include "FakeWorkspace.h"

#include "framework/NumberFormat.h"

void FakeWorkspace::SetMinimumIntensity(double value)
{
    log.push_back("SetMinimumIntensity " + FormatDefault(value));
}

bool FakeWorkspace::Export(const std::vector<std::string>& words)
{
    std::string entry = words.empty() ? "Export dialog" : "Export";
    for (const std::string& word : words) {
        entry += " [" + word + "]";
    }
    return Logged(entry, words.empty() ? "" : words[0]);
}

std::string FakeWorkspace::Log() const
{
    std::string text;
    for (const std::string& entry : log) {
        text += (text.empty() ? "" : "; ") + entry;
    }
    return text;
}

bool FakeWorkspace::Logged(const std::string& entry, const std::string& fileName)
{
    log.push_back(entry);
    return fileName.find("bad") == std::string::npos;
}

void FakeWorkspace::Toggle(PaneId id, const std::string& name)
{
    shown[id] = !shown[id];
    log.push_back((shown[id] ? "Show " : "Hide ") + name);
}
