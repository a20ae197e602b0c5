#pragma once

struct WorkspaceSnapshot;

// Whether a menu item or button is enabled and checked, from the state alone. Nothing else
// decides it, and no operation reads a check mark back to learn the state.
struct ActionState {
    bool enabled = true;
    bool checked = false;

    bool operator==(const ActionState&) const = default;
};

// Commands without a rule of their own are enabled and unchecked.
ActionState ActionStateFor(int commandId, const WorkspaceSnapshot& state);
