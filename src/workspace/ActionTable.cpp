#include "workspace/ActionTable.h"

#include "framework/THelpFileManager.h"
#include "workspace/ActionRules.h"
#include "workspace/HelpContexts.h"
#include "workspace/MenuCommandTable.h"

#include <QAction>

ActionTable::ActionTable(QObject* parent) : QObject(parent)
{
    for (const MenuCommand& command : MenuCommandTable()) {
        Make(command);
    }
}

QAction* ActionTable::Action(int commandId) const
{
    const auto found = m_actions.find(commandId);
    return found != m_actions.end() ? found->second : nullptr;
}

void ActionTable::Make(const MenuCommand& command)
{
    auto* action = new QAction(tr(command.text), this);
    action->setShortcut(QKeySequence(QString::fromLatin1(command.shortcut)));
    action->setStatusTip(tr(command.hint));
    action->setToolTip(QString(command.text).remove('&').remove("..."));
    action->setCheckable(command.checkable);
    Add(command.id, action);
}

void ActionTable::Add(int commandId, QAction* action)
{
    m_actions[commandId] = action;
    // F1 on a highlighted menu item opens the topic the action carries.
    if (const std::optional<int> topic = HelpContextForCommand(commandId)) {
        action->setProperty(kHelpContextProperty, *topic);
    }
    // A checkable action's own toggling is undone by Apply: the state decides the mark.
    connect(action, &QAction::triggered, this, [this, commandId] { emit Triggered(commandId); });
}

bool ActionTable::HasEnabledShortcut(const QKeySequence& keys) const
{
    for (const auto& [commandId, action] : m_actions) {
        // An action in no menu or window has no live shortcut.
        if (action->isEnabled() && !action->associatedObjects().isEmpty() &&
            action->shortcuts().contains(keys)) {
            return true;
        }
    }
    return false;
}

void ActionTable::Apply(const WorkspaceSnapshot& state)
{
    for (const auto& [commandId, action] : m_actions) {
        const ActionState rule = ActionStateFor(commandId, state);
        action->setEnabled(rule.enabled);
        action->setChecked(rule.checked);
    }
}
