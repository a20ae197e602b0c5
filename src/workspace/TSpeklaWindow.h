#pragma once

#include "framework/PaneSplitter.h"
#include "workspace/WorkspaceState.h"

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

    TSpeklaWindow(TextTables& text, TableArray& tables, SettingsStore& store, IdleDriver& idle,
                  QWidget* parent = nullptr);

    // Restores the workspace state and fills `sourcesMenu` with one item per data source.
    void SetupWindow(QMenu* sourcesMenu);
    // Saves the workspace state to the settings store.
    void CleanupWindow();

    bool IsPaneShown(int id) const;
    // A typed command with its argument; 1 when it acted, 0 when it refused or is not bound.
    int EvCommand(int commandId, const QString& argument);
    // Rebuilds the display list after a change of selection or filters and refreshes the panes.
    void SelectionChanged();

    void ToggleSource(size_t index);
    // Sets every Sources item's check mark from its source.
    void UpdateSourceActions();

private:
    void BuildSourcesMenu(QMenu* menu);
    QAction* SourceAction(size_t index);

    TextTables& m_text;
    TableArray& m_tables;
    SettingsStore& m_store;
    IdleDriver& m_idle;
    WorkspaceState m_state;
    QPointer<QMenu> m_sourcesMenu;
    std::vector<QAction*> m_sourceActions;
};
