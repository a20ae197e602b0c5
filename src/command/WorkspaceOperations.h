#pragma once

#include <string>
#include <vector>

class ElementView;
class GraphView;

// The operations of the workspace that typed commands and menu items share. The interpreter
// changes the line database itself and calls these for everything that touches windows, files
// or the user.
class WorkspaceOperations {
public:
    enum PaneId { kElementPane = 0, kDataPane = 1, kGraphPane = 2 };
    // Help topics the commands open.
    static constexpr int kHelpContents = 22;
    static constexpr int kHelpCommands = 73;

    virtual ~WorkspaceOperations() = default;

    // Rebuilds the display list after a change of selection, ratios, valences or sources and
    // repaints every pane.
    virtual void SelectionChanged() = 0;
    // Repaints the data and graph panes (display settings or position changed).
    virtual void RefreshViews() = 0;
    // Moves the current line by n groups toward longer (down) or shorter (up) wavelengths.
    virtual void MoveDown(int lines) = 0;
    virtual void MoveUp(int lines) = 0;
    // A minimum intensity on the scale the data window shows (linear or logarithmic), 0 to
    // 100000: converted to code units, applied and shown in the status bar.
    virtual void SetMinimumIntensity(double value) = 0;

    virtual bool IsPaneShown(int id) const = 0;
    virtual void ToggleElementWindow() = 0;
    virtual void ToggleDataWindow() = 0;
    virtual void ToggleGraphWindow() = 0;
    // The panes, or null while they are not shown.
    virtual GraphView* Graph() = 0;
    virtual ElementView* Elements() = 0;
    // Shows the graph's height and range in the status bar when the graph is shown.
    virtual void ShowGraphStatus() = 0;
    // Reads an overlay file into the graph and remembers its name; false when it could not be
    // read (the user has been told why) or the graph is not shown.
    virtual bool LoadOverlay(const std::string& fileName) = 0;
    // Forgets the overlay file and its points.
    virtual void ClearOverlay() = 0;

    // False after the user has been told why (the file could not be read or written).
    virtual bool LoadElementFile(const std::string& fileName) = 0;
    virtual bool SaveElementFile(const std::string& fileName) = 0;
    // Without words the export dialog asks first; otherwise up to three words replace the
    // stored file name, content and range, and the export runs at once. False when nothing was
    // written: the dialog was cancelled, or the user has been told why.
    virtual bool Export(const std::vector<std::string>& words) = 0;
    // Finds the peaks of the overlay at least `sigmas` times the noise above its continuum and
    // ranks the lines that could be each. False when there was nothing to identify (the user has
    // been told why).
    virtual bool Identify(double sigmas) = 0;
    virtual void Print() = 0;
    virtual void About() = 0;
    virtual void ShowHelp(int topic) = 0;
};
