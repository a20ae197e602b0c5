#pragma once

#include "analysis/OverlayFile.h"
#include "command/CommandInterpreter.h"
#include "command/WorkspaceOperations.h"
#include "framework/PaneSplitter.h"
#include "graph/GraphPainter.h"
#include "workspace/PaneLayout.h"
#include "workspace/WorkspaceState.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QPointer>

class ActionTable;
class MenuCommandHandler;
class Identification;
class TDataWindow;
class TGraphWindow;
class IdleDriver;
class QMenu;
class SettingsStore;
class TableArray;
class TextTables;
struct CommandResult;
struct DisplayWaveData;
struct WorkspaceSnapshot;

// The workspace: the frame's client window. It owns the panes and the action table, carries out
// the typed commands and menu commands, keeps the Sources menu, and restores and saves the
// workspace state. After every change it emits StateChanged, from which the frame sets check
// marks, enabling and status texts.
class TSpeklaWindow : public PaneSplitter, public WorkspaceOperations {
    Q_OBJECT

public:
    // Makes a new pane window; the workspace owns it once shown.
    using PaneFactory = PaneLayout::Factory;

    TSpeklaWindow(TextTables& text, TableArray& tables, SettingsStore& store, IdleDriver& idle,
                  QWidget* parent = nullptr);
    ~TSpeklaWindow() override;

    // Restores the workspace state and fills `sourcesMenu` with one item per data source.
    void SetupWindow(QMenu* sourcesMenu);
    // Saves the workspace state to the settings store.
    void CleanupWindow();

    ActionTable& Actions() { return *m_actions; }
    // The state the menus show; the frame adds what it owns (command line, printer).
    WorkspaceSnapshot Snapshot() const;

    QWidget* Pane(PaneId id) const;
    // Installs how a pane window is made; a pane without one cannot be shown.
    void SetPaneFactory(PaneId id, PaneFactory factory);

    // A typed command; 1 when it acted, 0 when it refused (after showing any warning).
    int EvCommand(int commandId, const QString& keyword, const QString& argument);
    // The same for a command read from a file: its words as the file holds them (bytes), so
    // that a file name that is not UTF-8 reaches the file system unchanged.
    int RunCommand(int commandId, const std::string& keyword, const std::string& argument);
    // A file given at start: an element selection, or else an overlay.
    void OpenFile(const std::string& fileName, bool elementFile);
    // A menu item, accelerator or tool-bar button of the workspace.
    void EvMenuCommand(int commandId);
    // The display list changed: the panes follow it.
    void EvLineCount();

    // WorkspaceOperations
    void SelectionChanged() override;
    void RefreshViews() override;
    void MoveDown(int lines) override;
    void MoveUp(int lines) override;
    void SetMinimumIntensity(double value) override;
    bool IsPaneShown(int id) const override;
    // Show the pane when it is absent, remove it when present; the arrangement follows from the
    // panes already shown: element left of data, both above the graph.
    void ToggleElementWindow() override;
    void ToggleDataWindow() override;
    void ToggleGraphWindow() override;
    GraphView* Graph() override;
    ElementView* Elements() override;
    void ShowGraphStatus() override;
    bool LoadOverlay(const std::string& fileName) override;
    void ClearOverlay() override;
    bool LoadElementFile(const std::string& fileName) override;
    bool SaveElementFile(const std::string& fileName) override;
    bool Export(const std::vector<std::string>& words) override;
    bool Identify(double sigmas) override;
    // Makes the line nearest `wavelength` (0.001 Å) current; the panes follow.
    void GoToWavelength(int32_t wavelength);
    // The last identification of the overlay's peaks; null before the first.
    const Identification* LastIdentification() const { return m_identification.get(); }
    void Print() override;
    void About() override;
    void ShowHelp(int topic) override;

    // For the menu commands.
    TDataWindow* DataWindow() const;
    TGraphWindow* GraphWindow() const;
    void ShowWarning(const CommandResult& result);
    // Warnings go to `sink` instead of a message box, in a run without a window.
    void SetWarningSink(std::function<void(const std::string&)> sink);
    void ToggleSource(size_t index);
    // A page of the list when it is shown, else half the graph's range.
    void Page(int direction);
    // The graph's settings changed (range, height, options): the status bar, a limited scan and
    // the velocity the list's details use follow.
    void GraphRangeChanged();

signals:
    void StateChanged();
    // For the status bar: the graph's height and range (empty without a graph), a passing
    // message, and how much of the tables the list has read.
    void GraphStatusChanged(const QString& height, const QString& range);
    void StatusTextChanged(const QString& text);
    // The graph's synthetic spectrum settings and lines without atomic data, or empty.
    void SpectrumStatusChanged(const QString& text);
    // IDENTIFY ran: the peaks and their candidates are new.
    void IdentificationChanged();
    void ScanPercentChanged(int percent);
    // Menu commands of the frame: exit, the command line, print set-up, save graph.
    void FrameCommandRequested(int commandId);
    // The about box and printing belong to the application.
    void AboutRequested();
    void PrintRequested();
    void ElementRenamed(const QString& oldName, const QString& newName);

private:
    void BuildSourcesMenu(QMenu* menu);
    void TogglePane(PaneId id);
    void ShareVelocity();
    void ShowLineDetails(const DisplayWaveData& line, double velocity);
    QWidget* MakeDataWindow();
    QWidget* MakeGraphWindow();
    QWidget* MakeElementWindow();
    void MoveBy(int lines);
    void WatchList();
    void RenewSourceItem(size_t index);
    void RestoreScanRange();
    void RestoreOverlay();
    static OverlayFile::Result ReadOverlay(const std::string& fileName);
    void MarkPeaks();
    void ForgetIdentification();

    TextTables& m_text;
    TableArray& m_tables;
    SettingsStore& m_store;
    IdleDriver& m_idle;
    WorkspaceState m_state;
    CommandInterpreter m_interpreter;
    ActionTable* m_actions;
    PaneLayout m_panes;
    std::unique_ptr<MenuCommandHandler> m_menuCommands;
    std::function<void(const std::string&)> m_warningSink;
    std::unique_ptr<Identification> m_identification;  // none before the first IDENTIFY
    std::vector<OverlayData> m_overlay;  // the measured points of the overlay file loaded
    std::vector<PeakMark> m_peakMarks;   // the identified peaks named on the graph
    int m_scanPercent = 0;               // as last told
    uint64_t m_listRevision = 0;         // of the display list when the panes last followed it
};
