#pragma once

#include "command/ElementView.h"
#include "command/GraphView.h"
#include "command/WorkspaceOperations.h"
#include "framework/NumberFormat.h"

#include <array>
#include <string>
#include <vector>

// A graph pane that keeps its state and counts its repaints.
class FakeGraph : public GraphView {
public:
    double Range() const override { return range; }
    void SetRange(double angstrom) override { range = angstrom; }
    double Height() const override { return height; }
    void SetHeight(double intensity) override { height = intensity; }
    void FitHeight() override { height = kFitted; }
    bool FitsHeightAutomatically() const override { return false; }
    bool IsOrderDisplayed(int order) const override { return orders[order - 1]; }
    void SetOrderDisplayed(int order, bool shown) override { orders[order - 1] = shown; }
    SummationMode Summation() const override { return summation; }
    void SetSummation(SummationMode mode) override { summation = mode; }
    bool TreatOrderAsRatio() const override { return false; }
    bool DisplayOverlay() const override { return overlay; }
    void SetDisplayOverlay(bool shown) override { overlay = shown; }
    SpectrumSettings Spectrum() const override { return spectrum; }
    void SetSpectrum(const SpectrumSettings& settings) override { spectrum = settings; }
    void Repaint() override { ++repaints; }

    static constexpr double kFitted = -1.0;  // what a fit would find
    double range = 4.0;
    double height = 150.0;
    std::array<bool, kOrders> orders{true, false, false, false, false};
    SummationMode summation = SummationMode::Off;
    bool overlay = false;
    SpectrumSettings spectrum;
    int repaints = 0;
};

class FakeElements : public ElementView {
public:
    ElementLayout Layout() const override { return layout; }
    void SetLayout(ElementLayout value) override { layout = value; }

    ElementLayout layout = ElementLayout::Periodic;
};

// A workspace that logs every operation by name (with its argument) and shows panes as flags.
// Files with "bad" in their name fail.
class FakeWorkspace : public WorkspaceOperations {
public:
    void SelectionChanged() override { log.push_back("SelectionChanged"); }
    void RefreshViews() override { log.push_back("RefreshViews"); }
    void MoveDown(int lines) override { log.push_back("MoveDown " + std::to_string(lines)); }
    void MoveUp(int lines) override { log.push_back("MoveUp " + std::to_string(lines)); }
    void SetMinimumIntensity(double value) override;
    bool IsPaneShown(int id) const override { return shown[static_cast<size_t>(id)]; }
    void ToggleElementWindow() override { Toggle(kElementPane, "Element"); }
    void ToggleDataWindow() override { Toggle(kDataPane, "Data"); }
    void ToggleGraphWindow() override { Toggle(kGraphPane, "Graph"); }
    GraphView* Graph() override { return shown[kGraphPane] ? &graph : nullptr; }
    ElementView* Elements() override { return shown[kElementPane] ? &elements : nullptr; }
    void ShowGraphStatus() override { log.push_back("ShowGraphStatus"); }
    bool LoadOverlay(const std::string& name) override
    {
        return Logged("LoadOverlay " + name, name);
    }
    void ClearOverlay() override { log.push_back("ClearOverlay"); }
    bool LoadElementFile(const std::string& name) override
    {
        return Logged("LoadElementFile " + name, name);
    }
    bool SaveElementFile(const std::string& name) override
    {
        return Logged("SaveElementFile " + name, name);
    }
    bool Export(const std::vector<std::string>& words) override;
    bool Identify(double sigmas) override
    {
        log.push_back("Identify " + FormatDefault(sigmas));
        return true;
    }
    void Print() override { log.push_back("Print"); }
    void About() override { log.push_back("About"); }
    void ShowHelp(int topic) override { log.push_back("Help " + std::to_string(topic)); }

    std::string Log() const;  // the entries joined by "; "

    std::array<bool, 3> shown{true, true, true};
    FakeGraph graph;
    FakeElements elements;
    std::vector<std::string> log;

private:
    bool Logged(const std::string& entry, const std::string& fileName);
    void Toggle(PaneId id, const std::string& name);
};
