#pragma once

#include <initializer_list>
#include <memory>

#include <QMainWindow>

class IdleDriver;
class QDockWidget;
class QLabel;
class QPrinter;
class SettingsStore;
class TableArray;
class TComboEdit;
class TextTables;
class TSpeklaWindow;

// The main frame: menu bar, status bar with its indicators, the docked command line, and the
// workspace as its central window. It remembers its placement between runs.
class TSDIDecFrame : public QMainWindow {
    Q_OBJECT

public:
    TSDIDecFrame(TextTables& text, TableArray& tables, SettingsStore& store, IdleDriver& idle);
    ~TSDIDecFrame() override;

    // Restores the data sources, the workspace and the placement.
    void SetupWindow();
    // Shows the frame as the stored show command ("State") or placement asks.
    void ShowAtStart();
    // A problem met while running, shown in the status bar until the next message.
    void ShowWarning(const QString& text);

    TSpeklaWindow* Workspace() const { return m_workspace; }
    TComboEdit* CommandLine() const { return m_commandLine; }
    QString ScanText() const;
    QString MinIntensityText() const;
    // Prints the page on `printer` without asking; false (after telling the user) when the
    // printer could not start.
    bool PrintTo(QPrinter& printer);

protected:
    void closeEvent(QCloseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void CreateMenus();
    void AddActions(QMenu* menu, std::initializer_list<int> commandIds);
    void EvFrameCommand(int commandId);
    void About();
    QPrinter& Printer();
    void Print();
    void PrintSetup();
    void SaveGraph();
    void ApplyState();
    void CreateStatusBar();
    void CreateCommandBar(const TextTables& text);
    void CreatePeaksBar(const TextTables& text, const TableArray& tables);
    void ShowScanPercent(int percent);
    void ShowMinimumIntensity(bool linear);
    void CleanupWindow();
    void RestorePlacement();
    void SavePlacement();

    const TextTables& m_text;
    TableArray& m_tables;
    SettingsStore& m_store;
    TSpeklaWindow* m_workspace;
    QMenu* m_sourcesMenu = nullptr;
    QMenu* m_windowMenu = nullptr;
    QLabel* m_minIntensityGadget = nullptr;
    QLabel* m_scanGadget = nullptr;
    QLabel* m_heightGadget = nullptr;
    QLabel* m_rangeGadget = nullptr;
    QLabel* m_ratiosGadget = nullptr;
    QLabel* m_summationGadget = nullptr;
    QLabel* m_scaleGadget = nullptr;     // LOG or LIN
    QLabel* m_spectrumGadget = nullptr;  // shown while the synthetic spectrum is not plain
    QDockWidget* m_commandBar = nullptr;
    QDockWidget* m_peaksBar = nullptr;
    TComboEdit* m_commandLine = nullptr;
    bool m_placementRestored = false;
    bool m_cleanedUp = false;
    std::unique_ptr<QPrinter> m_printer;  // made at the first print or page set-up
};
