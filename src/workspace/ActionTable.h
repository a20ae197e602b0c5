#pragma once

#include <map>

#include <QObject>

class QAction;
class QKeySequence;
struct WorkspaceSnapshot;

// Every menu item, accelerator and tool-bar button, one QAction per command number, made from
// the command table on first use. Enabled and checked states come only from Apply.
class ActionTable : public QObject {
    Q_OBJECT

public:
    explicit ActionTable(QObject* parent = nullptr);

    // The action of a command of the command table; made when first asked for.
    QAction* Action(int commandId);
    // Adds an action made elsewhere (a data source's item) under its command number.
    void Add(int commandId, QAction* action);
    // Whether an enabled action has these keys.
    bool HasEnabledShortcut(const QKeySequence& keys) const;
    // Sets every action's enabled and checked state from the state.
    void Apply(const WorkspaceSnapshot& state);

signals:
    void Triggered(int commandId);

private:
    QAction* Make(int commandId);

    std::map<int, QAction*> m_actions;
};
