#pragma once

#include "framework/PaneSplitter.h"
#include "workspace/WorkspaceState.h"

#include <array>
#include <functional>
#include <vector>

#include <QPointer>

class IdleDriver;
class QAction;
class QMenu;
class SettingsStore;
class TableArray;
class TextTables;

// The workspace: the frame's client window. It owns the panes, carries out the commands that
// change the line database, keeps the Sources menu, and restores and saves the workspace state.
class TSpeklaWindow : public PaneSplitter {
    Q_OBJECT

public:
    enum PaneId { kElementPane = 0, kDataPane = 1, kGraphPane = 2 };
    // Makes a new pane window; the workspace owns it once shown.
    using PaneFactory = std::function<QWidget*()>;

    TSpeklaWindow(TextTables& text, TableArray& tables, SettingsStore& store, IdleDriver& idle,
                  QWidget* parent = nullptr);

    // Restores the workspace state and fills `sourcesMenu` with one item per data source.
    void SetupWindow(QMenu* sourcesMenu);
    // Saves the workspace state to the settings store.
    void CleanupWindow();

    bool IsPaneShown(int id) const;
    QWidget* Pane(PaneId id) const;
    // Installs how a pane window is made; a pane without one cannot be shown.
    void SetPaneFactory(PaneId id, PaneFactory factory);
    // Show the pane when it is absent, remove it when present; the arrangement follows from the
    // panes already shown: element left of data, both above the graph.
    void ToggleElementWindow();
    void ToggleDataWindow();
    void ToggleGraphWindow();
    // A typed command with its argument; 1 when it acted, 0 when it refused or is not bound.
    int EvCommand(int commandId, const QString& argument);
    // Rebuilds the display list after a change of selection or filters and refreshes the panes.
    void SelectionChanged();

    void ToggleSource(size_t index);
    // Sets every Sources item's check mark from its source.
    void UpdateSourceActions();

private:
    void BuildSourcesMenu(QMenu* menu);
    QWidget* MakePane(PaneId id);
    bool HidePane(PaneId id);
    void ShowDataWindow();
    void SetPaneFlag(PaneId id, bool shown);
    QAction* SourceAction(size_t index);

    TextTables& m_text;
    TableArray& m_tables;
    SettingsStore& m_store;
    IdleDriver& m_idle;
    WorkspaceState m_state;
    QPointer<QMenu> m_sourcesMenu;
    std::vector<QAction*> m_sourceActions;
    std::array<PaneFactory, 3> m_paneFactories;
};
