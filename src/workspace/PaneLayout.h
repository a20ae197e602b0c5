#pragma once

#include "command/WorkspaceOperations.h"

#include <array>
#include <functional>
#include <optional>

class PaneSplitter;
class QWidget;

// Where the workspace's three panes go when shown: element left of data, both above the graph,
// whatever order they are shown in. A pane is made by its factory when shown and destroyed when
// hidden; a pane without a factory cannot be shown.
class PaneLayout {
public:
    using PaneId = WorkspaceOperations::PaneId;
    using Factory = std::function<QWidget*()>;

    // `splitter` holds the panes and must outlive the layout.
    explicit PaneLayout(PaneSplitter& splitter);

    void SetFactory(PaneId id, Factory factory);
    QWidget* Pane(PaneId id) const;
    // Shows the pane when absent, removes it when present. Whether it is shown afterwards, or
    // nothing when it could not be made.
    std::optional<bool> Toggle(PaneId id);

private:
    QWidget* Make(PaneId id);
    bool Hide(PaneId id);
    void ShowElement(QWidget* element);
    void ShowData(QWidget* data);
    void ShowGraph(QWidget* graph);

    PaneSplitter& m_splitter;
    std::array<Factory, 3> m_factories;
};
