#pragma once

#include <map>

#include <QObject>

class QAction;
class QKeySequence;
struct MenuCommand;
struct WorkspaceSnapshot;

// Every menu item, accelerator and tool-bar button, one QAction per command number, made from
// the command table. Enabled and checked states come only from Apply.
class ActionTable : public QObject {
    Q_OBJECT

public:
    explicit ActionTable(QObject* parent = nullptr);

    // The action of a command number; null for a number without one.
    QAction* Action(int commandId) const;
    // Adds an action made elsewhere (a data source's item) under its command number.
    void Add(int commandId, QAction* action);
    // Whether an enabled action that is in a menu or window has these keys.
    bool HasEnabledShortcut(const QKeySequence& keys) const;
    // Sets every action's enabled and checked state from the state.
    void Apply(const WorkspaceSnapshot& state);

signals:
    void Triggered(int commandId);

private:
    void Make(const MenuCommand& command);

    std::map<int, QAction*> m_actions;
};
