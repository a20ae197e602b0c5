#include "FakeWorkspace.h"

#include "framework/NumberFormat.h"

void FakeWorkspace::SetMinimumIntensity(double value)
{
    log.push_back("SetMinimumIntensity " + FormatDefault(value));
}

bool FakeWorkspace::LoadElementFile(const std::string& fileName)
{
    log.push_back("LoadElementFile " + fileName);
    return fileName.find("bad") == std::string::npos;
}

bool FakeWorkspace::SaveElementFile(const std::string& fileName)
{
    log.push_back("SaveElementFile " + fileName);
    return true;
}

bool FakeWorkspace::LoadOverlay(const std::string& fileName)
{
    overlayLoaded = fileName;
    if (!shown[kGraphPane] || fileName.find("bad") != std::string::npos) {
        return false;
    }
    overlayFileName = fileName;
    return true;
}

bool FakeWorkspace::Export(const std::vector<std::string>& words)
{
    std::string entry = words.empty() ? "Export dialog" : "Export";
    for (const std::string& word : words) {
        entry += " [" + word + "]";
    }
    log.push_back(entry);
    return words.empty() || words[0].find("bad") == std::string::npos;
}

std::string FakeWorkspace::Log() const
{
    std::string text;
    for (const std::string& entry : log) {
        text += (text.empty() ? "" : "; ") + entry;
    }
    return text;
}

void FakeWorkspace::Toggle(PaneId id, const std::string& name)
{
    shown[id] = !shown[id];
    log.push_back((shown[id] ? "Show " : "Hide ") + name);
}
