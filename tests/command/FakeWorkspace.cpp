#include "FakeWorkspace.h"

#include "framework/NumberFormat.h"

bool FakeGraph::LoadOverlay(const std::string& fileName)
{
    overlayLoaded = fileName;
    return fileName.find("bad") == std::string::npos;
}

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
